#include "constructeur_dessin.h"

#include "aire_dessin.h"
#include "barre_echelle.h"
#include "coord_sommet.h"
#include "couleurs_dessin.h"
#include "defauts_solution.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "legende_figure.h"
#include "liste_dessin.h"
#include "palette_figure.h"

#include <QColor>
#include <QFileInfo>
#include <QPen>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <vector>

namespace {

using couleurs_dessin::blanc_casse;
using couleurs_dessin::bleu_nuit;
using couleurs_dessin::bleu_seulement_a;
using couleurs_dessin::saumon_br;
using couleurs_dessin::vermillon_seulement_b;
using couleurs_dessin::vert_ma;
using couleurs_dessin::vert_puits;
const QColor gris_texte(153, 153, 153, 255);
const QColor gris_arc(170, 170, 170, 255);
const QColor rouge_puits(175, 8, 8, 255);

// The drawing's measures, in scene units.
constexpr int nb_graduations = 10;
constexpr int marge_cadre = aire_dessin::marge;
constexpr int longueur_graduation = 5;
// The horizontal grid lines start one unit past the ticks.
constexpr int debut_grille = marge_cadre + longueur_graduation + 1;
constexpr int reserve_sommets = echelle_dessin::reserve_sommets;
// A comparison's links of one solution only stand out from the grey ones.
constexpr qreal largeur_arc_difference = 1.5;
constexpr std::uint32_t aucun_sommet = liste_dessin::aucun;
// A sensor left out of a region: not drawn, and not a missing one.
constexpr std::uint32_t hors_region = liste_dessin::aucun - 1;
// Room between the drawing and its legend.
constexpr int ecart_legende = 10;
// A fault's ring, around the vertex's circle.
constexpr int retrait_anneau = 4;
constexpr qreal largeur_anneau = 2;

// What one drawing reads of the records, with the part of them that a read
// stopped part-way leaves whole.
struct donnees_dessin
{
    const graphe_instance &instance;
    const graphe_solution *solution; // null for the instance drawing
    std::size_t nb_places;
    // The other solution of a comparison, or the step before in a history.
    const graphe_solution *solution_b;
    bool historique;
    const options_figure &figure;
    // What the figure shows besides the roles, when asked.
    const valeurs_capteurs *valeurs = nullptr;
    std::optional<std::pair<double, double>> etendue;
    const defauts_solution *defauts = nullptr;

    bool daltonien() const { return figure.style == style_figure::daltonien; }
    bool dans_region(std::size_t i) const
    {
        if (!figure.region)
            return true;
        const coord_sommet &p = *instance.positions()[i];
        return figure.region->left() <= p.x() && p.x() <= figure.region->right() && figure.region->top() <= p.y()
               && p.y() <= figure.region->bottom();
    }
};

// In a comparison: an MA sensor of A only or of B only.
bool seulement_a(const roles_capteurs &roles, std::size_t i)
{
    return (roles.masque(i) & (roles_capteurs::ma | roles_capteurs::ma_b)) == roles_capteurs::ma;
}

bool seulement_b(const roles_capteurs &roles, std::size_t i)
{
    return (roles.masque(i) & (roles_capteurs::ma | roles_capteurs::ma_b)) == roles_capteurs::ma_b;
}

// Drawn in A's colour: A's own MA sensor, or in a history one that left MA,
// the earlier step being the one whose MA is marked ma_b.
bool en_couleur_a(const donnees_dessin &d, const roles_capteurs &roles, std::size_t i)
{
    return d.solution_b && (d.historique ? seulement_b(roles, i) : seulement_a(roles, i));
}

bool en_couleur_b(const donnees_dessin &d, const roles_capteurs &roles, std::size_t i)
{
    return d.solution_b && (d.historique ? seulement_a(roles, i) : seulement_b(roles, i));
}

QPen stylo_pointille(int graduation)
{
    QColor couleur(153, 153, 153, 150);
    if (graduation == 0)
        couleur = QColor(0, 51, 102, 150);
    else if (graduation == 5 || graduation == 10)
        couleur = QColor(175, 8, 8, 150);
    QPen stylo(couleur);
    stylo.setStyle(Qt::DotLine);
    return stylo;
}

// The tick's label: its rank, or in a region the instance's coordinate
// under it, the frame spanning the region.
QString graduation(int k, const std::optional<QRectF> &region, bool axe_x)
{
    if (!region)
        return QString::number(k);
    const double debut = axe_x ? region->left() : region->top();
    const double etendue = axe_x ? region->width() : region->height();
    return QString::number(debut + k * etendue / nb_graduations, 'g', 6);
}

void dessiner_cadre(liste_dessin &liste, int largeur, int hauteur, const std::optional<QRectF> &region)
{
    const QPen trait(bleu_nuit);
    const float pas_y = (hauteur - 2 * marge_cadre) / float(nb_graduations);
    const float pas_x = (largeur - 2 * marge_cadre) / float(nb_graduations);
    const int bas = hauteur - marge_cadre;
    for (int k = 0; k <= nb_graduations; ++k) {
        const int y = bas - static_cast<int>(k * pas_y);
        liste.ajouter_ligne(QLine(marge_cadre, y, marge_cadre + longueur_graduation, y), trait);
        const QString texte_y = graduation(k, region, false);
        if (k == 0)
            liste.ajouter_texte(texte_y, QPointF(18, y - 4), &gris_texte);
        else
            liste.ajouter_texte(texte_y, QPointF(k == nb_graduations ? 12 : 18, y - 10), &gris_texte);
        const QPen pointille = stylo_pointille(k);
        liste.ajouter_ligne(QLine(debut_grille, y, largeur - marge_cadre, y), pointille);

        const int x = static_cast<int>(k * pas_x) + marge_cadre;
        liste.ajouter_ligne(QLine(x, bas, x, bas - longueur_graduation), trait);
        if (k >= 1)
            liste.ajouter_texte(graduation(k, region, true),
                                QPointF(x - (k == nb_graduations ? 9 : 6), bas - 1), &gris_texte);
        liste.ajouter_ligne(QLine(x, marge_cadre, x, hauteur - debut_grille), pointille);
    }
}

// Scale of one axis; a zero range (one sensor, sensors on a line) puts every
// sensor at offset 0 instead of dividing by zero.
float facteur_axe(int etendue_dessin, std::int64_t minimum, std::int64_t maximum)
{
    const std::int64_t etendue = maximum - minimum;
    if (etendue == 0)
        return 0.0f;
    return static_cast<float>(static_cast<double>(etendue_dessin) / static_cast<double>(etendue));
}

// A region's rectangle brought onto the frame itself, so that its ticks
// fall on round tenths of the region: a vertex's centre at the region's
// edge lies on the frame.
echelle_dessin echelle_region(const QRectF &region, int largeur, int hauteur)
{
    const double ecart_x = (largeur - 2.0 * marge_cadre) / region.width();
    const double ecart_y = (hauteur - 2.0 * marge_cadre) / region.height();
    // Vertices' centres lie this far past their corners' zero.
    const double avance = reserve_sommets / 2.0 - marge_cadre;
    std::cout << "_ecart_x = " << float(ecart_x) << "   _ecart_y = " << float(ecart_y) << std::endl;
    return echelle_dessin(std::llround(region.left() + avance / ecart_x), std::llround(region.top() + avance / ecart_y),
                          float(ecart_x), float(ecart_y), hauteur);
}

// The sensors' bounding box brought onto the drawing area.
echelle_dessin mettre_a_l_echelle(const donnees_dessin &d, int largeur, int hauteur)
{
    if (d.figure.region)
        return echelle_region(*d.figure.region, largeur, hauteur);
    const auto &positions = d.instance.positions();
    std::int64_t min_x = 65530, min_y = 65530, max_x = 0, max_y = 0;
    for (std::size_t i = 0; i < d.nb_places; ++i) {
        if (!positions[i])
            continue;
        const std::int64_t x = positions[i]->x();
        const std::int64_t y = positions[i]->y();
        min_x = std::min(min_x, x);
        max_x = std::max(max_x, x);
        min_y = std::min(min_y, y);
        max_y = std::max(max_y, y);
    }
    const float ecart_x = facteur_axe(largeur - reserve_sommets, min_x, max_x);
    const float ecart_y = facteur_axe(hauteur - reserve_sommets, min_y, max_y);
    std::cout << "_ecart_x = " << ecart_x << "   _ecart_y = " << ecart_y << std::endl;
    return echelle_dessin(min_x, min_y, ecart_x, ecart_y, hauteur);
}

QString nom_seul(const QString &chemin)
{
    return QFileInfo(chemin).fileName();
}

void ecrire_information(liste_dessin &liste, const donnees_dessin &d)
{
    QString texte;
    if (d.solution_b && !d.historique)
        texte = QStringLiteral("Comparaison [%1] / [%2], %3 sommets [%4]")
                    .arg(nom_seul(d.solution->nom_fichier()), nom_seul(d.solution_b->nom_fichier()))
                    .arg(d.instance.nb_sensors())
                    .arg(nom_seul(d.instance.nom_fichier()));
    else
        texte = QStringLiteral("Graphe [%1], non oriente, %2 sommets [%3]")
                    .arg(d.solution ? QStringLiteral("solution") : QStringLiteral("instance"))
                    .arg(d.instance.nb_sensors())
                    .arg(nom_seul(d.instance.nom_fichier()));
    liste.ajouter_texte(texte, QPointF(0, 0), &bleu_nuit);
}

// Fill and label colours of a sensor, from the roles the drawing shows; a
// comparison tells MA sensors of one solution only and leaves BR out.
const QColor &fond(const donnees_dessin &d, const roles_capteurs &roles, std::size_t i)
{
    // The instance drawing fills every vertex alike.
    if (!d.solution)
        return blanc_casse;
    if (roles.joue(i, roles_capteurs::puits))
        return vert_puits;
    if (en_couleur_a(d, roles, i))
        return bleu_seulement_a;
    if (en_couleur_b(d, roles, i))
        return vermillon_seulement_b;
    if (roles.joue(i, roles_capteurs::ma))
        return vert_ma;
    if ((!d.solution_b || d.historique) && roles.joue(i, roles_capteurs::br))
        return saumon_br;
    return blanc_casse;
}

const QColor &couleur_etiquette(const donnees_dessin &d, const roles_capteurs &roles, std::size_t i)
{
    if (i != d.instance.sink())
        return en_couleur_a(d, roles, i) || en_couleur_b(d, roles, i) ? blanc_casse : bleu_nuit;
    return d.solution ? blanc_casse : rouge_puits;
}

// In the colour-blind style: Okabe and Ito's colours, each role its mark.
QColor fond_daltonien(const donnees_dessin &d, const roles_capteurs &roles, std::size_t i)
{
    using namespace palette_figure;
    if (i == d.instance.sink())
        return noir;
    if (!d.solution)
        return blanc_casse;
    if (en_couleur_a(d, roles, i))
        return bleu;
    if (en_couleur_b(d, roles, i))
        return vermillon;
    if (roles.joue(i, roles_capteurs::ma))
        return vert_bleute;
    if ((!d.solution_b || d.historique) && roles.joue(i, roles_capteurs::br))
        return orange;
    if (roles.joue(i, roles_capteurs::sl))
        return bleu_ciel;
    return blanc_casse;
}

forme_sommet::forme forme_de(const donnees_dessin &d, const roles_capteurs &roles, std::size_t i)
{
    using forme_sommet::forme;
    if (!d.daltonien())
        return forme::cercle;
    if (i == d.instance.sink())
        return forme::carre;
    if (!d.solution)
        return forme::petit_cercle;
    if (roles.joue(i, roles_capteurs::ma) || roles.joue(i, roles_capteurs::ma_b))
        return forme::cercle;
    if (roles.joue(i, roles_capteurs::br))
        return forme::losange;
    if (roles.joue(i, roles_capteurs::sl))
        return forme::triangle;
    return forme::petit_cercle;
}

QColor couleur_valeur(const donnees_dessin &d, std::size_t i)
{
    const std::optional<double> v = i < d.valeurs->valeur.size() ? d.valeurs->valeur[i] : std::nullopt;
    if (!v || !d.etendue)
        return palette_figure::gris_clair;
    const double etendue = d.etendue->second - d.etendue->first;
    return palette_figure::viridis(etendue > 0 ? (*v - d.etendue->first) / etendue : 0.5);
}

// A vertex's fill, number colour and mark: the roles' usual ones unless the
// figure asks for values or the colour-blind style.
struct apparence_sommet
{
    QColor fond;
    QColor numero;
    forme_sommet::forme forme;
};

apparence_sommet apparence(const donnees_dessin &d, const roles_capteurs &roles, std::size_t i)
{
    if (!d.valeurs && !d.daltonien())
        return {fond(d, roles, i), couleur_etiquette(d, roles, i), forme_sommet::forme::cercle};
    const QColor f = d.valeurs ? couleur_valeur(d, i) : fond_daltonien(d, roles, i);
    return {f, palette_figure::couleur_numero_sur(f), forme_de(d, roles, i)};
}

// Each sensor's vertex, in sensor order: its index in the list, aucun_sommet
// for a sensor whose line was never read. They enter the list after the
// arcs, so that they lie above them.
std::vector<std::uint32_t> numeroter_sommets(const donnees_dessin &d)
{
    std::vector<std::uint32_t> indices(d.nb_places, aucun_sommet);
    std::uint32_t suivant = 0;
    for (std::size_t i = 0; i < d.nb_places; ++i)
        if (d.instance.positions()[i])
            indices[i] = d.dans_region(i) ? suivant++ : hors_region;
    return indices;
}

void ajouter_sommets(liste_dessin &liste, const donnees_dessin &d, const echelle_dessin &e,
                     const roles_capteurs &roles)
{
    const QPen contour(bleu_nuit);
    const auto &positions = d.instance.positions();
    for (std::size_t i = 0; i < d.nb_places; ++i) {
        if (!positions[i] || !d.dans_region(i))
            continue;
        const apparence_sommet a = apparence(d, roles, i);
        liste.ajouter_sommet(e.coin_sommet(positions[i]->x(), positions[i]->y()), static_cast<int>(i), a.fond,
                             a.numero, contour, a.forme);
    }
}

// The uncovered sensors' rings, over every vertex, each tied to its own.
void ajouter_anneaux(liste_dessin &liste, const donnees_dessin &d, const std::vector<std::uint32_t> &indices)
{
    const QPen anneau(palette_figure::vermillon, largeur_anneau);
    const QRect boite = forme_sommet::boite_sommet.toRect().adjusted(-retrait_anneau, -retrait_anneau,
                                                                      retrait_anneau, retrait_anneau);
    for (std::size_t i = 0; i < d.nb_places && i < d.defauts->non_couvert.size(); ++i)
        if (d.defauts->non_couvert[i] && indices[i] < hors_region)
            liste.ajouter_marque(boite, forme_sommet::forme::cercle, anneau, Qt::NoBrush, indices[i]);
}

// Calls f(s, t) for every neighbour entry whose arc is drawn, in order: every
// sensor's for the instance, the MA sensors' for the solution, and for a
// comparison A's MA sensors' then those of B's that A lacks (in a history,
// the step's then those that left it).
template <typename F>
void pour_chaque_entree(const donnees_dessin &d, const roles_capteurs &roles, F &&f)
{
    const auto &voisins = d.instance.voisins();
    const std::size_t nb_sensors = d.instance.nb_sensors();
    auto entrees_de = [&](std::uint16_t s) {
        // A source without a neighbour list is skipped.
        if (s >= nb_sensors || s >= voisins.size() || !voisins[s])
            return;
        for (std::uint16_t t : *voisins[s])
            f(s, t);
    };
    if (d.solution) {
        for (std::uint16_t s : d.solution->liste_ma())
            entrees_de(s);
        if (d.solution_b)
            for (std::uint16_t s : d.solution_b->liste_ma())
                if (seulement_b(roles, s))
                    entrees_de(s);
    } else {
        for (std::size_t s = 0; s < nb_sensors; ++s)
            entrees_de(static_cast<std::uint16_t>(s));
    }
}

// The pens of the links: grey, or for a comparison's MA sensor of one
// solution only its colour, dashed for B so that the two stay apart in
// greyscale.
struct stylos_arcs
{
    QPen gris{gris_arc};
    QPen stylo_a{bleu_seulement_a, largeur_arc_difference};
    QPen stylo_b{vermillon_seulement_b, largeur_arc_difference, Qt::DashLine};
    // A part of MA cut off from the sink.
    QPen coupe{gris_arc, 1, Qt::DashLine};

    const QPen &pour(const donnees_dessin &d, const roles_capteurs &roles, std::uint16_t s) const
    {
        if (d.defauts && s < d.defauts->ma_coupe.size() && d.defauts->ma_coupe[s])
            return coupe;
        return en_couleur_a(d, roles, s) ? stylo_a : en_couleur_b(d, roles, s) ? stylo_b : gris;
    }
};

void ajouter_arcs(liste_dessin &liste, const donnees_dessin &d, const roles_capteurs &roles,
                  const std::vector<std::uint32_t> &indices)
{
    const stylos_arcs stylos;
    auto sommet_de = [&indices](std::uint16_t capteur) {
        const std::uint32_t indice = capteur < indices.size() ? indices[capteur] : aucun_sommet;
        if (indice == aucun_sommet)
            std::cout << "NULL" << std::endl;
        return indice;
    };
    pour_chaque_entree(d, roles, [&](std::uint16_t s, std::uint16_t t) {
        const std::uint32_t source = sommet_de(s);
        const std::uint32_t destination = sommet_de(t);
        // An arc with a missing end, or an end out of the region, is never drawn.
        if (source < hors_region && destination < hors_region)
            liste.ajouter_arc(source, destination, stylos.pour(d, roles, s));
    });
}

// The rows of a legend of roles, in the order a reader meets them.
enum class classe { puits, capteurs, ma, ma_deux, seul_a, seul_b, entres, sortis, br, sl, autres, nb };

classe classe_de(const donnees_dessin &d, const roles_capteurs &roles, std::size_t i)
{
    if (i == d.instance.sink())
        return classe::puits;
    if (!d.solution)
        return classe::capteurs;
    if (en_couleur_a(d, roles, i))
        return d.historique ? classe::sortis : classe::seul_a;
    if (en_couleur_b(d, roles, i))
        return d.historique ? classe::entres : classe::seul_b;
    if (roles.joue(i, roles_capteurs::ma))
        return d.solution_b && !d.historique ? classe::ma_deux : classe::ma;
    // A comparison shows MA alone: the rest look alike.
    if (d.solution_b && !d.historique)
        return classe::autres;
    if (roles.joue(i, roles_capteurs::br))
        return classe::br;
    if (roles.joue(i, roles_capteurs::sl))
        return classe::sl;
    return classe::autres;
}

QString nom_classe(classe c)
{
    switch (c) {
    case classe::puits: return QStringLiteral("puits");
    case classe::capteurs: return QStringLiteral("capteurs");
    case classe::ma: return QStringLiteral("MA");
    case classe::ma_deux: return QStringLiteral("MA des deux");
    case classe::seul_a: return QStringLiteral("MA de A seul");
    case classe::seul_b: return QStringLiteral("MA de B seul");
    case classe::entres: return QString::fromUtf8("entrés dans MA");
    case classe::sortis: return QStringLiteral("sortis de MA");
    case classe::br: return QStringLiteral("BR");
    case classe::sl: return QStringLiteral("SL");
    case classe::autres:
    case classe::nb: break;
    }
    return QStringLiteral("autres");
}

// One row a kind of vertex drawn, its sample the first such vertex's look,
// so that the legend says what the drawing shows.
void legender_roles(legende_figure &l, const donnees_dessin &d, const roles_capteurs &roles)
{
    constexpr std::size_t nb_classes = std::size_t(classe::nb);
    std::array<int, nb_classes> compte{};
    std::array<std::size_t, nb_classes> premier{};
    // MA, SL and BR count their members, the sink among them, as the facts
    // do; the sample is the first vertex drawn as the row says.
    std::array<int, nb_classes> membres{};
    for (std::size_t i = 0; i < d.nb_places; ++i) {
        if (!d.instance.positions()[i] || !d.dans_region(i))
            continue;
        const auto c = std::size_t(classe_de(d, roles, i));
        if (compte[c]++ == 0)
            premier[c] = i;
        membres[std::size_t(classe::ma)] += roles.joue(i, roles_capteurs::ma);
        membres[std::size_t(classe::sl)] += roles.joue(i, roles_capteurs::sl);
        membres[std::size_t(classe::br)] += roles.joue(i, roles_capteurs::br);
    }
    for (classe c : {classe::ma, classe::sl, classe::br})
        if (compte[std::size_t(c)])
            compte[std::size_t(c)] = membres[std::size_t(c)];
    for (std::size_t c = 0; c < nb_classes; ++c) {
        if (!compte[c])
            continue;
        const apparence_sommet a = apparence(d, roles, premier[c]);
        const QString texte = classe(c) == classe::puits ? nom_classe(classe(c))
                                                           : nom_classe(classe(c)) + ' ' + QString::number(compte[c]);
        l.ajouter_marque(texte, a.forme, a.fond, QPen(bleu_nuit));
    }
}

legende_figure legender(const donnees_dessin &d, const roles_capteurs &roles)
{
    legende_figure l;
    if (d.valeurs) {
        if (d.etendue)
            l.ajouter_barre(d.valeurs->nom, d.etendue->first, d.etendue->second);
        int sans_valeur = 0;
        for (std::size_t i = 0; i < d.nb_places; ++i)
            if (d.instance.positions()[i] && d.dans_region(i) && couleur_valeur(d, i) == palette_figure::gris_clair
                && !(i < d.valeurs->valeur.size() && d.valeurs->valeur[i]))
                ++sans_valeur;
        if (sans_valeur)
            l.ajouter_marque(QStringLiteral("sans valeur ") + QString::number(sans_valeur), forme_sommet::forme::cercle,
                             palette_figure::gris_clair, QPen(bleu_nuit));
    } else {
        legender_roles(l, d, roles);
    }
    if (d.defauts) {
        l.ajouter_marque(QStringLiteral("non couverts ") + QString::number(d.defauts->nb_non_couverts),
                         forme_sommet::forme::cercle, QColor(), QPen(palette_figure::vermillon, largeur_anneau));
        l.ajouter_trait(QStringLiteral("parties de MA sans le puits ") + QString::number(d.defauts->nb_parties_coupees),
                        stylos_arcs().coupe);
    }
    return l;
}

// What the figure computes from the records before drawing: the values
// that fill the sensors and the solution's faults.
struct complements_figure
{
    valeurs_capteurs valeurs;
    bool avec_valeurs = false;
    defauts_solution defauts;
    bool avec_defauts = false;
};

void completer(donnees_dessin &d, complements_figure &c)
{
    const options_figure &o = d.figure;
    if (o.couleur_par == valeur_figure::sauts)
        c.valeurs = sauts_au_puits(d.instance);
    else if (o.couleur_par == valeur_figure::degre)
        c.valeurs = degres(d.instance);
    else if (o.couleur_par == valeur_figure::fichier && o.valeurs)
        c.valeurs = *o.valeurs;
    c.avec_valeurs = o.couleur_par != valeur_figure::aucune && (o.couleur_par != valeur_figure::fichier || o.valeurs);
    if (c.avec_valeurs) {
        d.valeurs = &c.valeurs;
        d.etendue = c.valeurs.etendue();
    }
    // Faults are a solution's, not a comparison's.
    if (o.defauts && d.solution && (!d.solution_b || d.historique)) {
        c.defauts = calculer_defauts(d.instance, *d.solution);
        c.avec_defauts = true;
        d.defauts = &c.defauts;
    }
}

// The list's area: the drawing's, widened for a legend and deepened for a
// scale bar.
QSize aire_figure(const QSize &aire, const options_figure &o, const QSize &legende)
{
    QSize figure = aire;
    if (o.legende && !legende.isEmpty()) {
        figure.rwidth() += ecart_legende + legende.width() + ecart_legende;
        figure.rheight() = std::max(figure.height(), marge_cadre + legende.height() + ecart_legende);
    }
    if (o.barre_echelle)
        figure.rheight() = std::max(figure.height(), aire.height() + barre_echelle::hauteur);
    return figure;
}

} // namespace

dessin construire_dessin(const sujet_dessin &sujet, const QSize &aire, const QFont &police, int ppp)
{
    std::cout << "width=" << aire.width() << "  height=" << aire.height() << std::endl;
    dessin resultat;
    const bool avec_solution = sujet.type_graphe != 1 || sujet.b;
    if (!sujet.instance || (avec_solution && !sujet.solution)) {
        resultat.liste = std::make_shared<liste_dessin>(aire, police, ppp);
        resultat.liste->ajouter_texte(QStringLiteral(":"), QPointF(0, 0));
        dessiner_cadre(*resultat.liste, aire.width(), aire.height(), std::nullopt);
        return resultat;
    }
    const graphe_solution *autre = sujet.b ? sujet.b : avec_solution ? sujet.precedente : nullptr;
    // A read that stopped part-way leaves fewer positions than announced.
    donnees_dessin d{*sujet.instance, avec_solution ? sujet.solution : nullptr,
                     std::min<std::size_t>(sujet.instance->nb_sensors(), sujet.instance->positions().size()),
                     autre, !sujet.b && autre, sujet.figure, nullptr, std::nullopt, nullptr};
    complements_figure complements;
    completer(d, complements);
    const echelle_dessin e = mettre_a_l_echelle(d, aire.width(), aire.height());
    // The roles this drawing shows: the sink alone for the instance.
    resultat.roles = roles_capteurs(*sujet.instance, d.solution, autre);
    const legende_figure legende = sujet.figure.legende ? legender(d, resultat.roles) : legende_figure();
    const QSize taille_legende = legende.vide() ? QSize() : legende.taille(police, ppp);
    resultat.liste = std::make_shared<liste_dessin>(aire_figure(aire, sujet.figure, taille_legende), police, ppp);
    liste_dessin &liste = *resultat.liste;
    liste.ajouter_texte(QStringLiteral(":"), QPointF(0, 0));
    dessiner_cadre(liste, aire.width(), aire.height(), sujet.figure.region);
    ecrire_information(liste, d);
    const std::vector<std::uint32_t> indices = numeroter_sommets(d);
    ajouter_arcs(liste, d, resultat.roles, indices);
    ajouter_sommets(liste, d, e, resultat.roles);
    if (d.defauts)
        ajouter_anneaux(liste, d, indices);
    if (!taille_legende.isEmpty())
        legende.poser(liste, QPoint(aire.width() + ecart_legende, marge_cadre));
    if (sujet.figure.barre_echelle)
        barre_echelle::poser(liste, e, aire.width(), aire.height());
    resultat.echelle = e;
    return resultat;
}
