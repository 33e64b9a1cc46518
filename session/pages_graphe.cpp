#include "pages_graphe.h"

#include "constructeur_scene.h"
#include "curseur_attente.h"
#include "graphe_visualisateur.h"
#include "graphic_view.h"
#include "registre_sessions.h"

#include <QAction>
#include <QCoreApplication>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStandardItem>
#include <QStatusBar>

#include <iostream>
#include <memory>

int type_graphe_pour(const QStandardItem *entree)
{
    const QByteArray texte = entree->text().toLocal8Bit();
    return (!texte.isEmpty() && texte.at(0) == 's') ? 2 : 1;
}

pages_graphe::pages_graphe(QStackedWidget *pile, QStatusBar *barre_etat, const actions_zoom &zooms)
    : _pile(pile), _barre_etat(barre_etat), _zooms(zooms)
{
}

void pages_graphe::cocher_zoom(int facteur)
{
    int rang = 4;
    switch (facteur) {
    case 1: rang = 0; break;
    case 2: rang = 1; break;
    case 4: rang = 2; break;
    case 8: rang = 3; break;
    }
    for (int i = 0; i < 5; ++i)
        _zooms[i]->setChecked(i == rang);
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

    graphic_view *vue = page->get_graphic_view();
    {
        const curseur_attente attente;
        construire_scene(vue, session, type_graphe_pour(entree));
    }
    vue->verticalScrollBar()->setValue(0);
    vue->horizontalScrollBar()->setValue(0);

    cocher_zoom(1);
}
