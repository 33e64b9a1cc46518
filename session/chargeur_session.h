#ifndef CHARGEUR_SESSION_H
#define CHARGEUR_SESSION_H

class QString;
class liste_graphe;
class registre_sessions;

// Reads a session file and, when both files it names exist, has the
// registry create the session. True only when the whole document was read
// without error and both files exist. A network file (GraphML, GEXF,
// Cytoscape.js) makes a session of its own when it reads whole, none
// otherwise.
bool charger_session(registre_sessions &registre, liste_graphe *arbre, const QString &chemin);

#endif
