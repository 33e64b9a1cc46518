#include "ecriture_gexf.h"

#include "coord_sommet.h"
#include "graphe_instance.h"
#include "pour_chaque_lien.h"
#include "roles_capteurs.h"
#include "tampon_sortie.h"

#include <algorithm>

namespace {

// GEXF 1.2 rather than 1.3: networkx reads 1.2 by default, Gephi both.
// Nodes and edges a line each, unindented, their attributes' ids a letter:
// a large network's file is a third shorter to write and to read.
const char *const debut_document =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<gexf xmlns=\"http://www.gexf.net/1.2draft\" xmlns:viz=\"http://www.gexf.net/1.2draft/viz\" "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "xsi:schemaLocation=\"http://www.gexf.net/1.2draft http://www.gexf.net/1.2draft/gexf.xsd\" version=\"1.2\">\n"
    "  <meta>\n    <creator>visual_graphe</creator>\n  </meta>\n"
    "  <graph defaultedgetype=\"undirected\" mode=\"static\">\n"
    "    <attributes class=\"node\" mode=\"static\">\n"
    "      <attribute id=\"n\" title=\"sensor\" type=\"integer\"/>\n"
    "      <attribute id=\"p\" title=\"sink\" type=\"boolean\"/>\n";
const char *const attributs_solution =
    "      <attribute id=\"m\" title=\"ma\" type=\"boolean\"/>\n"
    "      <attribute id=\"l\" title=\"sl\" type=\"boolean\"/>\n"
    "      <attribute id=\"b\" title=\"br\" type=\"boolean\"/>\n";
const char *const attribut_sens_unique =
    "    </attributes>\n"
    "    <attributes class=\"edge\" mode=\"static\">\n"
    "      <attribute id=\"u\" title=\"one_way\" type=\"boolean\"><default>false</default></attribute>\n"
    "    </attributes>\n";
const char *const fin_document = "    </edges>\n  </graph>\n</gexf>\n";

std::uint32_t fond(const fonds_roles &fonds, std::uint8_t masque, bool solution)
{
    if (!solution)
        return fonds.autres;
    if (masque & roles_capteurs::puits)
        return fonds.puits;
    if (masque & roles_capteurs::ma)
        return fonds.ma;
    return masque & roles_capteurs::br ? fonds.br : fonds.autres;
}

void ecrire_noeuds(tampon_sortie &t, const graphe_instance &instance, const graphe_solution *solution,
                   const fonds_roles &fonds)
{
    const roles_capteurs roles(instance, solution);
    const std::size_t n = std::min<std::size_t>(instance.nb_sensors(), instance.positions().size());
    t << "    <nodes>\n";
    for (std::size_t k = 0; k < n; ++k) {
        const coord_sommet *p = instance.positions()[k].get();
        if (!p)
            continue;
        const long long numero = static_cast<long long>(k);
        const std::uint8_t masque = roles.masque(k);
        t << "<node id=\"n" << numero << "\" label=\"" << numero << "\"><attvalues><attvalue for=\"n\" value=\""
          << numero << "\"/><attvalue for=\"p\" value=\"" << bool(masque & roles_capteurs::puits) << "\"/>";
        if (solution)
            t << "<attvalue for=\"m\" value=\"" << bool(masque & roles_capteurs::ma)
              << "\"/><attvalue for=\"l\" value=\"" << bool(masque & roles_capteurs::sl)
              << "\"/><attvalue for=\"b\" value=\"" << bool(masque & roles_capteurs::br) << "\"/>";
        const std::uint32_t c = fond(fonds, masque, solution);
        t << "</attvalues><viz:position x=\"" << static_cast<long long>(p->x()) << "\" y=\""
          << static_cast<long long>(p->y()) << "\"/><viz:color r=\"" << static_cast<long long>((c >> 16) & 0xff)
          << "\" g=\"" << static_cast<long long>((c >> 8) & 0xff) << "\" b=\"" << static_cast<long long>(c & 0xff)
          << "\"/></node>\n";
        t.peut_etre_vider();
    }
    t << "    </nodes>\n    <edges>\n";
}

} // namespace

bool ecrire_gexf(QIODevice &sortie, const graphe_instance &instance, const graphe_solution *solution,
                 const fonds_roles &fonds)
{
    tampon_sortie t(sortie);
    t << debut_document;
    if (solution)
        t << attributs_solution;
    t << attribut_sens_unique;
    ecrire_noeuds(t, instance, solution, fonds);
    long long id = 0;
    pour_chaque_lien_une_fois(instance, [&t, &id](std::uint16_t a, std::uint16_t b, bool sens_unique) {
        t << "<edge id=\"" << id++ << "\" source=\"n" << static_cast<long long>(a) << "\" target=\"n"
          << static_cast<long long>(b);
        t << (sens_unique ? "\"><attvalues><attvalue for=\"u\" value=\"true\"/></attvalues></edge>\n" : "\"/>\n");
        t.peut_etre_vider();
    });
    t << fin_document;
    return t.vider();
}
