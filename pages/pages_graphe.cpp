#include "pages_graphe.h"

#include "constructeur_scene.h"
#include "curseur_attente.h"
#include "ecriture_reseau.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "graphe_visualisateur.h"
#include "graphic_view.h"
#include "historique_solutions.h"
#include "lecture_fichier.h"
#include "liste_graphe.h"
#include "registre_sessions.h"
#include "session_graphe.h"
#include "sujet_session.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPointF>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStandardItem>
#include <QStatusBar>

#include <cmath>
#include <iostream>
#include <memory>

namespace {

constexpr int duree_message_ms = 1500;

// What a page's view keeps across a new drawing of the same graph.
struct vue_gardee
{
    // The scene point at the centre of the viewport, as a fraction of the
    // drawing area, so that it stays in place whatever the area's size.
    QPointF centre;
    // The chosen sensor, -1 for none.
    int capteur = -1;
};

vue_gardee garder_vue(graphic_view *vue)
{
    const QSize fenetre = vue->viewport()->size();
    const double x = vue->horizontalScrollBar()->value() + fenetre.width() / 2.0;
    const double y = vue->verticalScrollBar()->value() + fenetre.height() / 2.0;
    return {QPointF(x / vue->largeur_scene(), y / vue->hauteur_scene()), vue->capteur_choisi()};
}

void centrer(graphic_view *vue, const QPointF &centre)
{
    const QSize fenetre = vue->viewport()->size();
    vue->horizontalScrollBar()->setValue(int(std::lround(centre.x() * vue->largeur_scene() - fenetre.width() / 2.0)));
    vue->verticalScrollBar()->setValue(int(std::lround(centre.y() * vue->hauteur_scene() - fenetre.height() / 2.0)));
}

// A new drawing painted now, before what the event loop has waiting: the
// scene indexes its new items on a timer that would run first, and takes
// longer than painting the picture.
void peindre_maintenant(graphe_visualisateur *page)
{
    if (!page->isVisible())
        return;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    page->get_graphic_view()->viewport()->repaint();
}

} // namespace

int type_graphe_pour(const QStandardItem *entree)
{
    const QByteArray texte = entree->text().toLocal8Bit();
    return (!texte.isEmpty() && texte.at(0) == 's') ? 2 : 1;
}

pages_graphe::pages_graphe(registre_sessions &registre, liste_graphe *arbre, QStackedWidget *pile,
                           QStatusBar *barre_etat, const actions_zoom &zooms)
    : _registre(registre), _arbre(arbre), _pile(pile), _barre_etat(barre_etat), _zooms(zooms)
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

void pages_graphe::ouvrir(QStandardItem *item_session, QStandardItem *entree)
{
    session_graphe *session = _registre.session_par_item().value(item_session, nullptr);
    if (!session)
        return;

    if (QWidget *existante = _item_par_fenetre.key(entree, nullptr)) {
        auto *page = qobject_cast<graphe_visualisateur *>(existante);
        // Beside the stack's page, it is on screen already.
        if (page == _seconde) {
            page->get_graphic_view()->setFocus();
            return;
        }
        _pile->setCurrentIndex(page->get_index_page());
        std::cout << "fenetre deja existe --> open()" << std::endl;
        cocher_zoom(page->get_graphic_view()->zoom());
        return;
    }

    _barre_etat->showMessage(QCoreApplication::translate("MainWindow", "Select session : ") + item_session->text(),
                             duree_message_ms);

    auto nouvelle = std::make_unique<graphe_visualisateur>();
    graphe_visualisateur *page = nouvelle.get();
    page->get_item_session() = item_session;
    const int index = _pile->addWidget(nouvelle.release()); // the stack owns it now
    _pile->setCurrentIndex(index);
    page->get_index_page() = index;
    _item_par_fenetre.insert(_pile->widget(index), entree);
    _pile->setCurrentIndex(_pile->count() - 1);

    page->set_ecriture_reseau(
        [this, page](const QString &nom, QString *raison) { return ecrire_reseau_de(page, nom, raison); });
    dessiner(page->get_graphic_view(), session, entree);
    if (historique_ouvert *historique = historique_de_l_entree(entree); historique && _a_l_ouverture)
        _a_l_ouverture(page, *historique);
    cocher_zoom(1);
    peindre_maintenant(page);
}

bool pages_graphe::ecrire_reseau_de(QWidget *page, const QString &nom_fichier, QString *raison)
{
    session_graphe *session = session_de(page);
    const graphe_instance *instance = session ? session->instance().get() : nullptr;
    if (!instance) {
        if (raison)
            *raison = QStringLiteral("la page ne montre aucun réseau");
        return false;
    }
    const bool avec_solution = type_graphe_pour(_item_par_fenetre.value(page)) == 2 || comparaison_de(page);
    const graphe_solution *solution = avec_solution ? session->solution().get() : nullptr;
    if (const historique_ouvert *h = historique_de(page))
        solution = sujet_etape(*session, h->etape).solution;
    return ecrire_fichier_reseau(nom_fichier, *instance, solution, raison);
}

sujet_dessin pages_graphe::sujet_de_l_entree(session_graphe *session, QStandardItem *entree) const
{
    const comparaison_ouverte *comparaison = _comparaisons.trouver(entree);
    sujet_dessin sujet;
    if (const historique_ouvert *h = historique_de_l_entree(entree))
        sujet = sujet_etape(*session, h->etape);
    else
        sujet = sujet_de(session, type_graphe_pour(entree), comparaison ? comparaison->b.get() : nullptr);
    sujet.figure = _figure;
    return sujet;
}

void pages_graphe::changer_figure(const options_figure &figure)
{
    _figure = figure;
    for (QWidget *page : _item_par_fenetre.keys())
        if (auto *graphe = qobject_cast<graphe_visualisateur *>(page))
            redessiner(page, graphe->get_graphic_view()->zoom(), cadrage::meme_centre);
}

void pages_graphe::dessiner(graphic_view *vue, session_graphe *session, QStandardItem *entree)
{
    const curseur_attente attente;
    construire_scene(vue, sujet_de_l_entree(session, entree));
    vue->verticalScrollBar()->setValue(0);
    vue->horizontalScrollBar()->setValue(0);
}

session_graphe *pages_graphe::session_de_l_entree(QStandardItem *entree)
{
    QStandardItem *item_session = nullptr;
    if (!entree || _arbre->trouver_item_session(entree, item_session) != 1) {
        std::cout << "Erreur : obtenir le idx session" << std::endl;
        return nullptr;
    }
    return _registre.session_par_item().value(item_session, nullptr);
}

void pages_graphe::redessiner(QWidget *page, int zoom, cadrage ou)
{
    auto *graphe = qobject_cast<graphe_visualisateur *>(page);
    if (!graphe)
        return;
    const curseur_attente attente;
    graphic_view *vue = graphe->get_graphic_view();
    const vue_gardee gardee = garder_vue(vue);
    vue->vider();
    vue->set_zoom(zoom);
    QStandardItem *entree = _item_par_fenetre.value(page, nullptr);
    session_graphe *session = session_de_l_entree(entree);
    // The view stays emptied at its new size.
    if (!session)
        return;
    dessiner(vue, session, entree);
    if (ou == cadrage::meme_centre)
        centrer(vue, gardee.centre);
    vue->choisir_capteur(gardee.capteur);
    peindre_maintenant(graphe);
}

QWidget *pages_graphe::page_solution()
{
    QWidget *page = page_courante();
    QStandardItem *entree = _item_par_fenetre.value(page, nullptr);
    if (entree && type_graphe_pour(entree) == 2 && !_comparaisons.trouver(entree))
        return page;
    _barre_etat->showMessage(QCoreApplication::translate("MainWindow", "Aucune solution affichée"), duree_message_ms);
    return nullptr;
}

bool pages_graphe::comparer(QWidget *page, const QString &chemin_b)
{
    session_graphe *session = session_de(page);
    if (!session || !session->solution())
        return false;
    const QString chemin = QFileInfo(chemin_b).absoluteFilePath();
    comparaison_ouverte *comparaison = _comparaisons.trouver(session, chemin);
    if (!comparaison) {
        fichier_lu<graphe_solution> b = lire_fichier_solution(chemin);
        if (!b.lu) {
            std::cout << "Erreur : la solution à comparer n'a pas pu être lue" << std::endl;
            return false;
        }
        auto nouvelle = std::make_unique<comparaison_ouverte>();
        nouvelle->session = session;
        nouvelle->chemin_b = chemin;
        nouvelle->b = std::move(b.contenu);
        nouvelle->item = _arbre->ajouter_comparaison(session->item(), session->solution()->nom_fichier(), chemin);
        comparaison = &_comparaisons.ajouter(std::move(nouvelle));
    }
    ouvrir(session->item(), comparaison->item);
    return true;
}

QList<QWidget *> pages_graphe::pages_de(const QStandardItem *item_session) const
{
    // In the stack's order, so that redrawing them always writes the same.
    QList<QWidget *> pages;
    for (int i = 0; i < _pile->count(); ++i) {
        QWidget *page = _pile->widget(i);
        auto *visualisateur = qobject_cast<graphe_visualisateur *>(page == _place && _place ? _seconde : page);
        if (visualisateur && _item_par_fenetre.contains(visualisateur)
            && visualisateur->get_item_session() == item_session)
            pages.append(visualisateur);
    }
    return pages;
}

graphe_visualisateur *pages_graphe::page_courante() const
{
    if (_seconde && _seconde_active)
        return _seconde;
    QWidget *page = _pile->currentWidget();
    return _item_par_fenetre.contains(page) ? qobject_cast<graphe_visualisateur *>(page) : nullptr;
}

void pages_graphe::poser_seconde(graphe_visualisateur *page, QWidget *place)
{
    _seconde = page;
    _place = page ? place : nullptr;
    _seconde_active = _seconde_active && page;
}

QString pages_graphe::titre_de(QWidget *page) const
{
    const QStandardItem *entree = _item_par_fenetre.value(page, nullptr);
    auto *graphe = qobject_cast<graphe_visualisateur *>(page);
    if (!entree || !graphe || !graphe->get_item_session())
        return QString();
    return QStringLiteral("%1 — %2").arg(graphe->get_item_session()->text(), entree->text());
}

session_graphe *pages_graphe::session_de(QWidget *page) const
{
    auto *graphe = qobject_cast<graphe_visualisateur *>(page);
    return graphe ? _registre.session_par_item().value(graphe->get_item_session(), nullptr) : nullptr;
}

comparaison_ouverte *pages_graphe::comparaison_de(QWidget *page) const
{
    QStandardItem *entree = _item_par_fenetre.value(page, nullptr);
    return entree ? _comparaisons.trouver(entree) : nullptr;
}

void pages_graphe::dire_aucun_graphe()
{
    _barre_etat->showMessage(QCoreApplication::translate("MainWindow", "Aucun graphe affiché"), duree_message_ms);
}

historique_ouvert &pages_graphe::ajouter_historique(session_graphe *session, QStandardItem *item)
{
    _historiques.push_back(std::make_unique<historique_ouvert>(historique_ouvert{session, item, 0}));
    return *_historiques.back();
}

historique_ouvert *pages_graphe::historique_de(QWidget *page) const
{
    return historique_de_l_entree(_item_par_fenetre.value(page, nullptr));
}

historique_ouvert *pages_graphe::historique_de_l_entree(const QStandardItem *entree) const
{
    for (const auto &h : _historiques)
        if (entree && h->item == entree)
            return h.get();
    return nullptr;
}

historique_ouvert *pages_graphe::historique_de_la_session(const session_graphe *session) const
{
    for (const auto &h : _historiques)
        if (h->session == session)
            return h.get();
    return nullptr;
}

void pages_graphe::montrer_etape(QWidget *page, int etape)
{
    auto *graphe = qobject_cast<graphe_visualisateur *>(page);
    historique_ouvert *h = historique_de(page);
    if (!graphe || !h || etape < 0 || etape >= h->session->historique().taille())
        return;
    const curseur_attente attente;
    h->etape = etape;
    graphic_view *vue = graphe->get_graphic_view();
    sujet_dessin sujet = sujet_etape(*h->session, etape);
    sujet.figure = _figure;
    if (!changer_scene(vue, sujet))
        redessiner(page, vue->zoom(), cadrage::meme_centre);
}

void pages_graphe::oublier_sessions()
{
    _comparaisons.vider();
    _historiques.clear();
}
