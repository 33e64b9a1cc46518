#ifndef COTE_A_COTE_H
#define COTE_A_COTE_H

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QString>

#include <utility>

class QLabel;
class QSplitter;
class QStackedWidget;
class QStatusBar;
class QWidget;
class cadre_page;
class graphe_visualisateur;
class graphic_view;
class pages_graphe;

// A second page beside the stack's: the graph area split in two, each side
// under its title. Two pages of one instance are kept in step: the same
// zoom, the same place in the instance's units, the same chosen sensor,
// and each shows where the pointer is on the other. The page with the
// focus is framed; it is the one the window's commands act on.
class cote_a_cote : public QObject
{
    Q_OBJECT

public:
    // Puts the stack in the first side of a splitter whose second side
    // waits hidden: with one page, the graph area is what it was.
    cote_a_cote(pages_graphe &pages, QStackedWidget *pile, QStatusBar *barre_etat);

    bool ouvert() const { return _seconde != nullptr; }
    bool en_phase() const { return _en_phase; }
    // The pages that may go beside the stack's, each with the text the
    // user chooses it by: its tree row, with its session when two rows
    // read alike.
    QList<std::pair<QString, graphe_visualisateur *>> candidates() const;
    // Shows the page beside the stack's current one; false when there is
    // none, when it is that page or when two are shown already.
    bool ouvrir(graphe_visualisateur *page);
    // Back to one page: the second goes back to its place in the stack.
    void fermer();
    // The pages a zoom asked on `page` applies to, `page` first.
    QList<graphe_visualisateur *> pages_liees(graphe_visualisateur *page) const;
    // The page on the side that holds `widget` becomes the one commands act on.
    void activer_cote_de(QWidget *widget);
    QSplitter *separateur() const { return _separateur; }
    cadre_page *cote(int i) const { return i == 0 ? _gauche : _droite; }

signals:
    // The page the window's commands act on is another.
    void page_active_change();

private:
    graphe_visualisateur *premiere() const;
    void activer(bool seconde);
    // The two pages follow each other when they show one instance; the
    // status bar says when they do not.
    void lier();
    void delier();
    void suivre_defilement(graphic_view *de, graphic_view *vers);
    void suivre_pile();

    pages_graphe &_pages;
    QStackedWidget *_pile;
    QSplitter *_separateur;
    cadre_page *_gauche;
    cadre_page *_droite;
    QLabel *_etat;
    graphe_visualisateur *_seconde = nullptr;
    // Holds the second page's index in the stack, which pages know it by.
    QWidget *_place = nullptr;
    bool _en_phase = false;
    // One page follows the other, which must not follow back.
    bool _en_cours = false;
    QList<QMetaObject::Connection> _liens;
    // The views in step, which may show the other's pointer.
    QList<graphic_view *> _vues_liees;
};

#endif
