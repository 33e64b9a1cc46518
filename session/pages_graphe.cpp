#include "pages_graphe.h"

#include "comparaison_ouverte.h"
#include "comparaison_solutions.h"
#include "constructeur_scene.h"
#include "curseur_attente.h"
#include "graphe_visualisateur.h"
#include "graphe_solution.h"
#include "graphic_view.h"
#include "liste_graphe.h"
#include "registre_sessions.h"
#include "session_graphe.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QFileInfo>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStandardItem>
#include <QStatusBar>

#include <cmath>
#include <iostream>
#include <memory>

namespace {
constexpr int duree_message_ms = 1500;
}

int type_graphe_pour(const QStandardItem *entree)
{
    const QByteArray texte = entree->text().toLocal8Bit();
    return (!texte.isEmpty() && texte.at(0) == 's') ? 2 : 1;
}

vue_gardee garder_vue(graphic_view *vue)
{
    const QSize fenetre = vue->viewport()->size();
    const double x = vue->horizontalScrollBar()->value() + fenetre.width() / 2.0;
    const double y = vue->verticalScrollBar()->value() + fenetre.height() / 2.0;
    vue_gardee gardee;
    gardee.zoom = vue->zoom();
    gardee.centre = QPointF(x / vue->largeur_scene(), y / vue->hauteur_scene());
    gardee.capteur = vue->capteur_choisi();
    return gardee;
}

void rendre_vue(graphic_view *vue, const vue_gardee &gardee)
{
    const QSize fenetre = vue->viewport()->size();
    vue->horizontalScrollBar()->setValue(
        int(std::lround(gardee.centre.x() * vue->largeur_scene() - fenetre.width() / 2.0)));
    vue->verticalScrollBar()->setValue(
        int(std::lround(gardee.centre.y() * vue->hauteur_scene() - fenetre.height() / 2.0)));
    // The same sensor, when the new drawing still has it.
    if (gardee.capteur >= 0 && vue->trouver_sommet(gardee.capteur))
        vue->choisir_capteur(gardee.capteur);
}

pages_graphe::pages_graphe(QStackedWidget *pile, QStatusBar *barre_etat, const actions_zoom &zooms)
    : _pile(pile), _barre_etat(barre_etat), _zooms(zooms)
{
    // One mark at a time: checking an action unchecks the others.
    auto *groupe = new QActionGroup(zooms.front()->parent());
    for (QAction *action : zooms)
        groupe->addAction(action);
}

void pages_graphe::cocher_zoom(int facteur)
{
    const int rang = rang_zoom(facteur);
    _zooms[std::size_t(rang < 0 ? int(_zooms.size()) - 1 : rang)]->setChecked(true);
}

void pages_graphe::ouvrir(registre_sessions &registre, QStandardItem *item_session, QStandardItem *entree)
{
    session_graphe *session = registre.session_par_item().value(item_session, nullptr);
    if (!session)
        return;

    if (QWidget *existante = _item_par_fenetre.key(entree, nullptr)) {
        auto *page = qobject_cast<graphe_visualisateur *>(existante);
        _pile->setCurrentIndex(page->get_index_page());
        std::cout << "fenetre deja existe --> open()" << std::endl;
        cocher_zoom(page->get_graphic_view()->zoom());
        return;
    }

    _barre_etat->showMessage(QCoreApplication::translate("MainWindow", "Select session : ")
                                 + item_session->text(),
                             1500);

    auto nouvelle = std::make_unique<graphe_visualisateur>();
    graphe_visualisateur *page = nouvelle.get();
    page->get_item_session() = item_session;
    const int index = _pile->addWidget(nouvelle.release()); // the stack owns it now
    _pile->setCurrentIndex(index);
    page->get_index_page() = index;
    _item_par_fenetre.insert(_pile->widget(index), entree);
    _pile->setCurrentIndex(_pile->count() - 1);

    dessiner(registre, page->get_graphic_view(), session, entree);
    cocher_zoom(1);
}

void pages_graphe::dessiner(registre_sessions &registre, graphic_view *vue, session_graphe *session,
                            QStandardItem *entree)
{
    const curseur_attente attente;
    if (comparaison_ouverte *comparaison = registre.comparaison(entree))
        construire_comparaison(vue, session, comparaison->b.get());
    else
        construire_scene(vue, session, type_graphe_pour(entree));
    vue->verticalScrollBar()->setValue(0);
    vue->horizontalScrollBar()->setValue(0);
}

QWidget *pages_graphe::page_solution(registre_sessions &registre)
{
    QWidget *page = _pile->currentWidget();
    QStandardItem *entree = _item_par_fenetre.value(page, nullptr);
    if (entree && type_graphe_pour(entree) == 2 && !registre.comparaison(entree))
        return page;
    _barre_etat->showMessage(QCoreApplication::translate("MainWindow", "Aucune solution affichée"), duree_message_ms);
    return nullptr;
}

bool pages_graphe::comparer(registre_sessions &registre, liste_graphe *arbre, QWidget *page,
                            const QString &chemin_b)
{
    session_graphe *session = registre.session_de(page);
    if (!session || !session->solution())
        return false;
    const QString chemin = QFileInfo(chemin_b).absoluteFilePath();
    comparaison_ouverte *comparaison = registre.comparaison(session, chemin);
    if (!comparaison) {
        std::unique_ptr<graphe_solution> b = lire_solution_seule(chemin);
        if (!b) {
            std::cout << "Erreur : la solution à comparer n'a pas pu être lue" << std::endl;
            return false;
        }
        auto nouvelle = std::make_unique<comparaison_ouverte>();
        nouvelle->session = session;
        nouvelle->chemin_b = chemin;
        nouvelle->b = std::move(b);
        nouvelle->item = arbre->ajouter_comparaison(session->item(), session->solution()->nom_fichier(), chemin);
        comparaison = &registre.ajouter_comparaison(std::move(nouvelle));
    }
    ouvrir(registre, session->item(), comparaison->item);
    return true;
}

void pages_graphe::redessiner(registre_sessions &registre, QWidget *page)
{
    QStandardItem *entree = _item_par_fenetre.value(page, nullptr);
    session_graphe *session = registre.session_de(page);
    if (!entree || !session)
        return;

    curseur_attente attente;
    graphic_view *vue = static_cast<graphe_visualisateur *>(page)->get_graphic_view();
    const vue_gardee gardee = garder_vue(vue);
    vue->vider();
    vue->set_zoom(gardee.zoom);
    dessiner(registre, vue, session, entree);
    rendre_vue(vue, gardee);
}

QList<QWidget *> pages_graphe::pages_de(const QStandardItem *item_session) const
{
    // In the stack's order, so that redrawing them always writes the same.
    QList<QWidget *> pages;
    for (int i = 0; i < _pile->count(); ++i) {
        auto *visualisateur = qobject_cast<graphe_visualisateur *>(_pile->widget(i));
        if (visualisateur && _item_par_fenetre.contains(visualisateur)
            && visualisateur->get_item_session() == item_session)
            pages.append(visualisateur);
    }
    return pages;
}

graphe_visualisateur *pages_graphe::page_courante() const
{
    QWidget *page = _pile->currentWidget();
    return _item_par_fenetre.contains(page) ? qobject_cast<graphe_visualisateur *>(page) : nullptr;
}

void pages_graphe::dire_aucun_graphe()
{
    _barre_etat->showMessage(QCoreApplication::translate("MainWindow", "Aucun graphe affiché"), duree_message_ms);
}
