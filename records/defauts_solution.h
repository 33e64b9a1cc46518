#ifndef DEFAUTS_SOLUTION_H
#define DEFAUTS_SOLUTION_H

#include <cstdint>
#include <vector>

class graphe_instance;
class graphe_solution;

// Where a solution fails its instance, sensor by sensor, for a figure to
// show: the sensors left uncovered, and the MA sensors whose part of MA
// (its links among MA sensors) does not hold the sink.
struct defauts_solution
{
    std::vector<bool> non_couvert;
    std::vector<bool> ma_coupe;
    int nb_non_couverts = 0;
    // The parts of MA without the sink.
    int nb_parties_coupees = 0;
};

defauts_solution calculer_defauts(const graphe_instance &instance, const graphe_solution &solution);

#endif
