#ifndef POUR_CHAQUE_LIEN_H
#define POUR_CHAQUE_LIEN_H

#include "graphe_instance.h"

#include <algorithm>
#include <cstdint>
#include <vector>

// Calls f(a, b) for every neighbour entry that makes a link, list by list:
// b below nb_sensors and not a itself. Lists a failed read left missing
// are skipped.
template <typename F>
void pour_chaque_lien(const graphe_instance &instance, F &&f)
{
    const std::size_t n = instance.nb_sensors();
    const std::size_t listes = std::min(n, instance.voisins().size());
    for (std::size_t a = 0; a < listes; ++a) {
        if (!instance.voisins()[a])
            continue;
        for (std::uint16_t b : *instance.voisins()[a])
            if (b < n && b != a)
                f(std::uint16_t(a), b);
    }
}

// Who lists each sensor, as one array of entries grouped by the sensor they
// name: only entries that make a link (in range, not the sensor itself).
struct listes_entrantes
{
    std::vector<std::uint32_t> debut;
    std::vector<std::uint16_t> sources;

    listes_entrantes(const graphe_instance &instance, std::size_t n) : debut(n + 1, 0)
    {
        pour_chaque_lien(instance, [this](std::uint16_t, std::uint16_t b) { ++debut[b + 1]; });
        for (std::size_t b = 0; b < n; ++b)
            debut[b + 1] += debut[b];
        sources.resize(debut[n]);
        std::vector<std::uint32_t> suivant(debut.begin(), debut.end() - 1);
        pour_chaque_lien(instance, [&](std::uint16_t a, std::uint16_t b) { sources[suivant[b]++] = a; });
    }
};

// Calls f(a, b, sens_unique) once per link: for a link both ways, with a the
// smaller number; for a link one way, with a the sensor that lists b.
// Repeated entries count once.
template <typename F>
void pour_chaque_lien_une_fois(const graphe_instance &instance, F &&f)
{
    const std::size_t n = instance.nb_sensors();
    const listes_entrantes entrants(instance, n);
    // Stamped, not cleared: for sensor a, listant[c] == a + 1 when c lists
    // a, and vu[b] == a + 1 once a's entry for b was handled.
    std::vector<std::uint32_t> listant(n, 0), vu(n, 0);
    const std::size_t listes = std::min(n, instance.voisins().size());
    for (std::size_t a = 0; a < listes; ++a) {
        if (!instance.voisins()[a])
            continue;
        const std::uint32_t marque = std::uint32_t(a + 1);
        for (std::uint32_t i = entrants.debut[a]; i < entrants.debut[a + 1]; ++i)
            listant[entrants.sources[i]] = marque;
        for (std::uint16_t b : *instance.voisins()[a]) {
            if (b >= n || b == a || vu[b] == marque)
                continue;
            vu[b] = marque;
            const bool reciproque = listant[b] == marque;
            if (!reciproque || a < b)
                f(std::uint16_t(a), b, !reciproque);
        }
    }
}

#endif
