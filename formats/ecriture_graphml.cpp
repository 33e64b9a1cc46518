#include "ecriture_graphml.h"

#include "coord_sommet.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "pour_chaque_lien.h"
#include "tampon_sortie.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

const char *const debut_document =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<graphml xmlns=\"http://graphml.graphdrawing.org/xmlns\" "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "xsi:schemaLocation=\"http://graphml.graphdrawing.org/xmlns "
    "http://graphml.graphdrawing.org/xmlns/1.0/graphml.xsd\">\n"
    "  <key id=\"d0\" for=\"node\" attr.name=\"sensor\" attr.type=\"int\"/>\n"
    "  <key id=\"d1\" for=\"node\" attr.name=\"x\" attr.type=\"double\"/>\n"
    "  <key id=\"d2\" for=\"node\" attr.name=\"y\" attr.type=\"double\"/>\n"
    "  <key id=\"d3\" for=\"node\" attr.name=\"sink\" attr.type=\"boolean\"/>\n";
const char *const cles_solution =
    "  <key id=\"d4\" for=\"node\" attr.name=\"ma\" attr.type=\"boolean\"/>\n"
    "  <key id=\"d5\" for=\"node\" attr.name=\"sl\" attr.type=\"boolean\"/>\n"
    "  <key id=\"d6\" for=\"node\" attr.name=\"br\" attr.type=\"boolean\"/>\n";
const char *const cle_sens_unique =
    "  <key id=\"d7\" for=\"edge\" attr.name=\"one_way\" attr.type=\"boolean\">"
    "<default>false</default></key>\n"
    "  <graph id=\"G\" edgedefault=\"undirected\">\n";
const char *const fin_document = "  </graph>\n</graphml>\n";

// Each sensor's roles in the solution, for one look-up a node.
struct roles_noeuds
{
    std::vector<bool> ma, sl, br;

    roles_noeuds(const graphe_solution &s, std::size_t n) : ma(n), sl(n), br(n)
    {
        auto marquer = [n](const graphe_solution::liste_capteurs &liste, std::vector<bool> &marques) {
            for (std::uint16_t k : liste)
                if (k < n)
                    marques[k] = true;
        };
        marquer(s.liste_ma(), ma);
        marquer(s.liste_sl(), sl);
        marquer(s.liste_br(), br);
    }
};

void ecrire_noeuds(tampon_sortie &t, const graphe_instance &instance, const graphe_solution *solution)
{
    const std::size_t n = std::min<std::size_t>(instance.nb_sensors(), instance.positions().size());
    const std::optional<roles_noeuds> roles =
        solution ? std::optional<roles_noeuds>(std::in_place, *solution, n) : std::nullopt;
    for (std::size_t k = 0; k < n; ++k) {
        const coord_sommet *p = instance.positions()[k].get();
        if (!p)
            continue;
        const long long numero = static_cast<long long>(k);
        t << "    <node id=\"n" << numero << "\"><data key=\"d0\">" << numero << "</data><data key=\"d1\">"
          << static_cast<long long>(p->x()) << "</data><data key=\"d2\">" << static_cast<long long>(p->y())
          << "</data><data key=\"d3\">" << (k == instance.sink()) << "</data>";
        if (roles)
            t << "<data key=\"d4\">" << bool(roles->ma[k]) << "</data><data key=\"d5\">" << bool(roles->sl[k])
              << "</data><data key=\"d6\">" << bool(roles->br[k]) << "</data>";
        t << "</node>\n";
        t.peut_etre_vider();
    }
}

void ecrire_aretes(tampon_sortie &t, const graphe_instance &instance)
{
    pour_chaque_lien_une_fois(instance, [&t](std::uint16_t a, std::uint16_t b, bool sens_unique) {
        t << "    <edge source=\"n" << static_cast<long long>(a) << "\" target=\"n" << static_cast<long long>(b);
        t << (sens_unique ? "\"><data key=\"d7\">true</data></edge>\n" : "\"/>\n");
        t.peut_etre_vider();
    });
}

} // namespace

bool ecrire_graphml(QIODevice &sortie, const graphe_instance &instance, const graphe_solution *solution)
{
    tampon_sortie t(sortie);
    t << debut_document;
    if (solution)
        t << cles_solution;
    t << cle_sens_unique;
    ecrire_noeuds(t, instance, solution);
    ecrire_aretes(t, instance);
    t << fin_document;
    return t.vider();
}
