#ifndef AIRE_DESSIN_H
#define AIRE_DESSIN_H

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

} // namespace aire_dessin

#endif
