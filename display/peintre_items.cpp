#include "peintre_items.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QList>
#include <QPainter>

#include <algorithm>

void peintre_items::peindre_scene(QPainter &peintre, QGraphicsScene *scene)
{
    const QList<QGraphicsItem *> premiers = premiers_plans(scene);
    peindre_tranche(peintre, scene, premiers.cbegin(), premiers.cend());
}

QList<QGraphicsItem *> peintre_items::premiers_plans(QGraphicsScene *scene)
{
    // Top-level items by z, then in the order they entered the scene, which
    // is how the scene lists them when it keeps no index.
    QList<QGraphicsItem *> premiers;
    for (QGraphicsItem *objet : scene->items(Qt::AscendingOrder))
        if (!objet->parentItem())
            premiers.append(objet);
    std::stable_sort(premiers.begin(), premiers.end(),
                     [](const QGraphicsItem *a, const QGraphicsItem *b) { return a->zValue() < b->zValue(); });
    return premiers;
}

void peintre_items::peindre_tranche(QPainter &peintre, QGraphicsScene *scene,
                                    QList<QGraphicsItem *>::const_iterator debut,
                                    QList<QGraphicsItem *>::const_iterator fin)
{
    const QRectF source = scene->sceneRect();
    const QTransform base = QTransform::fromTranslate(-source.left(), -source.top()) * peintre.worldTransform();
    peintre_items par_items(peintre, base);
    for (auto objet = debut; objet != fin; ++objet)
        par_items.peindre(*objet);
}

peintre_items::peintre_items(QPainter &peintre, const QTransform &base)
    : _peintre(peintre), _base(base), _courante(peintre.worldTransform())
{
}

void peintre_items::peindre(QGraphicsItem *objet)
{
    if (!objet->isVisible())
        return;
    const QList<QGraphicsItem *> enfants = objet->childItems();
    for (QGraphicsItem *enfant : enfants)
        if (derriere(enfant))
            peindre(enfant);
    if (!(objet->flags() & QGraphicsItem::ItemHasNoContents))
        peindre_seul(objet);
    for (QGraphicsItem *enfant : enfants)
        if (!derriere(enfant))
            peindre(enfant);
}

void peintre_items::peindre_seul(QGraphicsItem *objet)
{
    const QTransform transformation = objet->sceneTransform() * _base;
    if (transformation != _courante) {
        _peintre.setWorldTransform(transformation);
        _courante = transformation;
    }
    _peintre.setOpacity(objet->effectiveOpacity());
    _option.exposedRect = objet->boundingRect();
    _option.rect = _option.exposedRect.toAlignedRect();
    objet->paint(&_peintre, &_option, nullptr);
}

bool peintre_items::derriere(const QGraphicsItem *enfant)
{
    return enfant->zValue() < 0 || (enfant->flags() & QGraphicsItem::ItemStacksBehindParent);
}
