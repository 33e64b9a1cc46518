#ifndef PAGES_GRAPHE_H
#define PAGES_GRAPHE_H

#include "comparaisons_ouvertes.h"
#include "facteurs_zoom.h"
#include "historique_ouvert.h"
#include "constructeur_dessin.h"
#include "options_figure.h"

#include <QHash>
#include <QList>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QStackedWidget;
class QStandardItem;
class QStatusBar;
class QWidget;
class graphe_visualisateur;
class graphic_view;
class liste_graphe;
class registre_sessions;
class session_graphe;

// Drawing chosen by a tree entry's text: a solution row ("s:...", or a
// session whose name begins with a lower-case s) gives 2, anything else 1.
int type_graphe_pour(const QStandardItem *entree);

// The graph pages of the main window's graph area: one page per tree entry
// that the user opened, brought back when the entry is opened again, and
// the comparisons that some of them show.
class pages_graphe
{
public:
    // The zoom actions in the menu's order, made one exclusive group.
    using actions_zoom = std::array<QAction *, facteurs_zoom.size()>;

    pages_graphe(registre_sessions &registre, liste_graphe *arbre, QStackedWidget *pile, QStatusBar *barre_etat,
                 const actions_zoom &zooms);

    void ouvrir(QStandardItem *item_session, QStandardItem *entree);
    // Compares the solution that `page` shows with the solution file at
    // chemin_b: a new row and page, or the page of that comparison again.
    // False, with a line on the console, when B does not read; nothing else
    // changes then.
    bool comparer(QWidget *page, const QString &chemin_b);
    // The solution page on screen, or null (the status bar then says so).
    QWidget *page_solution();
    // Leaves exactly the action of this factor checked (x16 for any other).
    void cocher_zoom(int facteur);

    // Where a page drawn again is scrolled: to its top left, as a zoom
    // leaves it, or around the point that was at its centre.
    enum class cadrage { haut_gauche, meme_centre };
    // Every new drawing of an existing page goes through here: the view
    // emptied and sized for the zoom, drawn again from the records of the
    // session the tree gives for its entry, scrolled, and its chosen sensor
    // chosen again when the new drawing has it.
    void redessiner(QWidget *page, int zoom, cadrage ou);

    // The pages that show an entry of this session row, in the stack's order
    // (a page shown beside the stack's where it stood in it).
    QList<QWidget *> pages_de(const QStandardItem *item_session) const;
    // The graph page the window's commands act on: the stack's, or the one
    // beside it when that one has the focus; null when none is.
    graphe_visualisateur *page_courante() const;
    // The page shown beside the stack's, out of the stack, and the widget
    // holding its place there; both null when one page is shown.
    void poser_seconde(graphe_visualisateur *page, QWidget *place);
    graphe_visualisateur *seconde() const { return _seconde; }
    void activer_seconde(bool oui) { _seconde_active = oui && _seconde; }
    // What names a page beside another: its session and its tree row.
    QString titre_de(QWidget *page) const;
    // The session a graph page draws; null for any other widget.
    session_graphe *session_de(QWidget *page) const;
    // The comparison a page shows; null for any other page.
    comparaison_ouverte *comparaison_de(QWidget *page) const;

    // A session's history, once it is listed in the tree.
    historique_ouvert &ajouter_historique(session_graphe *session, QStandardItem *item);
    historique_ouvert *historique_de(QWidget *page) const;
    historique_ouvert *historique_de_l_entree(const QStandardItem *entree) const;
    historique_ouvert *historique_de_la_session(const session_graphe *session) const;
    // f learns of each history page made, to give it its controls.
    using a_l_ouverture = std::function<void(graphe_visualisateur *page, historique_ouvert &historique)>;
    void suivre_pages_historique(a_l_ouverture f) { _a_l_ouverture = std::move(f); }
    // Shows another step (from 0) on a history page, drawing again only
    // what changed from the step it showed; zoom, centre and the chosen
    // sensor stay.
    void montrer_etape(QWidget *page, int etape);
    // What every page's figure adds (legend, scale bar, values, faults,
    // style): each open page is drawn again with it, keeping its zoom, its
    // centre and its chosen sensor.
    void changer_figure(const options_figure &figure);
    const options_figure &figure() const { return _figure; }

    // What the status bar says when a command needs a graph page and none
    // is shown.
    void dire_aucun_graphe();

    QHash<QWidget *, QStandardItem *> &item_par_fenetre() { return _item_par_fenetre; }
    comparaisons_ouvertes &comparaisons() { return _comparaisons; }
    // The comparisons and histories point at their sessions: they go first.
    void oublier_sessions();
    const actions_zoom &zooms() const { return _zooms; }

private:
    // Draws what the entry shows (instance, solution or comparison) into the
    // emptied view at its zoom, scrolled to the top left.
    void dessiner(graphic_view *vue, session_graphe *session, QStandardItem *entree);
    // What an entry's page draws, with the figure's additions.
    sujet_dessin sujet_de_l_entree(session_graphe *session, QStandardItem *entree) const;
    // The records a page draws as a network file: the instance, with the
    // solution on a solution or comparison page.
    bool ecrire_reseau_de(QWidget *page, const QString &nom_fichier, QString *raison);
    // The session of the entry's session row, found through the tree; null,
    // with the console told when the tree has no such row.
    session_graphe *session_de_l_entree(QStandardItem *entree);

    registre_sessions &_registre;
    liste_graphe *_arbre;
    QStackedWidget *_pile;
    QStatusBar *_barre_etat;
    actions_zoom _zooms;
    QHash<QWidget *, QStandardItem *> _item_par_fenetre;
    comparaisons_ouvertes _comparaisons;
    std::vector<std::unique_ptr<historique_ouvert>> _historiques;
    a_l_ouverture _a_l_ouverture;
    options_figure _figure;
    graphe_visualisateur *_seconde = nullptr;
    QWidget *_place = nullptr;
    bool _seconde_active = false;
};

#endif
