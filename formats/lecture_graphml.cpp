#include "lecture_fichier.h"

#include "coord_sommet.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "lecteur_lignes.h"
#include "lecteur_xml_qt.h"
#include "lecteur_xml_rapide.h"
#include "raison_lecture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iostream>
#include <numeric>
#include <optional>
#include <unordered_map>
#include <vector>

namespace {

constexpr std::size_t max_noeuds = 65535;
// Coordinates that are not all whole numbers are brought onto this span.
constexpr double etendue_echelle = 10000;
// The instance format reads a coordinate as a run of digits that fits a
// signed 32-bit number.
constexpr double coordonnee_max = 2147483647;

// What a <key> stands for, by its attr.name.
enum class attribut { aucun, sensor, x, y, pos_x, pos_y, sink, ma, sl, br, role, one_way };
enum role_lu : std::uint8_t { role_ma = 1, role_sl = 2, role_br = 4 };

attribut attribut_de_noeud(QStringView nom)
{
    static const std::pair<const char *, attribut> noms[] = {
        {"sensor", attribut::sensor}, {"x", attribut::x},     {"y", attribut::y},     {"pos_x", attribut::pos_x},
        {"pos_y", attribut::pos_y},   {"sink", attribut::sink}, {"ma", attribut::ma}, {"sl", attribut::sl},
        {"br", attribut::br},         {"role", attribut::role}};
    for (const auto &[texte, quoi] : noms)
        if (nom == QLatin1String(texte))
            return quoi;
    return attribut::aucun;
}

struct cle_graphml
{
    QString id;
    attribut pour_noeud = attribut::aucun;
    bool sens_unique = false; // the edges' one_way
    std::optional<QString> defaut;
};

// What the data of one node say.
struct valeurs_noeud
{
    std::optional<double> x, y, pos_x, pos_y, capteur;
    bool puits = false;
    std::uint8_t roles = 0;
    // Any of ma, sl, br or role given, even false or empty.
    bool a_role = false;
};

struct noeud_lu
{
    double x = 0, y = 0;
    valeurs_noeud v;
    qint64 ligne = 0;
};

struct arete_lue
{
    std::uint32_t source, cible;
    // Directed or one_way: only the source lists the target.
    bool une_entree;
};

// An edge met before one of its nodes, resolved at the end of the graph.
struct arete_differee
{
    QString source, cible;
    bool une_entree;
    qint64 ligne;
};

// What the reader gathers of a graph, in document order.
struct graphe_lu
{
    std::vector<QString> ids;
    std::vector<noeud_lu> noeuds;
    std::vector<arete_lue> aretes;
};

// Two short strings alike, without a call into Qt for each pair: ids and key
// names are compared hundreds of thousands of times.
bool meme(QStringView a, QStringView b)
{
    return a.size() == b.size()
           && (a.isEmpty() || std::memcmp(a.data(), b.data(), std::size_t(a.size()) * sizeof(QChar)) == 0);
}

// networkx numbers its nodes 0, 1, ... and this program n0, n1, ...: the
// node whose id is its own place in the document needs no look-up.
std::optional<std::uint32_t> a_sa_place(QStringView id, const std::vector<QString> &ids)
{
    qsizetype i = id.startsWith(u'n') ? 1 : 0;
    std::uint32_t k = 0;
    if (i == id.size() || id.size() - i > 5)
        return std::nullopt;
    for (; i < id.size(); ++i) {
        const char16_t c = id[i].unicode();
        if (c < '0' || c > '9')
            return std::nullopt;
        k = k * 10 + (c - '0');
    }
    if (k < ids.size() && meme(ids[k], id))
        return k;
    return std::nullopt;
}

struct hachage_vue
{
    std::size_t operator()(QStringView v) const noexcept { return qHash(v); }
};

// The word in any letter case, without a call per character.
bool mot_est(QStringView texte, const char *mot)
{
    qsizetype i = 0;
    for (; mot[i]; ++i) {
        const char16_t c = i < texte.size() ? texte[i].unicode() : 0;
        const char16_t m = char16_t(mot[i]);
        if (c != m && !(m >= 'a' && m <= 'z' && c == m - ('a' - 'A')))
            return false;
    }
    return i == texte.size();
}

std::optional<bool> booleen(QStringView texte)
{
    const QStringView t = texte.trimmed();
    if (mot_est(t, "1") || mot_est(t, "true"))
        return true;
    if (mot_est(t, "0") || mot_est(t, "false"))
        return false;
    return std::nullopt;
}

std::uint8_t roles_du_texte(QStringView texte)
{
    std::uint8_t roles = 0;
    const QString majuscules = texte.toString().toUpper();
    for (const QString &mot : majuscules.split(QRegularExpression(QStringLiteral("[^A-Z]+")), Qt::SkipEmptyParts))
        roles |= mot == QLatin1String("MA") ? role_ma : mot == QLatin1String("SL") ? role_sl
                                                    : mot == QLatin1String("BR") ? role_br : 0;
    return roles;
}


// Reads a GraphML document's keys and its one graph: the nodes in document
// order with their values, the edges as pairs of nodes.
template <typename Source>
class lecteur_graphml
{
public:
    explicit lecteur_graphml(Source &source) : _source(source) {}

    // False with the cause and its line.
    bool lire();

    QString cause;
    qint64 ligne = 0;
    graphe_lu graphe;

private:
    bool echouer(const QString &pourquoi, qint64 ou = 0)
    {
        cause = pourquoi;
        ligne = ou > 0 ? ou : _source.ligne();
        return false;
    }
    // A syntax error of the document, when there is one; else the cause given.
    bool echouer_xml(const QString &sinon)
    {
        if (_source.en_erreur())
            return echouer(QStringLiteral("XML mal formé : %1").arg(_source.erreur()));
        return echouer(sinon);
    }
    bool lire_cle();
    bool lire_graphe();
    bool lire_noeud();
    bool lire_arete(bool orientees);
    // The data element of a node (noeud) or of an edge (sens_unique).
    bool lire_donnee(valeurs_noeud *noeud, bool *sens_unique);
    bool appliquer(attribut quoi, QStringView texte, valeurs_noeud &v);
    bool resoudre_differees();
    std::optional<std::uint32_t> trouver(QStringView id) const;

    Source &_source;
    std::vector<cle_graphml> _cles;
    // Every node starts with the keys' defaults.
    valeurs_noeud _modele;
    bool _sens_unique_par_defaut = false;
    // Views of the strings in ids, which never move their characters.
    std::unordered_map<QStringView, std::uint32_t, hachage_vue> _index;
    std::vector<arete_differee> _differees;
};

template <typename Source>
bool lecteur_graphml<Source>::lire()
{
    if (!_source.suivant())
        return echouer_xml(QStringLiteral("aucun élément"));
    if (!_source.nom_est("graphml"))
        return echouer(QStringLiteral("l'élément racine est « %1 », pas graphml").arg(_source.nom()));
    bool graphe = false;
    while (_source.suivant()) {
        if (_source.nom_est("key")) {
            if (!lire_cle())
                return false;
        } else if (_source.nom_est("graph")) {
            if (graphe)
                return echouer(QStringLiteral("un second élément graph, un seul graphe est lu"));
            graphe = true;
            if (!lire_graphe())
                return false;
        } else {
            _source.sauter();
        }
    }
    // Whatever follows the root must still be well-formed.
    _source.finir();
    if (_source.en_erreur())
        return echouer_xml(QString());
    if (!graphe)
        return echouer(QStringLiteral("aucun élément graph"));
    return resoudre_differees();
}

template <typename Source>
bool lecteur_graphml<Source>::lire_cle()
{
    const QStringView pour = _source.attribut("for");
    const bool tous = pour.isEmpty() || pour == QLatin1String("all");
    cle_graphml cle;
    cle.id = _source.attribut("id").toString();
    const QStringView nom = _source.attribut("attr.name");
    if (tous || pour == QLatin1String("node"))
        cle.pour_noeud = attribut_de_noeud(nom);
    cle.sens_unique = (tous || pour == QLatin1String("edge")) && nom == QLatin1String("one_way");
    while (_source.suivant()) {
        if (_source.nom_est("default"))
            cle.defaut = _source.texte().toString();
        else
            _source.sauter();
    }
    _cles.push_back(std::move(cle));
    return !_source.en_erreur() || echouer_xml(QString());
}

template <typename Source>
bool lecteur_graphml<Source>::lire_graphe()
{
    const bool orientees = _source.attribut("edgedefault") == QLatin1String("directed");
    for (const cle_graphml &cle : _cles) {
        if (!cle.defaut)
            continue;
        if (cle.pour_noeud != attribut::aucun && !appliquer(cle.pour_noeud, *cle.defaut, _modele))
            return false;
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
    return !_source.en_erreur() || echouer_xml(QString());
}

template <typename Source>
bool lecteur_graphml<Source>::lire_noeud()
{
    const qint64 debut = _source.ligne();
    QString id = _source.attribut("id").toString();
    if (id.isEmpty())
        return echouer(QStringLiteral("nœud sans id"));
    auto &ids = graphe.ids;
    if (ids.size() >= max_noeuds)
        return echouer(QStringLiteral("plus de %1 nœuds").arg(max_noeuds));
    if (trouver(id))
        return echouer(QStringLiteral("deux nœuds ont l'id « %1 »").arg(id));
    ids.push_back(std::move(id));
    if (!a_sa_place(ids.back(), ids))
        _index.emplace(QStringView(ids.back()), std::uint32_t(ids.size() - 1));
    noeud_lu noeud{0, 0, _modele, debut};
    while (_source.suivant()) {
        if (_source.nom_est("data")) {
            if (!lire_donnee(&noeud.v, nullptr))
                return false;
        } else if (_source.nom_est("graph")) {
            return echouer(
                QStringLiteral("graphe imbriqué dans le nœud « %1 », non pris en charge").arg(ids.back()));
        } else {
            _source.sauter();
        }
    }
    const std::optional<double> x = noeud.v.x ? noeud.v.x : noeud.v.pos_x;
    const std::optional<double> y = noeud.v.y ? noeud.v.y : noeud.v.pos_y;
    if (!_source.en_erreur() && (!x || !y))
        return echouer(QStringLiteral("nœud « %1 » sans coordonnées (x et y, ou pos_x et pos_y)").arg(ids.back()),
                       debut);
    noeud.x = x.value_or(0);
    noeud.y = y.value_or(0);
    graphe.noeuds.push_back(std::move(noeud));
    return !_source.en_erreur() || echouer_xml(QString());
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
    const std::optional<std::uint32_t> s = trouver(source);
    const std::optional<std::uint32_t> t = trouver(cible);
    const bool connus = s && t;
    // An edge may come before its nodes: its ends are kept as text.
    arete_differee differee;
    if (!connus)
        differee = {source.toString(), cible.toString(), une_entree, debut};
    bool sens_unique = _sens_unique_par_defaut;
    while (_source.suivant()) {
        if (_source.nom_est("data")) {
            if (!lire_donnee(nullptr, &sens_unique))
                return false;
        } else {
            _source.sauter();
        }
    }
    if (connus) {
        graphe.aretes.push_back({*s, *t, une_entree || sens_unique});
    } else {
        differee.une_entree = une_entree || sens_unique;
        _differees.push_back(std::move(differee));
    }
    return !_source.en_erreur() || echouer_xml(QString());
}

template <typename Source>
bool lecteur_graphml<Source>::lire_donnee(valeurs_noeud *noeud, bool *sens_unique)
{
    const QStringView id = _source.attribut("key");
    const auto cle = std::find_if(_cles.begin(), _cles.end(), [id](const cle_graphml &c) { return meme(c.id, id); });
    const bool utile = cle != _cles.end() && (noeud ? cle->pour_noeud != attribut::aucun : cle->sens_unique);
    if (!utile) {
        _source.sauter();
        return true;
    }
    const attribut quoi = cle->pour_noeud;
    const QStringView texte = _source.texte();
    if (noeud)
        return appliquer(quoi, texte, *noeud);
    const std::optional<bool> oui = booleen(texte);
    if (!oui)
        return echouer(QStringLiteral("one_way = « %1 » n'est pas un booléen (true ou false)").arg(texte));
    *sens_unique = *oui;
    return true;
}

template <typename Source>
bool lecteur_graphml<Source>::appliquer(attribut quoi, QStringView texte, valeurs_noeud &v)
{
    static const char *const noms[] = {"", "sensor", "x", "y", "pos_x", "pos_y", "sink", "ma", "sl", "br", "role"};
    const QString nom = QString::fromLatin1(noms[int(quoi)]);
    if (quoi == attribut::role) {
        v.roles |= roles_du_texte(texte);
        v.a_role = true;
        return true;
    }
    if (quoi == attribut::sink || quoi == attribut::ma || quoi == attribut::sl || quoi == attribut::br) {
        const std::optional<bool> oui = booleen(texte);
        if (!oui)
            return echouer(QStringLiteral("%1 = « %2 » n'est pas un booléen (true ou false)").arg(nom, texte));
        if (quoi == attribut::sink) {
            v.puits = *oui;
        } else {
            const std::uint8_t r = quoi == attribut::ma ? role_ma : quoi == attribut::sl ? role_sl : role_br;
            v.roles = *oui ? std::uint8_t(v.roles | r) : std::uint8_t(v.roles & ~r);
            v.a_role = true;
        }
        return true;
    }
    bool nombre = false;
    const double valeur = texte.trimmed().toDouble(&nombre);
    if (!nombre || !std::isfinite(valeur))
        return echouer(QStringLiteral("%1 = « %2 » n'est pas un nombre fini").arg(nom, texte));
    if (quoi == attribut::sensor && (valeur != std::floor(valeur) || valeur < 0))
        return echouer(QStringLiteral("sensor = « %1 » n'est pas un entier positif ou nul").arg(texte));
    std::optional<double> *cible[] = {nullptr, &v.capteur, &v.x, &v.y, &v.pos_x, &v.pos_y};
    *cible[int(quoi)] = valeur;
    return true;
}

template <typename Source>
bool lecteur_graphml<Source>::resoudre_differees()
{
    for (const arete_differee &d : _differees) {
        const std::optional<std::uint32_t> s = trouver(d.source);
        const std::optional<std::uint32_t> t = trouver(d.cible);
        if (!s || !t)
            return echouer(QStringLiteral("arête vers le nœud inconnu « %1 »").arg(s ? d.cible : d.source), d.ligne);
        graphe.aretes.push_back({*s, *t, d.une_entree});
    }
    return true;
}

template <typename Source>
std::optional<std::uint32_t> lecteur_graphml<Source>::trouver(QStringView id) const
{
    if (const std::optional<std::uint32_t> k = a_sa_place(id, graphe.ids))
        return k;
    const auto trouve = _index.find(id);
    if (trouve == _index.end())
        return std::nullopt;
    return trouve->second;
}

// The sensor number of each node: document order, or the order of their
// sensor values when every node has one and no two share it.
std::vector<std::uint16_t> numeros(const std::vector<noeud_lu> &noeuds)
{
    std::vector<std::uint32_t> ordre(noeuds.size());
    std::iota(ordre.begin(), ordre.end(), 0u);
    const bool tous = std::all_of(noeuds.begin(), noeuds.end(), [](const noeud_lu &n) { return bool(n.v.capteur); });
    if (tous) {
        auto valeur = [&noeuds](std::uint32_t i) { return *noeuds[i].v.capteur; };
        std::sort(ordre.begin(), ordre.end(), [&](std::uint32_t a, std::uint32_t b) { return valeur(a) < valeur(b); });
        const bool distincts = std::adjacent_find(ordre.begin(), ordre.end(), [&](std::uint32_t a, std::uint32_t b) {
                                   return valeur(a) == valeur(b);
                               }) == ordre.end();
        if (!distincts)
            std::iota(ordre.begin(), ordre.end(), 0u);
    }
    std::vector<std::uint16_t> numero(noeuds.size());
    for (std::size_t k = 0; k < ordre.size(); ++k)
        numero[ordre[k]] = std::uint16_t(k);
    return numero;
}

// How the nodes' coordinates become the instance's: kept when they are all
// whole numbers the format holds, otherwise their bounding box brought onto
// 0 to 10000, its aspect kept.
struct mise_a_l_echelle
{
    bool entieres = true;
    double min_x = 0, min_y = 0, facteur = 1;

    std::int32_t x(double v) const { return entieres ? std::int32_t(v) : std::int32_t(std::llround((v - min_x) * facteur)); }
    std::int32_t y(double v) const { return entieres ? std::int32_t(v) : std::int32_t(std::llround((v - min_y) * facteur)); }
};

mise_a_l_echelle echelle_des(const std::vector<noeud_lu> &noeuds)
{
    mise_a_l_echelle e;
    for (const noeud_lu &n : noeuds)
        e.entieres = e.entieres && n.x == std::floor(n.x) && n.y == std::floor(n.y);
    if (e.entieres || noeuds.empty())
        return e;
    double max_x = noeuds.front().x, max_y = noeuds.front().y;
    e.min_x = max_x;
    e.min_y = max_y;
    for (const noeud_lu &n : noeuds) {
        e.min_x = std::min(e.min_x, n.x);
        e.min_y = std::min(e.min_y, n.y);
        max_x = std::max(max_x, n.x);
        max_y = std::max(max_y, n.y);
    }
    const double etendue = std::max(max_x - e.min_x, max_y - e.min_y);
    // All at one place: nothing to spread.
    e.facteur = etendue > 0 && std::isfinite(etendue) ? etendue_echelle / etendue : 0;
    return e;
}

// Whole coordinates out of what the instance format holds: the first
// node that has one, its line and why.
std::optional<std::pair<qint64, QString>> hors_format(const std::vector<noeud_lu> &noeuds,
                                                      const std::vector<QString> &ids)
{
    for (std::size_t i = 0; i < noeuds.size(); ++i) {
        for (const auto &[nom, v] : {std::pair{"x", noeuds[i].x}, std::pair{"y", noeuds[i].y}}) {
            if (v < 0 || v > coordonnee_max)
                return std::pair{noeuds[i].ligne,
                                 QStringLiteral("nœud « %1 » : %2 = %3 hors de ce que tient le format d'instance "
                                                "(0 à %4)")
                                     .arg(ids[i], QLatin1String(nom), QString::number(v, 'g', 12),
                                          QString::number(qint64(coordonnee_max)))};
        }
    }
    return std::nullopt;
}

void dire(const QString &ligne)
{
    std::cout << ligne.toLocal8Bit().constData() << std::endl;
}

std::unique_ptr<graphe_instance> instance_lue(const graphe_lu &l, const std::vector<std::uint16_t> &numero,
                                              const mise_a_l_echelle &e, const QString &chemin)
{
    auto instance = std::make_unique<graphe_instance>();
    const std::size_t n = l.noeuds.size();
    instance->nom_fichier() = chemin;
    instance->nb_sensors() = std::uint16_t(n);
    instance->positions().resize(n);
    instance->voisins().resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        instance->positions()[numero[i]] = std::make_unique<coord_sommet>(e.x(l.noeuds[i].x), e.y(l.noeuds[i].y));
        instance->voisins()[numero[i]] = std::make_unique<graphe_instance::liste_voisins>();
    }
    auto &voisins = instance->voisins();
    for (const arete_lue &a : l.aretes) {
        const std::uint16_t s = numero[a.source];
        const std::uint16_t t = numero[a.cible];
        voisins[s]->push_back(t);
        if (!a.une_entree && s != t)
            voisins[t]->push_back(s);
    }
    // A graph's edges come in no order of their own: the lists are kept in
    // increasing order, whatever order the file gives them in.
    for (auto &liste : voisins)
        std::sort(liste->begin(), liste->end());
    return instance;
}

// The node with sink true, the first one when several are; the first node
// when none is. Said on the console.
std::uint16_t puits(const graphe_lu &l, const std::vector<std::uint16_t> &numero)
{
    const auto trouve = std::find_if(l.noeuds.begin(), l.noeuds.end(), [](const noeud_lu &n) { return n.v.puits; });
    if (l.noeuds.empty()) {
        dire(QStringLiteral("  -> Puits : aucun nœud"));
        return 0;
    }
    const std::size_t i = trouve == l.noeuds.end() ? 0 : std::size_t(trouve - l.noeuds.begin());
    const QString pourquoi = trouve == l.noeuds.end() ? QStringLiteral(", le premier : aucun nœud n'a sink à vrai")
                                                      : QString();
    dire(QStringLiteral("  -> Puits : capteur %1 (nœud « %2 »%3)").arg(numero[i]).arg(l.ids[i], pourquoi));
    return numero[i];
}

// MA, SL and BR in sensor order; null when no node has a role.
std::unique_ptr<graphe_solution> solution_lue(const graphe_lu &l, const std::vector<std::uint16_t> &numero,
                                              const QString &chemin)
{
    if (std::none_of(l.noeuds.begin(), l.noeuds.end(), [](const noeud_lu &n) { return n.v.a_role; }))
        return nullptr;
    std::vector<std::uint8_t> roles(l.noeuds.size(), 0);
    for (std::size_t i = 0; i < l.noeuds.size(); ++i)
        roles[numero[i]] = l.noeuds[i].v.roles;
    auto solution = std::make_unique<graphe_solution>();
    solution->nom_fichier() = chemin;
    solution->nom_instance() = QFileInfo(chemin).fileName();
    for (std::size_t k = 0; k < roles.size(); ++k) {
        if (roles[k] & role_ma)
            solution->liste_ma().push_back(std::uint16_t(k));
        if (roles[k] & role_sl)
            solution->liste_sl().push_back(std::uint16_t(k));
        if (roles[k] & role_br)
            solution->liste_br().push_back(std::uint16_t(k));
    }
    return solution;
}

// Whole coordinates the instance format cannot hold, with the line.
std::optional<std::pair<qint64, QString>> refus_de_format(const graphe_lu &l)
{
    return echelle_des(l.noeuds).entieres ? hors_format(l.noeuds, l.ids) : std::nullopt;
}

// The records of a graph read whole, with their console lines.
reseau_graphml reseau_de(const graphe_lu &l, const QString &chemin)
{
    const mise_a_l_echelle e = echelle_des(l.noeuds);
    const std::vector<std::uint16_t> numero = numeros(l.noeuds);
    reseau_graphml r;
    r.instance = instance_lue(l, numero, e, chemin);
    dire(QStringLiteral("  -> Nb_SENSORS = %1").arg(l.noeuds.size()));
    if (!e.entieres)
        dire(QStringLiteral("  -> Coordonnées non entières, mises à l'échelle de 0 à %1 : facteur %2")
                 .arg(etendue_echelle)
                 .arg(e.facteur, 0, 'g', 6));
    r.instance->sink() = puits(l, numero);
    r.solution = solution_lue(l, numero, chemin);
    return r;
}

} // namespace

fichier_lu<reseau_graphml> lire_fichier_graphml(const QString &chemin)
{
    fichier_lu<reseau_graphml> f;
    QFile fichier(chemin);
    if (!lecteur_lignes::ouvrir(fichier, chemin, f.raison))
        return f;
    QByteArray octets = fichier.readAll();
    // Most files take the quick way. One it does not take, and any fault, is
    // read again by QXmlStreamReader, which says where and why.
    graphe_lu graphe;
    lecteur_xml_rapide rapide(octets);
    lecteur_graphml<lecteur_xml_rapide> vite(rapide);
    if (vite.lire() && !refus_de_format(vite.graphe)) {
        graphe = std::move(vite.graphe);
    } else {
        QBuffer tampon(&octets);
        tampon.open(QIODevice::ReadOnly);
        lecteur_xml_qt qt(tampon);
        lecteur_graphml<lecteur_xml_qt> l(qt);
        if (!l.lire()) {
            f.raison = raison_lecture::signaler(chemin, l.ligne, l.cause);
            return f;
        }
        if (const auto refus = refus_de_format(l.graphe)) {
            f.raison = raison_lecture::signaler(chemin, refus->first, refus->second);
            return f;
        }
        graphe = std::move(l.graphe);
    }
    f.contenu = std::make_unique<reseau_graphml>(reseau_de(graphe, chemin));
    f.lu = true;
    return f;
}

bool est_fichier_graphml(const QString &chemin)
{
    const QFileInfo info(chemin);
    const QString suffixe = info.suffix().toLower();
    if (suffixe == QLatin1String("graphml"))
        return true;
    // A pipe would block the open; a .vga is always a session file.
    if (suffixe == QLatin1String("vga") || !info.isFile())
        return false;
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader xml(&fichier);
    return xml.readNextStartElement() && xml.name() == QLatin1String("graphml");
}
