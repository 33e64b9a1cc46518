#include "comparaison_solutions.h"

#include "graphe_instance.h"
#include "graphe_solution.h"

#include <vector>

namespace {

// Sensors of one list of A and B: bit 1 in A, bit 2 in B.
std::vector<std::uint8_t> marquer(std::size_t n, const graphe_solution::liste_capteurs &a,
                                  const graphe_solution::liste_capteurs &b)
{
    std::vector<std::uint8_t> dans(n, 0);
    for (std::uint16_t v : a)
        if (v < n)
            dans[v] |= 1u;
    for (std::uint16_t v : b)
        if (v < n)
            dans[v] |= 2u;
    return dans;
}

void separer(const std::vector<std::uint8_t> &dans, numeros_capteurs &seulement_a, numeros_capteurs &seulement_b,
             numeros_capteurs *deux)
{
    for (std::size_t v = 0; v < dans.size(); ++v) {
        if (dans[v] == 1u)
            seulement_a.push_back(std::uint16_t(v));
        else if (dans[v] == 2u)
            seulement_b.push_back(std::uint16_t(v));
        else if (dans[v] == 3u && deux)
            deux->push_back(std::uint16_t(v));
    }
}

} // namespace

comparaison_solutions comparer_solutions(const graphe_instance &instance, const graphe_solution &a,
                                         const graphe_solution &b)
{
    comparaison_solutions c;
    c.a = calculer_faits_solution(instance, a);
    c.b = calculer_faits_solution(instance, b);
    const std::size_t n = instance.nb_sensors();

    separer(marquer(n, a.liste_ma(), b.liste_ma()), c.ma_seulement_a, c.ma_seulement_b, &c.ma_deux);
    const std::size_t deux = c.ma_deux.size();
    c.ma_a = int(deux + c.ma_seulement_a.size());
    c.ma_b = int(deux + c.ma_seulement_b.size());
    const std::size_t reunion = deux + c.ma_seulement_a.size() + c.ma_seulement_b.size();
    c.jaccard = reunion ? double(deux) / double(reunion) : 1.0;

    separer(marquer(n, a.liste_br(), b.liste_br()), c.br_seulement_a, c.br_seulement_b, nullptr);
    separer(marquer(n, a.liste_sl(), b.liste_sl()), c.sl_seulement_a, c.sl_seulement_b, nullptr);
    return c;
}
