#ifndef ECRITURE_CYJS_H
#define ECRITURE_CYJS_H

class QIODevice;
class QString;
class graphe_instance;
class graphe_solution;

// The network as Cytoscape.js JSON (.cyjs), which Cytoscape imports with its
// places and networkx reads (cytoscape_graph): one node a sensor, with
// data.id and data.value "n" + its number, data.name the number, sensor and
// sink, with a solution ma, sl and br, and its position with y turned over,
// Cytoscape's y axis pointing down; one edge a link, data.one_way when only
// its source lists its target. False when the device does not take it.
bool ecrire_cyjs(QIODevice &sortie, const graphe_instance &instance, const graphe_solution *solution,
                 const QString &nom);

#endif
