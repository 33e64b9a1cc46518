#ifndef BARRE_HISTORIQUE_H
#define BARRE_HISTORIQUE_H

#include "ui_barre_historique.h"

#include <QTimer>
#include <QWidget>

// The bar under a history page's drawing: first, previous, play or pause,
// next, last, a slider over the steps, the step's text and the speed. It
// asks for steps and plays on its own timer; whoever owns the page shows
// the step asked for and tells the bar with montrer(). Left and right
// arrows step and Space plays anywhere on the page.
class barre_historique : public QWidget, private Ui::barre_historique
{
    Q_OBJECT

public:
    // page: where the arrows and Space act.
    explicit barre_historique(QWidget *page);

    // Step k (from 1) of n is shown, described by texte; playing stops at
    // the last step.
    void montrer(int k, int n, const QString &texte);
    int etape() const { return _etape; }
    int nombre() const { return _nombre; }
    bool en_lecture() const { return _minuterie.isActive(); }
    // Steps a second while playing.
    int vitesse_lecture() const { return vitesse->value(); }

public slots:
    void lire(bool oui);
    void aller(int k);

signals:
    // A step from 1 to nombre(), other than the one shown.
    void etape_demandee(int k);

private:
    void pas_de_lecture();
    int _etape = 0;
    int _nombre = 0;
    QTimer _minuterie;
};

#endif
