#include "historique_solutions.h"

#include "faits_solution.h"
#include "graphe_instance.h"
#include "graphe_solution.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace {

using liste_capteurs = graphe_solution::liste_capteurs;

// MA, SL, BR in the order of the counts.
std::array<const liste_capteurs *, 3> listes(const graphe_solution &s)
{
    return {&s.liste_ma(), &s.liste_sl(), &s.liste_br()};
}

bool memes_listes(const graphe_solution &a, const graphe_solution &b)
{
    return a.liste_ma() == b.liste_ma() && a.liste_sl() == b.liste_sl() && a.liste_br() == b.liste_br();
}

// The reader's lists grow by doubling: kept as they are, a thousand steps
// could take twice the room their numbers need.
std::shared_ptr<const graphe_solution> serree(std::shared_ptr<const graphe_solution> solution)
{
    bool lache = false;
    for (const liste_capteurs *l : listes(*solution))
        lache |= l->capacity() > l->size();
    if (!lache)
        return solution;
    auto copie = std::make_shared<graphe_solution>();
    // A copy's capacity is its size.
    copie->liste_ma() = liste_capteurs(solution->liste_ma());
    copie->liste_sl() = liste_capteurs(solution->liste_sl());
    copie->liste_br() = liste_capteurs(solution->liste_br());
    copie->nom_instance() = solution->nom_instance();
    copie->nom_fichier() = solution->nom_fichier();
    return copie;
}

} // namespace

resume_etape resumer_etape(const graphe_instance &instance, const graphe_solution &solution)
{
    const faits_solution faits = calculer_faits_solution(instance, solution);
    resume_etape r;
    r.non_couverts = int(faits.non_couverts.size());
    r.composantes_ma = faits.composantes_ma;
    // The facts' lengths count repeats and numbers out of range: a step's
    // are the sensors themselves, as its difference counts them.
    const std::size_t n = instance.nb_sensors();
    std::vector<std::uint8_t> vus(n, 0);
    const auto l = listes(solution);
    for (int k = 0; k < 3; ++k) {
        const std::uint8_t bit = std::uint8_t(1u << k);
        for (std::uint16_t v : *l[std::size_t(k)]) {
            if (v < n && !(vus[v] & bit)) {
                vus[v] |= bit;
                ++r.longueurs[std::size_t(k)];
            }
        }
    }
    return r;
}

difference_etapes difference_solutions(std::size_t nb_capteurs, const graphe_solution &avant,
                                       const graphe_solution &apres)
{
    // List k: bit 2k in the old solution, bit 2k + 1 in the new.
    std::vector<std::uint8_t> dans(nb_capteurs, 0);
    const auto anciennes = listes(avant);
    const auto nouvelles = listes(apres);
    for (std::size_t k = 0; k < 3; ++k) {
        for (std::uint16_t v : *anciennes[k])
            if (v < nb_capteurs)
                dans[v] |= std::uint8_t(1u << (2 * k));
        for (std::uint16_t v : *nouvelles[k])
            if (v < nb_capteurs)
                dans[v] |= std::uint8_t(2u << (2 * k));
    }
    difference_etapes d;
    int ma_deux = 0;
    int ma_reunion = 0;
    for (std::uint8_t bits : dans) {
        for (std::size_t k = 0; k < 3; ++k) {
            const unsigned paire = (bits >> (2 * k)) & 3u;
            d.entres[k] += paire == 2u;
            d.sortis[k] += paire == 1u;
        }
        ma_deux += (bits & 3u) == 3u;
        ma_reunion += (bits & 3u) != 0u;
    }
    d.jaccard = ma_reunion ? double(ma_deux) / double(ma_reunion) : 1.0;
    return d;
}

historique_solutions::ajout historique_solutions::ajouter(const graphe_instance &instance,
                                                          std::shared_ptr<const graphe_solution> solution,
                                                          const QString &fichier, const QDateTime &lue_le)
{
    if (!solution || (!_etapes.empty() && memes_listes(*_etapes.back().solution, *solution)))
        return ajout::identique;

    // Everything is computed before the history changes.
    etape_solution e;
    e.solution = serree(std::move(solution));
    e.fichier = fichier;
    e.lue_le = lue_le;
    e.resume = resumer_etape(instance, *e.solution);
    if (!_etapes.empty())
        e.difference = difference_solutions(instance.nb_sensors(), *_etapes.back().solution, *e.solution);

    bool oubli = false;
    if (taille() >= capacite) {
        _etapes.pop_front();
        // What it changed from is gone: it is now a first step.
        _etapes.front().difference = difference_etapes();
        oubli = true;
    }
    _etapes.push_back(std::move(e));
    if (!oubli || _oubli_annonce)
        return ajout::ajoutee;
    _oubli_annonce = true;
    return ajout::ajoutee_en_oubliant;
}

int historique_solutions::taille() const
{
    return int(_etapes.size());
}

const etape_solution &historique_solutions::etape(int i) const
{
    Q_ASSERT(i >= 0 && i < taille());
    return _etapes[std::size_t(i)];
}

const graphe_solution *historique_solutions::precedente(int i) const
{
    if (i <= 0 || i > taille())
        return nullptr;
    return _etapes[std::size_t(i - 1)].solution.get();
}

void historique_solutions::recalculer(const graphe_instance &instance)
{
    const graphe_solution *avant = nullptr;
    for (etape_solution &e : _etapes) {
        e.resume = resumer_etape(instance, *e.solution);
        e.difference = avant ? difference_solutions(instance.nb_sensors(), *avant, *e.solution) : difference_etapes();
        avant = e.solution.get();
    }
}

void historique_solutions::vider()
{
    _etapes.clear();
    _oubli_annonce = false;
}
