#ifndef PALETTE_FIGURE_H
#define PALETTE_FIGURE_H

#include <QColor>

// The colours a figure adds to the usual ones: Okabe and Ito's palette, which
// colour-blind readers tell apart, and a perceptually uniform map of values.
namespace palette_figure
{

inline const QColor noir(0, 0, 0);
inline const QColor orange(230, 159, 0);
inline const QColor bleu_ciel(86, 180, 233);
inline const QColor vert_bleute(0, 158, 115);
inline const QColor bleu(0, 114, 178);
inline const QColor vermillon(213, 94, 0);
// A sensor without a value.
inline const QColor gris_clair(220, 220, 220);

// The map's steps: fills are shared, and a figure has few of them.
inline constexpr int nb_teintes = 256;
// Viridis at t in [0, 1], on one of nb_teintes steps.
QColor viridis(double t);

// Numbers read on a fill: white on a dark one, the outline's blue otherwise.
QColor couleur_numero_sur(const QColor &fond);

} // namespace palette_figure

#endif
