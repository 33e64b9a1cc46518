#include "graphic_item_sommet.h"

#include "chiffres_dessines.h"
#include "reglages_affichage.h"

#include <QGraphicsTextItem>
#include <QPainter>

graphic_item_sommet::graphic_item_sommet(QGraphicsItem *parent)
    : QGraphicsEllipseItem(parent)
{
}

graphic_item_sommet::graphic_item_sommet(const graphic_item_sommet &autre)
    : QGraphicsEllipseItem(nullptr)
{
    setPos(autre.pos());
    setRect(autre.rect());
    setPen(autre.pen());
    setBrush(autre.brush());
    _id = autre._id;
    // The ghost of a drag may be made from any vertex, labelled or not.
    if (autre._etiquette) {
        _etiquette = new QGraphicsTextItem();
        _etiquette->setDefaultTextColor(autre._etiquette->defaultTextColor());
        _etiquette->setPos(autre._etiquette->pos());
        _etiquette->setPlainText(autre._etiquette->toPlainText());
    }
}

graphic_item_sommet::~graphic_item_sommet()
{
    // The arcs belong to the scene; only the links are dropped here.
    _arcs_entrants.clear();
    _arcs_sortants.clear();
    delete _etiquette;
}

void graphic_item_sommet::paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
                                QWidget *widget)
{
    QGraphicsEllipseItem::paint(painter, option, widget);
    if (!_etiquette)
        return;
    painter->setPen(_etiquette->defaultTextColor());
    // One, two or three digits centred roughly in the 22 x 22 circle.
    const int x = _id <= 9 ? 9 : (_id <= 99 ? 6 : 3);
    _etiquette->setPos(x, 16);
    const QString texte = _etiquette->toPlainText();
    // Shaping the number again on every paint is what drawText costs; the
    // digits' glyphs, looked up once, land on the same pixels.
    if (reglages_affichage::actifs() && painter->layoutDirection() == Qt::LeftToRight
        && chiffres_dessines::pour(painter).dessiner(painter, _etiquette->pos(), texte))
        return;
    painter->drawText(_etiquette->pos(), texte);
}
