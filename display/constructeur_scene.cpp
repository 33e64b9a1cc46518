#include "constructeur_scene.h"

#include "aire_dessin.h"
#include "coord_sommet.h"
#include "couleurs_dessin.h"
#include "echelle_dessin.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "graphic_item_arc.h"
#include "graphic_item_sommet.h"
#include "graphic_view.h"
#include "liste_dessin.h"
#include "roles_capteurs.h"
#include "session_graphe.h"

#include <QBrush>
#include <QColor>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QObject>
#include <QPen>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <iostream>
#include <memory>
#include <utility>
#include <vector>

namespace {

using couleurs_dessin::bleu_nuit;
const QColor gris_texte(153, 153, 153, 255);
const QColor gris_arc(170, 170, 170, 255);
const QColor rouge_puits(175, 8, 8, 255);
using couleurs_dessin::blanc_casse;
using couleurs_dessin::bleu_seulement_a;
using couleurs_dessin::saumon_br;
using couleurs_dessin::vermillon_seulement_b;
using couleurs_dessin::vert_ma;
using couleurs_dessin::vert_puits;

// The drawing's measures, in scene units.
constexpr int nb_graduations = 10;
constexpr int marge_cadre = aire_dessin::marge;
constexpr int longueur_graduation = 5;
// The horizontal grid lines start one unit past the ticks.
constexpr int debut_grille = marge_cadre + longueur_graduation + 1;
constexpr int reserve_sommets = echelle_dessin::reserve_sommets;
constexpr int diametre_sommet = echelle_dessin::diametre_sommet;
// A comparison's links of one solution only stand out from the grey ones.
constexpr qreal largeur_arc_difference = 1.5;

// Every item of a drawing is made here, so that the whole drawing's items can
// be tuned in one place, and each is written into the drawing's list as it
// is made.
class fabrique_items
{
public:
    // Without a list, the items alone.
    fabrique_items(QGraphicsScene *scene, liste_dessin *liste)
        : _scene(scene), _liste(liste), _contour(bleu_nuit), _trait_arc(gris_arc),
          _info_sommet(QObject::tr("sommet : "))
    {
    }

    void texte(const QString &contenu, qreal x, qreal y, const QColor *couleur = nullptr)
    {
        auto *item = new QGraphicsTextItem(contenu);
        // A text item takes hover events for its links, which these texts
        // have none of; one that does has the scene look through its index
        // at every move of the pointer and every scroll.
        item->setAcceptHoverEvents(false);
        item->setPos(x, y);
        if (couleur)
            item->setDefaultTextColor(*couleur);
        _scene->addItem(item);
        if (_liste)
            _liste->ajouter_texte(*item);
    }

    void ligne(int x1, int y1, int x2, int y2, const QPen &stylo)
    {
        auto *item = new QGraphicsLineItem(x1, y1, x2, y2);
        item->setPen(stylo);
        _scene->addItem(item);
        if (_liste)
            _liste->ajouter_ligne(QLine(x1, y1, x2, y2), stylo);
    }

    std::unique_ptr<graphic_item_sommet> sommet(int id, int x, int y, const QColor &fond,
                                                const QColor &couleur_etiquette)
    {
        auto item = std::make_unique<graphic_item_sommet>(nullptr);
        item->setPos(x, y);
        item->setRect(0, 0, diametre_sommet, diametre_sommet);
        item->setPen(_contour);
        item->setBrush(brosse(fond));
        item->id() = id;
        item->set_couleur_etiquette(couleur_etiquette);
        item->setToolTip(_info_sommet + QString::number(id));
        item->setAcceptDrops(true);
        if (!_liste)
            return item;
        if (std::size_t(id) >= _rangs.size())
            _rangs.resize(std::size_t(id) + 1, aucun_rang);
        _rangs[std::size_t(id)] = _liste->ajouter_sommet(QPoint(x, y), id, item->brush(), couleur_etiquette, _contour);
        return item;
    }

    void arc(graphic_item_sommet *source, graphic_item_sommet *destination, const QPen *stylo = nullptr)
    {
        auto *item = new graphic_item_arc(nullptr);
        item->setPen(stylo ? *stylo : _trait_arc);
        source->arcs_sortants().push_back(item);
        item->source() = source;
        destination->arcs_entrants().push_back(item);
        item->destination() = destination;
        _scene->addItem(item);
        item->ajuster_ligne();
        if (!_liste)
            return;
        const std::uint32_t de = rang(source);
        const std::uint32_t vers = rang(destination);
        // Only this drawing's vertices are in its list.
        if (de != aucun_rang && vers != aucun_rang)
            _liste->ajouter_arc(item->line().toLine(), item->pen(), de, vers);
    }

    // The scene takes the vertex over.
    void ajouter(std::unique_ptr<graphic_item_sommet> item) { _scene->addItem(item.release()); }

private:
    static constexpr std::uint32_t aucun_rang = UINT32_MAX;

    // The vertex's place in the list, by its number.
    std::uint32_t rang(graphic_item_sommet *sommet) const
    {
        const std::size_t id = std::size_t(sommet->id());
        return id < _rangs.size() ? _rangs[id] : aucun_rang;
    }

    // One brush per fill colour, shared by the vertices of that colour.
    const QBrush &brosse(const QColor &couleur)
    {
        for (const QBrush &b : _brosses)
            if (b.color() == couleur)
                return b;
        _brosses.emplace_back(couleur);
        return _brosses.back();
    }

    QGraphicsScene *_scene;
    liste_dessin *_liste;
    std::vector<std::uint32_t> _rangs;
    // Equal pens, brushes and tool-tip prefixes are shared rather than made
    // again for every item: the same values, one allocation.
    const QPen _contour;
    const QPen _trait_arc;
    const QString _info_sommet;
    std::deque<QBrush> _brosses;
};

// What one drawing reads of its session, with the part of the records that
// a read stopped part-way leaves whole.
struct donnees_dessin
{
    graphe_instance &instance;
    graphe_solution *solution; // null for the instance drawing
    std::size_t nb_places;
    graphe_solution *solution_b = nullptr; // the other solution of a comparison
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

void dessiner_cadre(fabrique_items &fabrique, int largeur, int hauteur)
{
    const QPen trait(bleu_nuit);
    const float pas_y = (hauteur - 2 * marge_cadre) / float(nb_graduations);
    const float pas_x = (largeur - 2 * marge_cadre) / float(nb_graduations);
    const int bas = hauteur - marge_cadre;
    for (int k = 0; k <= nb_graduations; ++k) {
        const int y = bas - static_cast<int>(k * pas_y);
        fabrique.ligne(marge_cadre, y, marge_cadre + longueur_graduation, y, trait);
        if (k == 0)
            fabrique.texte(QString::number(k), 18, y - 4, &gris_texte);
        else
            fabrique.texte(QString::number(k), k == nb_graduations ? 12 : 18, y - 10, &gris_texte);
        const QPen pointille = stylo_pointille(k);
        fabrique.ligne(debut_grille, y, largeur - marge_cadre, y, pointille);

        const int x = static_cast<int>(k * pas_x) + marge_cadre;
        fabrique.ligne(x, bas, x, bas - longueur_graduation, trait);
        if (k >= 1)
            fabrique.texte(QString::number(k), x - (k == nb_graduations ? 9 : 6), bas - 1, &gris_texte);
        fabrique.ligne(x, marge_cadre, x, hauteur - debut_grille, pointille);
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

void ecrire_information(fabrique_items &fabrique, const donnees_dessin &d)
{
    QString texte;
    if (d.solution_b)
        texte = QStringLiteral("Comparaison [%1] / [%2], %3 sommets [%4]")
                    .arg(nom_seul(d.solution->nom_fichier()), nom_seul(d.solution_b->nom_fichier()))
                    .arg(d.instance.nb_sensors())
                    .arg(nom_seul(d.instance.nom_fichier()));
    else
        texte = QStringLiteral("Graphe [%1], non oriente, %2 sommets [%3]")
                    .arg(d.solution ? QStringLiteral("solution") : QStringLiteral("instance"))
                    .arg(d.instance.nb_sensors())
                    .arg(nom_seul(d.instance.nom_fichier()));
    fabrique.texte(texte, 0, 0, &bleu_nuit);
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
    if (d.solution_b && seulement_a(roles, i))
        return bleu_seulement_a;
    if (d.solution_b && seulement_b(roles, i))
        return vermillon_seulement_b;
    if (roles.joue(i, roles_capteurs::ma))
        return vert_ma;
    if (!d.solution_b && roles.joue(i, roles_capteurs::br))
        return saumon_br;
    return blanc_casse;
}

const QColor &couleur_etiquette(const donnees_dessin &d, const roles_capteurs &roles, std::size_t i)
{
    if (i != d.instance.sink())
        return d.solution_b && (seulement_a(roles, i) || seulement_b(roles, i)) ? blanc_casse : bleu_nuit;
    return d.solution ? blanc_casse : rouge_puits;
}

// Every vertex, labelled, in sensor order and listed in the view; they
// enter the scene only after the arcs, so that they lie above them.
std::vector<std::unique_ptr<graphic_item_sommet>>
creer_sommets(fabrique_items &fabrique, const donnees_dessin &d, const echelle_dessin &e,
              const roles_capteurs &roles, std::vector<graphic_item_sommet *> &liste)
{
    const auto &positions = d.instance.positions();
    std::vector<std::unique_ptr<graphic_item_sommet>> sommets;
    sommets.reserve(d.nb_places);
    liste.reserve(liste.size() + d.nb_places);
    for (std::size_t i = 0; i < d.nb_places; ++i) {
        if (!positions[i])
            continue;
        const QPoint coin = e.coin_sommet(positions[i]->x(), positions[i]->y());
        sommets.push_back(fabrique.sommet(static_cast<int>(i), coin.x(), coin.y(), fond(d, roles, i),
                                          couleur_etiquette(d, roles, i)));
        liste.push_back(sommets.back().get());
    }
    return sommets;
}

// Calls f(s, t) for every neighbour entry whose arc is drawn, in order: every
// sensor's for the instance, the MA sensors' for the solution, and for a
// comparison A's MA sensors' then those of B's that A lacks.
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

// Each vertex's arc lists get their final size at once instead of growing
// arc by arc, which also leaves the arcs side by side.
void reserver_arcs(graphic_view *vue, const donnees_dessin &d, const roles_capteurs &roles,
                   std::vector<std::unique_ptr<graphic_item_sommet>> &sommets)
{
    std::vector<std::uint32_t> sortants(d.nb_places, 0), entrants(d.nb_places, 0);
    // Counted for the vertices of this drawing, whose ids lie below
    // nb_places; a view not emptied before may hold others.
    pour_chaque_entree(d, roles, [&](std::uint16_t s, std::uint16_t t) {
        if (s < d.nb_places && t < d.nb_places && vue->trouver_sommet(s) && vue->trouver_sommet(t)) {
            ++sortants[s];
            ++entrants[t];
        }
    });
    for (std::unique_ptr<graphic_item_sommet> &sommet : sommets) {
        sommet->arcs_sortants().reserve(sortants[std::size_t(sommet->id())]);
        sommet->arcs_entrants().reserve(entrants[std::size_t(sommet->id())]);
    }
}

// The pens of a comparison's links from an MA sensor of one solution only;
// dashes keep B's apart from A's in greyscale.
struct stylos_difference
{
    QPen stylo_a{bleu_seulement_a, largeur_arc_difference};
    QPen stylo_b{vermillon_seulement_b, largeur_arc_difference, Qt::DashLine};

    // Null for the ordinary grey link.
    const QPen *pour(const donnees_dessin &d, const roles_capteurs &roles, std::uint16_t s) const
    {
        if (!d.solution_b)
            return nullptr;
        return seulement_a(roles, s) ? &stylo_a : seulement_b(roles, s) ? &stylo_b : nullptr;
    }
};

void creer_arcs(fabrique_items &fabrique, graphic_view *vue, const donnees_dessin &d, const roles_capteurs &roles)
{
    const stylos_difference stylos;
    pour_chaque_entree(d, roles, [&](std::uint16_t s, std::uint16_t t) {
        graphic_item_sommet *source = vue->trouver_sommet(s);
        if (!source)
            std::cout << "NULL" << std::endl;
        graphic_item_sommet *destination = vue->trouver_sommet(t);
        if (!destination)
            std::cout << "NULL" << std::endl;
        // An arc with a missing end is never drawn.
        if (source && destination)
            fabrique.arc(source, destination, stylos.pour(d, roles, s));
    });
}

// The drawing's steps: frame, scale, information, vertices, arcs.
void dessiner(graphic_view *vue, graphe_instance *instance, graphe_solution *solution, bool avec_solution,
              graphe_solution *solution_b)
{
    const int largeur = vue->largeur_scene();
    const int hauteur = vue->hauteur_scene();
    std::cout << "width=" << largeur << "  height=" << hauteur << std::endl;

    // Every item is new: one update of the whole view instead of one dirty
    // area per item, which the view would merge one by one.
    vue->scene()->update();
    // The screen's tiles are painted from the list; a view that only writes
    // files needs none.
    auto liste = vue->peinte_en_tuiles()
                     ? std::make_shared<liste_dessin>(QSize(largeur, hauteur), vue->viewport()->font(),
                                                      vue->viewport()->logicalDpiY())
                     : nullptr;
    fabrique_items fabrique(vue->scene(), liste.get());
    fabrique.texte(QStringLiteral(":"), 0, 0);
    dessiner_cadre(fabrique, largeur, hauteur);

    if (!instance || (avec_solution && !solution)) {
        if (liste)
            liste->terminer();
        vue->retenir_dessin(std::nullopt, roles_capteurs(), std::move(liste));
        return;
    }
    // A read that stopped part-way leaves fewer positions than announced.
    const donnees_dessin d{*instance, avec_solution ? solution : nullptr,
                           std::min<std::size_t>(instance->nb_sensors(), instance->positions().size()),
                           solution_b};

    const echelle_dessin e = mettre_a_l_echelle(d, largeur, hauteur);
    ecrire_information(fabrique, d);
    // The roles this drawing shows: the sink alone for the instance.
    roles_capteurs roles(*instance, d.solution, solution_b);
    std::vector<std::unique_ptr<graphic_item_sommet>> sommets =
        creer_sommets(fabrique, d, e, roles, vue->liste_sommets());
    reserver_arcs(vue, d, roles, sommets);
    creer_arcs(fabrique, vue, d, roles);
    for (std::unique_ptr<graphic_item_sommet> &sommet : sommets)
        fabrique.ajouter(std::move(sommet));
    if (liste)
        liste->terminer();
    vue->retenir_dessin(e, std::move(roles), std::move(liste));
}

} // namespace

void construire_scene(graphic_view *vue, session_graphe *session, int type_graphe)
{
    dessiner(vue, session ? session->instance().get() : nullptr, session ? session->solution().get() : nullptr,
             type_graphe != 1, nullptr);
}

void construire_comparaison(graphic_view *vue, session_graphe *session, graphe_solution *b)
{
    // Without B nothing but the frame is drawn, as for a missing solution.
    dessiner(vue, session ? session->instance().get() : nullptr, session && b ? session->solution().get() : nullptr,
             true, b);
}
