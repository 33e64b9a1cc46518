#include "ecriture_image.h"

#include "ecriture_dot.h"
#include "ecriture_entiere.h"
#include "peintre_items.h"

#include <QApplication>
#include <QBuffer>
#include <QColor>
#include <QFileInfo>
#include <QFontInfo>
#include <QGuiApplication>
#include <QGraphicsScene>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QScreen>
#include <QSvgGenerator>

#include <algorithm>

namespace {

const QColor fond_blanc(255, 255, 255, 255);
// One scene unit a point: a PDF user-space unit.
constexpr int points_par_pouce = 72;

QByteArray suffixe(const QString &nom_fichier)
{
    return QFileInfo(nom_fichier).suffix().toLower().toLatin1();
}

// A vector device has a resolution of its own, so a font given in points
// would change size against the drawing; the application's font is pinned
// to the pixel size it has on screen, where the scene was laid out.
QFont police_de_l_ecran()
{
    QFont police = QApplication::font();
    police.setPixelSize(QFontInfo(police).pixelSize());
    return police;
}

int resolution_de_l_ecran()
{
    const QScreen *ecran = QGuiApplication::primaryScreen();
    return ecran ? qRound(ecran->logicalDotsPerInchY()) : points_par_pouce;
}

bool peindre_en_vectoriel(QPaintDevice &appareil, QGraphicsScene *scene, const QRectF &rectangle)
{
    QPainter peintre;
    if (!peintre.begin(&appareil))
        return false;
    peintre.setFont(police_de_l_ecran());
    peintre.fillRect(rectangle, fond_blanc);
    peintre_items::peindre_scene(peintre, scene);
    return peintre.end();
}

bool ecrire_matriciel(QGraphicsScene *scene, QIODevice &fichier, const QString &nom, int pixels_par_unite)
{
    const QRectF rectangle = scene->sceneRect();
    const int largeur = static_cast<int>(rectangle.width()) * pixels_par_unite;
    const int hauteur = static_cast<int>(rectangle.height()) * pixels_par_unite;
    QPixmap image(largeur, hauteur);
    if (image.isNull())
        return false;
    QPainter peintre(&image);
    peintre.fillRect(image.rect(), fond_blanc);
    peintre.scale(pixels_par_unite, pixels_par_unite);
    peintre_items::peindre_scene(peintre, scene);
    peintre.end();
    QImageWriter ecrivain(&fichier, suffixe(nom));
    return ecrivain.write(image.toImage());
}

// QSvgGenerator keeps its whole document in memory as UTF-16 text until it
// ends, three to four times the file's size at its peak: the items are
// painted in slices, each a small document of its own, whose groups go into
// the file between the first slice's opening lines and its closing ones.
constexpr qsizetype items_par_tranche = 1024;
// A slice's groups follow the generator's group of defaults and end before
// its closing lines; plain pens and brushes leave its definitions empty.
const QByteArray groupe_des_defauts = "<g fill=\"none\" stroke=\"black\"";
const QByteArray definitions_vides = "<defs>\n</defs>\n";
const QByteArray fermeture = "</g>\n</svg>";

// One slice of the items as an SVG document in memory; empty when it
// cannot be painted.
QByteArray tranche_svg(QGraphicsScene *scene, const QString &titre, QList<QGraphicsItem *>::const_iterator debut,
                       QList<QGraphicsItem *>::const_iterator fin, bool avec_fond)
{
    const QRectF rectangle(QPointF(0, 0), scene->sceneRect().size());
    QBuffer tampon;
    tampon.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&tampon);
    svg.setSize(rectangle.size().toSize());
    svg.setViewBox(rectangle);
    // At the screen's resolution the SVG's font sizes keep their size
    // against the drawing: text items write theirs from it.
    svg.setResolution(resolution_de_l_ecran());
    svg.setTitle(titre);
    QPainter peintre;
    if (!peintre.begin(&svg))
        return QByteArray();
    peintre.setFont(police_de_l_ecran());
    if (avec_fond)
        peintre.fillRect(rectangle, fond_blanc);
    peintre_items::peindre_tranche(peintre, scene, debut, fin);
    if (!peintre.end())
        return QByteArray();
    return tampon.data();
}

bool ecrire_svg(QGraphicsScene *scene, QIODevice &fichier, const QString &titre)
{
    const QList<QGraphicsItem *> premiers = peintre_items::premiers_plans(scene);
    QByteArray fin_du_document;
    for (qsizetype i = 0; i == 0 || i < premiers.size(); i += items_par_tranche) {
        const QByteArray document =
            tranche_svg(scene, titre, premiers.cbegin() + i,
                        premiers.cbegin() + std::min(i + items_par_tranche, premiers.size()), i == 0);
        const qsizetype defauts = document.indexOf(groupe_des_defauts);
        const qsizetype groupes = defauts < 0 ? -1 : document.indexOf('\n', defauts) + 1;
        const qsizetype fin = document.lastIndexOf(fermeture);
        if (groupes <= 0 || fin < groupes || !document.contains(definitions_vides))
            return false;
        const qsizetype depuis = i == 0 ? 0 : groupes;
        if (fichier.write(document.constData() + depuis, fin - depuis) != fin - depuis)
            return false;
        fin_du_document = document.mid(fin);
    }
    return fichier.write(fin_du_document) == fin_du_document.size();
}

bool ecrire_pdf(QGraphicsScene *scene, QIODevice &fichier, const QString &titre)
{
    const QRectF rectangle(QPointF(0, 0), scene->sceneRect().size());
    QPdfWriter pdf(&fichier);
    pdf.setResolution(points_par_pouce);
    pdf.setTitle(titre);
    pdf.setPageLayout(QPageLayout(QPageSize(rectangle.size(), QPageSize::Point), QPageLayout::Portrait,
                                  QMarginsF(0, 0, 0, 0)));
    return peindre_en_vectoriel(pdf, scene, rectangle);
}

QString raison_format(const QString &nom_fichier)
{
    const QString s = QFileInfo(nom_fichier).suffix();
    return s.isEmpty() ? QStringLiteral("le nom ne dit pas le format")
                       : QStringLiteral("le format « .%1 » est inconnu").arg(s);
}

} // namespace

format_image format_du_nom(const QString &nom_fichier)
{
    const QByteArray s = suffixe(nom_fichier);
    if (s == "svg")
        return format_image::svg;
    if (s == "pdf")
        return format_image::pdf;
    if (s == "dot")
        return format_image::dot;
    if (!s.isEmpty() && QImageWriter::supportedImageFormats().contains(s))
        return format_image::matriciel;
    return format_image::inconnu;
}

bool ecrire_image(QGraphicsScene *scene, const QString &nom_fichier, int pixels_par_unite, QString *raison)
{
    const format_image format = format_du_nom(nom_fichier);
    if (format == format_image::inconnu) {
        if (raison)
            *raison = raison_format(nom_fichier);
        return false;
    }
    auto dessiner = [&](QIODevice &sortie, QString &cause) {
        cause = QStringLiteral("le dessin n'a pas pu être fait dans ce format");
        const QString titre = QFileInfo(nom_fichier).completeBaseName();
        switch (format) {
        case format_image::matriciel:
            return ecrire_matriciel(scene, sortie, nom_fichier, pixels_par_unite);
        case format_image::svg:
            return ecrire_svg(scene, sortie, titre);
        case format_image::pdf:
            return ecrire_pdf(scene, sortie, titre);
        case format_image::dot:
            return ecrire_dot(scene, sortie, titre);
        case format_image::inconnu:
            break;
        }
        return false;
    };
    return ecriture_entiere::ecrire({{nom_fichier, dessiner}}, raison);
}
