#include "generateur_reseau.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <unordered_set>
#include <utility>
#include <vector>

namespace {

constexpr double pi = 3.14159265358979323846;

struct point
{
    std::int64_t x;
    std::int64_t y;
};

using listes_voisins = std::vector<std::vector<std::uint16_t>>;

// Uniform integer in [0, borne] by rejection, so that a seed gives the same
// network whatever standard library built the program.
std::uint32_t tirer(std::mt19937 &gen, std::uint32_t borne)
{
    const std::uint64_t taille = std::uint64_t(borne) + 1;
    const std::uint64_t limite = ((std::uint64_t(1) << 32) / taille) * taille;
    for (;;) {
        const std::uint64_t v = gen();
        if (v < limite)
            return std::uint32_t(v % taille);
    }
}

std::vector<point> tirer_positions(const parametres_reseau &p)
{
    std::mt19937 gen(p.graine);
    std::vector<point> positions;
    positions.reserve(std::size_t(p.nb_capteurs));
    std::unordered_set<std::uint64_t> occupees;
    occupees.reserve(std::size_t(p.nb_capteurs) * 2);
    while (int(positions.size()) < p.nb_capteurs) {
        const std::uint32_t x = tirer(gen, std::uint32_t(p.etendue));
        const std::uint32_t y = tirer(gen, std::uint32_t(p.etendue));
        // Two sensors on one spot would hide each other in the drawing.
        if (occupees.insert((std::uint64_t(x) << 32) | y).second)
            positions.push_back({x, y});
    }
    return positions;
}

// Probability that two uniform points of the unit square lie within r of
// each other (0 <= r <= 1); the border effect makes it smaller than pi r^2.
double probabilite_voisin(double r)
{
    return pi * r * r - 8.0 / 3.0 * r * r * r + 0.5 * r * r * r * r;
}

// Radio range for which the expected degree is degre_moyen.
double calculer_portee(const parametres_reseau &p)
{
    if (p.nb_capteurs < 2 || p.etendue == 0 || p.degre_moyen <= 0.0)
        return 0.0;
    const double cible = p.degre_moyen / double(p.nb_capteurs - 1);
    if (cible >= probabilite_voisin(1.0))
        return std::sqrt(2.0) * p.etendue;
    double bas = 0.0;
    double haut = 1.0;
    for (int i = 0; i < 60; ++i) {
        const double milieu = 0.5 * (bas + haut);
        if (probabilite_voisin(milieu) < cible)
            bas = milieu;
        else
            haut = milieu;
    }
    return haut * p.etendue;
}

std::int64_t distance2(const point &a, const point &b)
{
    const std::int64_t dx = a.x - b.x;
    const std::int64_t dy = a.y - b.y;
    return dx * dx + dy * dy;
}

// Buckets of side at least the range: every neighbour of a sensor lies in
// its own bucket or one of the eight around it, so the search is linear.
listes_voisins trouver_voisins(const std::vector<point> &positions, int etendue, double portee)
{
    const int n = int(positions.size());
    listes_voisins voisins(static_cast<std::size_t>(n));
    const auto portee2 = std::int64_t(std::floor(portee * portee));
    const double cote = std::max({portee, etendue / std::sqrt(double(n)), 1.0});
    const int g = std::max(1, int(etendue / cote) + 1);
    auto case_de = [&](std::int64_t v) { return std::min(int(double(v) / cote), g - 1); };

    std::vector<int> debut(std::size_t(g) * std::size_t(g) + 1, 0);
    std::vector<int> case_capteur(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        case_capteur[std::size_t(i)] = case_de(positions[std::size_t(i)].y) * g
                                       + case_de(positions[std::size_t(i)].x);
        ++debut[std::size_t(case_capteur[std::size_t(i)]) + 1];
    }
    for (std::size_t c = 1; c < debut.size(); ++c)
        debut[c] += debut[c - 1];
    std::vector<int> contenu(static_cast<std::size_t>(n));
    {
        std::vector<int> suivant(debut.begin(), debut.end() - 1);
        for (int i = 0; i < n; ++i)
            contenu[std::size_t(suivant[std::size_t(case_capteur[std::size_t(i)])]++)] = i;
    }

    for (int i = 0; i < n; ++i) {
        const int cx = case_capteur[std::size_t(i)] % g;
        const int cy = case_capteur[std::size_t(i)] / g;
        for (int vy = std::max(0, cy - 1); vy <= std::min(g - 1, cy + 1); ++vy) {
            for (int vx = std::max(0, cx - 1); vx <= std::min(g - 1, cx + 1); ++vx) {
                const std::size_t c = std::size_t(vy) * std::size_t(g) + std::size_t(vx);
                for (int k = debut[c]; k < debut[c + 1]; ++k) {
                    const int j = contenu[std::size_t(k)];
                    if (j > i && distance2(positions[std::size_t(i)], positions[std::size_t(j)]) <= portee2) {
                        voisins[std::size_t(i)].push_back(std::uint16_t(j));
                        voisins[std::size_t(j)].push_back(std::uint16_t(i));
                    }
                }
            }
        }
    }
    for (auto &liste : voisins)
        std::sort(liste.begin(), liste.end());
    return voisins;
}

// A sensor with too many neighbours would write a line longer than the
// readers take: it drops its farthest links, on both ends so that the lists
// stay symmetric. Dropping only lowers the degrees of the others, so one pass
// in order is enough.
void limiter_degres(const std::vector<point> &positions, listes_voisins &voisins)
{
    for (std::size_t i = 0; i < voisins.size(); ++i) {
        auto &liste = voisins[i];
        if (int(liste.size()) <= voisins_max)
            continue;
        std::stable_sort(liste.begin(), liste.end(), [&](std::uint16_t a, std::uint16_t b) {
            return distance2(positions[i], positions[a]) < distance2(positions[i], positions[b]);
        });
        for (std::size_t k = std::size_t(voisins_max); k < liste.size(); ++k) {
            auto &autre = voisins[liste[k]];
            autre.erase(std::find(autre.begin(), autre.end(), std::uint16_t(i)));
        }
        liste.resize(std::size_t(voisins_max));
        std::sort(liste.begin(), liste.end());
    }
}

struct arbre_puits
{
    int puits = 0;
    int nb_composantes = 0;
    std::vector<int> ordre;  // sensors of the sink's component, in BFS order
    std::vector<int> profondeur;  // -1 outside the sink's component
    std::vector<int> parent;
};

// The sink is the sensor nearest the centre within the largest component,
// as one would place it to reach most of the deployment.
arbre_puits construire_arbre(const std::vector<point> &positions, const listes_voisins &voisins,
                             int etendue)
{
    const int n = int(positions.size());
    arbre_puits a;
    std::vector<int> composante(std::size_t(n), -1);
    std::vector<int> file;
    file.reserve(static_cast<std::size_t>(n));
    int plus_grande = 0;
    int taille_plus_grande = 0;
    for (int depart = 0; depart < n; ++depart) {
        if (composante[std::size_t(depart)] >= 0)
            continue;
        const int numero = a.nb_composantes++;
        file.clear();
        file.push_back(depart);
        composante[std::size_t(depart)] = numero;
        for (std::size_t k = 0; k < file.size(); ++k) {
            for (std::uint16_t v : voisins[std::size_t(file[k])]) {
                if (composante[v] < 0) {
                    composante[v] = numero;
                    file.push_back(v);
                }
            }
        }
        if (int(file.size()) > taille_plus_grande) {
            taille_plus_grande = int(file.size());
            plus_grande = numero;
        }
    }

    std::int64_t meilleure = -1;
    for (int i = 0; i < n; ++i) {
        if (composante[std::size_t(i)] != plus_grande)
            continue;
        const std::int64_t dx = 2 * positions[std::size_t(i)].x - etendue;
        const std::int64_t dy = 2 * positions[std::size_t(i)].y - etendue;
        if (meilleure < 0 || dx * dx + dy * dy < meilleure) {
            meilleure = dx * dx + dy * dy;
            a.puits = i;
        }
    }

    a.profondeur.assign(std::size_t(n), -1);
    a.parent.assign(std::size_t(n), -1);
    a.ordre.push_back(a.puits);
    a.profondeur[std::size_t(a.puits)] = 0;
    a.parent[std::size_t(a.puits)] = a.puits;
    for (std::size_t k = 0; k < a.ordre.size(); ++k) {
        const int u = a.ordre[k];
        for (std::uint16_t v : voisins[std::size_t(u)]) {
            if (a.profondeur[v] < 0) {
                a.profondeur[v] = a.profondeur[std::size_t(u)] + 1;
                a.parent[v] = u;
                a.ordre.push_back(v);
            }
        }
    }
    return a;
}

struct dorsale
{
    std::vector<int> ma;  // in the order in which they joined
    std::vector<char> dans_ma;
    std::vector<int> pere;  // backbone sensor through which each one joined
    std::vector<int> sauts;  // backbone hops from the sink
};

// Connected dominating set of the sink's component: a maximal independent
// set chosen in BFS order dominates the component, and each of its sensors
// joins the backbone next to a sensor already in it, directly or through one
// connector, so the backbone stays connected. It comes out well below the
// inner vertices of the BFS tree.
dorsale construire_dorsale(const arbre_puits &a, const listes_voisins &voisins)
{
    const std::size_t n = voisins.size();
    dorsale d;
    d.dans_ma.assign(n, 0);
    d.pere.assign(n, -1);
    d.sauts.assign(n, -1);
    auto joindre = [&](int u, int pere) {
        d.dans_ma[std::size_t(u)] = 1;
        d.pere[std::size_t(u)] = pere;
        d.sauts[std::size_t(u)] = pere == u ? 0 : d.sauts[std::size_t(pere)] + 1;
        d.ma.push_back(u);
    };
    auto voisin_dans_ma = [&](int u) {
        for (std::uint16_t v : voisins[std::size_t(u)]) {
            if (d.dans_ma[v])
                return int(v);
        }
        return -1;
    };

    std::vector<char> domine(n, 0);
    joindre(a.puits, a.puits);
    for (int u : a.ordre) {
        if (domine[std::size_t(u)])
            continue;
        domine[std::size_t(u)] = 1;
        for (std::uint16_t v : voisins[std::size_t(u)])
            domine[v] = 1;
        if (u == a.puits)
            continue;
        // Without a backbone neighbour, u joins through its BFS parent: that
        // parent lies one level up, was reached before u and is therefore
        // already dominated by a backbone sensor.
        int pere = voisin_dans_ma(u);
        if (pere < 0) {
            pere = a.parent[std::size_t(u)];
            joindre(pere, voisin_dans_ma(pere));
        }
        joindre(u, pere);
    }

    // Pruning, latest first: a backbone sensor that relays for no other
    // backbone sensor leaves when every sensor it covers hears another one.
    // It then hears its own parent, so coverage and connection both hold.
    std::vector<int> enfants(n, 0);
    std::vector<int> couverture(n, 0);
    for (int u : d.ma) {
        if (u != a.puits)
            ++enfants[std::size_t(d.pere[std::size_t(u)])];
        for (std::uint16_t v : voisins[std::size_t(u)])
            ++couverture[v];
    }
    for (auto it = d.ma.rbegin(); it != d.ma.rend(); ++it) {
        const int u = *it;
        if (u == a.puits || enfants[std::size_t(u)] > 0)
            continue;
        const auto &liste = voisins[std::size_t(u)];
        if (std::any_of(liste.begin(), liste.end(),
                        [&](std::uint16_t v) { return !d.dans_ma[v] && couverture[v] < 2; }))
            continue;
        d.dans_ma[std::size_t(u)] = 0;
        --enfants[std::size_t(d.pere[std::size_t(u)])];
        for (std::uint16_t v : liste)
            --couverture[v];
    }
    d.ma.erase(std::remove_if(d.ma.begin(), d.ma.end(), [&](int u) { return !d.dans_ma[std::size_t(u)]; }),
               d.ma.end());
    return d;
}

void ajouter_liste(QByteArray &texte, const char *entete, const std::vector<int> &liste)
{
    texte += entete;
    texte += "\t\t";
    texte += QByteArray::number(qulonglong(liste.size()));
    texte += '\n';
    if (liste.empty())
        return;
    for (std::size_t k = 0; k < liste.size(); ++k) {
        if (k > 0)
            texte += ' ';
        texte += QByteArray::number(liste[k]);
    }
    texte += '\n';
}

bool ecrire_fichier(const QString &chemin, const QByteArray &contenu)
{
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        return false;
    if (fichier.write(contenu) != contenu.size()) {
        fichier.cancelWriting();
        return false;
    }
    return fichier.commit();
}

}  // namespace

QString verifier_parametres(const parametres_reseau &p)
{
    if (p.nb_capteurs < 1 || p.nb_capteurs > 65535)
        return QStringLiteral("le nombre de capteurs doit aller de 1 a 65535");
    if (p.etendue < 0 || p.etendue > 65529)
        return QStringLiteral("l'etendue doit aller de 0 a 65529");
    if (std::int64_t(p.etendue + 1) * (p.etendue + 1) < p.nb_capteurs)
        return QStringLiteral("l'etendue est trop petite pour placer chaque capteur a part");
    if (!(p.degre_moyen >= 0.0 && p.degre_moyen <= degre_moyen_max))
        return QStringLiteral("le degre moyen doit aller de 0 a %1").arg(degre_moyen_max);
    return QString();
}

reseau_genere generer_reseau(const parametres_reseau &p)
{
    return generer_reseau(p, QStringLiteral("reseau_%1.txt").arg(p.nb_capteurs));
}

reseau_genere generer_reseau(const parametres_reseau &p, const QString &nom_instance,
                             bilan_reseau *bilan)
{
    if (!verifier_parametres(p).isEmpty())
        return {};

    const std::vector<point> positions = tirer_positions(p);
    const double portee = calculer_portee(p);
    listes_voisins voisins = trouver_voisins(positions, p.etendue, portee);
    limiter_degres(positions, voisins);
    const arbre_puits arbre = construire_arbre(positions, voisins, p.etendue);
    const int n = p.nb_capteurs;

    const dorsale d = construire_dorsale(arbre, voisins);
    int profondeur_max = 0;
    for (int u : arbre.ordre)
        profondeur_max = std::max(profondeur_max, arbre.profondeur[std::size_t(u)]);
    // SL: the covered sensors outside the backbone. BR: those of them that
    // hear a single backbone sensor, whose coverage hangs on one relay; when
    // there is none, the sensors at the most hops from the sink.
    std::vector<int> liste_sl;
    std::vector<int> liste_br;
    for (int u : arbre.ordre) {
        if (d.dans_ma[std::size_t(u)])
            continue;
        if (int(liste_sl.size()) < liste_max)
            liste_sl.push_back(u);
        const auto &liste = voisins[std::size_t(u)];
        if (std::count_if(liste.begin(), liste.end(), [&](std::uint16_t v) { return d.dans_ma[v] != 0; }) == 1
            && int(liste_br.size()) < liste_max)
            liste_br.push_back(u);
    }
    if (liste_br.empty()) {
        for (int u : arbre.ordre) {
            if (arbre.profondeur[std::size_t(u)] == profondeur_max && int(liste_br.size()) < liste_max)
                liste_br.push_back(u);
        }
    }

    reseau_genere r;
    r.instance.reserve(n * 64);
    r.instance += "NB_SENSORS ";
    r.instance += QByteArray::number(n);
    r.instance += "\nID\n";
    for (int i = 0; i < n; ++i) {
        const auto &liste = voisins[std::size_t(i)];
        r.instance += QByteArray::number(i);
        r.instance += ' ';
        r.instance += QByteArray::number(qlonglong(positions[std::size_t(i)].x));
        r.instance += ' ';
        r.instance += QByteArray::number(qlonglong(positions[std::size_t(i)].y));
        r.instance += ' ';
        r.instance += QByteArray::number(qulonglong(liste.size()));
        for (std::uint16_t v : liste) {
            r.instance += ' ';
            r.instance += QByteArray::number(v);
        }
        r.instance += '\n';
    }
    r.instance += "SINK\n";
    r.instance += QByteArray::number(arbre.puits);
    r.instance += "\nEND\n";

    QByteArray nom = nom_instance.toUtf8();
    nom.replace('\n', '_').replace('\r', '_');
    r.solution.reserve(int(d.ma.size()) * 20 + 8192);
    // The instance name starts at the fifteenth character of this line.
    r.solution += "INSTANCE_NAME:";
    r.solution += nom;
    r.solution += '\n';
    r.solution += "NB_MA\t\t";
    r.solution += QByteArray::number(qulonglong(d.ma.size()));
    r.solution += '\n';
    // Each MA line: the sensor, the backbone sensor it joined through, and
    // its backbone hops from the sink.
    for (int u : d.ma) {
        r.solution += QByteArray::number(u);
        r.solution += '\t';
        r.solution += QByteArray::number(d.pere[std::size_t(u)]);
        r.solution += '\t';
        r.solution += QByteArray::number(d.sauts[std::size_t(u)]);
        r.solution += '\n';
    }
    ajouter_liste(r.solution, "NB_SL", liste_sl);
    ajouter_liste(r.solution, "NB_BR", liste_br);

    if (bilan) {
        *bilan = bilan_reseau();
        bilan->nb_capteurs = n;
        for (const auto &liste : voisins) {
            bilan->nb_aretes += static_cast<long long>(liste.size());
            bilan->degre_max = std::max(bilan->degre_max, int(liste.size()));
        }
        bilan->degre_moyen = double(bilan->nb_aretes) / n;
        bilan->nb_aretes /= 2;
        bilan->portee = portee;
        bilan->nb_composantes = arbre.nb_composantes;
        bilan->taille_composante_puits = int(arbre.ordre.size());
        bilan->puits = arbre.puits;
        bilan->profondeur = profondeur_max;
        bilan->nb_ma = int(d.ma.size());
        bilan->nb_sl = int(liste_sl.size());
        bilan->nb_br = int(liste_br.size());
    }
    return r;
}

bool ecrire_fichier_session(const QString &chemin_vga, const QString &nom_session,
                            const QString &fichier_instance, const QString &fichier_solution)
{
    QSaveFile fichier(chemin_vga);
    if (!fichier.open(QIODevice::WriteOnly))
        return false;
    QXmlStreamWriter xml(&fichier);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("visual_graphe"));
    xml.writeAttribute(QStringLiteral("name"), nom_session);
    xml.writeStartElement(QStringLiteral("files"));
    xml.writeEmptyElement(QStringLiteral("param"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("instance"));
    xml.writeAttribute(QStringLiteral("path"), fichier_instance);
    xml.writeEmptyElement(QStringLiteral("param"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("solution"));
    xml.writeAttribute(QStringLiteral("path"), fichier_solution);
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    if (xml.hasError()) {
        fichier.cancelWriting();
        return false;
    }
    return fichier.commit();
}

QString ecrire_reseau(const reseau_genere &r, const QString &dossier, const QString &nom,
                      const QString &nom_session)
{
    if (r.instance.isEmpty() || nom.isEmpty() || nom.contains(QLatin1Char('/'))
        || nom.contains(QLatin1Char('\\')))
        return QString();
    const QString fichier_instance = nom + QStringLiteral(".txt");
    const QString fichier_solution = nom + QStringLiteral("_sol.txt");
    const QDir dir(dossier);
    if (!dir.mkpath(QStringLiteral(".")))
        return QString();
    const QString chemin_vga = QFileInfo(dir.filePath(nom + QStringLiteral(".vga"))).absoluteFilePath();
    if (!ecrire_fichier(dir.filePath(fichier_instance), r.instance)
        || !ecrire_fichier(dir.filePath(fichier_solution), r.solution)
        || !ecrire_fichier_session(chemin_vga, nom_session, fichier_instance, fichier_solution))
        return QString();
    return chemin_vga;
}

QString ecrire_session(const parametres_reseau &p, const QString &dossier, const QString &nom,
                       const QString &nom_session)
{
    return ecrire_reseau(generer_reseau(p, nom + QStringLiteral(".txt")), dossier, nom, nom_session);
}
