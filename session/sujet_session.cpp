#include "sujet_session.h"

#include "session_graphe.h"

sujet_dessin sujet_de(session_graphe *session, int type_graphe, const graphe_solution *b)
{
    sujet_dessin sujet;
    sujet.type_graphe = type_graphe;
    sujet.b = b;
    if (session) {
        sujet.instance = session->instance().get();
        sujet.solution = session->solution().get();
    }
    return sujet;
}
