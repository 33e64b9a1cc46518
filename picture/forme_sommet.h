#ifndef FORME_SOMMET_H
#define FORME_SOMMET_H

#include <QLine>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>

#include <cstdint>

class QPainter;

// The shape of a vertex, which the drawing, the screen's items and every
// picture share: a circle whose top-left corner is the vertex's place, its
// number inside, its links between the circles' centres.
namespace forme_sommet
{

inline constexpr int diametre = 22;
inline constexpr int rayon = diametre / 2;

// The marks a figure may give a vertex instead of its circle, so that roles
// stay apart without colour; a legend's samples and a fault's ring take
// them too, in a box of any size.
enum class forme : std::uint8_t { cercle, carre, losange, triangle, petit_cercle };

// The vertex's box, from its corner.
inline const QRectF boite_sommet(0, 0, diametre, diametre);

// The outline of a mark other than a circle in its box; a small circle is
// the circle of the box shrunk by this on each side.
QPolygonF polygone(forme f, const QRectF &boite);
inline constexpr qreal retrait_petit_cercle = 4;
// The mark with the painter's pen and brush: a circle as drawEllipse draws
// it, so that the usual vertices keep their pixels.
void peindre_forme(QPainter &peintre, forme f, const QRectF &boite);

// Where the number's base line starts, from the vertex's corner: one, two
// or three digits roughly in the middle of the circle.
QPointF origine_numero(int id);

// A link between two vertices, from their corners: each end on a centre,
// truncated toward zero.
QLine ligne_entre(const QPointF &coin_source, const QPointF &coin_destination);

} // namespace forme_sommet

#endif
