#ifndef PAGES_GRAPHE_H
#define PAGES_GRAPHE_H

#include <QHash>
#include <QList>
#include <QPointF>

#include "facteurs_zoom.h"

#include <array>

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

// What a page's view keeps across a new drawing of the same graph.
struct vue_gardee
{
    int zoom = 1;
    // The scene point at the centre of the viewport, as a fraction of the
    // drawing area, so that it stays in place whatever the area's size.
    QPointF centre;
    // The chosen sensor, -1 for none; chosen again when the new drawing
    // still has it.
    int capteur = -1;
};
vue_gardee garder_vue(graphic_view *vue);
void rendre_vue(graphic_view *vue, const vue_gardee &gardee);

// The graph pages of the main window's graph area: one page per tree entry
// that the user opened, brought back when the entry is opened again.
class pages_graphe
{
public:
    // The zoom actions in the menu's order, made one exclusive group.
    using actions_zoom = std::array<QAction *, facteurs_zoom.size()>;

    pages_graphe(QStackedWidget *pile, QStatusBar *barre_etat, const actions_zoom &zooms);

    void ouvrir(registre_sessions &registre, QStandardItem *item_session, QStandardItem *entree);
    // Draws what the entry shows (instance, solution or comparison) into the
    // emptied view at its zoom, scrolled to the top left.
    void dessiner(registre_sessions &registre, graphic_view *vue, session_graphe *session, QStandardItem *entree);
    // Compares the solution that `page` shows with the solution file at
    // chemin_b: a new row and page, or the page of that comparison again.
    // False, with a line on the console, when B does not read; nothing else
    // changes then.
    bool comparer(registre_sessions &registre, liste_graphe *arbre, QWidget *page, const QString &chemin_b);
    // The solution page on screen, or null (the status bar then says so).
    QWidget *page_solution(registre_sessions &registre);
    // Leaves exactly the action of this factor checked (x16 for any other).
    void cocher_zoom(int facteur);
    // Draws the page again from its session's records, at its zoom and
    // around the same point. Every new drawing of an existing page goes
    // through here.
    void redessiner(registre_sessions &registre, QWidget *page);
    // The pages that show an entry of this session row.
    QList<QWidget *> pages_de(const QStandardItem *item_session) const;
    // The graph page on screen, null when none is.
    graphe_visualisateur *page_courante() const;
    // What the status bar says when a command needs a graph page and none
    // is shown.
    void dire_aucun_graphe();

    QHash<QWidget *, QStandardItem *> &item_par_fenetre() { return _item_par_fenetre; }
    const actions_zoom &zooms() const { return _zooms; }

private:
    QStackedWidget *_pile;
    QStatusBar *_barre_etat;
    actions_zoom _zooms;
    QHash<QWidget *, QStandardItem *> _item_par_fenetre;
};

#endif
