#ifndef SUJET_SESSION_H
#define SUJET_SESSION_H

#include "constructeur_dessin.h"

class session_graphe;

// What a page draws of a session: its instance (type_graphe 1) or its
// solution (any other value), or its solution compared with b. A missing
// session draws the frame alone.
sujet_dessin sujet_de(session_graphe *session, int type_graphe, const graphe_solution *b = nullptr);

// Step `etape` (from 0) of the session's history: its solution, with what
// changed since the step before.
sujet_dessin sujet_etape(const session_graphe &session, int etape);

#endif
