#include "defauts_solution.h"

#include "ensembles_disjoints.h"
#include "faits_solution.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "pour_chaque_lien.h"

#include <algorithm>
#include <set>

namespace {

// The MA sensors whose part of MA does not hold the sink; a sink outside MA
// leaves every part cut off from it.
void marquer_coupes(const graphe_instance &instance, const graphe_solution &solution, defauts_solution &d)
{
    const std::size_t n = instance.nb_sensors();
    std::vector<bool> dans_ma(n, false);
    for (std::uint16_t s : solution.liste_ma())
        if (s < n)
            dans_ma[s] = true;
    ensembles_disjoints parties(n);
    pour_chaque_lien(instance, [&](std::uint16_t a, std::uint16_t b) {
        if (dans_ma[a] && dans_ma[b])
            parties.unir(a, b);
    });
    const bool puits_dans_ma = instance.sink() < n && dans_ma[instance.sink()];
    const std::uint32_t partie_du_puits = puits_dans_ma ? parties.racine(instance.sink()) : UINT32_MAX;
    std::set<std::uint32_t> coupees;
    for (std::size_t s = 0; s < n; ++s) {
        if (!dans_ma[s] || parties.racine(std::uint32_t(s)) == partie_du_puits)
            continue;
        d.ma_coupe[s] = true;
        coupees.insert(parties.racine(std::uint32_t(s)));
    }
    d.nb_parties_coupees = int(coupees.size());
}

} // namespace

defauts_solution calculer_defauts(const graphe_instance &instance, const graphe_solution &solution)
{
    const std::size_t n = instance.nb_sensors();
    defauts_solution d;
    d.non_couvert.assign(n, false);
    d.ma_coupe.assign(n, false);
    // Uncovered as the facts count them, so that the figure and the facts agree.
    for (std::uint16_t s : calculer_faits_solution(instance, solution).non_couverts)
        d.non_couvert[s] = true;
    d.nb_non_couverts = int(std::count(d.non_couvert.begin(), d.non_couvert.end(), true));
    marquer_coupes(instance, solution, d);
    return d;
}
