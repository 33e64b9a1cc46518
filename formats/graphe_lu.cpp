#include "graphe_lu.h"

#include "coord_sommet.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "raison_lecture.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iostream>
#include <numeric>

namespace {

constexpr std::size_t max_noeuds = 65535;
// Coordinates that are not all whole numbers are brought onto this span.
constexpr double etendue_echelle = 10000;
// The instance format reads a coordinate as a run of digits that fits a
// signed 32-bit number.
constexpr double coordonnee_max = 2147483647;

enum role_lu : std::uint8_t { role_ma = 1, role_sl = 2, role_br = 4 };

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

std::uint8_t roles_du_texte(QStringView texte)
{
    std::uint8_t roles = 0;
    const QString majuscules = texte.toString().toUpper();
    for (const QString &mot : majuscules.split(QRegularExpression(QStringLiteral("[^A-Z]+")), Qt::SkipEmptyParts))
        roles |= mot == QLatin1String("MA") ? role_ma : mot == QLatin1String("SL") ? role_sl
                                                    : mot == QLatin1String("BR") ? role_br : 0;
    return roles;
}


// The sensor number of each node: document order, or the order of their
// sensor values when every node has one and no two share it; when no node
// has one, of their labels on the same terms.
std::vector<std::uint16_t> numeros(const std::vector<noeud_lu> &noeuds)
{
    std::vector<std::uint32_t> ordre(noeuds.size());
    std::iota(ordre.begin(), ordre.end(), 0u);
    const bool par_capteur = std::any_of(noeuds.begin(), noeuds.end(), [](const noeud_lu &n) { return bool(n.v.capteur); });
    auto cle = [&noeuds, par_capteur](std::uint32_t i) { return par_capteur ? noeuds[i].v.capteur : noeuds[i].etiquette; };
    const bool tous = std::all_of(ordre.begin(), ordre.end(), [&cle](std::uint32_t i) { return bool(cle(i)); });
    if (tous) {
        std::sort(ordre.begin(), ordre.end(), [&](std::uint32_t a, std::uint32_t b) { return *cle(a) < *cle(b); });
        const bool distincts = std::adjacent_find(ordre.begin(), ordre.end(), [&](std::uint32_t a, std::uint32_t b) {
                                   return *cle(a) == *cle(b);
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
std::optional<refus_lecture> hors_format(const std::vector<noeud_lu> &noeuds, const std::vector<QString> &ids)
{
    for (std::size_t i = 0; i < noeuds.size(); ++i) {
        for (const auto &[nom, v] : {std::pair{"x", noeuds[i].x}, std::pair{"y", noeuds[i].y}}) {
            if (v < 0 || v > coordonnee_max)
                return refus_lecture{noeuds[i].ligne,
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

} // namespace

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

std::optional<bool> booleen(QStringView texte)
{
    const QStringView t = texte.trimmed();
    if (mot_est(t, "1") || mot_est(t, "true"))
        return true;
    if (mot_est(t, "0") || mot_est(t, "false"))
        return false;
    return std::nullopt;
}

std::optional<double> nombre_fini(QStringView texte)
{
    bool ok = false;
    const double v = texte.trimmed().toDouble(&ok);
    return ok && std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

std::optional<QString> appliquer(attribut quoi, QStringView texte, valeurs_noeud &v)
{
    static const char *const noms[] = {"", "sensor", "x", "y", "pos_x", "pos_y", "sink", "ma", "sl", "br", "role"};
    const QString nom = QString::fromLatin1(noms[int(quoi)]);
    if (quoi == attribut::role) {
        v.roles |= roles_du_texte(texte);
        v.a_role = true;
        return std::nullopt;
    }
    if (quoi == attribut::sink || quoi == attribut::ma || quoi == attribut::sl || quoi == attribut::br) {
        const std::optional<bool> oui = booleen(texte);
        if (!oui)
            return QStringLiteral("%1 = « %2 » n'est pas un booléen (true ou false)").arg(nom, texte);
        if (quoi == attribut::sink) {
            v.puits = *oui;
        } else {
            const std::uint8_t r = quoi == attribut::ma ? role_ma : quoi == attribut::sl ? role_sl : role_br;
            v.roles = *oui ? std::uint8_t(v.roles | r) : std::uint8_t(v.roles & ~r);
            v.a_role = true;
        }
        return std::nullopt;
    }
    const std::optional<double> lu = nombre_fini(texte);
    if (!lu)
        return QStringLiteral("%1 = « %2 » n'est pas un nombre fini").arg(nom, texte);
    const double valeur = *lu;
    if (quoi == attribut::sensor && (valeur != std::floor(valeur) || valeur < 0))
        return QStringLiteral("sensor = « %1 » n'est pas un entier positif ou nul").arg(texte);
    std::optional<double> *cible[] = {nullptr, &v.capteur, &v.x, &v.y, &v.pos_x, &v.pos_y};
    *cible[int(quoi)] = valeur;
    return std::nullopt;
}

std::optional<QString> graphe_lu::ajouter_id(QString id)
{
    if (ids.size() >= max_noeuds)
        return QStringLiteral("plus de %1 nœuds").arg(max_noeuds);
    if (trouver(id))
        return QStringLiteral("deux nœuds ont l'id « %1 »").arg(id);
    ids.push_back(std::move(id));
    if (!a_sa_place(ids.back(), ids))
        _index.emplace(QStringView(ids.back()), std::uint32_t(ids.size() - 1));
    return std::nullopt;
}

std::optional<std::uint32_t> graphe_lu::trouver(QStringView id) const
{
    if (const std::optional<std::uint32_t> k = a_sa_place(id, ids))
        return k;
    const auto trouve = _index.find(id);
    if (trouve == _index.end())
        return std::nullopt;
    return trouve->second;
}

bool &graphe_lu::ajouter_arete(QStringView source, QStringView cible, bool une_entree, qint64 ligne)
{
    const std::optional<std::uint32_t> s = trouver(source);
    const std::optional<std::uint32_t> t = trouver(cible);
    if (s && t) {
        aretes.push_back({*s, *t, une_entree});
        return aretes.back().une_entree;
    }
    _differees.push_back({source.toString(), cible.toString(), une_entree, ligne});
    return _differees.back().une_entree;
}

std::optional<refus_lecture> graphe_lu::terminer()
{
    for (const arete_differee &d : _differees) {
        const std::optional<std::uint32_t> s = trouver(d.source);
        const std::optional<std::uint32_t> t = trouver(d.cible);
        if (!s || !t)
            return refus_lecture{d.ligne, QStringLiteral("arête vers le nœud inconnu « %1 »").arg(s ? d.cible : d.source)};
        aretes.push_back({*s, *t, d.une_entree});
    }
    _differees.clear();
    redresser();
    return std::nullopt;
}

// The viewer's y axis points up: places whose y points down are turned
// over, and an axis moved where that left a place below 0, so that a
// drawing in yEd's or Cytoscape's usual quarter keeps whole numbers the
// instance format holds.
void graphe_lu::redresser()
{
    double min_x = 0, min_y = 0;
    for (noeud_lu &n : noeuds) {
        if (!n.y_vers_le_bas)
            continue;
        n.y = -n.y;
        min_x = std::min(min_x, n.x);
        min_y = std::min(min_y, n.y);
    }
    for (noeud_lu &n : noeuds) {
        if (n.y_vers_le_bas) {
            n.x -= min_x;
            n.y -= min_y;
        }
    }
}

std::optional<refus_lecture> refus_de_format(const graphe_lu &l)
{
    return echelle_des(l.noeuds).entieres ? hors_format(l.noeuds, l.ids) : std::nullopt;
}

namespace {

// The records of a graph read whole, with their console lines.
reseau_fichier reseau_de(const graphe_lu &l, const QString &chemin)
{
    const mise_a_l_echelle e = echelle_des(l.noeuds);
    const std::vector<std::uint16_t> numero = numeros(l.noeuds);
    reseau_fichier r;
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

fichier_lu<reseau_fichier> fichier_reseau(const graphe_lu &l, std::optional<refus_lecture> refus, const QString &chemin)
{
    fichier_lu<reseau_fichier> f;
    if (!refus)
        refus = refus_de_format(l);
    if (refus) {
        f.raison = raison_lecture::signaler(chemin, refus->ligne, refus->cause);
        return f;
    }
    f.contenu = std::make_unique<reseau_fichier>(reseau_de(l, chemin));
    f.lu = true;
    return f;
}
