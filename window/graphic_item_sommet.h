#ifndef GRAPHIC_ITEM_SOMMET_H
#define GRAPHIC_ITEM_SOMMET_H

#include "forme_sommet.h"

#include <QColor>
#include <QGraphicsEllipseItem>

#include <vector>

class QGraphicsTextItem;
class graphic_item_arc;

// One sensor drawn as a circle with its number painted inside.
class graphic_item_sommet : public QGraphicsEllipseItem
{
public:
    enum { Type = UserType + 1 };
    // Every vertex is a circle of this size, in scene units.
    static constexpr int diametre = forme_sommet::diametre;
    static constexpr int rayon = forme_sommet::rayon;

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
    // The vertex was painted by other means than its own paint (a drawing's
    // list): its label, once asked for, sits where its number is drawn.
    void peint_ailleurs();
    // The label, made on the first call when a label colour was given.
    QGraphicsTextItem *&etiquette();
    // The vertex is labelled with its number in this colour; the label item
    // itself waits until someone asks for it.
    void set_couleur_etiquette(const QColor &couleur);
    // The number's colour, with or without a label item.
    QColor couleur_etiquette() const;
    std::vector<graphic_item_arc *> &arcs_entrants() { return _arcs_entrants; }
    std::vector<graphic_item_arc *> &arcs_sortants() { return _arcs_sortants; }

private:
    int _id = 0;
    QGraphicsTextItem *_etiquette = nullptr;
    // A label item costs a text document of its own: tens of kilobytes,
    // which a large network cannot afford for every vertex.
    bool _etiquette_a_faire = false;
    // Once painted, the label sits where the number is drawn.
    bool _deja_peint = false;
    QColor _couleur_etiquette;
    std::vector<graphic_item_arc *> _arcs_entrants;
    std::vector<graphic_item_arc *> _arcs_sortants;
};

#endif
