#include "lecture_fichier.h"

#include "graphe_lu.h"
#include "lecture_xml.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace {

struct cle_graphml
{
    QString id;
    attribut pour_noeud = attribut::aucun;
    bool sens_unique = false; // the edges' one_way
    // yEd's shapes, with each node's place and label.
    bool graphique = false;
    std::optional<QString> defaut;
};

// Reads a GraphML document's keys and its one graph: the nodes in document
// order with their values, the edges as pairs of nodes.
template <typename Source>
class lecteur_graphml : public lecteur_reseau_xml<Source>
{
public:
    explicit lecteur_graphml(Source &source) : lecteur_reseau_xml<Source>(source) {}

    // False with the cause and its line.
    bool lire();
    using lecteur_reseau_xml<Source>::graphe;

private:
    using lecteur_reseau_xml<Source>::echouer;
    using lecteur_reseau_xml<Source>::echouer_xml;
    using lecteur_reseau_xml<Source>::sans_faute;
    using lecteur_reseau_xml<Source>::_source;

    bool lire_cle();
    bool lire_graphe();
    bool lire_noeud();
    bool lire_arete(bool orientees);
    // The data element of a node (noeud) or of an edge (sens_unique).
    bool lire_donnee(noeud_lu *noeud, bool *sens_unique);
    void lire_forme(noeud_lu &noeud);

    std::vector<cle_graphml> _cles;
    // Every node starts with the keys' defaults.
    valeurs_noeud _modele;
    bool _sens_unique_par_defaut = false;
};

template <typename Source>
bool lecteur_graphml<Source>::lire()
{
    if (!this->racine("graphml"))
        return false;
    bool graphe_vu = false;
    while (_source.suivant()) {
        if (_source.nom_est("key")) {
            if (!lire_cle())
                return false;
        } else if (_source.nom_est("graph")) {
            if (graphe_vu)
                return echouer(QStringLiteral("un second élément graph, un seul graphe est lu"));
            graphe_vu = true;
            if (!lire_graphe())
                return false;
        } else {
            _source.sauter();
        }
    }
    return this->finir(graphe_vu);
}

template <typename Source>
bool lecteur_graphml<Source>::lire_cle()
{
    const QStringView pour = _source.attribut("for");
    const bool tous = pour.isEmpty() || pour == QLatin1String("all");
    cle_graphml cle;
    cle.id = _source.attribut("id").toString();
    const QStringView nom = _source.attribut("attr.name");
    if (tous || pour == QLatin1String("node")) {
        cle.pour_noeud = attribut_de_noeud(nom);
        cle.graphique = _source.attribut("yfiles.type") == QLatin1String("nodegraphics");
    }
    cle.sens_unique = (tous || pour == QLatin1String("edge")) && nom == QLatin1String("one_way");
    while (_source.suivant()) {
        if (_source.nom_est("default"))
            cle.defaut = _source.texte().toString();
        else
            _source.sauter();
    }
    _cles.push_back(std::move(cle));
    return sans_faute();
}

template <typename Source>
bool lecteur_graphml<Source>::lire_graphe()
{
    const bool orientees = _source.attribut("edgedefault") == QLatin1String("directed");
    for (const cle_graphml &cle : _cles) {
        if (!cle.defaut)
            continue;
        if (cle.pour_noeud != attribut::aucun) {
            if (const std::optional<QString> faute = appliquer(cle.pour_noeud, *cle.defaut, _modele))
                return echouer(*faute);
        }
        if (cle.sens_unique) {
            const std::optional<bool> oui = booleen(*cle.defaut);
            if (!oui)
                return echouer(QStringLiteral("one_way par défaut « %1 » n'est pas un booléen").arg(*cle.defaut));
            _sens_unique_par_defaut = *oui;
        }
    }
    while (_source.suivant()) {
        bool lu = true;
        if (_source.nom_est("node"))
            lu = lire_noeud();
        else if (_source.nom_est("edge"))
            lu = lire_arete(orientees);
        else
            _source.sauter();
        if (!lu)
            return false;
    }
    return sans_faute();
}

template <typename Source>
bool lecteur_graphml<Source>::lire_noeud()
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
    while (_source.suivant()) {
        if (_source.nom_est("data")) {
            if (!lire_donnee(&noeud, nullptr))
                return false;
        } else if (_source.nom_est("graph")) {
            return echouer(QStringLiteral("graphe imbriqué dans le nœud « %1 », non pris en charge").arg(son_id));
        } else {
            _source.sauter();
        }
    }
    // x and y data come first; yEd's place, already in noeud, next.
    const std::optional<double> x = noeud.v.x ? noeud.v.x : noeud.v.pos_x;
    const std::optional<double> y = noeud.v.y ? noeud.v.y : noeud.v.pos_y;
    if (x && y) {
        noeud.x = *x;
        noeud.y = *y;
        noeud.y_vers_le_bas = false;
    } else if (!_source.en_erreur() && !noeud.y_vers_le_bas) {
        return echouer(QStringLiteral("nœud « %1 » sans coordonnées (x et y, ou pos_x et pos_y)").arg(son_id), debut);
    }
    graphe.noeuds.push_back(std::move(noeud));
    return sans_faute();
}

template <typename Source>
bool lecteur_graphml<Source>::lire_arete(bool orientees)
{
    const qint64 debut = _source.ligne();
    const QStringView source = _source.attribut("source");
    const QStringView cible = _source.attribut("target");
    if (source.isEmpty() || cible.isEmpty())
        return echouer(QStringLiteral("arête sans source ou sans cible"));
    const QStringView orientee = _source.attribut("directed");
    const bool une_entree = orientee.isEmpty() ? orientees : booleen(orientee).value_or(false);
    // Added before its data are read, while the reader's views hold.
    bool &sens = graphe.ajouter_arete(source, cible, une_entree, debut);
    bool sens_unique = _sens_unique_par_defaut;
    while (_source.suivant()) {
        if (_source.nom_est("data")) {
            if (!lire_donnee(nullptr, &sens_unique))
                return false;
        } else {
            _source.sauter();
        }
    }
    sens = sens || sens_unique;
    return sans_faute();
}

template <typename Source>
bool lecteur_graphml<Source>::lire_donnee(noeud_lu *noeud, bool *sens_unique)
{
    const QStringView id = _source.attribut("key");
    const auto cle = std::find_if(_cles.begin(), _cles.end(), [id](const cle_graphml &c) { return meme(c.id, id); });
    if (noeud && cle != _cles.end() && cle->graphique) {
        lire_forme(*noeud);
        return true;
    }
    const bool utile = cle != _cles.end() && (noeud ? cle->pour_noeud != attribut::aucun : cle->sens_unique);
    if (!utile) {
        _source.sauter();
        return true;
    }
    const QStringView texte = _source.texte();
    if (noeud) {
        const std::optional<QString> faute = appliquer(cle->pour_noeud, texte, noeud->v);
        return !faute || echouer(*faute);
    }
    const std::optional<bool> oui = booleen(texte);
    if (!oui)
        return echouer(QStringLiteral("one_way = « %1 » n'est pas un booléen (true ou false)").arg(texte));
    *sens_unique = *oui;
    return true;
}

// yEd's shape of a node (y:ShapeNode or another): the centre of its
// y:Geometry, and its y:NodeLabel when that is a whole number.
template <typename Source>
void lecteur_graphml<Source>::lire_forme(noeud_lu &noeud)
{
    while (_source.suivant()) {
        while (_source.suivant()) {
            if (_source.nom_est("Geometry")) {
                const auto cote = [this](const char *a) { return nombre_fini(_source.attribut(a)).value_or(0); };
                const std::optional<double> x = nombre_fini(_source.attribut("x"));
                const std::optional<double> y = nombre_fini(_source.attribut("y"));
                if (x && y) {
                    noeud.x = *x + cote("width") / 2;
                    noeud.y = *y + cote("height") / 2;
                    noeud.y_vers_le_bas = true;
                }
                _source.sauter();
            } else if (_source.nom_est("NodeLabel")) {
                const std::optional<double> n = nombre_fini(_source.texte());
                if (n && *n >= 0 && *n == std::floor(*n))
                    noeud.etiquette = n;
            } else {
                _source.sauter();
            }
        }
    }
}

} // namespace

fichier_lu<reseau_fichier> lire_fichier_graphml(const QString &chemin)
{
    return lire_fichier_xml<lecteur_graphml>(chemin);
}
