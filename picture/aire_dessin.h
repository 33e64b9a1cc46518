#ifndef AIRE_DESSIN_H
#define AIRE_DESSIN_H

#include <QSize>

// The area a drawing is laid out on, in scene units.
namespace aire_dessin
{

// At zoom x1; a zoom factor f multiplies both by (f - 1) * 0.5 + 1.
inline constexpr int largeur = 800;
inline constexpr int hauteur = 550;
// Between the area's edges and the frame's axes; a dragged vertex stays
// within it too.
inline constexpr int marge = 30;

inline constexpr double agrandissement(int facteur)
{
    return (facteur - 1) * 0.5 + 1;
}

// The area at a zoom factor, each side truncated.
inline QSize taille(int facteur)
{
    const double s = agrandissement(facteur);
    return QSize(static_cast<int>(s * largeur), static_cast<int>(s * hauteur));
}

} // namespace aire_dessin

#endif
