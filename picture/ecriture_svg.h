#ifndef ECRITURE_SVG_H
#define ECRITURE_SVG_H

class QIODevice;
class QString;
class liste_dessin;

// The whole drawing area as an SVG document written as it goes, one element
// a primitive in stacking order: each line a line, each vertex a circle and
// its number a text, each text a text. False when the device does not take
// it.
bool ecrire_svg(const liste_dessin &liste, QIODevice &sortie, const QString &titre);

#endif
