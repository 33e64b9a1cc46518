#ifndef BARRE_ECHELLE_H
#define BARRE_ECHELLE_H

class echelle_dessin;
class liste_dessin;

// A bar of a round length in the instance's own units, labelled, under a
// figure's frame: distances can be read off the figure.
namespace barre_echelle
{

// The band it takes under the drawing.
inline constexpr int hauteur = 40;

// The longest 1, 2 or 5 times a power of ten that is at most `au_plus`;
// 0 when au_plus is not positive.
double longueur_ronde(double au_plus);

// Lays the bar under a drawing `largeur` wide and `hauteur_dessin` high;
// nothing when the scale puts every sensor on one place.
void poser(liste_dessin &liste, const echelle_dessin &echelle, int largeur, int hauteur_dessin);

} // namespace barre_echelle

#endif
