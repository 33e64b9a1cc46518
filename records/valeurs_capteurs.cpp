#include "valeurs_capteurs.h"

#include "graphe_instance.h"
#include "pour_chaque_lien.h"

#include <algorithm>
#include <cstdint>

std::optional<std::pair<double, double>> valeurs_capteurs::etendue() const
{
    std::optional<std::pair<double, double>> e;
    for (const std::optional<double> &v : valeur) {
        if (!v)
            continue;
        if (!e)
            e = std::make_pair(*v, *v);
        e->first = std::min(e->first, *v);
        e->second = std::max(e->second, *v);
    }
    return e;
}

int valeurs_capteurs::nb_sans_valeur() const
{
    return int(std::count(valeur.begin(), valeur.end(), std::nullopt));
}

namespace {

// Each sensor's linked sensors, both ways, as one array grouped by sensor;
// a link listed by both ends is there twice, which a search does not mind.
struct voisinage
{
    std::vector<std::uint32_t> debut;
    std::vector<std::uint16_t> voisins;

    explicit voisinage(const graphe_instance &instance) : debut(std::size_t(instance.nb_sensors()) + 1, 0)
    {
        const std::size_t n = instance.nb_sensors();
        pour_chaque_lien(instance, [this](std::uint16_t a, std::uint16_t b) {
            ++debut[a + 1];
            ++debut[b + 1];
        });
        for (std::size_t s = 0; s < n; ++s)
            debut[s + 1] += debut[s];
        voisins.resize(debut[n]);
        std::vector<std::uint32_t> suivant(debut.begin(), debut.end() - 1);
        pour_chaque_lien(instance, [&](std::uint16_t a, std::uint16_t b) {
            voisins[suivant[a]++] = b;
            voisins[suivant[b]++] = a;
        });
    }
};

} // namespace

valeurs_capteurs sauts_au_puits(const graphe_instance &instance)
{
    valeurs_capteurs v;
    v.nom = QStringLiteral("sauts");
    const std::size_t n = instance.nb_sensors();
    v.valeur.assign(n, std::nullopt);
    if (instance.sink() >= n)
        return v;
    const voisinage liens(instance);
    std::vector<std::uint16_t> file{instance.sink()};
    file.reserve(n);
    v.valeur[instance.sink()] = 0;
    for (std::size_t i = 0; i < file.size(); ++i) {
        const std::uint16_t s = file[i];
        for (std::uint32_t k = liens.debut[s]; k < liens.debut[s + 1]; ++k) {
            const std::uint16_t t = liens.voisins[k];
            if (v.valeur[t])
                continue;
            v.valeur[t] = *v.valeur[s] + 1;
            file.push_back(t);
        }
    }
    return v;
}

valeurs_capteurs degres(const graphe_instance &instance)
{
    valeurs_capteurs v;
    v.nom = QString::fromUtf8("degré");
    v.valeur.assign(instance.nb_sensors(), 0.0);
    pour_chaque_lien_une_fois(instance, [&v](std::uint16_t a, std::uint16_t b, bool) {
        *v.valeur[a] += 1;
        *v.valeur[b] += 1;
    });
    return v;
}
