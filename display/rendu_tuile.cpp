#include "rendu_tuile.h"

#include "graphic_item_sommet.h"
#include "liste_dessin.h"
#include "traceur_lignes.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextDocument>

#include <cmath>
#include <cstring>

namespace {

const QColor fond_blanc(255, 255, 255, 255);
constexpr double pouces_par_metre = 1.0 / 0.0254;

// A text as its text item paints it: a document of its own, laid out in this
// thread, drawn in the item's place clipped to the item.
void peindre_texte(QPainter &peintre, const QPoint &origine, const liste_dessin::texte &t, const QFont &police)
{
    QTextDocument document;
    document.setDefaultFont(police);
    document.setPlainText(t.contenu);
    QAbstractTextDocumentLayout::PaintContext contexte;
    contexte.palette.setColor(QPalette::Text, t.couleur);
    const QRectF bornes(QPointF(0, 0), document.size());
    contexte.clip = bornes;
    peintre.save();
    peintre.setTransform(QTransform::fromTranslate(t.position.x() - origine.x(), t.position.y() - origine.y()));
    peintre.setClipRect(bornes, Qt::IntersectClip);
    document.documentLayout()->draw(&peintre, contexte);
    peintre.restore();
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

// A wider pen's line, on an image that holds all of it, as the whole image
// does: a painter cuts a shape at its device's edges, which moves its
// pixels. The pixels under it come from the tile and go back to it.
void peindre_trait_large(QImage &tuile, const QPoint &origine, const QPen &stylo, const QLine &ligne)
{
    const int marge = int(std::ceil(stylo.widthF())) + 2;
    const QRect bornes = QRect(ligne.p1(), ligne.p2()).normalized().adjusted(-marge, -marge, marge, marge);
    const QRect commun = bornes & QRect(origine, tuile.size());
    if (commun.isEmpty())
        return;
    QImage brouillon(bornes.size(), tuile.format());
    brouillon.setDotsPerMeterX(tuile.dotsPerMeterX());
    brouillon.setDotsPerMeterY(tuile.dotsPerMeterY());
    brouillon.fill(fond_blanc);
    copier(tuile, origine, brouillon, bornes.topLeft(), commun);
    QPainter peintre(&brouillon);
    peintre.translate(-bornes.topLeft());
    peintre.setPen(stylo);
    peintre.drawLine(QLineF(ligne));
    peintre.end();
    copier(brouillon, bornes.topLeft(), tuile, origine, commun);
}

// A line by the one-pixel tracer when its pen allows, whole on an image of
// its own otherwise.
void peindre_trait(QImage &tuile, traceur_lignes &traceur, const QPoint &origine, const liste_dessin &liste,
                   const liste_dessin::trait &t)
{
    const traceur_lignes::stylo &net = liste.stylo_net(t.stylo);
    if (net.utilisable())
        traceur.tracer(t.ligne, net);
    else
        peindre_trait_large(tuile, origine, liste.stylo(t.stylo), t.ligne);
}

} // namespace

QImage rendre_tuile(const liste_dessin &liste, const QPoint &tuile)
{
    const QRect rectangle = liste_dessin::rectangle_tuile(tuile);
    QImage image(rectangle.size(), QImage::Format_RGB32);
    // The export's pixmap has the screen's resolution, which sizes its text.
    image.setDotsPerMeterX(qRound(liste.ppp() * pouces_par_metre));
    image.setDotsPerMeterY(qRound(liste.ppp() * pouces_par_metre));
    image.fill(fond_blanc);
    const QPoint origine = rectangle.topLeft();
    traceur_lignes traceur(image, origine);
    QPainter peintre(&image);
    peintre.setFont(liste.police());
    const liste_dessin::contenu_tuile &contenu = liste.contenu(tuile);

    for (std::uint32_t i : contenu.fond) {
        const liste_dessin::element_fond &e = liste.fond()[i];
        if (e.est_texte)
            peindre_texte(peintre, origine, liste.textes()[e.indice], liste.police());
        else
            peindre_trait(image, traceur, origine, liste, liste.lignes()[e.indice]);
    }
    for (std::uint32_t i : contenu.arcs)
        peindre_trait(image, traceur, origine, liste, liste.arcs()[i].trace);
    for (std::uint32_t i : contenu.sommets) {
        const liste_dessin::sommet &s = liste.sommets()[i];
        peintre.setTransform(QTransform::fromTranslate(s.coin.x() - origine.x(), s.coin.y() - origine.y()));
        graphic_item_sommet::peindre(&peintre, liste.contour(), liste.brosse(s.fond), s.id,
                                     liste.couleur_etiquette(s.etiquette));
    }
    peintre.end();
    return image;
}
