#include "graphic_item_arc.h"

#include "forme_sommet.h"
#include "graphic_item_sommet.h"

graphic_item_arc::graphic_item_arc(QGraphicsItem *parent)
    : QGraphicsLineItem(parent)
{
}

graphic_item_arc::~graphic_item_arc() = default;

QRectF graphic_item_arc::boundingRect() const
{
    // Qt strokes the line afresh on each call, and the index and every paint
    // ask for the bounds of every arc.
    const QLineF ligne = line();
    const QPen stylo = pen();
    if (!_bornes_connues || ligne != _ligne_bornes || stylo != _stylo_bornes) {
        _bornes = QGraphicsLineItem::boundingRect();
        _ligne_bornes = ligne;
        _stylo_bornes = stylo;
        _bornes_connues = true;
    }
    return _bornes;
}

void graphic_item_arc::paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
                             QWidget *widget)
{
    QGraphicsLineItem::paint(painter, option, widget);
}

void graphic_item_arc::ajuster_ligne()
{
    if (!_source || !_destination)
        return;
    setLine(forme_sommet::ligne_entre(_source->pos(), _destination->pos()));
}
