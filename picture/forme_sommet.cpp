#include "forme_sommet.h"

#include <QPainter>

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

QPolygonF polygone(forme f, const QRectF &boite)
{
    const QPointF c = boite.center();
    switch (f) {
    case forme::carre:
        return QPolygonF(boite);
    case forme::losange:
        return QPolygonF({QPointF(c.x(), boite.top()), QPointF(boite.right(), c.y()), QPointF(c.x(), boite.bottom()),
                          QPointF(boite.left(), c.y())});
    case forme::triangle:
        return QPolygonF({QPointF(c.x(), boite.top()), QPointF(boite.right(), boite.bottom()),
                          QPointF(boite.left(), boite.bottom())});
    case forme::cercle:
    case forme::petit_cercle:
        break;
    }
    return QPolygonF();
}

void peindre_forme(QPainter &peintre, forme f, const QRectF &boite)
{
    switch (f) {
    case forme::cercle:
        peintre.drawEllipse(boite);
        return;
    case forme::petit_cercle:
        peintre.drawEllipse(boite.adjusted(retrait_petit_cercle, retrait_petit_cercle, -retrait_petit_cercle,
                                           -retrait_petit_cercle));
        return;
    case forme::carre:
        peintre.drawRect(boite);
        return;
    case forme::losange:
    case forme::triangle:
        peintre.drawPolygon(polygone(f, boite));
        return;
    }
}

} // namespace forme_sommet
