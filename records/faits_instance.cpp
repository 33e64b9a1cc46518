#include "faits_instance.h"

#include "coord_sommet.h"
#include "ensembles_disjoints.h"
#include "graphe_instance.h"
#include "pour_chaque_lien.h"

#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace {

constexpr std::size_t nombres_16_bits = 65536;
const graphe_instance::liste_voisins aucune_entree;

void calculer_bornes(const graphe_instance &instance, faits_instance &f)
{
    const std::size_t places = std::min<std::size_t>(instance.nb_sensors(), instance.positions().size());
    for (std::size_t i = 0; i < places; ++i) {
        const coord_sommet *p = instance.positions()[i].get();
        if (!p)
            continue;
        if (!f.bornes_valides) {
            f.min_x = f.max_x = p->x();
            f.min_y = f.max_y = p->y();
            f.bornes_valides = true;
            continue;
        }
        f.min_x = std::min(f.min_x, p->x());
        f.max_x = std::max(f.max_x, p->x());
        f.min_y = std::min(f.min_y, p->y());
        f.max_y = std::max(f.max_y, p->y());
    }
}

void calculer_composantes(ensembles_disjoints &groupes, std::size_t n, faits_instance &f)
{
    for (std::size_t v = 0; v < n; ++v)
        if (groupes.racine(std::uint32_t(v)) == v)
            ++f.composantes;
    f.puits_valide = f.puits < int(n);
    if (f.puits_valide)
        f.taille_composante_puits = int(groupes.taille(std::uint32_t(f.puits)));
}

// Walks the sensors one by one; the marks are stamped, not cleared: sensor
// a's are those equal to a + 1.
class parcours_capteurs
{
public:
    parcours_capteurs(const graphe_instance &instance, faits_instance &f)
        : _instance(instance), _f(f), _n(instance.nb_sensors()),
          _listes(std::min(_n, instance.voisins().size())), _entrants(instance, _n), _groupes(_n),
          _liste_a(_n, 0), _lie_a(_n, 0), _vu_dans_liste(nombres_16_bits, 0)
    {
    }

    // The sensor's distinct linked sensors, its entries counted and linked.
    int degre(std::size_t a)
    {
        const std::uint32_t marque = std::uint32_t(a + 1);
        int degre = 0;
        for (std::uint32_t i = _entrants.debut[a]; i < _entrants.debut[a + 1]; ++i) {
            const std::uint16_t c = _entrants.sources[i];
            _liste_a[c] = marque;
            degre += lier(c, marque);
        }
        const auto &liste = (a < _listes && _instance.voisins()[a]) ? *_instance.voisins()[a] : aucune_entree;
        for (std::uint16_t b : liste) {
            ++_f.entrees;
            _f.entrees_repetees += _vu_dans_liste[b] == marque;
            _vu_dans_liste[b] = marque;
            if (b >= _n || b == a) {
                ++(b >= _n ? _f.entrees_hors_limites : _f.entrees_soi_meme);
                continue;
            }
            // _liste_a marks the sensors that list a.
            _f.entrees_sens_unique += _liste_a[b] != marque;
            degre += lier(b, marque);
            _groupes.unir(std::uint32_t(a), b);
        }
        return degre;
    }

    ensembles_disjoints &groupes() { return _groupes; }

private:
    // 1 the first time sensor c is met as a's neighbour.
    int lier(std::uint16_t c, std::uint32_t marque)
    {
        if (_lie_a[c] == marque)
            return 0;
        _lie_a[c] = marque;
        return 1;
    }

    const graphe_instance &_instance;
    faits_instance &_f;
    const std::size_t _n;
    const std::size_t _listes;
    const listes_entrantes _entrants;
    ensembles_disjoints _groupes;
    std::vector<std::uint32_t> _liste_a, _lie_a, _vu_dans_liste;
};

} // namespace

faits_instance calculer_faits_instance(const graphe_instance &instance)
{
    faits_instance f;
    f.fichier = QFileInfo(instance.nom_fichier()).fileName();
    const std::size_t n = instance.nb_sensors();
    f.capteurs = int(n);
    f.puits = instance.sink();

    parcours_capteurs parcours(instance, f);
    qint64 somme_degres = 0;
    f.degre_min = n ? std::numeric_limits<int>::max() : 0;
    for (std::size_t a = 0; a < n; ++a) {
        const int degre = parcours.degre(a);
        if (degre == 0)
            f.isoles.push_back(std::uint16_t(a));
        somme_degres += degre;
        f.degre_min = std::min(f.degre_min, degre);
        f.degre_max = std::max(f.degre_max, degre);
    }
    f.liens = somme_degres / 2;
    f.degre_moyen = n ? double(somme_degres) / double(n) : 0.0;
    calculer_composantes(parcours.groupes(), n, f);
    calculer_bornes(instance, f);
    return f;
}

std::vector<std::uint16_t> capteurs_lies(const graphe_instance &instance, std::uint16_t k)
{
    std::vector<char> lie(instance.nb_sensors(), 0);
    pour_chaque_lien(instance, [&lie, k](std::uint16_t a, std::uint16_t b) {
        if (a == k)
            lie[b] = 1;
        else if (b == k)
            lie[a] = 1;
    });
    std::vector<std::uint16_t> resultat;
    for (std::size_t v = 0; v < lie.size(); ++v)
        if (lie[v])
            resultat.push_back(std::uint16_t(v));
    return resultat;
}
