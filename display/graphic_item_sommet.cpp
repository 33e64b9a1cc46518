#include "graphic_item_sommet.h"

#include "chiffres_dessines.h"

#include <QGraphicsTextItem>
#include <QPainter>

#include <array>

namespace {

// Left end of the number's base line: one, two or three digits centred
// roughly in the 22 x 22 circle.
constexpr qreal base_numero = 16;

qreal debut_numero(int id)
{
    return id <= 9 ? 9 : (id <= 99 ? 6 : 3);
}

// The number in decimal, as QString::number writes it, without allocating
// a string on every paint.
QStringView ecrire_decimal(int nombre, std::array<char16_t, 12> &tampon)
{
    std::size_t debut = tampon.size();
    long long reste = nombre < 0 ? -static_cast<long long>(nombre) : nombre;
    do {
        tampon[--debut] = char16_t(u'0' + reste % 10);
        reste /= 10;
    } while (reste);
    if (nombre < 0)
        tampon[--debut] = u'-';
    return QStringView(tampon.data() + debut, qsizetype(tampon.size() - debut));
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
    // The original is asked for its label as anyone would, which makes it;
    // the ghost may be made from any vertex, labelled or not.
    const QGraphicsTextItem *modele = const_cast<graphic_item_sommet &>(autre).etiquette();
    if (modele) {
        _etiquette = new QGraphicsTextItem();
        _etiquette->setDefaultTextColor(modele->defaultTextColor());
        _etiquette->setPos(modele->pos());
        _etiquette->setPlainText(modele->toPlainText());
    }
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
            _etiquette->setPos(position_du_numero());
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

QPointF graphic_item_sommet::position_du_numero() const
{
    return QPointF(debut_numero(_id), base_numero);
}

void graphic_item_sommet::paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
                                QWidget *widget)
{
    QGraphicsEllipseItem::paint(painter, option, widget);
    if (!_etiquette && !_etiquette_a_faire)
        return;
    _deja_peint = true;
    const QPointF origine = position_du_numero();
    // Until the label is asked for, the number and colour it would hold are
    // the vertex's own: the same text on the same pixels.
    std::array<char16_t, 12> tampon;
    QStringView texte;
    QString texte_etiquette;
    if (_etiquette) {
        painter->setPen(_etiquette->defaultTextColor());
        _etiquette->setPos(origine);
        texte_etiquette = _etiquette->toPlainText();
        texte = texte_etiquette;
    } else {
        painter->setPen(_couleur_etiquette);
        texte = ecrire_decimal(_id, tampon);
    }
    // Shaping the number again on every paint is what drawText costs; the
    // digits' glyphs, looked up once, land on the same pixels.
    if (painter->layoutDirection() == Qt::LeftToRight
        && chiffres_dessines::pour(painter).dessiner(painter, origine, texte))
        return;
    painter->drawText(origine, texte.toString());
}
