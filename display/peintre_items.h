#ifndef PEINTRE_ITEMS_H
#define PEINTRE_ITEMS_H

#include <QList>
#include <QStyleOptionGraphicsItem>
#include <QTransform>

class QGraphicsItem;
class QGraphicsScene;
class QPainter;

// Paints a scene's items as QGraphicsScene::render would, each as it paints
// itself, in stacking order, children stacked behind their parent first,
// without render's sort of every item by place. The transform and the
// opacity change only where they differ from the last item's: a vector
// device (SVG, PDF) writes its whole state again at each change, and the
// arcs, all in one place with one pen, then share one group instead of one
// each. Images and vector drawings alike are painted through it.
class peintre_items
{
public:
    // The whole scene rectangle with its top-left corner at the origin.
    static void peindre_scene(QPainter &peintre, QGraphicsScene *scene);
    // The scene's top-level items in the order they are painted.
    static QList<QGraphicsItem *> premiers_plans(QGraphicsScene *scene);
    // Some of those items, in that order, as peindre_scene paints them.
    static void peindre_tranche(QPainter &peintre, QGraphicsScene *scene,
                                QList<QGraphicsItem *>::const_iterator debut,
                                QList<QGraphicsItem *>::const_iterator fin);

private:
    peintre_items(QPainter &peintre, const QTransform &base);

    void peindre(QGraphicsItem *objet);
    void peindre_seul(QGraphicsItem *objet);
    static bool derriere(const QGraphicsItem *enfant);

    QPainter &_peintre;
    const QTransform _base;
    QTransform _courante;
    QStyleOptionGraphicsItem _option;
};

#endif
