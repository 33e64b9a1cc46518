#ifndef CONSTRUCTEUR_SCENE_H
#define CONSTRUCTEUR_SCENE_H

#include "constructeur_dessin.h"

class graphic_view;

// Draws the records into an emptied view sized for its zoom: the drawing's
// list first, at the view's size and in its font, then the scene's items
// made from the list's entries, which enter the scene in its stacking
// order: vertex k from the list's vertex k, each arc from its entry.
void construire_scene(graphic_view *vue, const sujet_dessin &sujet);

// Draws a drawing of the same frame and vertices over the view's (a
// history's next step): only the vertices whose colours changed, the arcs
// of the vertices whose arcs changed and their tiles are made again. False,
// with the view untouched, when the drawings differ in more than that or
// in so much that drawing anew is quicker.
bool changer_scene(graphic_view *vue, const sujet_dessin &sujet);

#endif
