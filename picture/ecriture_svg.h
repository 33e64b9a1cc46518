#ifndef ECRITURE_SVG_H
#define ECRITURE_SVG_H

#include <QRect>

class QIODevice;
class QString;
class liste_dessin;

// The whole drawing area as an SVG document written as it goes, one element
// a primitive in stacking order: each line a line, each vertex a circle and
// its number a text, each text a text. False when the device does not take
// it. largeur_cm: its width on paper, 0 for the screen's size; zone: the
// part of the area written, all of it when empty.
bool ecrire_svg(const liste_dessin &liste, QIODevice &sortie, const QString &titre, double largeur_cm = 0,
                const QRect &zone = QRect());

#endif
