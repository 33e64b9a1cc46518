#ifndef ECRITURE_RESEAU_H
#define ECRITURE_RESEAU_H

class QString;
class graphe_instance;
class graphe_solution;

// The network, with the solution when one is given, in the format its
// name's suffix asks for (.graphml, .gexf with each sensor filled as the
// page fills it, .cyjs), written whole or not at all: what the window's save
// and the command write. False with why.
bool ecrire_fichier_reseau(const QString &nom_fichier, const graphe_instance &instance,
                           const graphe_solution *solution, QString *raison);

#endif
