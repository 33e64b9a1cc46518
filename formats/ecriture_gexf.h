#ifndef ECRITURE_GEXF_H
#define ECRITURE_GEXF_H

#include <cstdint>

class QIODevice;
class graphe_instance;
class graphe_solution;

// The fills a page gives the sink, MA and BR sensors and the others; the
// first role a sensor plays in that order chooses. The picture knows them,
// as 0xAARRGGBB (QColor::rgb()).
struct fonds_roles
{
    std::uint32_t puits, ma, br, autres;
};

// The network as GEXF 1.2, which Gephi and networkx read: one node a sensor,
// with id "n" + its number, its label the number, viz:position in the
// instance's own units, viz:color its fill on the page (every one `autres`
// without a solution), and the attributes sensor and sink, with a solution
// ma, sl and br; one undirected edge a link, one_way when only one of its
// two sensors lists the other (that one is the source). False when the
// device does not take it.
bool ecrire_gexf(QIODevice &sortie, const graphe_instance &instance, const graphe_solution *solution,
                 const fonds_roles &fonds);

#endif
