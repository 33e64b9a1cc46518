// The GraphML reader on any bytes: what it accepts is a network the viewer
// can draw (every list, place and role within it), and writing that network
// as GraphML and reading it again gives the same network. Its two ways
// through XML agree: what the quick one takes, QXmlStreamReader takes alike.
#include "commun.h"

#include "coord_sommet.h"
#include "ecriture_entiere.h"
#include "ecriture_graphml.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "lecture_fichier.h"
#include "lecteur_xml_qt.h"
#include "lecteur_xml_rapide.h"

#include <QBuffer>

#include <algorithm>

namespace
{

// The records as text, each list without its repeats and loops, which a
// GraphML written back leaves out.
std::string decrire(const reseau_fichier &r)
{
    const graphe_instance &g = *r.instance;
    const std::size_t n = g.nb_sensors();
    fuzz::exiger(g.positions().size() == n && g.voisins().size() == n, "records and sensor count differ");
    fuzz::exiger(n == 0 || g.sink() < n, "sink out of range");
    std::ostringstream d;
    d << n << " sink " << g.sink() << '\n';
    for (std::size_t i = 0; i < n; ++i) {
        fuzz::exiger(g.positions()[i]->x() >= 0 && g.positions()[i]->y() >= 0, "negative coordinate");
        std::vector<std::uint16_t> liste = *g.voisins()[i];
        fuzz::exiger(std::is_sorted(liste.begin(), liste.end()), "list not in order");
        liste.erase(std::unique(liste.begin(), liste.end()), liste.end());
        d << g.positions()[i]->x() << ',' << g.positions()[i]->y() << ':';
        for (std::uint16_t v : liste) {
            fuzz::exiger(v < n, "neighbour out of range");
            if (v != i)
                d << ' ' << v;
        }
        d << '\n';
    }
    if (r.solution)
        for (const auto *liste : {&r.solution->liste_ma(), &r.solution->liste_sl(), &r.solution->liste_br()}) {
            for (std::uint16_t v : *liste) {
                fuzz::exiger(v < n, "role out of range");
                d << v << ' ';
            }
            d << "|\n";
        }
    return d.str();
}

// What a reader gives of an element and its children, as the GraphML
// reader asks for it.
template <typename Source>
void element(Source &source, std::ostringstream &d, int profondeur)
{
    d << '<' << source.nom().toString().toStdString();
    for (const char *a : {"id", "key", "source", "target", "for", "attr.name", "directed", "edgedefault"})
        d << ' ' << a << '=' << source.attribut(a).toString().toStdString();
    if (source.nom_est("data") || source.nom_est("default")) {
        d << " texte=" << source.texte().toString().toStdString() << '\n';
        return;
    }
    if (profondeur > 64) {
        source.sauter();
        d << " saute\n";
        return;
    }
    while (source.suivant())
        element(source, d, profondeur + 1);
    d << ">\n";
}

template <typename Source>
std::string parcourir(Source &source)
{
    std::ostringstream d;
    if (source.suivant())
        element(source, d, 0);
    source.finir();
    return d.str();
}

void comparer_lecteurs(const QByteArray &contenu)
{
    lecteur_xml_rapide rapide(contenu);
    const std::string vite = parcourir(rapide);
    if (rapide.en_erreur())
        return;
    QByteArray copie = contenu;
    QBuffer tampon(&copie);
    tampon.open(QIODevice::ReadOnly);
    lecteur_xml_qt qt(tampon);
    const std::string lent = parcourir(qt);
    fuzz::exiger(!qt.en_erreur(), "the quick reader took a document QXmlStreamReader refuses", vite,
                 qt.erreur().toStdString());
    fuzz::exiger(vite == lent, "the two XML readers read otherwise", vite, lent);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray contenu(reinterpret_cast<const char *>(data), qsizetype(size));
    comparer_lecteurs(contenu);
    fuzz::capture console;
    const QString chemin = fuzz::ecrire("reseau.graphml", contenu);
    const fichier_lu<reseau_fichier> lu = lire_fichier_graphml(chemin);
    fuzz::exiger(lu.lu == bool(lu.contenu) && lu.lu == lu.raison.isEmpty(), "result, record and reason disagree");
    if (!lu.lu)
        return 0;
    const std::string avant = decrire(*lu.contenu);
    const QString copie = fuzz::chemin("copie.graphml");
    fuzz::exiger(ecriture_entiere::ecrire({{copie, [&](QIODevice &sortie, QString &) {
                                               return ecrire_graphml(sortie, *lu.contenu->instance,
                                                                     lu.contenu->solution.get());
                                           }}}),
                 "the network could not be written back");
    const fichier_lu<reseau_fichier> relu = lire_fichier_graphml(copie);
    fuzz::exiger(relu.lu, "the network written back does not read", avant);
    const std::string apres = decrire(*relu.contenu);
    fuzz::exiger(avant == apres, "the network written back reads otherwise", avant, apres);
    return 0;
}
