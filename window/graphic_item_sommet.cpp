#include "graphic_item_sommet.h"

#include "rendu_dessin.h"

#include <QGraphicsTextItem>
#include <QPainter>

using forme_sommet::origine_numero;

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
    // The label the original shows, made or still to be made; making the
    // original's own would add an item to its scene, which a large scene
    // makes costly at every press.
    _etiquette = nullptr;
    if (autre._etiquette) {
        _etiquette = new QGraphicsTextItem();
        _etiquette->setDefaultTextColor(autre._etiquette->defaultTextColor());
        _etiquette->setPos(autre._etiquette->pos());
        _etiquette->setPlainText(autre._etiquette->toPlainText());
    } else if (autre._etiquette_a_faire) {
        _etiquette = new QGraphicsTextItem();
        _etiquette->setDefaultTextColor(autre._couleur_etiquette);
        _etiquette->setPos(autre._deja_peint ? origine_numero(autre._id) : QPointF());
        _etiquette->setPlainText(QString::number(autre._id));
    }
}

void graphic_item_sommet::peint_ailleurs()
{
    _deja_peint = true;
    if (_etiquette)
        _etiquette->setPos(origine_numero(_id));
}

graphic_item_sommet::~graphic_item_sommet()
{
    // The arcs belong to the scene; only the links are dropped here.
    _arcs_entrants.clear();
    _arcs_sortants.clear();
    delete _etiquette;
}

QGraphicsTextItem *&graphic_item_sommet::etiquette()
{
    if (_etiquette_a_faire) {
        _etiquette_a_faire = false;
        _etiquette = new QGraphicsTextItem(this);
        _etiquette->hide();
        if (_deja_peint)
            _etiquette->setPos(origine_numero(_id));
        _etiquette->setPlainText(QString::number(_id));
        _etiquette->setDefaultTextColor(_couleur_etiquette);
    }
    return _etiquette;
}

QColor graphic_item_sommet::couleur_etiquette() const
{
    return _etiquette ? _etiquette->defaultTextColor() : _couleur_etiquette;
}

void graphic_item_sommet::set_couleur_etiquette(const QColor &couleur)
{
    _couleur_etiquette = couleur;
    _etiquette_a_faire = !_etiquette;
    if (_etiquette)
        _etiquette->setDefaultTextColor(couleur);
}

void graphic_item_sommet::paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
                                QWidget *widget)
{
    QGraphicsEllipseItem::paint(painter, option, widget);
    if (!_etiquette && !_etiquette_a_faire)
        return;
    _deja_peint = true;
    const QPointF origine = origine_numero(_id);
    // Until the label is asked for, the number and colour it would hold are
    // the vertex's own: the same text on the same pixels.
    if (_etiquette) {
        _etiquette->setPos(origine);
        rendu_dessin::peindre_numero(*painter, _etiquette->defaultTextColor(), _etiquette->toPlainText(), origine);
        return;
    }
    rendu_dessin::peindre_numero(*painter, _couleur_etiquette, QString::number(_id), origine);
}
