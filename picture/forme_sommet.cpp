#include "forme_sommet.h"

namespace forme_sommet
{

QPointF origine_numero(int id)
{
    constexpr qreal base = 16;
    return QPointF(id <= 9 ? 9 : (id <= 99 ? 6 : 3), base);
}

QLine ligne_entre(const QPointF &coin_source, const QPointF &coin_destination)
{
    constexpr double demi = rayon;
    return QLine(static_cast<int>(coin_source.x() + demi), static_cast<int>(coin_source.y() + demi),
                 static_cast<int>(coin_destination.x() + demi), static_cast<int>(coin_destination.y() + demi));
}

} // namespace forme_sommet
