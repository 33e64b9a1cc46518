#ifndef MARQUE_CAPTEUR_H
#define MARQUE_CAPTEUR_H

#include <QLineF>
#include <QList>
#include <QPointF>
#include <QRectF>

#include <vector>

class QPainter;
class graphic_item_sommet;

// What marks a chosen sensor on screen: a ring around its vertex, a thinner
// one around each vertex it is linked to either way, and its links drawn
// again over everything. The view paints it over the scene, which stays the
// drawing that exports write.
class marque_capteur
{
public:
    // From the vertex and its arcs as they lie now.
    explicit marque_capteur(graphic_item_sommet &sommet);

    // The scene areas the marks cover.
    QList<QRectF> zones() const;
    // The painter maps scene units.
    void peindre(QPainter &peintre) const;

private:
    QPointF _centre;
    std::vector<QPointF> _voisins;
    std::vector<QLineF> _liens;
};

#endif
