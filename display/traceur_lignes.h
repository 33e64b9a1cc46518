#ifndef TRACEUR_LIGNES_H
#define TRACEUR_LIGNES_H

#include <QImage>
#include <QLine>
#include <QPen>
#include <QPoint>
#include <QRect>

#include <array>
#include <cstdint>

// Draws lines of one pixel, unsmoothed, exactly as QPainter draws them with
// a pen of width 1 (solid or dashed) on a whole image at one unit a pixel,
// but onto any part of that image: a tile. Qt's own stroker shortens a line
// at the edges of the image it paints on, which moves its pixels and its
// dashes; this one steps every line from its true ends and only keeps the
// pixels inside the tile, so that tiles put side by side give the pixels
// of the whole.
class traceur_lignes
{
public:
    // What a pen writes: its colour as the painter blends it, and its dashes.
    class stylo
    {
    public:
        stylo() = default;
        // Only pens QPainter draws with its one-pixel stroker: width 0 or 1,
        // square or round caps, a plain colour; others are refused.
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
