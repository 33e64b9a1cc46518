#ifndef PANNEAU_FAITS_H
#define PANNEAU_FAITS_H

#include <QHash>
#include <QObject>
#include <QString>

class QStackedWidget;
class QTextBrowser;
class QUrl;
class QWidget;
class graphique_historique;
class pages_graphe;

// The box under the tree: the facts of the graph page the window's
// commands act on, empty when none is. Each page's text is made once, when it is first shown.
class panneau_faits : public QObject
{
    Q_OBJECT

public:
    // graphique: where a history page's steps are drawn, hidden for any
    // other page; none leaves them out.
    panneau_faits(QTextBrowser *zone, QStackedWidget *pile, pages_graphe &pages,
                  graphique_historique *graphique = nullptr);

    // The page's drawing changed: its text is made again when next shown.
    void oublier(QWidget *page);

public slots:
    // Shows the current page's text; called too once a new page is known.
    void suivre();

signals:
    // A click on the chart asks for step k (from 1) of the page.
    void etape_choisie(QWidget *page, int k);

private:
    QString texte_page(QWidget *page);
    QString texte_etape(QWidget *page);
    void suivre_graphique(QWidget *page);
    // The page's chosen sensor, empty when there is none.
    QString texte_capteur(QWidget *page);
    // A click on a sensor's number in the box shows that sensor.
    void lien(const QUrl &adresse);

    QTextBrowser *_zone;
    QStackedWidget *_pile;
    pages_graphe &_pages;
    graphique_historique *_graphique;
    QHash<QWidget *, QString> _textes;
    QString _montre;
};

#endif
