#include "graphique_historique.h"

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// Okabe–Ito's colours, which stay apart for colour-blind readers.
const std::array<QColor, 5> couleurs{QColor(0x00, 0x9E, 0x73), QColor(0x56, 0xB4, 0xE9), QColor(0xE6, 0x9F, 0x00),
                                     QColor(0xD5, 0x5E, 0x00), QColor(0xCC, 0x79, 0xA7)};
// Short enough for the five to stand on one line of a narrow legend.
const std::array<const char *, 5> noms{"|MA|", "|SL|", "|BR|", "non couv.", "comp. MA"};
constexpr int largeur_courbe = 2;

} // namespace

graphique_historique::graphique_historique(QWidget *parent) : QChartView(parent)
{
    // The view's own chart: one set in its place would leave it to us.
    QChart *graphique = chart();
    graphique->legend()->setAlignment(Qt::AlignBottom);
    QFont petite = graphique->legend()->font();
    petite.setPointSizeF(petite.pointSizeF() * 0.85);
    graphique->legend()->setFont(petite);
    graphique->setMargins(QMargins(2, 2, 2, 2));
    auto *axe_x = new QValueAxis;
    axe_x->setLabelFormat(QStringLiteral("%d"));
    axe_x->setTitleText(tr("étape"));
    auto *axe_y = new QValueAxis;
    axe_y->setLabelFormat(QStringLiteral("%d"));
    graphique->addAxis(axe_x, Qt::AlignBottom);
    graphique->addAxis(axe_y, Qt::AlignLeft);
    for (std::size_t i = 0; i < _courbes.size(); ++i) {
        auto *courbe = new QLineSeries;
        courbe->setName(QString::fromUtf8(noms[i]));
        courbe->setPen(QPen(couleurs[i], largeur_courbe));
        courbe->setPointsVisible(true);
        graphique->addSeries(courbe);
        courbe->attachAxis(axe_x);
        courbe->attachAxis(axe_y);
        connect(courbe, &QLineSeries::clicked, this, &graphique_historique::cliquer);
        _courbes[i] = courbe;
    }
    _marque = new QLineSeries;
    _marque->setPen(QPen(Qt::black, 1, Qt::DashLine));
    graphique->addSeries(_marque);
    _marque->attachAxis(axe_x);
    _marque->attachAxis(axe_y);
    graphique->legend()->markers(_marque).front()->setVisible(false);
    setRenderHint(QPainter::Antialiasing);
}

void graphique_historique::montrer(const std::vector<valeurs> &etapes, int etape)
{
    _nombre = int(etapes.size());
    _maximum = 1;
    for (std::size_t i = 0; i < _courbes.size(); ++i) {
        QList<QPointF> points;
        points.reserve(qsizetype(etapes.size()));
        for (std::size_t k = 0; k < etapes.size(); ++k) {
            points.append(QPointF(double(k + 1), etapes[k][i]));
            _maximum = std::max(_maximum, etapes[k][i]);
        }
        _courbes[i]->replace(points);
    }
    chart()->axes(Qt::Horizontal).front()->setRange(1, std::max(2, _nombre));
    auto *axe_y = static_cast<QValueAxis *>(chart()->axes(Qt::Vertical).front());
    axe_y->setRange(0, _maximum);
    // Round ticks; the mark spans the axis as it ends up.
    axe_y->applyNiceNumbers();
    _maximum = int(axe_y->max());
    marquer(etape);
}

void graphique_historique::marquer(int etape)
{
    _etape = etape;
    _marque->replace(QList<QPointF>{QPointF(etape, 0), QPointF(etape, _maximum)});
}

QList<QPointF> graphique_historique::points(int courbe) const
{
    return _courbes[std::size_t(courbe)]->points();
}

void graphique_historique::cliquer(const QPointF &point)
{
    const int etape = int(std::lround(point.x()));
    if (etape >= 1 && etape <= _nombre && etape != _etape)
        emit etape_choisie(etape);
}
