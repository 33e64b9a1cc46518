#include "lecture_fichier.h"

#include "coord_sommet.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "lecteur_lignes.h"
#include "raison_lecture.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
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

struct hachage_vue
{
    std::size_t operator()(QStringView v) const noexcept { return qHash(v); }
};

std::optional<bool> booleen(QStringView texte)
{
    const QStringView t = texte.trimmed();
    if (t == QLatin1String("1") || t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (t == QLatin1String("0") || t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
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
class lecteur_graphml
{
public:
    explicit lecteur_graphml(QIODevice &source) : _xml(&source) {}

    // False with the cause and its line.
    bool lire();

    QString cause;
    qint64 ligne = 0;
    std::vector<QString> ids;
    std::vector<noeud_lu> noeuds;
    std::vector<arete_lue> aretes;

private:
    bool echouer(const QString &pourquoi, qint64 ou = 0)
    {
        cause = pourquoi;
        ligne = ou > 0 ? ou : _xml.lineNumber();
        return false;
    }
    // A syntax error of the document, when there is one; else the cause given.
    bool echouer_xml(const QString &sinon)
    {
        if (_xml.hasError())
            return echouer(QStringLiteral("XML mal formé : %1").arg(_xml.errorString()));
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

    QXmlStreamReader _xml;
    std::vector<cle_graphml> _cles;
    // Every node starts with the keys' defaults.
    valeurs_noeud _modele;
    bool _sens_unique_par_defaut = false;
    // Views of the strings in ids, which never move their characters.
    std::unordered_map<QStringView, std::uint32_t, hachage_vue> _index;
    std::vector<arete_differee> _differees;
};

bool lecteur_graphml::lire()
{
    if (!_xml.readNextStartElement())
        return echouer_xml(QStringLiteral("aucun élément"));
    if (_xml.name() != QLatin1String("graphml"))
        return echouer(QStringLiteral("l'élément racine est « %1 », pas graphml").arg(_xml.name()));
    bool graphe = false;
    while (_xml.readNextStartElement()) {
        if (_xml.name() == QLatin1String("key")) {
            if (!lire_cle())
                return false;
        } else if (_xml.name() == QLatin1String("graph")) {
            if (graphe)
                return echouer(QStringLiteral("un second élément graph, un seul graphe est lu"));
            graphe = true;
            if (!lire_graphe())
                return false;
        } else {
            _xml.skipCurrentElement();
        }
    }
    // Whatever follows the root must still be well-formed.
    while (!_xml.atEnd())
        _xml.readNext();
    if (_xml.hasError())
        return echouer_xml(QString());
    if (!graphe)
        return echouer(QStringLiteral("aucun élément graph"));
    return resoudre_differees();
}

bool lecteur_graphml::lire_cle()
{
    const QXmlStreamAttributes a = _xml.attributes();
    const QStringView pour = a.value(QLatin1String("for"));
    const bool tous = pour.isEmpty() || pour == QLatin1String("all");
    cle_graphml cle;
    cle.id = a.value(QLatin1String("id")).toString();
    const QStringView nom = a.value(QLatin1String("attr.name"));
    if (tous || pour == QLatin1String("node"))
        cle.pour_noeud = attribut_de_noeud(nom);
    cle.sens_unique = (tous || pour == QLatin1String("edge")) && nom == QLatin1String("one_way");
    while (_xml.readNextStartElement()) {
        if (_xml.name() == QLatin1String("default"))
            cle.defaut = _xml.readElementText(QXmlStreamReader::SkipChildElements);
        else
            _xml.skipCurrentElement();
    }
    _cles.push_back(std::move(cle));
    return !_xml.hasError() || echouer_xml(QString());
}

bool lecteur_graphml::lire_graphe()
{
    const bool orientees = _xml.attributes().value(QLatin1String("edgedefault")) == QLatin1String("directed");
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
    while (_xml.readNextStartElement()) {
        bool lu = true;
        if (_xml.name() == QLatin1String("node"))
            lu = lire_noeud();
        else if (_xml.name() == QLatin1String("edge"))
            lu = lire_arete(orientees);
        else
            _xml.skipCurrentElement();
        if (!lu)
            return false;
    }
    return !_xml.hasError() || echouer_xml(QString());
}

bool lecteur_graphml::lire_noeud()
{
    const qint64 debut = _xml.lineNumber();
    QString id = _xml.attributes().value(QLatin1String("id")).toString();
    if (id.isEmpty())
        return echouer(QStringLiteral("nœud sans id"));
    if (ids.size() >= max_noeuds)
        return echouer(QStringLiteral("plus de %1 nœuds").arg(max_noeuds));
    ids.push_back(std::move(id));
    if (!_index.emplace(QStringView(ids.back()), std::uint32_t(ids.size() - 1)).second)
        return echouer(QStringLiteral("deux nœuds ont l'id « %1 »").arg(ids.back()));
    noeud_lu noeud{0, 0, _modele, debut};
    while (_xml.readNextStartElement()) {
        if (_xml.name() == QLatin1String("data")) {
            if (!lire_donnee(&noeud.v, nullptr))
                return false;
        } else if (_xml.name() == QLatin1String("graph")) {
            return echouer(QStringLiteral("graphe imbriqué dans le nœud « %1 », non pris en charge").arg(ids.back()));
        } else {
            _xml.skipCurrentElement();
        }
    }
    const std::optional<double> x = noeud.v.x ? noeud.v.x : noeud.v.pos_x;
    const std::optional<double> y = noeud.v.y ? noeud.v.y : noeud.v.pos_y;
    if (!_xml.hasError() && (!x || !y))
        return echouer(QStringLiteral("nœud « %1 » sans coordonnées (x et y, ou pos_x et pos_y)").arg(ids.back()),
                       debut);
    noeud.x = x.value_or(0);
    noeud.y = y.value_or(0);
    noeuds.push_back(std::move(noeud));
    return !_xml.hasError() || echouer_xml(QString());
}

bool lecteur_graphml::lire_arete(bool orientees)
{
    const qint64 debut = _xml.lineNumber();
    const QXmlStreamAttributes a = _xml.attributes();
    const QStringView source = a.value(QLatin1String("source"));
    const QStringView cible = a.value(QLatin1String("target"));
    if (source.isEmpty() || cible.isEmpty())
        return echouer(QStringLiteral("arête sans source ou sans cible"));
    const QStringView orientee = a.value(QLatin1String("directed"));
    const bool une_entree = orientee.isEmpty() ? orientees : booleen(orientee).value_or(false);
    const auto s = _index.find(source);
    const auto t = _index.find(cible);
    const bool connus = s != _index.end() && t != _index.end();
    // An edge may come before its nodes: its ends are kept as text.
    arete_differee differee;
    if (!connus)
        differee = {source.toString(), cible.toString(), une_entree, debut};
    bool sens_unique = _sens_unique_par_defaut;
    while (_xml.readNextStartElement()) {
        if (_xml.name() == QLatin1String("data")) {
            if (!lire_donnee(nullptr, &sens_unique))
                return false;
        } else {
            _xml.skipCurrentElement();
        }
    }
    if (connus) {
        aretes.push_back({s->second, t->second, une_entree || sens_unique});
    } else {
        differee.une_entree = une_entree || sens_unique;
        _differees.push_back(std::move(differee));
    }
    return !_xml.hasError() || echouer_xml(QString());
}

bool lecteur_graphml::lire_donnee(valeurs_noeud *noeud, bool *sens_unique)
{
    const QStringView id = _xml.attributes().value(QLatin1String("key"));
    const auto cle = std::find_if(_cles.begin(), _cles.end(), [id](const cle_graphml &c) { return c.id == id; });
    const bool utile = cle != _cles.end() && (noeud ? cle->pour_noeud != attribut::aucun : cle->sens_unique);
    if (!utile) {
        _xml.skipCurrentElement();
        return true;
    }
    const attribut quoi = cle->pour_noeud;
    const QString texte = _xml.readElementText(QXmlStreamReader::SkipChildElements);
    if (noeud)
        return appliquer(quoi, texte, *noeud);
    const std::optional<bool> oui = booleen(texte);
    if (!oui)
        return echouer(QStringLiteral("one_way = « %1 » n'est pas un booléen (true ou false)").arg(texte));
    *sens_unique = *oui;
    return true;
}

bool lecteur_graphml::appliquer(attribut quoi, QStringView texte, valeurs_noeud &v)
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

bool lecteur_graphml::resoudre_differees()
{
    for (const arete_differee &d : _differees) {
        const auto s = _index.find(QStringView(d.source));
        const auto t = _index.find(QStringView(d.cible));
        if (s == _index.end() || t == _index.end())
            return echouer(QStringLiteral("arête vers le nœud inconnu « %1 »").arg(s == _index.end() ? d.source : d.cible),
                           d.ligne);
        aretes.push_back({s->second, t->second, d.une_entree});
    }
    return true;
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

std::unique_ptr<graphe_instance> instance_lue(const lecteur_graphml &l, const std::vector<std::uint16_t> &numero,
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
std::uint16_t puits(const lecteur_graphml &l, const std::vector<std::uint16_t> &numero)
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
std::unique_ptr<graphe_solution> solution_lue(const lecteur_graphml &l, const std::vector<std::uint16_t> &numero,
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

} // namespace

fichier_lu<reseau_graphml> lire_fichier_graphml(const QString &chemin)
{
    fichier_lu<reseau_graphml> f;
    QFile fichier(chemin);
    if (!lecteur_lignes::ouvrir(fichier, chemin, f.raison))
        return f;
    lecteur_graphml l(fichier);
    if (!l.lire()) {
        f.raison = raison_lecture::signaler(chemin, l.ligne, l.cause);
        return f;
    }
    const mise_a_l_echelle e = echelle_des(l.noeuds);
    if (e.entieres) {
        if (const auto hors = hors_format(l.noeuds, l.ids)) {
            f.raison = raison_lecture::signaler(chemin, hors->first, hors->second);
            return f;
        }
    }
    const std::vector<std::uint16_t> numero = numeros(l.noeuds);
    f.contenu = std::make_unique<reseau_graphml>();
    f.contenu->instance = instance_lue(l, numero, e, chemin);
    dire(QStringLiteral("  -> Nb_SENSORS = %1").arg(l.noeuds.size()));
    if (!e.entieres)
        dire(QStringLiteral("  -> Coordonnées non entières, mises à l'échelle de 0 à %1 : facteur %2")
                 .arg(etendue_echelle)
                 .arg(e.facteur, 0, 'g', 6));
    f.contenu->instance->sink() = puits(l, numero);
    f.contenu->solution = solution_lue(l, numero, chemin);
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
