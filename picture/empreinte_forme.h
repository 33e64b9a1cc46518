#ifndef EMPREINTE_FORME_H
#define EMPREINTE_FORME_H

#include "forme_sommet.h"

#include <QBrush>
#include <QImage>
#include <QPen>
#include <QPoint>

#include <cstdint>
#include <vector>

// A vertex's circle painted once, kept as runs of opaque pixels and copied
// wherever a vertex of that outline and fill stands: the same pixels as
// painting each one, at a fraction of the cost. Only for circles whose
// pixels are all opaque or untouched, as an unsmoothed circle of opaque
// colours is; any other is left to the painter.
class empreinte_forme
{
public:
    empreinte_forme(const QPen &contour, const QBrush &fond, forme_sommet::forme f = forme_sommet::forme::cercle);

    bool utilisable() const { return _utilisable; }
    bool pour(const QPen &contour, const QBrush &fond, forme_sommet::forme f) const
    {
        return f == _forme && contour == _contour && fond == _fond;
    }
    // The circle with its corner at `coin`, in the image's pixels; what
    // falls outside the image is left out. The image is RGB32 or ARGB32
    // premultiplied.
    void poser(QImage &image, const QPoint &coin) const;

private:
    struct segment
    {
        int y = 0;
        int x = 0;
        int longueur = 0;
        std::uint32_t couleur = 0;
    };

    QPen _contour;
    QBrush _fond;
    forme_sommet::forme _forme;
    std::vector<segment> _segments;
    bool _utilisable = false;
};

#endif
