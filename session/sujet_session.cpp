#include "sujet_session.h"

#include "historique_solutions.h"
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

sujet_dessin sujet_etape(const session_graphe &session, int etape)
{
    const historique_solutions &h = session.historique();
    sujet_dessin sujet;
    sujet.type_graphe = 2;
    sujet.instance = session.instance();
    if (etape >= 0 && etape < h.taille()) {
        sujet.solution = h.etape(etape).solution.get();
        sujet.precedente = h.precedente(etape);
    }
    return sujet;
}
