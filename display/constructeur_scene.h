#ifndef CONSTRUCTEUR_SCENE_H
#define CONSTRUCTEUR_SCENE_H

class graphic_view;
class session_graphe;

// Draws the instance (type_graphe 1) or the solution (any other value) of a
// session into an emptied view sized for its zoom.
void construire_scene(graphic_view *vue, session_graphe *session, int type_graphe);

#endif
