#include "rendu_dessin.h"

#include "chiffres_dessines.h"
#include "forme_sommet.h"
#include "liste_dessin.h"

#include <QAbstractTextDocumentLayout>
#include <QFontInfo>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace {

const QColor fond_blanc(255, 255, 255, 255);
constexpr double pouces_par_metre = 1.0 / 0.0254;

QImage image_vierge(const QSize &taille, int ppp)
{
    QImage image(taille, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    // The text is laid out at the screen's resolution, as on screen.
    image.setDotsPerMeterX(qRound(ppp * pouces_par_metre));
    image.setDotsPerMeterY(qRound(ppp * pouces_par_metre));
    image.fill(fond_blanc);
    return image;
}

// The image a painter paints on at one pixel a unit, shifted by whole
// pixels only: where lines can be stepped by the tracer.
QImage *image_a_l_unite(QPainter &peintre, QPoint &origine)
{
    QPaintDevice *appareil = peintre.device();
    const QTransform t = peintre.worldTransform();
    if (!appareil || appareil->devType() != QInternal::Image || t.type() > QTransform::TxTranslate
        || t.dx() != std::trunc(t.dx()) || t.dy() != std::trunc(t.dy()) || peintre.hasClipping()
        || peintre.opacity() != 1.0 || peintre.compositionMode() != QPainter::CompositionMode_SourceOver)
        return nullptr;
    auto *image = static_cast<QImage *>(appareil);
    if (image->devicePixelRatio() != 1.0
        || (image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32_Premultiplied))
        return nullptr;
    origine = QPoint(-int(t.dx()), -int(t.dy()));
    return image;
}

// Copies the pixels of `zone` (scene units) from one image to the other,
// each with its own scene origin.
void copier(const QImage &source, const QPoint &origine_source, QImage &cible, const QPoint &origine_cible,
            const QRect &zone)
{
    const int octets = zone.width() * 4;
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        std::memcpy(cible.scanLine(y - origine_cible.y()) + (zone.left() - origine_cible.x()) * 4,
                    source.constScanLine(y - origine_source.y()) + (zone.left() - origine_source.x()) * 4,
                    std::size_t(octets));
}

// The number in decimal without allocating a string on every vertex.
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

// A vector device has a resolution of its own, so a font given in points
// would change size against the drawing: it keeps the pixel size it has at
// the drawing's resolution.
QFont police_pour(QPainter &peintre, const QFont &police)
{
    if (peintre.paintEngine() && peintre.paintEngine()->type() == QPaintEngine::Raster)
        return police;
    QFont fixee = police;
    fixee.setPixelSize(QFontInfo(police).pixelSize());
    return fixee;
}

} // namespace

rendu_dessin::rendu_dessin(QPainter &peintre, const liste_dessin &liste)
    : _peintre(peintre), _liste(liste), _base(peintre.worldTransform())
{
    _image = image_a_l_unite(peintre, _origine);
    if (!_image)
        return;
    _traceur.emplace(*_image, _origine);
    _chiffres = &chiffres_dessines::pour(&peintre);
}

void rendu_dessin::peindre(QPainter &peintre, const liste_dessin &liste, const QRect &zone)
{
    const QFont avant = peintre.font();
    peintre.setFont(police_pour(peintre, liste.police()));
    rendu_dessin rendu(peintre, liste);
    liste.parcourir(zone, rendu);
    rendu.remettre_base();
    peintre.setFont(avant);
}

QImage rendu_dessin::tuile(const liste_dessin &liste, const QPoint &tuile)
{
    const QRect rectangle = liste_dessin::rectangle_tuile(tuile);
    QImage image = image_vierge(rectangle.size(), liste.ppp());
    QPainter peintre(&image);
    peintre.translate(-rectangle.topLeft());
    peindre(peintre, liste, rectangle);
    return image;
}

QImage rendu_dessin::image(const liste_dessin &liste, int pixels_par_unite)
{
    return image(liste, pixels_par_unite, QRect(QPoint(0, 0), liste.aire()));
}

QImage rendu_dessin::image(const liste_dessin &liste, int pixels_par_unite, const QRect &zone)
{
    QImage image = image_vierge(zone.size() * pixels_par_unite, liste.ppp());
    if (image.isNull())
        return image;
    QPainter peintre(&image);
    peintre.scale(pixels_par_unite, pixels_par_unite);
    peintre.translate(-zone.topLeft());
    peindre(peintre, liste, zone);
    return image;
}

void rendu_dessin::remettre_base()
{
    if (std::exchange(_base_changee, false))
        _peintre.setWorldTransform(_base);
}

void rendu_dessin::ligne(const QLine &ligne, const stylo &s)
{
    if (_traceur && s.net.utilisable()) {
        _traceur->tracer(ligne, s.net);
        return;
    }
    if (_traceur) {
        trait_large(ligne, s.qt);
        return;
    }
    remettre_base();
    _peintre.setPen(s.qt);
    _peintre.drawLine(QLineF(ligne));
}

// A wider pen's line, on an image that holds all of it.
void rendu_dessin::trait_large(const QLine &ligne, const QPen &stylo)
{
    const int marge = int(std::ceil(stylo.widthF())) + 2;
    const QRect bornes = QRect(ligne.p1(), ligne.p2()).normalized().adjusted(-marge, -marge, marge, marge);
    sur_brouillon(bornes, [&](QPainter &peintre) {
        peintre.setPen(stylo);
        peintre.drawLine(QLineF(ligne));
    });
}

template <typename Peindre>
void rendu_dessin::sur_brouillon(const QRect &bornes, Peindre &&peindre)
{
    // The pixels under it come from the target and go back to it.
    const QRect commun = bornes & QRect(_origine, _image->size());
    if (commun.isEmpty())
        return;
    QImage brouillon(bornes.size(), _image->format());
    brouillon.setDotsPerMeterX(_image->dotsPerMeterX());
    brouillon.setDotsPerMeterY(_image->dotsPerMeterY());
    brouillon.fill(fond_blanc);
    copier(*_image, _origine, brouillon, bornes.topLeft(), commun);
    QPainter peintre(&brouillon);
    peintre.translate(-bornes.topLeft());
    peindre(peintre);
    peintre.end();
    copier(brouillon, bornes.topLeft(), *_image, _origine, commun);
}

void rendu_dessin::marque(const QRect &boite, forme_sommet::forme forme, const QPen &contour, const QBrush &fond)
{
    auto peindre = [&](QPainter &peintre) {
        peintre.setPen(contour);
        peintre.setBrush(fond);
        forme_sommet::peindre_forme(peintre, forme, QRectF(boite));
    };
    if (_image) {
        const int marge = int(std::ceil(contour.widthF())) + 2;
        sur_brouillon(boite.adjusted(-marge, -marge, marge, marge), peindre);
        return;
    }
    remettre_base();
    peindre(_peintre);
}

// A text as its text item paints it: a document of its own, drawn in the
// item's place clipped to the item.
void rendu_dessin::texte(const texte_place &t)
{
    QTextDocument document;
    document.setDefaultFont(_liste.police());
    document.setPlainText(t.contenu);
    QAbstractTextDocumentLayout::PaintContext contexte;
    contexte.palette.setColor(QPalette::Text, t.couleur);
    const QRectF bornes(QPointF(0, 0), document.size());
    contexte.clip = bornes;
    _peintre.save();
    _peintre.setWorldTransform(QTransform::fromTranslate(t.position.x(), t.position.y()) * _base);
    _peintre.setClipRect(bornes, Qt::IntersectClip);
    document.documentLayout()->draw(&_peintre, contexte);
    _peintre.restore();
}

void rendu_dessin::sommet(const QPoint &coin, const QPen &contour, const QBrush &fond, int id,
                          const QColor &couleur_numero, forme_sommet::forme forme)
{
    if (_image) {
        sommet_sur_l_image(coin, contour, fond, id, couleur_numero, forme);
        return;
    }
    _peintre.setWorldTransform(QTransform::fromTranslate(coin.x(), coin.y()) * _base);
    _base_changee = true;
    peindre_sommet(_peintre, contour, fond, id, couleur_numero, forme);
}

const empreinte_forme &rendu_dessin::empreinte(const QPen &contour, const QBrush &fond, forme_sommet::forme forme)
{
    const quint64 cle = (quint64(fond.color().rgba()) << 8) | quint64(forme);
    const auto connue = _empreinte_par_fond.find(cle);
    if (connue != _empreinte_par_fond.end() && _empreintes[connue->second].pour(contour, fond, forme))
        return _empreintes[connue->second];
    auto trouvee = std::find_if(_empreintes.begin(), _empreintes.end(),
                                [&](const empreinte_forme &e) { return e.pour(contour, fond, forme); });
    if (trouvee == _empreintes.end())
        trouvee = _empreintes.emplace(_empreintes.end(), contour, fond, forme);
    _empreinte_par_fond[cle] = std::size_t(trouvee - _empreintes.begin());
    return *trouvee;
}

void rendu_dessin::sommet_sur_l_image(const QPoint &coin, const QPen &contour, const QBrush &fond, int id,
                                      const QColor &couleur_numero, forme_sommet::forme forme)
{
    const empreinte_forme &copie = empreinte(contour, fond, forme);
    if (!copie.utilisable()) {
        _peintre.setWorldTransform(QTransform::fromTranslate(coin.x(), coin.y()) * _base);
        _base_changee = true;
        peindre_sommet(_peintre, contour, fond, id, couleur_numero, forme);
        _couleur_numero = QColor();
        return;
    }
    copie.poser(*_image, coin - _origine);
    remettre_base();
    if (couleur_numero != _couleur_numero) {
        _peintre.setPen(couleur_numero);
        _couleur_numero = couleur_numero;
    }
    std::array<char16_t, 12> tampon;
    const QStringView texte = ecrire_decimal(id, tampon);
    const QPointF origine = QPointF(coin) + forme_sommet::origine_numero(id);
    if (_peintre.layoutDirection() == Qt::RightToLeft || !_chiffres->dessiner(&_peintre, origine, texte))
        _peintre.drawText(origine, texte.toString());
}

void rendu_dessin::peindre_sommet(QPainter &peintre, const QPen &contour, const QBrush &fond, int id,
                                  const QColor &couleur_numero, forme_sommet::forme forme)
{
    peintre.setPen(contour);
    peintre.setBrush(fond);
    forme_sommet::peindre_forme(peintre, forme, forme_sommet::boite_sommet);
    std::array<char16_t, 12> tampon;
    peindre_numero(peintre, couleur_numero, ecrire_decimal(id, tampon), forme_sommet::origine_numero(id));
}

void rendu_dessin::peindre_numero(QPainter &peintre, const QColor &couleur, QStringView texte, const QPointF &origine)
{
    peintre.setPen(couleur);
    // Shaping the number again for every vertex is what drawText costs; the
    // digits' glyphs, looked up once, land on the same pixels. Digits alone
    // run left to right, as an image's painter lays them too.
    if (peintre.layoutDirection() != Qt::RightToLeft && chiffres_dessines::pour(&peintre).dessiner(&peintre, origine, texte))
        return;
    peintre.drawText(origine, texte.toString());
}
