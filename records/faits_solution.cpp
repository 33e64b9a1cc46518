#include "faits_solution.h"

#include "ensembles_disjoints.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "pour_chaque_lien.h"

#include <QFileInfo>

#include <algorithm>

namespace {

constexpr std::size_t nombres_16_bits = 65536;

// For every 16-bit number, the lists it appears in (one bit a list) and the
// lists it appears in more than once.
struct appartenances
{
    std::vector<std::uint8_t> dans = std::vector<std::uint8_t>(nombres_16_bits, 0);
    std::vector<std::uint8_t> repete = std::vector<std::uint8_t>(nombres_16_bits, 0);

    explicit appartenances(const graphe_solution &solution)
    {
        const graphe_solution::liste_capteurs *listes[] = {&solution.liste_ma(), &solution.liste_sl(),
                                                          &solution.liste_br()};
        for (int k = 0; k < 3; ++k) {
            const std::uint8_t bit = std::uint8_t(1u << k);
            for (std::uint16_t v : *listes[k]) {
                if (dans[v] & bit)
                    repete[v] |= bit;
                dans[v] |= bit;
            }
        }
    }

    bool dans_ma(std::size_t v) const { return dans[v] & 1u; }
};

void classer_numeros(const appartenances &a, std::size_t n, std::uint16_t puits, faits_solution &f)
{
    constexpr std::uint8_t bits_paires[] = {1u | 2u, 1u | 4u, 2u | 4u};
    for (std::size_t v = 0; v < nombres_16_bits; ++v) {
        const std::uint8_t dans = a.dans[v];
        for (int k = 0; k < 3; ++k) {
            if (v >= n && (dans & (1u << k)))
                f.hors_limites[k].push_back(std::uint16_t(v));
            if (a.repete[v] & (1u << k))
                f.repetes[k].push_back(std::uint16_t(v));
            if ((dans & bits_paires[k]) == bits_paires[k])
                f.dans_deux_listes[k].push_back(std::uint16_t(v));
        }
        if (v < n && dans == 0 && v != puits)
            f.sans_liste.push_back(std::uint16_t(v));
    }
}

// MA components and coverage, from every entry that makes a link.
void relier_ma(const graphe_instance &instance, const appartenances &a, faits_solution &f)
{
    const std::size_t n = instance.nb_sensors();
    ensembles_disjoints groupes(n);
    std::vector<char> couvert(n, 0);
    pour_chaque_lien(instance, [&](std::uint16_t s, std::uint16_t t) {
        const bool ma_s = a.dans_ma(s);
        const bool ma_t = a.dans_ma(t);
        couvert[t] |= char(ma_s);
        couvert[s] |= char(ma_t);
        if (ma_s && ma_t)
            groupes.unir(s, t);
    });
    for (std::size_t v = 0; v < n; ++v) {
        if (a.dans_ma(v) && groupes.racine(std::uint32_t(v)) == v)
            ++f.composantes_ma;
        if (!couvert[v] && !a.dans_ma(v))
            f.non_couverts.push_back(std::uint16_t(v));
    }
}

} // namespace

faits_solution calculer_faits_solution(const graphe_instance &instance, const graphe_solution &solution)
{
    faits_solution f;
    f.fichier = QFileInfo(solution.nom_fichier()).fileName();
    f.nom_instance = solution.nom_instance().trimmed();
    f.nom_instance_conforme = f.nom_instance == QFileInfo(instance.nom_fichier()).fileName().trimmed();
    f.longueurs = {int(solution.liste_ma().size()), int(solution.liste_sl().size()),
                   int(solution.liste_br().size())};

    const appartenances a(solution);
    const std::size_t n = instance.nb_sensors();
    f.puits_dans_ma = a.dans_ma(instance.sink());
    classer_numeros(a, n, instance.sink(), f);
    relier_ma(instance, a, f);
    return f;
}
