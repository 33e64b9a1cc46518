#include "constructeur_scene.h"

#include "graphic_item_arc.h"
#include "graphic_item_sommet.h"
#include "graphic_view.h"
#include "liste_dessin.h"

#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QObject>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using sommets_crees = std::vector<std::unique_ptr<graphic_item_sommet>>;

// Every vertex, in the list's order, listed in the view; each one's arc
// lists get their final size at once instead of growing arc by arc.
sommets_crees creer_sommets(const liste_dessin &liste, std::vector<graphic_item_sommet *> &vue)
{
    const QString info_sommet = QObject::tr("sommet : ");
    std::vector<std::uint32_t> sortants(liste.sommets().size(), 0), entrants(liste.sommets().size(), 0);
    for (const liste_dessin::arc &a : liste.arcs()) {
        ++sortants[a.source];
        ++entrants[a.destination];
    }
    sommets_crees sommets;
    sommets.reserve(liste.sommets().size());
    vue.reserve(vue.size() + liste.sommets().size());
    for (const liste_dessin::sommet &s : liste.sommets()) {
        auto item = std::make_unique<graphic_item_sommet>(nullptr);
        item->setPos(s.coin);
        item->setRect(0, 0, graphic_item_sommet::diametre, graphic_item_sommet::diametre);
        item->setPen(liste.contour());
        item->setBrush(liste.brosse(s.fond));
        item->id() = s.id;
        item->set_couleur_etiquette(liste.couleur_etiquette(s.etiquette));
        item->setToolTip(info_sommet + QString::number(s.id));
        item->setAcceptDrops(true);
        item->arcs_sortants().reserve(sortants[sommets.size()]);
        item->arcs_entrants().reserve(entrants[sommets.size()]);
        vue.push_back(item.get());
        sommets.push_back(std::move(item));
    }
    return sommets;
}

void ajouter_texte(QGraphicsScene *scene, const liste_dessin::texte &t)
{
    auto *item = new QGraphicsTextItem(t.dessine.contenu);
    // A text item takes hover events for its links, which these texts have
    // none of; one that does has the scene look through its index at every
    // move of the pointer and every scroll.
    item->setAcceptHoverEvents(false);
    item->setPos(t.dessine.position);
    if (t.couleur_donnee)
        item->setDefaultTextColor(t.dessine.couleur);
    scene->addItem(item);
}

// An arc between two vertices, listed in both.
void relier(graphic_item_arc *arc, const QPen &stylo, graphic_item_sommet *source, graphic_item_sommet *destination)
{
    arc->setPen(stylo);
    source->arcs_sortants().push_back(arc);
    arc->source() = source;
    destination->arcs_entrants().push_back(arc);
    arc->destination() = destination;
}

graphic_item_arc *ajouter_arc(QGraphicsScene *scene, const liste_dessin &liste, const liste_dessin::arc &a,
                              graphic_item_sommet *source, graphic_item_sommet *destination)
{
    auto *item = new graphic_item_arc(nullptr);
    relier(item, liste.stylo(a.stylo), source, destination);
    scene->addItem(item);
    item->ajuster_ligne();
    return item;
}

void ajouter_items(QGraphicsScene *scene, const liste_dessin &liste, sommets_crees &sommets)
{
    for (const liste_dessin::element &e : liste.elements()) {
        switch (e.type()) {
        case liste_dessin::genre::ligne: {
            const liste_dessin::ligne &l = liste.lignes()[e.indice()];
            auto *item = new QGraphicsLineItem(QLineF(l.trait));
            item->setPen(liste.stylo(l.stylo));
            scene->addItem(item);
            break;
        }
        case liste_dessin::genre::texte:
            ajouter_texte(scene, liste.textes()[e.indice()]);
            break;
        case liste_dessin::genre::arc: {
            const liste_dessin::arc &a = liste.arcs()[e.indice()];
            ajouter_arc(scene, liste, a, sommets[a.source].get(), sommets[a.destination].get());
            break;
        }
        case liste_dessin::genre::sommet:
            // The scene takes the vertex over.
            scene->addItem(sommets[e.indice()].release());
            break;
        case liste_dessin::genre::marque:
            // A figure's legend samples and fault rings are only painted:
            // nothing to pick, drag or look up.
            break;
        }
    }
}

// The arcs of these vertices leave their ends' lists and the drawing,
// kept hidden for arcs to come.
void retirer_arcs(const std::vector<graphic_item_sommet *> &sommets, const std::vector<std::uint32_t> &sources,
                  std::vector<graphic_item_arc *> &libres)
{
    for (std::uint32_t v : sources) {
        for (graphic_item_arc *arc : sommets[v]->arcs_sortants()) {
            std::vector<graphic_item_arc *> &entrants = arc->destination()->arcs_entrants();
            entrants.erase(std::remove(entrants.begin(), entrants.end(), arc), entrants.end());
            arc->source() = nullptr;
            arc->destination() = nullptr;
            libres.push_back(arc);
        }
        sommets[v]->arcs_sortants().clear();
    }
}

// The new list's arcs of these vertices, from the hidden ones first, under
// every vertex as the list stacks them: vertices are raised once above the
// arcs added after them. Those left over are hidden.
void ajouter_arcs_de(QGraphicsScene *scene, const liste_dessin &liste, const std::vector<graphic_item_sommet *> &sommets,
                     const std::vector<std::uint32_t> &sources, std::vector<graphic_item_arc *> &libres)
{
    constexpr qreal au_dessus = 1;
    if (!sources.empty() && !sommets.empty() && sommets.front()->zValue() < au_dessus)
        for (graphic_item_sommet *sommet : sommets)
            sommet->setZValue(au_dessus);
    std::vector<bool> change(sommets.size(), false);
    for (std::uint32_t v : sources)
        change[v] = true;
    std::size_t repris = 0;
    for (const liste_dessin::arc &a : liste.arcs()) {
        if (!change[a.source])
            continue;
        if (repris == libres.size()) {
            ajouter_arc(scene, liste, a, sommets[a.source], sommets[a.destination]);
            continue;
        }
        graphic_item_arc *arc = libres[repris++];
        relier(arc, liste.stylo(a.stylo), sommets[a.source], sommets[a.destination]);
        arc->ajuster_ligne();
        arc->show();
    }
    libres.erase(libres.begin(), libres.begin() + std::ptrdiff_t(repris));
    for (graphic_item_arc *arc : libres)
        arc->hide();
}

} // namespace

bool changer_scene(graphic_view *vue, const sujet_dessin &sujet)
{
    const std::shared_ptr<const liste_dessin> avant = vue->liste();
    if (!avant || avant->sommets().size() != vue->liste_sommets().size())
        return false;
    dessin d = construire_dessin(sujet, QSize(vue->largeur_scene(), vue->hauteur_scene()), vue->viewport()->font(),
                                 vue->viewport()->logicalDpiY());
    d.liste->indexer();
    const liste_dessin::changements c = d.liste->changements_depuis(*avant);
    // Past a quarter of the vertices (and a few), a scene made anew is
    // quicker than one changed item by item.
    constexpr std::size_t part_changeable = 4;
    constexpr std::size_t toujours_changeables = 1024;
    if (!c.comparables
        || c.sources.size() > std::max(toujours_changeables, avant->sommets().size() / part_changeable))
        return false;
    const std::vector<graphic_item_sommet *> &sommets = vue->liste_sommets();
    for (std::uint32_t v : c.sommets) {
        const liste_dessin::sommet &s = d.liste->sommets()[v];
        sommets[v]->setBrush(d.liste->brosse(s.fond));
        sommets[v]->set_couleur_etiquette(d.liste->couleur_etiquette(s.etiquette));
    }
    retirer_arcs(sommets, c.sources, vue->arcs_libres());
    ajouter_arcs_de(vue->scene(), *d.liste, sommets, c.sources, vue->arcs_libres());
    vue->changer_dessin(std::move(d.roles), std::move(d.liste), c.tuiles);
    return true;
}

void construire_scene(graphic_view *vue, const sujet_dessin &sujet)
{
    dessin d = construire_dessin(sujet, QSize(vue->largeur_scene(), vue->hauteur_scene()), vue->viewport()->font(),
                                 vue->viewport()->logicalDpiY());
    // Every item is new: one update of the whole view instead of one dirty
    // area per item, which the view would merge one by one.
    vue->scene()->update();
    d.liste->indexer();
    sommets_crees sommets = creer_sommets(*d.liste, vue->liste_sommets());
    ajouter_items(vue->scene(), *d.liste, sommets);
    vue->retenir_dessin(d.echelle, std::move(d.roles), std::move(d.liste));
}
