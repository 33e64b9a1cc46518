#include "ecriture_cyjs.h"

#include "coord_sommet.h"
#include "graphe_instance.h"
#include "pour_chaque_lien.h"
#include "roles_capteurs.h"
#include "tampon_sortie.h"

#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QString>

#include <algorithm>

namespace {

// A node's id, "n" and its number, which needs no escaping.
tampon_sortie &id_noeud(tampon_sortie &t, std::size_t k)
{
    return t << "\"n" << static_cast<long long>(k) << "\"";
}

void ecrire_noeuds(tampon_sortie &t, const graphe_instance &instance, const graphe_solution *solution)
{
    const roles_capteurs roles(instance, solution);
    const std::size_t n = std::min<std::size_t>(instance.nb_sensors(), instance.positions().size());
    bool premier = true;
    for (std::size_t k = 0; k < n; ++k) {
        const coord_sommet *p = instance.positions()[k].get();
        if (!p)
            continue;
        const long long numero = static_cast<long long>(k);
        t << (premier ? "" : ",") << "{\"data\":{\"id\":";
        id_noeud(t, k) << ",\"value\":";
        id_noeud(t, k) << ",\"name\":\"" << numero << "\",\"sensor\":" << numero
                       << ",\"sink\":" << roles.joue(k, roles_capteurs::puits);
        if (solution)
            t << ",\"ma\":" << roles.joue(k, roles_capteurs::ma) << ",\"sl\":" << roles.joue(k, roles_capteurs::sl)
              << ",\"br\":" << roles.joue(k, roles_capteurs::br);
        // Cytoscape's y axis points down.
        t << "},\"position\":{\"x\":" << static_cast<long long>(p->x()) << ",\"y\":" << -static_cast<long long>(p->y())
          << "}}";
        premier = false;
        t.peut_etre_vider();
    }
}

void ecrire_aretes(tampon_sortie &t, const graphe_instance &instance)
{
    long long id = 0;
    pour_chaque_lien_une_fois(instance, [&](std::uint16_t a, std::uint16_t b, bool sens_unique) {
        t << (id ? "," : "") << "{\"data\":{\"id\":\"e" << id << "\",\"source\":";
        id_noeud(t, a) << ",\"target\":";
        id_noeud(t, b);
        if (sens_unique)
            t << ",\"one_way\":true";
        t << "}}";
        ++id;
        t.peut_etre_vider();
    });
}

} // namespace

bool ecrire_cyjs(QIODevice &sortie, const graphe_instance &instance, const graphe_solution *solution,
                 const QString &nom)
{
    // The name is the one free text: QJsonDocument escapes it. The elements,
    // numbers and ids alone, are written as they go, which a document of
    // hundreds of thousands of objects would take many times longer to build.
    const QByteArray nom_json = QJsonDocument(QJsonArray{nom}).toJson(QJsonDocument::Compact).chopped(1).mid(1);
    tampon_sortie t(sortie);
    // networkx's reader wants data, directed and multigraph at the top.
    t << "{\"format_version\":\"1.0\",\"generated_by\":\"visual_graphe\",\"target_cytoscapejs_version\":\"~2.1\","
         "\"data\":{\"name\":"
      << nom_json.constData() << "},\"directed\":false,\"multigraph\":false,\"elements\":{\"nodes\":[";
    ecrire_noeuds(t, instance, solution);
    t << "],\"edges\":[";
    ecrire_aretes(t, instance);
    t << "]}}\n";
    return t.vider();
}
