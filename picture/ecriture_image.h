#ifndef ECRITURE_IMAGE_H
#define ECRITURE_IMAGE_H

#include <QRect>

class QString;
class liste_dessin;

// How a file name's suffix (any letter case) asks for a drawing to be
// written: a raster image through Qt's image writers, a vector drawing, or
// a Graphviz graph of its vertices and arcs.
enum class format_image { inconnu, matriciel, svg, pdf, dot, tikz };

format_image format_du_nom(const QString &nom_fichier);

// Writes the whole drawing area on white in the format its name asks for:
// a raster image of `pixels_par_unite` pixels per scene unit, a vector
// page of one point per unit, or a DOT graph pinned at the same places.
// Either the whole file is written or none is, and
// an existing file stays as it was when writing fails; then `raison`, when
// given, says why in a few French words.
bool ecrire_image(const liste_dessin &liste, const QString &nom_fichier, int pixels_par_unite = 1,
                  QString *raison = nullptr);

// How a figure for a paper is written beyond the page's own size.
struct options_image
{
    int pixels_par_unite = 1;
    // The width on paper of a vector page or a TikZ picture; 0 keeps a
    // vector page at one point a unit and a TikZ picture at 8 cm.
    double largeur_cm = 0;
    // TikZ: the tikzpicture alone, to \input in a paper.
    bool tikz_corps = false;
    // Only this part of the area (what a view shows); empty for all of it.
    // A DOT graph is always whole.
    QRect zone;
};
bool ecrire_image(const liste_dessin &liste, const QString &nom_fichier, const options_image &options,
                  QString *raison = nullptr);

#endif
