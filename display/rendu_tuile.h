#ifndef RENDU_TUILE_H
#define RENDU_TUILE_H

#include <QImage>
#include <QPoint>

class liste_dessin;

// Paints one tile of a drawing from its list, with the calls the scene's
// items make when they paint themselves, so that tiles side by side are the
// pixels of the scene painted whole (as an export paints it). Any thread may
// paint tiles; the list is only read.
QImage rendre_tuile(const liste_dessin &liste, const QPoint &tuile);

#endif
