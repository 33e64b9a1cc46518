#include "echelle_dessin.h"

#include <cmath>

namespace {

// A vertex's centre from its corner.
constexpr double centre_sommet = echelle_dessin::decalage_sommets + echelle_dessin::diametre_sommet / 2.0;

// One axis back to the sensors' units; a zero scale put every sensor at
// the minimum.
long long en_unites(double decalage, float ecart, std::int64_t minimum)
{
    if (ecart == 0.0f)
        return minimum;
    return minimum + std::llround(decalage / double(ecart));
}

} // namespace

echelle_dessin::echelle_dessin(std::int64_t min_x, std::int64_t min_y, float ecart_x, float ecart_y,
                               int hauteur)
    : _min_x(min_x), _min_y(min_y), _ecart_x(ecart_x), _ecart_y(ecart_y), _bas(hauteur - reserve_sommets)
{
}

QPoint echelle_dessin::coin_sommet(std::int64_t x, std::int64_t y) const
{
    // The factor is multiplied in single precision, then truncated.
    const int sx = static_cast<int>(_ecart_x * (x - _min_x));
    const int sy = _bas - static_cast<int>(_ecart_y * (y - _min_y));
    return QPoint(sx + decalage_sommets, sy + decalage_sommets);
}

echelle_dessin::point_capteurs echelle_dessin::en_capteurs(const QPointF &point) const
{
    return {en_unites(point.x() - centre_sommet, _ecart_x, _min_x),
            en_unites(_bas - (point.y() - centre_sommet), _ecart_y, _min_y)};
}

QPointF echelle_dessin::vers(const echelle_dessin &autre, const QPointF &point) const
{
    // Through the sensors' units; an axis whose sensors all share one
    // coordinate has no scale, and keeps the point's own.
    auto axe = [](double decalage, float ecart, std::int64_t minimum, float ecart_autre, std::int64_t minimum_autre,
                  double repli) {
        if (ecart == 0.0f || ecart_autre == 0.0f)
            return repli;
        return double(ecart_autre) * (decalage / double(ecart) + double(minimum - minimum_autre));
    };
    const double x = axe(point.x() - centre_sommet, _ecart_x, _min_x, autre._ecart_x, autre._min_x,
                         point.x() - centre_sommet);
    const double y = axe(_bas - (point.y() - centre_sommet), _ecart_y, _min_y, autre._ecart_y, autre._min_y,
                         _bas - (point.y() - centre_sommet));
    return {x + centre_sommet, autre._bas - y + centre_sommet};
}
