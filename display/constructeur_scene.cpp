#include "constructeur_scene.h"

#include "coord_sommet.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "graphic_item_arc.h"
#include "graphic_item_sommet.h"
#include "graphic_view.h"
#include "reglages_affichage.h"
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

const QColor bleu_nuit(0, 51, 102, 255);
const QColor gris_texte(153, 153, 153, 255);
const QColor gris_arc(170, 170, 170, 255);
const QColor blanc_casse(244, 244, 244, 255);
const QColor rouge_puits(175, 8, 8, 255);
const QColor vert_puits(0, 128, 0, 255);
const QColor vert_ma(173, 255, 47, 255);
const QColor saumon_br(250, 128, 114, 255);

// Every item of a drawing is made here, so that the whole drawing's items can
// be tuned in one place.
class fabrique_items
{
public:
    explicit fabrique_items(QGraphicsScene *scene)
        : _scene(scene),
          _partager(reglages_affichage::actifs()),
          _contour(bleu_nuit),
          _trait_arc(gris_arc),
          _info_sommet(QObject::tr("sommet : "))
    {
    }

    void texte(const QString &contenu, qreal x, qreal y, const QColor *couleur = nullptr)
    {
        auto *item = new QGraphicsTextItem(contenu);
        item->setPos(x, y);
        if (couleur)
            item->setDefaultTextColor(*couleur);
        _scene->addItem(item);
    }

    void ligne(qreal x1, qreal y1, qreal x2, qreal y2, const QPen &stylo)
    {
        auto *item = new QGraphicsLineItem(x1, y1, x2, y2);
        item->setPen(stylo);
        _scene->addItem(item);
    }

    // Without a label colour the label is left to etiqueter().
    std::unique_ptr<graphic_item_sommet> sommet(int id, int x, int y, const QColor &fond,
                                                const QColor *couleur_etiquette)
    {
        auto item = std::make_unique<graphic_item_sommet>(nullptr);
        item->setPos(x, y);
        item->setRect(0, 0, 22, 22);
        if (_partager) {
            item->setPen(_contour);
            item->setBrush(brosse(fond));
        } else {
            item->setPen(QPen(bleu_nuit));
            item->setBrush(fond);
        }
        item->id() = id;
        if (couleur_etiquette)
            etiqueter(*item, *couleur_etiquette);
        item->setToolTip((_partager ? _info_sommet : QObject::tr("sommet : ")) + QString::number(id));
        item->setAcceptDrops(true);
        return item;
    }

    static void etiqueter(graphic_item_sommet &sommet, const QColor &couleur)
    {
        etiquette_vide(sommet);
        ecrire_etiquette(sommet, couleur);
    }

    // etiqueter() in two steps, the hidden item, then its text and colour.
    static void etiquette_vide(graphic_item_sommet &sommet)
    {
        auto *etiquette = new QGraphicsTextItem(&sommet);
        etiquette->hide();
        sommet.etiquette() = etiquette;
    }

    static void ecrire_etiquette(graphic_item_sommet &sommet, const QColor &couleur)
    {
        sommet.etiquette()->setPlainText(QString::number(sommet.id()));
        sommet.etiquette()->setDefaultTextColor(couleur);
    }

    void arc(graphic_item_sommet *source, graphic_item_sommet *destination)
    {
        auto *item = new graphic_item_arc(nullptr);
        item->setPen(_partager ? _trait_arc : QPen(gris_arc));
        source->arcs_sortants().push_back(item);
        item->source() = source;
        destination->arcs_entrants().push_back(item);
        item->destination() = destination;
        _scene->addItem(item);
        item->ajuster_ligne();
    }

    // The scene takes the vertex over.
    void ajouter(std::unique_ptr<graphic_item_sommet> item) { _scene->addItem(item.release()); }

private:
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
    // Equal pens, brushes and tool-tip prefixes are shared rather than made
    // again for every item: the same values, one allocation.
    const bool _partager;
    const QPen _contour;
    const QPen _trait_arc;
    const QString _info_sommet;
    std::deque<QBrush> _brosses;
};

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
    const float pas_y = (hauteur - 60) / 10.0f;
    const float pas_x = (largeur - 60) / 10.0f;
    for (int k = 0; k <= 10; ++k) {
        const int y = (hauteur - 30) - static_cast<int>(k * pas_y);
        fabrique.ligne(30, y, 35, y, trait);
        if (k == 0)
            fabrique.texte(QString::number(k), 18, y - 4, &gris_texte);
        else
            fabrique.texte(QString::number(k), k == 10 ? 12 : 18, y - 10, &gris_texte);
        const QPen pointille = stylo_pointille(k);
        fabrique.ligne(36, y, largeur - 30, y, pointille);

        const int x = static_cast<int>(k * pas_x) + 30;
        fabrique.ligne(x, hauteur - 30, x, hauteur - 35, trait);
        if (k >= 1)
            fabrique.texte(QString::number(k), x - (k == 10 ? 9 : 6), hauteur - 31, &gris_texte);
        fabrique.ligne(x, 30, x, hauteur - 36, pointille);
    }
}

// Scale of one axis; a zero range (one sensor, sensors on a line) puts every
// sensor at offset 0 instead of dividing by zero.
float echelle(int etendue_dessin, std::int64_t minimum, std::int64_t maximum)
{
    const std::int64_t etendue = maximum - minimum;
    if (etendue == 0)
        return 0.0f;
    return static_cast<float>(static_cast<double>(etendue_dessin) / static_cast<double>(etendue));
}

} // namespace

void construire_scene(graphic_view *vue, session_graphe *session, int type_graphe)
{
    const int largeur = vue->largeur_scene();
    const int hauteur = vue->hauteur_scene();
    std::cout << "width=" << largeur << "  height=" << hauteur << std::endl;

    // Every item is new: one update of the whole view instead of one dirty
    // area per item, which the view would merge one by one.
    if (reglages_affichage::actifs())
        vue->scene()->update();
    fabrique_items fabrique(vue->scene());
    fabrique.texte(QStringLiteral(":"), 0, 0);
    dessiner_cadre(fabrique, largeur, hauteur);

    const bool solution = type_graphe != 1;
    graphe_instance *instance = session ? session->instance().get() : nullptr;
    graphe_solution *contenu_solution = session ? session->solution().get() : nullptr;
    if (!instance || (solution && !contenu_solution))
        return;

    const std::uint16_t nb_sensors = instance->nb_sensors();
    // A read that stopped part-way leaves fewer positions than announced.
    const std::size_t nb_places = std::min<std::size_t>(nb_sensors, instance->positions().size());
    const auto &positions = instance->positions();

    std::int64_t min_x = 65530, min_y = 65530, max_x = 0, max_y = 0;
    for (std::size_t i = 0; i < nb_places; ++i) {
        if (!positions[i])
            continue;
        const std::int64_t x = positions[i]->x();
        const std::int64_t y = positions[i]->y();
        if (x < min_x)
            min_x = x;
        if (x > max_x)
            max_x = x;
        if (y < min_y)
            min_y = y;
        if (y > max_y)
            max_y = y;
    }
    const float ecart_x = echelle(largeur - 120, min_x, max_x);
    const float ecart_y = echelle(hauteur - 120, min_y, max_y);
    std::cout << "_ecart_x = " << ecart_x << "   _ecart_y = " << ecart_y << std::endl;

    const QString texte_info = QStringLiteral("Graphe [%1], non oriente, %2 sommets [%3]")
                                   .arg(solution ? QStringLiteral("solution") : QStringLiteral("instance"))
                                   .arg(nb_sensors)
                                   .arg(QFileInfo(instance->nom_fichier()).fileName());
    fabrique.texte(texte_info, 0, 0, &bleu_nuit);

    // Membership marks keep the fill choice linear in the list lengths.
    std::vector<char> dans_ma(nb_places, 0), dans_br(nb_places, 0);
    if (solution) {
        for (std::uint16_t s : contenu_solution->liste_ma())
            if (s < nb_places)
                dans_ma[s] = 1;
        for (std::uint16_t s : contenu_solution->liste_br())
            if (s < nb_places)
                dans_br[s] = 1;
    }

    auto couleur_etiquette = [&](std::size_t i) -> const QColor & {
        if (i != instance->sink())
            return bleu_nuit;
        return solution ? blanc_casse : rouge_puits;
    };
    // The labels' text documents are large; made after the vertices and arcs
    // they leave those items side by side in memory, which every paint and
    // every update of the scene walks through.
    const bool etiquettes_a_part = reglages_affichage::actifs();

    // The vertices enter the scene after the arcs, so that they lie above
    // them; until then they are held here.
    std::vector<std::unique_ptr<graphic_item_sommet>> a_ajouter;
    a_ajouter.reserve(nb_places);
    std::vector<graphic_item_sommet *> &sommets = vue->liste_sommets();
    sommets.reserve(sommets.size() + nb_places);
    for (std::size_t i = 0; i < nb_places; ++i) {
        if (!positions[i])
            continue;
        const std::int64_t x = positions[i]->x();
        const std::int64_t y = positions[i]->y();
        const int sx = static_cast<int>(ecart_x * (x - min_x));
        const int sy = (hauteur - 120) - static_cast<int>(ecart_y * (y - min_y));
        const bool puits = i == instance->sink();
        QColor fond = blanc_casse;
        if (solution) {
            if (puits)
                fond = vert_puits;
            else if (dans_ma[i])
                fond = vert_ma;
            else if (dans_br[i])
                fond = saumon_br;
        }
        a_ajouter.push_back(fabrique.sommet(static_cast<int>(i), sx + 49, sy + 49, fond,
                                            etiquettes_a_part ? nullptr : &couleur_etiquette(i)));
        sommets.push_back(a_ajouter.back().get());
    }

    const auto &voisins = instance->voisins();
    // Calls f(s, t) for every neighbour entry whose arc is drawn, in order.
    auto pour_chaque_entree = [&](auto &&f) {
        auto entrees_de = [&](std::uint16_t s) {
            // A source without a neighbour list is skipped.
            if (s >= nb_sensors || s >= voisins.size() || !voisins[s])
                return;
            for (std::uint16_t t : *voisins[s])
                f(s, t);
        };
        if (solution) {
            for (std::uint16_t s : contenu_solution->liste_ma())
                entrees_de(s);
        } else {
            for (std::size_t s = 0; s < nb_sensors; ++s)
                entrees_de(static_cast<std::uint16_t>(s));
        }
    };
    if (reglages_affichage::actifs()) {
        // Each vertex's arc lists get their final size at once instead of
        // growing arc by arc, which also leaves the arcs side by side.
        std::vector<std::uint32_t> sortants(nb_places, 0), entrants(nb_places, 0);
        // Counted for the vertices of this drawing, whose ids lie below
        // nb_places; a view not emptied before may hold others.
        pour_chaque_entree([&](std::uint16_t s, std::uint16_t t) {
            if (s < nb_places && t < nb_places && vue->trouver_sommet(s) && vue->trouver_sommet(t)) {
                ++sortants[s];
                ++entrants[t];
            }
        });
        for (std::unique_ptr<graphic_item_sommet> &sommet : a_ajouter) {
            sommet->arcs_sortants().reserve(sortants[std::size_t(sommet->id())]);
            sommet->arcs_entrants().reserve(entrants[std::size_t(sommet->id())]);
        }
    }
    pour_chaque_entree([&](std::uint16_t s, std::uint16_t t) {
        graphic_item_sommet *source = vue->trouver_sommet(s);
        if (!source)
            std::cout << "NULL" << std::endl;
        graphic_item_sommet *destination = vue->trouver_sommet(t);
        if (!destination)
            std::cout << "NULL" << std::endl;
        // An arc with a missing end is never drawn.
        if (source && destination)
            fabrique.arc(source, destination);
    });

    if (etiquettes_a_part) {
        // The label items first, their texts afterwards: the items stay side
        // by side, away from their documents.
        for (std::unique_ptr<graphic_item_sommet> &sommet : a_ajouter)
            fabrique_items::etiquette_vide(*sommet);
        for (std::unique_ptr<graphic_item_sommet> &sommet : a_ajouter)
            fabrique_items::ecrire_etiquette(*sommet, couleur_etiquette(std::size_t(sommet->id())));
    }
    for (std::unique_ptr<graphic_item_sommet> &sommet : a_ajouter)
        fabrique.ajouter(std::move(sommet));
}
