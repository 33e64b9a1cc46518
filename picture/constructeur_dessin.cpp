#include "constructeur_dessin.h"

#include "aire_dessin.h"
#include "coord_sommet.h"
#include "couleurs_dessin.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "liste_dessin.h"

#include <QColor>
#include <QFileInfo>
#include <QPen>

#include <algorithm>
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

void dessiner_cadre(liste_dessin &liste, int largeur, int hauteur)
{
    const QPen trait(bleu_nuit);
    const float pas_y = (hauteur - 2 * marge_cadre) / float(nb_graduations);
    const float pas_x = (largeur - 2 * marge_cadre) / float(nb_graduations);
    const int bas = hauteur - marge_cadre;
    for (int k = 0; k <= nb_graduations; ++k) {
        const int y = bas - static_cast<int>(k * pas_y);
        liste.ajouter_ligne(QLine(marge_cadre, y, marge_cadre + longueur_graduation, y), trait);
        if (k == 0)
            liste.ajouter_texte(QString::number(k), QPointF(18, y - 4), &gris_texte);
        else
            liste.ajouter_texte(QString::number(k), QPointF(k == nb_graduations ? 12 : 18, y - 10), &gris_texte);
        const QPen pointille = stylo_pointille(k);
        liste.ajouter_ligne(QLine(debut_grille, y, largeur - marge_cadre, y), pointille);

        const int x = static_cast<int>(k * pas_x) + marge_cadre;
        liste.ajouter_ligne(QLine(x, bas, x, bas - longueur_graduation), trait);
        if (k >= 1)
            liste.ajouter_texte(QString::number(k), QPointF(x - (k == nb_graduations ? 9 : 6), bas - 1),
                                &gris_texte);
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

// The sensors' bounding box brought onto the drawing area.
echelle_dessin mettre_a_l_echelle(const donnees_dessin &d, int largeur, int hauteur)
{
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

// Each sensor's vertex, in sensor order: its index in the list, aucun_sommet
// for a sensor whose line was never read. They enter the list after the
// arcs, so that they lie above them.
std::vector<std::uint32_t> numeroter_sommets(const donnees_dessin &d)
{
    std::vector<std::uint32_t> indices(d.nb_places, aucun_sommet);
    std::uint32_t suivant = 0;
    for (std::size_t i = 0; i < d.nb_places; ++i)
        if (d.instance.positions()[i])
            indices[i] = suivant++;
    return indices;
}

void ajouter_sommets(liste_dessin &liste, const donnees_dessin &d, const echelle_dessin &e,
                     const roles_capteurs &roles)
{
    const QPen contour(bleu_nuit);
    const auto &positions = d.instance.positions();
    for (std::size_t i = 0; i < d.nb_places; ++i) {
        if (!positions[i])
            continue;
        liste.ajouter_sommet(e.coin_sommet(positions[i]->x(), positions[i]->y()), static_cast<int>(i),
                             fond(d, roles, i), couleur_etiquette(d, roles, i), contour);
    }
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

    const QPen &pour(const donnees_dessin &d, const roles_capteurs &roles, std::uint16_t s) const
    {
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
        // An arc with a missing end is never drawn.
        if (source != aucun_sommet && destination != aucun_sommet)
            liste.ajouter_arc(source, destination, stylos.pour(d, roles, s));
    });
}

} // namespace

dessin construire_dessin(const sujet_dessin &sujet, const QSize &aire, const QFont &police, int ppp)
{
    std::cout << "width=" << aire.width() << "  height=" << aire.height() << std::endl;
    dessin resultat;
    resultat.liste = std::make_shared<liste_dessin>(aire, police, ppp);
    liste_dessin &liste = *resultat.liste;
    liste.ajouter_texte(QStringLiteral(":"), QPointF(0, 0));
    dessiner_cadre(liste, aire.width(), aire.height());

    const bool avec_solution = sujet.type_graphe != 1 || sujet.b;
    if (!sujet.instance || (avec_solution && !sujet.solution))
        return resultat;
    const graphe_solution *autre = sujet.b ? sujet.b : avec_solution ? sujet.precedente : nullptr;
    // A read that stopped part-way leaves fewer positions than announced.
    const donnees_dessin d{*sujet.instance, avec_solution ? sujet.solution : nullptr,
                           std::min<std::size_t>(sujet.instance->nb_sensors(), sujet.instance->positions().size()),
                           autre, !sujet.b && autre};
    const echelle_dessin e = mettre_a_l_echelle(d, aire.width(), aire.height());
    ecrire_information(liste, d);
    // The roles this drawing shows: the sink alone for the instance.
    resultat.roles = roles_capteurs(*sujet.instance, d.solution, autre);
    const std::vector<std::uint32_t> indices = numeroter_sommets(d);
    ajouter_arcs(liste, d, resultat.roles, indices);
    ajouter_sommets(liste, d, e, resultat.roles);
    resultat.echelle = e;
    return resultat;
}
