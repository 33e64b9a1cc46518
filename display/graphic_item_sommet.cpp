#include "graphic_item_sommet.h"

#include "reglages_affichage.h"

#include <QFontMetricsF>
#include <QGraphicsTextItem>
#include <QPainter>
#include <QStaticText>
#include <QTextOption>

namespace {

// ASCII digits lay out left to right on one line as QPainter::drawText lays
// them out; any other text goes through drawText itself.
bool chiffres(const QString &texte)
{
    for (QChar c : texte) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return !texte.isEmpty();
}

} // namespace

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
    if (!reglages_affichage::actifs() || !chiffres(texte) || painter->layoutDirection() != Qt::LeftToRight) {
        painter->drawText(_etiquette->pos(), texte);
        return;
    }
    // Shaping the number again on every paint is what drawText costs; a
    // kept layout puts the same glyphs on the same base line. Laying it out
    // costs more than one drawText, so it waits for the second paint and the
    // first picture comes no later than without it.
    if (!_texte_pret || _texte_pret->text() != texte) {
        if (!_texte_pret && !_peint_une_fois) {
            _peint_une_fois = true;
            painter->drawText(_etiquette->pos(), texte);
            return;
        }
        _texte_pret = std::make_unique<QStaticText>(texte);
        _texte_pret->setTextFormat(Qt::PlainText);
        QTextOption sens;
        sens.setTextDirection(Qt::LeftToRight);
        _texte_pret->setTextOption(sens);
    }
    const QFontMetricsF mesures(painter->font());
    const qreal ligne_de_base = mesures.ascent() + qMax(qreal(0), mesures.leading());
    painter->drawStaticText(_etiquette->pos() - QPointF(0, ligne_de_base), *_texte_pret);
}
