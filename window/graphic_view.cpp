#include "graphic_view.h"

#include "graphic_item_arc.h"
#include "graphic_item_sommet.h"
#include "liste_dessin.h"
#include "marques_choix.h"
#include "position_pointeur.h"
#include "tuiles_dessin.h"
#include "zoom_molette.h"

#include <QCoreApplication>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <utility>

namespace {

// Depth of the scene's BSP index for a drawing area: leaves of about 24 by
// 24 units, about one vertex wide, so that finding the item under the
// pointer and repainting a dragged vertex look at few items; at most 2^12
// leaves, which at the larger zooms already hold few items each. Qt's own
// choice grows with the item count, which on a large network gives a tree
// of millions of tiny leaves over a small area.
int profondeur_index(int largeur, int hauteur)
{
    const double feuilles = double(largeur) * double(hauteur) / (24.0 * 24.0);
    return std::clamp(int(std::lround(std::log2(std::max(2.0, feuilles)))), 1, 12);
}

} // namespace

graphic_view::graphic_view(QWidget *parent)
    : QGraphicsView(parent), _tuiles(new tuiles_dessin(this)), _glisser(*this), _marques(new marques_choix(*this)),
      _position(new position_pointeur(*this)), _molette(new zoom_molette(this))
{
    // Parented to the view so that it goes with it.
    _scene = new QGraphicsScene(0, 0, _largeur_scene, _hauteur_scene, this);
    setScene(_scene);
    _scene->setBspTreeDepth(profondeur_index(_largeur_scene, _hauteur_scene));
    // Every item sets the pen, brush and opacity it paints with, so the
    // painter's state need not be saved around each one.
    setOptimizationFlag(QGraphicsView::DontSavePainterState);
    // The status bar follows the pointer without a button held.
    viewport()->setMouseTracking(true);
    connect(_marques, &marques_choix::change, this, &graphic_view::capteur_choisi_change);
    connect(_position, &position_pointeur::change, this, &graphic_view::position_pointee);
    connect(_molette, &zoom_molette::demande, this, &graphic_view::zoom_demande);
}

graphic_view::~graphic_view()
{
    std::cout << "supprimer un graphic_view" << std::endl;
    _liste_sommets.clear();
    _arcs_libres.clear();
    _glisser.oublier();
    _scene->clear();
}

void graphic_view::set_zoom(int facteur)
{
    _zoom = facteur;
    const QSize aire = aire_dessin::taille(facteur);
    _largeur_scene = aire.width();
    _hauteur_scene = aire.height();
    scene()->setSceneRect(0, 0, _largeur_scene, _hauteur_scene);
    scene()->setBspTreeDepth(profondeur_index(_largeur_scene, _hauteur_scene));
}

void graphic_view::vider()
{
    // The chosen sensor and the pointer's place go with the drawing, which
    // is repainted whole below.
    _marques->oublier();
    _echelle.reset();
    _roles = roles_capteurs();
    _tuiles->installer(nullptr);
    _position->attendre_image(false);
    _position->annoncer(QString());
    _liste_sommets.clear();
    _arcs_libres.clear();
    // The copy goes with the scene: end the drag without deleting it twice.
    if (_glisser.en_cours()) {
        _glisser.oublier();
        setCursor(Qt::ArrowCursor);
    }
    // Items the event loop has not polished yet make each deletion scan all
    // the others: a zoom asked for again before it ran took minutes at
    // 65535 sensors. The scene polishes them now, as the loop would have;
    // only that, since delivering all its posted calls would also paint the
    // window's pending repaint of the drawing about to go.
    if (!QMetaObject::invokeMethod(scene(), "_q_polishItems", Qt::DirectConnection))
        QCoreApplication::sendPostedEvents(scene(), QEvent::MetaCall);
    // The whole drawing goes: one update of the whole view instead of one
    // dirty area per deleted item, which the view merges one by one.
    scene()->update();
    scene()->clear();
}

graphic_item_sommet *graphic_view::trouver_sommet(int id)
{
    // The builder puts vertex k at index k; scan only when that fails.
    if (id >= 0 && static_cast<std::size_t>(id) < _liste_sommets.size() && _liste_sommets[id]->id() == id)
        return _liste_sommets[id];
    for (graphic_item_sommet *sommet : _liste_sommets) {
        if (sommet->id() == id)
            return sommet;
    }
    return nullptr;
}

void graphic_view::retenir_dessin(std::optional<echelle_dessin> echelle, roles_capteurs roles,
                                  std::shared_ptr<const liste_dessin> liste)
{
    _echelle = echelle;
    _roles = std::move(roles);
    // A figure's legend and scale bar lie outside the page's own area.
    if (liste)
        scene()->setSceneRect(QRectF(0, 0, std::max(_largeur_scene, liste->aire().width()),
                                     std::max(_hauteur_scene, liste->aire().height())));
    _position->attendre_image(liste != nullptr);
    _tuiles->installer(std::move(liste));
    _image_montree = false;
    viewport()->update();
    _position->suivre();
}

const std::shared_ptr<const liste_dessin> &graphic_view::liste() const
{
    return _tuiles->liste();
}

void graphic_view::changer_dessin(roles_capteurs roles, std::shared_ptr<const liste_dessin> liste,
                                  const std::vector<QPoint> &touchees)
{
    _roles = std::move(roles);
    _tuiles->remplacer(std::move(liste), touchees);
    mettre_a_jour(touchees);
}

void graphic_view::mettre_a_jour(const std::vector<QPoint> &touchees)
{
    QRegion region;
    for (const QPoint &t : touchees)
        region += viewportTransform().mapRect(QRectF(liste_dessin::rectangle_tuile(t))).toAlignedRect();
    viewport()->update(region);
}

void graphic_view::deplacer_sommet(graphic_item_sommet &sommet, const QPointF &coin)
{
    if (sommet.pos() == coin)
        return;
    sommet.setPos(coin);
    for (graphic_item_arc *arc : sommet.arcs_entrants())
        arc->ajuster_ligne();
    for (graphic_item_arc *arc : sommet.arcs_sortants())
        arc->ajuster_ligne();
    const std::shared_ptr<const liste_dessin> &liste = _tuiles->liste();
    const std::uint32_t indice = liste ? liste->indice_sommet(sommet.id()) : liste_dessin::aucun;
    if (indice == liste_dessin::aucun)
        return;
    std::vector<QPoint> touchees;
    _tuiles->remplacer(liste->deplacer(indice, coin.toPoint(), touchees), touchees);
    mettre_a_jour(touchees);
}

void graphic_view::mousePressEvent(QMouseEvent *event)
{
    QGraphicsView::mousePressEvent(event);
    const Qt::MouseButton bouton = event->button();
    const QPoint pointeur = event->position().toPoint();
    _marques->appui(event, _glisser.en_cours());
    if ((bouton != Qt::LeftButton && bouton != Qt::RightButton) || _glisser.en_cours())
        return;
    QGraphicsItem *item = itemAt(pointeur);
    if (!item)
        return;
    std::cout << "type_item = " << item->type() << std::endl;
    if (item->type() == graphic_item_sommet::Type && bouton == Qt::LeftButton)
        _glisser.commencer(*static_cast<graphic_item_sommet *>(item), pointeur, liste() != nullptr);
}

void graphic_view::mouseMoveEvent(QMouseEvent *event)
{
    QGraphicsView::mouseMoveEvent(event);
    const QPoint pointeur = event->position().toPoint();
    _position->annoncer(texte_position(pointeur));
    if (_glisser.en_cours())
        _glisser.suivre(pointeur);
}

void graphic_view::mouseReleaseEvent(QMouseEvent *event)
{
    QGraphicsView::mouseReleaseEvent(event);
    // A click chooses the vertex pressed or, off any vertex, no sensor.
    const bool clic = _marques->clic(event);
    if (!_glisser.en_cours()) {
        if (clic)
            choisir_capteur(-1);
        return;
    }
    const glisser_sommet::depot depot = _glisser.finir();
    graphic_item_sommet *sommet = trouver_sommet(depot.id);
    if (!sommet) {
        std::cout << "ID inconnu:" << depot.id << std::endl;
        std::cout << "obj inconue.." << std::endl;
        return;
    }
    deplacer_sommet(*sommet, depot.coin);
    std::cout << "action fini.." << std::endl;
    // The marks follow a vertex that moved.
    choisir_capteur(clic ? depot.id : capteur_choisi());
}

void graphic_view::scrollContentsBy(int dx, int dy)
{
    QGraphicsView::scrollContentsBy(dx, dy);
    _glisser.defiler(dx, dy);
    if (liste())
        viewport()->update();
    else
        scene()->update();
    _position->suivre();
}

void graphic_view::paintEvent(QPaintEvent *event)
{
    if (!liste()) {
        QGraphicsView::paintEvent(event);
        return;
    }
    // What the vertices' own painting would have left behind; and the scene
    // index, which painting the items used to build, is built as soon as
    // the picture is up, before the first click looks through it.
    if (!std::exchange(_image_montree, true)) {
        for (graphic_item_sommet *sommet : _liste_sommets)
            sommet->peint_ailleurs();
        QTimer::singleShot(0, this, [this] { scene()->items(QPointF(-1, -1)); });
        _position->image_montree();
    }
    QPainter peintre(viewport());
    _tuiles->peindre(peintre, viewportTransform(), viewport()->rect(), event->region());
    peindre_par_dessus(peintre);
}

void graphic_view::drawForeground(QPainter *painter, const QRectF &rect)
{
    // Only a view painting its items comes here; the items leave the painter
    // as the last one set it.
    QGraphicsView::drawForeground(painter, rect);
    peindre_par_dessus(*painter);
}

void graphic_view::peindre_par_dessus(QPainter &peintre)
{
    _glisser.peindre(peintre);
    _marques->peindre(peintre);
}

int graphic_view::capteur_choisi() const
{
    return _marques->capteur();
}

bool graphic_view::montrer_capteur(int capteur)
{
    graphic_item_sommet *sommet = capteur < 0 ? nullptr : trouver_sommet(capteur);
    if (!sommet)
        return false;
    centerOn(sommet->sceneBoundingRect().center());
    choisir_capteur(capteur);
    setFocus();
    return true;
}

void graphic_view::choisir_capteur(int capteur)
{
    _marques->choisir(capteur);
}

QString graphic_view::texte_position(const QPoint &point)
{
    return _position->texte(point);
}

bool graphic_view::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Leave)
        _position->annoncer(QString());
    return QGraphicsView::viewportEvent(event);
}

void graphic_view::keyPressEvent(QKeyEvent *event)
{
    // Escape is taken here in every case: the page is a dialog, which it
    // would close.
    if (!_marques->touche(event))
        QGraphicsView::keyPressEvent(event);
}

void graphic_view::wheelEvent(QWheelEvent *event)
{
    if (!_molette->recevoir(event))
        QGraphicsView::wheelEvent(event);
}
