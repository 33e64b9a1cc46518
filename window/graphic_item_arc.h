#ifndef GRAPHIC_ITEM_ARC_H
#define GRAPHIC_ITEM_ARC_H

#include <QGraphicsLineItem>
#include <QLineF>
#include <QPen>
#include <QRectF>

class graphic_item_sommet;

// One neighbour entry drawn as a line between the centres of two vertices.
class graphic_item_arc : public QGraphicsLineItem
{
public:
    explicit graphic_item_arc(QGraphicsItem *parent = nullptr);
    ~graphic_item_arc() override;

    // The line item's own bounds, kept until the line or the pen changes.
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

    // Lays the line between the centres of both ends as they stand now; an
    // arc with a missing end keeps its line.
    void ajuster_ligne();

    graphic_item_sommet *&source() { return _source; }
    graphic_item_sommet *&destination() { return _destination; }

private:
    graphic_item_sommet *_source = nullptr;
    graphic_item_sommet *_destination = nullptr;
    // What the kept bounds were computed from.
    mutable QLineF _ligne_bornes;
    mutable QPen _stylo_bornes;
    mutable QRectF _bornes;
    mutable bool _bornes_connues = false;
};

#endif
