#ifndef ECRITURE_IMAGE_H
#define ECRITURE_IMAGE_H

class QString;
class liste_dessin;

// How a file name's suffix (any letter case) asks for a drawing to be
// written: a raster image through Qt's image writers, a vector drawing, or
// a Graphviz graph of its vertices and arcs.
enum class format_image { inconnu, matriciel, svg, pdf, dot };

format_image format_du_nom(const QString &nom_fichier);

// Writes the whole drawing area on white in the format its name asks for:
// a raster image of `pixels_par_unite` pixels per scene unit, a vector
// page of one point per unit, or a DOT graph pinned at the same places.
// Either the whole file is written or none is, and
// an existing file stays as it was when writing fails; then `raison`, when
// given, says why in a few French words.
bool ecrire_image(const liste_dessin &liste, const QString &nom_fichier, int pixels_par_unite = 1,
                  QString *raison = nullptr);

#endif
