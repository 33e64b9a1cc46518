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

QPointF graphic_item_sommet::origine_numero(int id)
{
    return QPointF(debut_numero(id), base_numero);
}

void graphic_item_sommet::peindre_numero(QPainter *painter, const QColor &couleur, QStringView texte,
                                         const QPointF &origine)
{
    painter->setPen(couleur);
    // Shaping the number again on every paint is what drawText costs; the
    // digits' glyphs, looked up once, land on the same pixels. Digits alone
    // run left to right, as an image's painter (direction left to the text)
    // lays them too.
    if (painter->layoutDirection() != Qt::RightToLeft
        && chiffres_dessines::pour(painter).dessiner(painter, origine, texte))
        return;
    painter->drawText(origine, texte.toString());
}

void graphic_item_sommet::peindre(QPainter *painter, const QPen &contour, const QBrush &fond, int id,
                                  const QColor &couleur_numero)
{
    // As the ellipse item paints its whole circle.
    painter->setPen(contour);
    painter->setBrush(fond);
    painter->drawEllipse(QRectF(0, 0, diametre, diametre));
    std::array<char16_t, 12> tampon;
    peindre_numero(painter, couleur_numero, ecrire_decimal(id, tampon), origine_numero(id));
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
        peindre_numero(painter, _etiquette->defaultTextColor(), _etiquette->toPlainText(), origine);
        return;
    }
    std::array<char16_t, 12> tampon;
    peindre_numero(painter, _couleur_etiquette, ecrire_decimal(_id, tampon), origine);
}
