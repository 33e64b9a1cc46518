#ifndef GRAPHIC_ITEM_SOMMET_H
#define GRAPHIC_ITEM_SOMMET_H

#include <QGraphicsEllipseItem>

#include <vector>

class QGraphicsTextItem;
class graphic_item_arc;

// One sensor drawn as a circle with its number painted inside.
class graphic_item_sommet : public QGraphicsEllipseItem
{
public:
    enum { Type = UserType + 1 };

    explicit graphic_item_sommet(QGraphicsItem *parent = nullptr);
    // Stand-alone likeness (position, rectangle, pen, brush, id, label) used
    // as the ghost of a drag; linked to no arc.
    graphic_item_sommet(const graphic_item_sommet &autre);
    ~graphic_item_sommet() override;
    graphic_item_sommet &operator=(const graphic_item_sommet &) = delete;

    int type() const override { return Type; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

    int &id() { return _id; }
    QGraphicsTextItem *&etiquette() { return _etiquette; }
    std::vector<graphic_item_arc *> &arcs_entrants() { return _arcs_entrants; }
    std::vector<graphic_item_arc *> &arcs_sortants() { return _arcs_sortants; }

private:
    int _id = 0;
    QGraphicsTextItem *_etiquette = nullptr;
    std::vector<graphic_item_arc *> _arcs_entrants;
    std::vector<graphic_item_arc *> _arcs_sortants;
};

#endif
