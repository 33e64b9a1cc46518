#ifndef COMPARAISON_SOLUTIONS_H
#define COMPARAISON_SOLUTIONS_H

#include "faits_solution.h"

class graphe_instance;
class graphe_solution;

// What changed from solution A to solution B of one instance. Sets are of
// distinct sensors below nb_sensors; lists in increasing order.
struct comparaison_solutions
{
    faits_solution a;
    faits_solution b;
    int ma_a = 0;
    int ma_b = 0;
    numeros_capteurs ma_deux;
    numeros_capteurs ma_seulement_a;
    numeros_capteurs ma_seulement_b;
    // |A ∩ B| / |A ∪ B| of the MA sets; 1 when both are empty.
    double jaccard = 1.0;
    numeros_capteurs br_seulement_a;
    numeros_capteurs br_seulement_b;
    numeros_capteurs sl_seulement_a;
    numeros_capteurs sl_seulement_b;
};

// Linear in the sensors, the entries and the lists' lengths.
comparaison_solutions comparer_solutions(const graphe_instance &instance, const graphe_solution &a,
                                         const graphe_solution &b);

#endif
