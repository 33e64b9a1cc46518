#ifndef ECRITURE_GRAPHML_H
#define ECRITURE_GRAPHML_H

class QIODevice;
class graphe_instance;
class graphe_solution;

// The network as GraphML, which networkx, Gephi and Cytoscape read: one node
// a sensor, with id "n" + its number and the attributes sensor, x and y (in
// the instance's own units) and sink, and with a solution its booleans ma,
// sl and br; one undirected edge a link, one_way when only one of its two
// sensors lists the other (that one is the edge's source). False when the
// device does not take it.
bool ecrire_graphml(QIODevice &sortie, const graphe_instance &instance, const graphe_solution *solution);

#endif
