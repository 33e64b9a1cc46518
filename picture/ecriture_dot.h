#ifndef ECRITURE_DOT_H
#define ECRITURE_DOT_H

class QIODevice;
class QString;
class liste_dessin;

// The drawing's vertices and arcs as a Graphviz graph that `neato -n2` lays
// out as the drawing shows them: each vertex pinned at its centre, one point
// a scene unit with the y axis turned upward, filled, outlined and numbered
// in the drawing's colours; each arc a line in its pen. Two invisible
// corners keep the whole drawing area, so that a picture Graphviz makes of
// it has the page's size. False when the device does not take it.
bool ecrire_dot(const liste_dessin &liste, QIODevice &sortie, const QString &nom);

#endif
