#ifndef FAITS_SOLUTION_H
#define FAITS_SOLUTION_H

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class graphe_instance;
class graphe_solution;

using numeros_capteurs = std::vector<std::uint16_t>;

// What a solution says on its instance. Lists of numbers are distinct and
// in increasing order.
struct faits_solution
{
    enum liste { ma, sl, br };
    // The pairs of lists, in the order MA-SL, MA-BR, SL-BR.
    enum paire { ma_sl, ma_br, sl_br };

    QString fichier;
    // As written in the solution, white space trimmed.
    QString nom_instance;
    bool nom_instance_conforme = false;
    std::array<int, 3> longueurs{};
    std::array<numeros_capteurs, 3> hors_limites;
    std::array<numeros_capteurs, 3> repetes;
    std::array<numeros_capteurs, 3> dans_deux_listes;
    bool puits_dans_ma = false;
    // Connected components of the links among the MA sensors.
    int composantes_ma = 0;
    // Neither in MA nor linked to an MA sensor.
    numeros_capteurs non_couverts;
    // In no list and not the sink.
    numeros_capteurs sans_liste;
};

// Linear in the instance's sensors and entries plus the lists' lengths.
faits_solution calculer_faits_solution(const graphe_instance &instance, const graphe_solution &solution);

#endif
