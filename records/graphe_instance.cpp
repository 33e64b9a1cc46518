#include "graphe_instance.h"

#include "coord_sommet.h"

graphe_instance::graphe_instance() = default;

graphe_instance::~graphe_instance()
{
    // Positions first, then the neighbour lists.
    _positions.clear();
    _voisins.clear();
}
