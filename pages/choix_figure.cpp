#include "choix_figure.h"

#include "graphe_instance.h"
#include "graphe_visualisateur.h"
#include "lecture_valeurs.h"
#include "pages_graphe.h"
#include "session_graphe.h"

#include <QAction>
#include <QActionGroup>
#include <QFileDialog>
#include <QInputDialog>

#include <iostream>

namespace {

// Without a page, a file is checked against the formats' limit.
constexpr std::size_t capteurs_max = 65536;

} // namespace

choix_figure::choix_figure(pages_graphe &pages, const actions &a, QWidget *fenetre)
    : QObject(fenetre), _pages(pages), _actions(a), _fenetre(fenetre)
{
    auto *styles = new QActionGroup(this);
    styles->addAction(a.style_habituel);
    styles->addAction(a.style_daltonien);
    for (QAction *action : {a.legende, a.barre_echelle, a.defauts, a.style_daltonien})
        connect(action, &QAction::toggled, this, &choix_figure::appliquer);
    connect(a.colorer, &QAction::triggered, this, &choix_figure::demander_valeur);
}

void choix_figure::appliquer()
{
    options_figure o;
    o.legende = _actions.legende->isChecked();
    o.barre_echelle = _actions.barre_echelle->isChecked();
    o.defauts = _actions.defauts->isChecked();
    o.style = _actions.style_daltonien->isChecked() ? style_figure::daltonien : style_figure::habituel;
    o.couleur_par = _valeur;
    o.valeurs = _valeurs;
    _pages.changer_figure(o);
}

std::size_t choix_figure::capteurs_de_la_page() const
{
    session_graphe *session = _pages.session_de(_pages.page_courante());
    return session && session->instance() ? session->instance()->nb_sensors() : capteurs_max;
}

bool choix_figure::colorer(valeur_figure valeur, const QString &csv, const QString &colonne)
{
    std::shared_ptr<const valeurs_capteurs> valeurs;
    if (valeur == valeur_figure::fichier) {
        fichier_lu<valeurs_capteurs> f = lire_fichier_valeurs({csv, colonne}, capteurs_de_la_page());
        if (!f.lu) {
            const QString ligne = QStringLiteral("Erreur : les valeurs n'ont pas pu être lues : ") + f.raison;
            std::cout << ligne.toLocal8Bit().constData() << std::endl;
            return false;
        }
        valeurs = std::move(f.contenu);
    }
    _valeur = valeur;
    _valeurs = std::move(valeurs);
    appliquer();
    return true;
}

void choix_figure::demander_valeur()
{
    const QStringList choix{tr("Aucune (les rôles)"), tr("Sauts jusqu'au puits"), tr("Degré"), tr("Fichier CSV...")};
    bool ok = false;
    const QString reponse = QInputDialog::getItem(_fenetre, tr("Colorer par une valeur"), tr("Valeur :"), choix,
                                                  int(_valeur), false, &ok);
    if (!ok)
        return;
    const auto valeur = valeur_figure(choix.indexOf(reponse));
    if (valeur != valeur_figure::fichier) {
        colorer(valeur);
        return;
    }
    const QString csv = QFileDialog::getOpenFileName(_fenetre, tr("Valeurs des capteurs"), QString(),
                                                     tr("CSV (*.csv);;Tous les fichiers (*)"));
    if (csv.isEmpty())
        return;
    // Past the sensor's number and one column, the user names the column.
    const QStringList colonnes = colonnes_valeurs(csv);
    QString colonne;
    if (colonnes.size() > 2) {
        colonne = QInputDialog::getItem(_fenetre, tr("Colorer par une valeur"), tr("Colonne :"), colonnes.mid(1), 0,
                                        false, &ok);
        if (!ok)
            return;
    }
    colorer(valeur, csv, colonne);
}
