#ifndef ECHELLE_DESSIN_H
#define ECHELLE_DESSIN_H

#include "forme_sommet.h"

#include <QPoint>
#include <QPointF>

#include <cstdint>

// How a drawing brings the sensors' coordinates onto its area, and back:
// the corner of the sensors' bounding box, one scale per axis, and the
// height over which the y axis is turned upward.
class echelle_dessin
{
public:
    // The sensors spread over the area less this, in each direction...
    static constexpr int reserve_sommets = 120;
    // ...from this corner on, each a circle of this diameter.
    static constexpr int decalage_sommets = 49;
    static constexpr int diametre_sommet = forme_sommet::diametre;

    // A point in the sensors' own units.
    struct point_capteurs
    {
        long long x;
        long long y;
    };

    echelle_dessin() = default;
    echelle_dessin(std::int64_t min_x, std::int64_t min_y, float ecart_x, float ecart_y, int hauteur);

    // Top-left corner of the vertex of a sensor at (x, y).
    QPoint coin_sommet(std::int64_t x, std::int64_t y) const;
    // What lies under a scene point, rounded; a vertex's centre gives its
    // sensor's coordinates, less what the scale truncated.
    point_capteurs en_capteurs(const QPointF &point) const;
    // The scene point of another drawing of the same sensors (at another
    // zoom, say) that shows what this one shows at `point`, unrounded so
    // that two views follow each other to the pixel.
    QPointF vers(const echelle_dessin &autre, const QPointF &point) const;

    std::int64_t min_x() const { return _min_x; }
    std::int64_t min_y() const { return _min_y; }
    float ecart_x() const { return _ecart_x; }
    float ecart_y() const { return _ecart_y; }

private:
    std::int64_t _min_x = 0;
    std::int64_t _min_y = 0;
    float _ecart_x = 0;
    float _ecart_y = 0;
    // Scene y of the vertices' corners for the smallest sensor y.
    int _bas = 0;
};

#endif
