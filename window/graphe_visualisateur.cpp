#include "graphe_visualisateur.h"

#include "curseur_attente.h"
#include "ecriture_image.h"
#include "format_reseau.h"
#include "graphic_view.h"
#include "liste_dessin.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

#include <iostream>

namespace {

// Suffix of the first pattern of a filter such as "JPG(*.JPG;*.JPEG)",
// lower-cased: "jpg". Empty when the filter names no pattern.
QString suffixe_du_filtre(const QString &filtre)
{
    static const QRegularExpression motif(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    const QRegularExpressionMatch trouve = motif.match(filtre);
    return trouve.hasMatch() ? trouve.captured(1).toLower() : QString();
}

} // namespace

graphe_visualisateur::graphe_visualisateur(QWidget *parent)
    : QDialog(parent)
{
    setupUi(this);
    stackedWidget->setCurrentIndex(0);
}

graphe_visualisateur::~graphe_visualisateur() = default;

void graphe_visualisateur::ajouter_sous_le_dessin(QWidget *widget)
{
    verticalLayout->addWidget(widget);
}

graphic_view *graphe_visualisateur::get_graphic_view()
{
    return graphicsView;
}

void graphe_visualisateur::changeEvent(QEvent *e)
{
    QDialog::changeEvent(e);
}

bool graphe_visualisateur::sauvegarder_image()
{
    std::cout << "sauvegarder donnees" << std::endl;
    const QString nom = demander_nom(tr("BMP(*.BMP);;JPG(*.JPG;*.JPEG);;PNG(*.PNG);;TIFF(*.Tif;*.TIFF)"));
    if (nom.isEmpty())
        return true;
    std::cout << nom.toLocal8Bit().constData() << std::endl;
    QString raison;
    if (exporter_image(nom, &raison))
        return true;
    const QString ligne = QStringLiteral("Erreur : l'image n'a pas pu être enregistrée : %1 (%2)").arg(nom, raison);
    std::cout << ligne.toLocal8Bit().constData() << std::endl;
    return false;
}

QString graphe_visualisateur::demander_nom(const QString &filtres)
{
    QString filtre_choisi = QStringLiteral("PNG(*.PNG)");
    QString nom = QFileDialog::getSaveFileName(this, tr("Sauvegarder une image"), tr("."), filtres, &filtre_choisi);
    // A name typed without a suffix would give the image writer no format.
    if (!nom.isEmpty() && QFileInfo(nom).suffix().isEmpty()) {
        const QString suffixe = suffixe_du_filtre(filtre_choisi);
        if (!suffixe.isEmpty())
            nom += QLatin1Char('.') + suffixe;
    }
    return nom;
}

bool graphe_visualisateur::sauvegarder_vue()
{
    const QString nom = demander_nom(tr("PNG(*.PNG);;JPG(*.JPG;*.JPEG);;BMP(*.BMP);;TIFF(*.Tif;*.TIFF);;"
                                        "SVG(*.SVG);;PDF(*.PDF);;TikZ(*.TEX)"));
    if (nom.isEmpty())
        return true;
    QString raison;
    if (exporter_vue(nom, &raison))
        return true;
    const QString ligne = QStringLiteral("Erreur : la vue n'a pas pu être enregistrée : %1 (%2)").arg(nom, raison);
    std::cout << ligne.toLocal8Bit().constData() << std::endl;
    return false;
}

bool graphe_visualisateur::exporter_vue(const QString &nom_fichier, QString *raison)
{
    const std::shared_ptr<const liste_dessin> &liste = graphicsView->liste();
    if (stackedWidget->currentIndex() != 0 || !liste) {
        if (raison)
            *raison = QStringLiteral("la page ne montre aucun dessin");
        return false;
    }
    const curseur_attente attente;
    options_image o;
    o.zone = graphicsView->mapToScene(graphicsView->viewport()->rect()).boundingRect().toAlignedRect()
             & QRect(QPoint(0, 0), liste->aire());
    if (o.zone.isEmpty()) {
        if (raison)
            *raison = QStringLiteral("la vue ne montre rien du dessin");
        return false;
    }
    return ecrire_image(*liste, nom_fichier, o, raison);
}

bool graphe_visualisateur::exporter_image(const QString &nom_fichier, QString *raison)
{
    if (stackedWidget->currentIndex() != 0) {
        if (raison)
            *raison = QStringLiteral("la page ne montre aucun dessin");
        return false;
    }
    const curseur_attente attente;
    if (format_reseau_du_nom(nom_fichier) != format_reseau::aucun) {
        if (_ecriture_reseau)
            return _ecriture_reseau(nom_fichier, raison);
        if (raison)
            *raison = QStringLiteral("la page ne sait pas d'où vient son dessin");
        return false;
    }
    // A view emptied and not drawn again shows the bare area.
    const liste_dessin vide(QSize(graphicsView->largeur_scene(), graphicsView->hauteur_scene()),
                            graphicsView->viewport()->font(), graphicsView->viewport()->logicalDpiY());
    return ecrire_image(graphicsView->liste() ? *graphicsView->liste() : vide, nom_fichier, 1, raison);
}
