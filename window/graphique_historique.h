#ifndef GRAPHIQUE_HISTORIQUE_H
#define GRAPHIQUE_HISTORIQUE_H

#include <QChartView>

#include <array>
#include <vector>

class QLineSeries;

// The facts of a history's steps as curves over the steps, the step shown
// marked by an upright line; a click on a curve asks for the step under it.
class graphique_historique : public QChartView
{
    Q_OBJECT

public:
    // One step's values, in the curves' order: |MA|, |SL|, |BR|, the sensors
    // not covered and the MA components.
    using valeurs = std::array<int, 5>;

    explicit graphique_historique(QWidget *parent = nullptr);

    // Every step's values; etape (from 1) is marked.
    void montrer(const std::vector<valeurs> &etapes, int etape);
    // Only the mark moves.
    void marquer(int etape);
    int etape_marquee() const { return _etape; }
    // The points of curve i (0 to 4), for whoever checks them.
    QList<QPointF> points(int courbe) const;

signals:
    void etape_choisie(int etape);

private:
    void cliquer(const QPointF &point);

    std::array<QLineSeries *, 5> _courbes{};
    QLineSeries *_marque = nullptr;
    int _etape = 0;
    int _nombre = 0;
    int _maximum = 0;
};

#endif
