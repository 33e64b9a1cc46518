#ifndef POUR_CHAQUE_LIEN_H
#define POUR_CHAQUE_LIEN_H

#include "graphe_instance.h"

#include <algorithm>
#include <cstdint>

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

#endif
