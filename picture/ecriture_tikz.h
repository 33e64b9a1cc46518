#ifndef ECRITURE_TIKZ_H
#define ECRITURE_TIKZ_H

#include <QRect>

#include <cstddef>

class QIODevice;
class QString;
class liste_dessin;

// TeX keeps every node of a picture in its memory: past this many vertices
// a drawing is refused rather than left to fail in the user's pdflatex.
inline constexpr std::size_t sommets_tikz_max = 5000;

// Why a drawing cannot be written as TikZ; empty when it can.
QString refus_tikz(const liste_dessin &liste);

struct options_tikz
{
    double largeur_cm = 8;
    // The tikzpicture alone, to \input.
    bool corps_seul = false;
    // The part of the area drawn; empty for all of it.
    QRect zone;
};

// The drawing as TikZ: a standalone LaTeX document, or with `corps_seul` a
// tikzpicture to \input. Each kind of vertex has one style, defined once;
// each vertex is a node at its place, the links drawn under them. False
// with the cause in `raison` when the drawing has too many vertices or the
// device does not take it.
bool ecrire_tikz(const liste_dessin &liste, QIODevice &sortie, const options_tikz &options, QString &raison);

#endif
