#include "lecture_fichier.h"

#include "graphe_lu.h"
#include "lecture_xml.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// What an <attribute> of the nodes' or of the edges' stands for.
struct attribut_gexf
{
    QString id;
    bool pour_noeud = true;
    attribut quoi = attribut::aucun;
    bool sens_unique = false; // the edges' one_way
};

// Time attributes of GEXF 1.2 and 1.3: any of them makes a graph dynamic.
const char *const attributs_temps[] = {"start", "end", "startopen", "endopen", "timestamp", "timestamps"};

// Reads a GEXF document's one static graph: its attributes, its nodes in
// document order with their values and viz:position, its edges.
template <typename Source>
class lecteur_gexf : public lecteur_reseau_xml<Source>
{
public:
    explicit lecteur_gexf(Source &source) : lecteur_reseau_xml<Source>(source) {}

    // False with the cause and its line.
    bool lire();
    using lecteur_reseau_xml<Source>::graphe;

private:
    using lecteur_reseau_xml<Source>::echouer;
    using lecteur_reseau_xml<Source>::sans_faute;
    using lecteur_reseau_xml<Source>::_source;

    // Refuses an element that is dated, or a list of spells.
    bool statique();
    bool lire_graphe();
    bool lire_attributs();
    bool lire_noeud();
    bool lire_arete(bool orientees);
    // The <attvalues> of a node (v) or of an edge (sens_unique).
    bool lire_valeurs(valeurs_noeud *v, bool *sens_unique);
    // Each child of the current element through f, the others skipped.
    template <typename F>
    bool enfants(const char *nom, F &&f);

    std::vector<attribut_gexf> _attributs;
    // Every node starts with the attributes' defaults.
    valeurs_noeud _modele;
    bool _sens_unique_par_defaut = false;
};

template <typename Source>
bool lecteur_gexf<Source>::lire()
{
    if (!this->racine("gexf"))
        return false;
    bool graphe_vu = false;
    while (_source.suivant()) {
        if (!_source.nom_est("graph")) {
            _source.sauter();
            continue;
        }
        if (graphe_vu)
            return echouer(QStringLiteral("un second élément graph, un seul graphe est lu"));
        graphe_vu = true;
        if (!lire_graphe())
            return false;
    }
    return this->finir(graphe_vu);
}

template <typename Source>
bool lecteur_gexf<Source>::statique()
{
    if (_source.nom_est("spells"))
        return echouer(QStringLiteral("GEXF dynamique (spells) : seuls les graphes statiques sont lus"));
    if (_source.nom_est("graph") && _source.attribut("mode") == QLatin1String("dynamic"))
        return echouer(QStringLiteral("GEXF dynamique (mode=\"dynamic\") : seuls les graphes statiques sont lus"));
    for (const char *a : attributs_temps)
        if (!_source.attribut(a).isEmpty())
            return echouer(
                QStringLiteral("GEXF dynamique (%1) : seuls les graphes statiques sont lus").arg(QLatin1String(a)));
    return true;
}

template <typename Source>
template <typename F>
bool lecteur_gexf<Source>::enfants(const char *nom, F &&f)
{
    while (_source.suivant()) {
        if (!statique())
            return false;
        if (!_source.nom_est(nom))
            _source.sauter();
        else if (!f())
            return false;
    }
    return sans_faute();
}

template <typename Source>
bool lecteur_gexf<Source>::lire_graphe()
{
    if (!statique())
        return false;
    const bool orientees = _source.attribut("defaultedgetype") == QLatin1String("directed");
    while (_source.suivant()) {
        bool lu = statique();
        if (lu && _source.nom_est("attributes"))
            lu = lire_attributs();
        else if (lu && _source.nom_est("nodes"))
            lu = enfants("node", [this] { return lire_noeud(); });
        else if (lu && _source.nom_est("edges"))
            lu = enfants("edge", [this, orientees] { return lire_arete(orientees); });
        else if (lu)
            _source.sauter();
        if (!lu)
            return false;
    }
    return sans_faute();
}

template <typename Source>
bool lecteur_gexf<Source>::lire_attributs()
{
    const bool pour_noeud = _source.attribut("class") != QLatin1String("edge");
    return enfants("attribute", [this, pour_noeud] {
        attribut_gexf a;
        a.id = _source.attribut("id").toString();
        a.pour_noeud = pour_noeud;
        const QStringView titre = _source.attribut("title");
        a.quoi = pour_noeud ? attribut_de_noeud(titre) : attribut::aucun;
        a.sens_unique = !pour_noeud && titre == QLatin1String("one_way");
        std::optional<QString> defaut;
        while (_source.suivant()) {
            if (_source.nom_est("default"))
                defaut = _source.texte().toString();
            else
                _source.sauter();
        }
        _attributs.push_back(std::move(a));
        if (!defaut)
            return sans_faute();
        if (_attributs.back().quoi != attribut::aucun) {
            const std::optional<QString> faute = appliquer(_attributs.back().quoi, *defaut, _modele);
            return !faute || echouer(*faute);
        }
        if (_attributs.back().sens_unique)
            _sens_unique_par_defaut = booleen(*defaut).value_or(false);
        return true;
    });
}

template <typename Source>
bool lecteur_gexf<Source>::lire_noeud()
{
    const qint64 debut = _source.ligne();
    QString id = _source.attribut("id").toString();
    if (id.isEmpty())
        return echouer(QStringLiteral("nœud sans id"));
    if (const std::optional<QString> faute = graphe.ajouter_id(std::move(id)))
        return echouer(*faute);
    const QString &son_id = graphe.ids.back();
    noeud_lu noeud;
    noeud.v = _modele;
    noeud.ligne = debut;
    std::optional<double> x, y;
    while (_source.suivant()) {
        bool lu = statique();
        if (lu && _source.nom_est("attvalues")) {
            lu = lire_valeurs(&noeud.v, nullptr);
        } else if (lu && _source.nom_est("position")) {
            x = nombre_fini(_source.attribut("x"));
            y = nombre_fini(_source.attribut("y"));
            _source.sauter();
        } else if (lu && _source.nom_est("nodes")) {
            lu = echouer(QStringLiteral("graphe imbriqué dans le nœud « %1 », non pris en charge").arg(son_id));
        } else if (lu) {
            _source.sauter();
        }
        if (!lu)
            return false;
    }
    // viz:position first, else x and y attributes.
    if (!x || !y) {
        x = noeud.v.x ? noeud.v.x : noeud.v.pos_x;
        y = noeud.v.y ? noeud.v.y : noeud.v.pos_y;
    }
    if (!_source.en_erreur() && (!x || !y))
        return echouer(QStringLiteral("nœud « %1 » sans position (viz:position, ou attributs x et y)").arg(son_id),
                       debut);
    noeud.x = x.value_or(0);
    noeud.y = y.value_or(0);
    graphe.noeuds.push_back(std::move(noeud));
    return sans_faute();
}

template <typename Source>
bool lecteur_gexf<Source>::lire_arete(bool orientees)
{
    const qint64 debut = _source.ligne();
    const QStringView source = _source.attribut("source");
    const QStringView cible = _source.attribut("target");
    if (source.isEmpty() || cible.isEmpty())
        return echouer(QStringLiteral("arête sans source ou sans cible"));
    const QStringView type = _source.attribut("type");
    if (!type.isEmpty() && type != QLatin1String("directed") && type != QLatin1String("undirected")
        && type != QLatin1String("mutual"))
        return echouer(QStringLiteral("type d'arête « %1 » inconnu (directed, undirected ou mutual)").arg(type));
    const bool une_entree = type.isEmpty() ? orientees : type == QLatin1String("directed");
    // Added before its values are read, while the reader's views hold.
    bool &sens = graphe.ajouter_arete(source, cible, une_entree, debut);
    bool sens_unique = _sens_unique_par_defaut;
    const bool lu = enfants("attvalues", [this, &sens_unique] { return lire_valeurs(nullptr, &sens_unique); });
    sens = sens || sens_unique;
    return lu;
}

template <typename Source>
bool lecteur_gexf<Source>::lire_valeurs(valeurs_noeud *v, bool *sens_unique)
{
    return enfants("attvalue", [this, v, sens_unique] {
        // GEXF 1.1 names the attribute by id, later versions by for.
        QStringView pour = _source.attribut("for");
        if (pour.isEmpty())
            pour = _source.attribut("id");
        const auto a = std::find_if(_attributs.begin(), _attributs.end(), [pour, v](const attribut_gexf &c) {
            return c.pour_noeud == bool(v) && meme(c.id, pour);
        });
        const QStringView valeur = _source.attribut("value");
        std::optional<QString> faute;
        if (a != _attributs.end() && v && a->quoi != attribut::aucun) {
            faute = appliquer(a->quoi, valeur, *v);
        } else if (a != _attributs.end() && !v && a->sens_unique) {
            const std::optional<bool> oui = booleen(valeur);
            faute = oui ? std::nullopt
                        : std::optional<QString>(
                              QStringLiteral("one_way = « %1 » n'est pas un booléen (true ou false)").arg(valeur));
            *sens_unique = oui.value_or(false);
        }
        _source.sauter();
        return !faute || echouer(*faute);
    });
}

} // namespace

fichier_lu<reseau_fichier> lire_fichier_gexf(const QString &chemin)
{
    return lire_fichier_xml<lecteur_gexf>(chemin);
}
