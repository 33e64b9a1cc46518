#ifndef FORME_SOMMET_H
#define FORME_SOMMET_H

#include <QLine>
#include <QPointF>

// The shape of a vertex, which the drawing, the screen's items and every
// picture share: a circle whose top-left corner is the vertex's place, its
// number inside, its links between the circles' centres.
namespace forme_sommet
{

inline constexpr int diametre = 22;
inline constexpr int rayon = diametre / 2;

// Where the number's base line starts, from the vertex's corner: one, two
// or three digits roughly in the middle of the circle.
QPointF origine_numero(int id);

// A link between two vertices, from their corners: each end on a centre,
// truncated toward zero.
QLine ligne_entre(const QPointF &coin_source, const QPointF &coin_destination);

} // namespace forme_sommet

#endif
