#ifndef RESEAU_RELU_H
#define RESEAU_RELU_H

#include "commun.h"

#include "coord_sommet.h"
#include "ecriture_reseau.h"
#include "format_reseau.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "lecture_fichier.h"

#include <QFileInfo>

#include <algorithm>
#include <vector>

// What the network readers' targets check (GraphML, GEXF, Cytoscape.js):
// what a reader accepts is a network the viewer can draw (every list, place
// and role within it), and writing that network in the same format and
// reading it again gives the same network.
namespace fuzz
{

// The records as text, each list without its repeats and loops, which a
// network written back leaves out.
inline std::string decrire(const reseau_fichier &r)
{
    const graphe_instance &g = *r.instance;
    const std::size_t n = g.nb_sensors();
    exiger(g.positions().size() == n && g.voisins().size() == n, "records and sensor count differ");
    exiger(n == 0 || g.sink() < n, "sink out of range");
    std::ostringstream d;
    d << n << " sink " << g.sink() << '\n';
    for (std::size_t i = 0; i < n; ++i) {
        exiger(g.positions()[i]->x() >= 0 && g.positions()[i]->y() >= 0, "negative coordinate");
        std::vector<std::uint16_t> liste = *g.voisins()[i];
        exiger(std::is_sorted(liste.begin(), liste.end()), "list not in order");
        liste.erase(std::unique(liste.begin(), liste.end()), liste.end());
        d << g.positions()[i]->x() << ',' << g.positions()[i]->y() << ':';
        for (std::uint16_t v : liste) {
            exiger(v < n, "neighbour out of range");
            if (v != i)
                d << ' ' << v;
        }
        d << '\n';
    }
    if (r.solution)
        for (const auto *liste : {&r.solution->liste_ma(), &r.solution->liste_sl(), &r.solution->liste_br()}) {
            for (std::uint16_t v : *liste) {
                exiger(v < n, "role out of range");
                d << v << ' ';
            }
            d << "|\n";
        }
    return d.str();
}

inline void relire(const char *nom, const QByteArray &contenu)
{
    capture console;
    const QString chemin = ecrire(nom, contenu);
    const fichier_lu<reseau_fichier> lu = lire_fichier_reseau(chemin);
    exiger(lu.lu == bool(lu.contenu) && lu.lu == lu.raison.isEmpty(), "result, record and reason disagree");
    if (!lu.lu)
        return;
    const std::string avant = decrire(*lu.contenu);
    const QString copie = fuzz::chemin("copie.") + QFileInfo(chemin).suffix();
    exiger(ecrire_fichier_reseau(copie, *lu.contenu->instance, lu.contenu->solution.get(), nullptr),
           "the network could not be written back");
    const fichier_lu<reseau_fichier> relu = lire_fichier_reseau(copie);
    exiger(relu.lu, "the network written back does not read", avant);
    const std::string apres = decrire(*relu.contenu);
    exiger(avant == apres, "the network written back reads otherwise", avant, apres);
}

} // namespace fuzz

#endif
