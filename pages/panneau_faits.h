#ifndef PANNEAU_FAITS_H
#define PANNEAU_FAITS_H

#include <QHash>
#include <QObject>
#include <QString>

class QStackedWidget;
class QTextBrowser;
class QUrl;
class QWidget;
class pages_graphe;

// The box under the tree: the facts of the graph page on screen, empty when
// none is. Each page's text is made once, when it is first shown.
class panneau_faits : public QObject
{
    Q_OBJECT

public:
    panneau_faits(QTextBrowser *zone, QStackedWidget *pile, pages_graphe &pages);

    // The page's drawing changed: its text is made again when next shown.
    void oublier(QWidget *page);

public slots:
    // Shows the current page's text; called too once a new page is known.
    void suivre();

private:
    QString texte_page(QWidget *page);
    // The page's chosen sensor, empty when there is none.
    QString texte_capteur(QWidget *page);
    // A click on a sensor's number in the box shows that sensor.
    void lien(const QUrl &adresse);

    QTextBrowser *_zone;
    QStackedWidget *_pile;
    pages_graphe &_pages;
    QHash<QWidget *, QString> _textes;
    QString _montre;
};

#endif
