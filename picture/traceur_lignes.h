#ifndef TRACEUR_LIGNES_H
#define TRACEUR_LIGNES_H

#include <QImage>
#include <QLine>
#include <QPen>
#include <QPoint>
#include <QRect>

#include <array>
#include <cstdint>

// Draws lines of one pixel, unsmoothed, solid or dashed, onto any part of
// a picture: every line is stepped from its true ends and only the pixels
// inside the image are kept, so that tiles put side by side are the whole
// picture painted at once. The steps and the blending are the project's
// own (they are those the drawings have always had), so a picture does not
// change with the painter's stroker, which shortens a line at the edges of
// the image it paints on.
class traceur_lignes
{
public:
    // What a pen writes: its colour, premultiplied, and its dashes.
    class stylo
    {
    public:
        stylo() = default;
        // Only pens of one pixel: width 0 or 1, square or round caps, a plain
        // colour; others are refused.
        explicit stylo(const QPen &pen);
        bool utilisable() const { return _utilisable; }

    private:
        friend class traceur_lignes;
        static constexpr int tirets_max = 8;
        bool _utilisable = false;
        std::uint32_t _couleur = 0;
        bool _tirete = false;
        int _nombre = 0;
        int _longueur = 0;
        std::array<int, tirets_max> _fins{};
        std::array<int, tirets_max> _fins_inverses{};
    };

    // origine: the scene point of the image's top-left pixel. The image is
    // RGB32 or ARGB32 premultiplied.
    traceur_lignes(QImage &image, const QPoint &origine);

    // The line's ends are in scene units.
    void tracer(const QLine &ligne, const stylo &s);

private:
    template <typename Pixel>
    void parcourir(const QLine &ligne, const stylo &s, Pixel &&pixel) const;

    std::uint32_t *_pixels;
    int _par_ligne;
    QRect _zone;
};

#endif
