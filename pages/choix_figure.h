#ifndef CHOIX_FIGURE_H
#define CHOIX_FIGURE_H

#include "options_figure.h"

#include <QObject>
#include <QString>

class QAction;
class QWidget;
class pages_graphe;

// The "Options" menu's figure items: a legend, a scale bar, the faults,
// a value that colours the sensors, the style. Each change draws every page
// again with it, so that the screen and the saves show what is checked.
class choix_figure : public QObject
{
    Q_OBJECT

public:
    struct actions
    {
        QAction *legende = nullptr;
        QAction *barre_echelle = nullptr;
        QAction *defauts = nullptr;
        QAction *colorer = nullptr;
        QAction *style_habituel = nullptr;
        QAction *style_daltonien = nullptr;
    };

    choix_figure(pages_graphe &pages, const actions &a, QWidget *fenetre);

    // Colours by a computed value, or by a CSV file's column (the second
    // when none is named) read against the page on screen; a file that
    // does not read leaves the figure as it was, with an "Erreur" line on
    // the console, and gives false.
    bool colorer(valeur_figure valeur, const QString &csv = QString(), const QString &colonne = QString());

private:
    void appliquer();
    void demander_valeur();
    std::size_t capteurs_de_la_page() const;

    pages_graphe &_pages;
    actions _actions;
    QWidget *_fenetre;
    valeur_figure _valeur = valeur_figure::aucune;
    std::shared_ptr<const valeurs_capteurs> _valeurs;
};

#endif
