#ifndef PAGES_GRAPHE_H
#define PAGES_GRAPHE_H

#include <QHash>

#include <array>

class QAction;
class QStackedWidget;
class QStandardItem;
class QStatusBar;
class QWidget;
class registre_sessions;

// The zoom factors of the menu, in its order.
inline constexpr std::array<int, 5> facteurs_zoom{1, 2, 4, 8, 16};

// Drawing chosen by a tree entry's text: a solution row ("s:...", or a
// session whose name begins with a lower-case s) gives 2, anything else 1.
int type_graphe_pour(const QStandardItem *entree);

// The graph pages of the main window's graph area: one page per tree entry
// that the user opened, brought back when the entry is opened again.
class pages_graphe
{
public:
    // The zoom actions in the order x1, x2, x4, x8, x16.
    using actions_zoom = std::array<QAction *, 5>;

    pages_graphe(QStackedWidget *pile, QStatusBar *barre_etat, const actions_zoom &zooms);

    void ouvrir(registre_sessions &registre, QStandardItem *item_session, QStandardItem *entree);
    // Leaves exactly the action of this factor checked (x16 for any other).
    void cocher_zoom(int facteur);

    QHash<QWidget *, QStandardItem *> &item_par_fenetre() { return _item_par_fenetre; }
    const actions_zoom &zooms() const { return _zooms; }

private:
    QStackedWidget *_pile;
    QStatusBar *_barre_etat;
    actions_zoom _zooms;
    QHash<QWidget *, QStandardItem *> _item_par_fenetre;
};

#endif
