#include "ecriture_image.h"

#include "ecriture_dot.h"
#include "ecriture_entiere.h"
#include "ecriture_svg.h"
#include "ecriture_tikz.h"
#include "liste_dessin.h"
#include "rendu_dessin.h"

#include <QColor>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {

const QColor fond_blanc(255, 255, 255, 255);
// One scene unit a point: a PDF user-space unit.
constexpr int points_par_pouce = 72;
constexpr double cm_par_pouce = 2.54;
// A TikZ picture's width when none is asked: a column of a paper.
constexpr double largeur_tikz_cm = 8;

QByteArray suffixe(const QString &nom_fichier)
{
    return QFileInfo(nom_fichier).suffix().toLower().toLatin1();
}

bool ecrire_matriciel(const liste_dessin &liste, QIODevice &fichier, const QString &nom, int pixels_par_unite,
                      const QRect &zone)
{
    const QImage image = rendu_dessin::image(liste, pixels_par_unite, zone);
    if (image.isNull())
        return false;
    QImageWriter ecrivain(&fichier, suffixe(nom));
    return ecrivain.write(image);
}

// largeur_cm: the page's width on paper, 0 for one point a unit.
bool ecrire_pdf(const liste_dessin &liste, QIODevice &fichier, const QString &titre, double largeur_cm,
                const QRect &aire)
{
    const double points = largeur_cm > 0 ? largeur_cm / cm_par_pouce * points_par_pouce : aire.width();
    const double facteur = points / aire.width();
    QPdfWriter pdf(&fichier);
    pdf.setResolution(points_par_pouce);
    pdf.setTitle(titre);
    pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(aire.size()) * facteur, QPageSize::Point), QPageLayout::Portrait,
                                  QMarginsF(0, 0, 0, 0)));
    QPainter peintre;
    if (!peintre.begin(&pdf))
        return false;
    if (largeur_cm > 0)
        peintre.scale(facteur, facteur);
    peintre.translate(-aire.topLeft());
    peintre.fillRect(aire, fond_blanc);
    rendu_dessin::peindre(peintre, liste, aire);
    return peintre.end();
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
    if (s == "tex")
        return format_image::tikz;
    if (!s.isEmpty() && QImageWriter::supportedImageFormats().contains(s))
        return format_image::matriciel;
    return format_image::inconnu;
}

bool ecrire_image(const liste_dessin &liste, const QString &nom_fichier, int pixels_par_unite, QString *raison)
{
    options_image options;
    options.pixels_par_unite = pixels_par_unite;
    return ecrire_image(liste, nom_fichier, options, raison);
}

bool ecrire_image(const liste_dessin &liste, const QString &nom_fichier, const options_image &o, QString *raison)
{
    const format_image format = format_du_nom(nom_fichier);
    if (format == format_image::inconnu) {
        if (raison)
            *raison = raison_format(nom_fichier);
        return false;
    }
    const QRect zone = o.zone.isEmpty() ? QRect(QPoint(0, 0), liste.aire()) : o.zone;
    auto dessiner = [&](QIODevice &sortie, QString &cause) {
        cause = QStringLiteral("le dessin n'a pas pu être fait dans ce format");
        const QString titre = QFileInfo(nom_fichier).completeBaseName();
        switch (format) {
        case format_image::matriciel:
            return ecrire_matriciel(liste, sortie, nom_fichier, o.pixels_par_unite, zone);
        case format_image::svg:
            return ecrire_svg(liste, sortie, titre, o.largeur_cm, zone);
        case format_image::pdf:
            return ecrire_pdf(liste, sortie, titre, o.largeur_cm, zone);
        case format_image::dot:
            return ecrire_dot(liste, sortie, titre);
        case format_image::tikz:
            return ecrire_tikz(liste, sortie, {o.largeur_cm > 0 ? o.largeur_cm : largeur_tikz_cm, o.tikz_corps, zone},
                               cause);
        case format_image::inconnu:
            break;
        }
        return false;
    };
    return ecriture_entiere::ecrire({{nom_fichier, dessiner}}, raison);
}
