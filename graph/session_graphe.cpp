#include "session_graphe.h"

#include "graphe_instance.h"
#include "graphe_solution.h"

session_graphe::session_graphe() = default;

session_graphe::~session_graphe()
{
    _instance.reset();
    _solution.reset();
}
