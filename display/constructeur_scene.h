#ifndef CONSTRUCTEUR_SCENE_H
#define CONSTRUCTEUR_SCENE_H

class graphic_view;
class graphe_solution;
class session_graphe;

// Draws the instance (type_graphe 1) or the solution (any other value) of a
// session into an emptied view sized for its zoom.
void construire_scene(graphic_view *vue, session_graphe *session, int type_graphe);

// Draws the session's solution (A) laid over solution b of the same
// instance: MA sensors of both, of A only and of B only told apart, and
// their links.
void construire_comparaison(graphic_view *vue, session_graphe *session, graphe_solution *b);

#endif
