#include "graphic_view.h"

#include "graphic_item_arc.h"
#include "graphic_item_sommet.h"
#include "liste_dessin.h"
#include "marque_capteur.h"
#include "tuiles_dessin.h"

#include <QApplication>
#include <QCursor>
#include <QCoreApplication>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QRegion>
#include <QScrollBar>
#include <QStyleOptionGraphicsItem>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <utility>

namespace {

// What the view adds around an area it repaints, for antialiased edges, as
// updateScene does.
constexpr int marge_repeinte = 2;

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

// One axis of the drag's scrolling: a step forward when the ghost's corner
// comes within reach of the far edge of the shown extent, a step back (not
// past the start) within reach of the near one.
void defiler_pres_du_bord(QScrollBar *barre, int coin, int etendue)
{
    constexpr int pas = 35;
    constexpr int bord_lointain = 34;
    constexpr int bord_proche = 11;
    const int avant = barre->value();
    if (coin - avant > etendue - bord_lointain)
        barre->setValue(avant + pas);
    const int apres = barre->value();
    if (coin - apres <= bord_proche)
        barre->setValue(apres <= pas ? 0 : apres - pas);
}

QRectF englobant(const QList<QRectF> &zones)
{
    QRectF tout;
    for (const QRectF &zone : zones)
        tout |= zone;
    return tout;
}

} // namespace

graphic_view::graphic_view(QWidget *parent)
    : QGraphicsView(parent)
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
    _tuiles = new tuiles_dessin(this);
}

graphic_view::~graphic_view()
{
    std::cout << "supprimer un graphic_view" << std::endl;
    _liste_sommets.clear();
    oublier_fantome();
    _scene->clear();
}

void graphic_view::set_zoom(int facteur)
{
    _zoom = facteur;
    const double s = aire_dessin::agrandissement(facteur);
    _largeur_scene = static_cast<int>(s * aire_dessin::largeur);
    _hauteur_scene = static_cast<int>(s * aire_dessin::hauteur);
    scene()->setSceneRect(0, 0, _largeur_scene, _hauteur_scene);
    scene()->setBspTreeDepth(profondeur_index(_largeur_scene, _hauteur_scene));
}

void graphic_view::vider()
{
    // The chosen sensor and the pointer's place go with the drawing, which
    // is repainted whole below.
    _zones_marquees.clear();
    choisir_capteur(-1);
    _echelle.reset();
    _roles = roles_capteurs();
    _tuiles->installer(nullptr);
    annoncer_position(QString());
    _liste_sommets.clear();
    // The ghost goes with the scene: end the drag without deleting it twice.
    if (_deplacement_en_cours) {
        oublier_fantome();
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
    if (id >= 0 && static_cast<std::size_t>(id) < _liste_sommets.size()
        && _liste_sommets[id]->id() == id)
        return _liste_sommets[id];
    for (graphic_item_sommet *sommet : _liste_sommets) {
        if (sommet->id() == id)
            return sommet;
    }
    return nullptr;
}

std::pair<int, int> graphic_view::borner(int nx, int ny) const
{
    if (nx < _marge_x)
        nx = _marge_x;
    if (nx > _largeur_scene - _marge_x - graphic_item_sommet::diametre)
        nx = _largeur_scene - _marge_x - graphic_item_sommet::diametre;
    if (ny < _marge_y)
        ny = _marge_y;
    if (ny > _hauteur_scene - _marge_y - graphic_item_sommet::diametre)
        ny = _hauteur_scene - _marge_y - graphic_item_sommet::diametre;
    return {nx, ny};
}

void graphic_view::oublier_fantome()
{
    _deplacement_en_cours = false;
    _sommet_fantome = nullptr;
}

void graphic_view::mousePressEvent(QMouseEvent *event)
{
    QGraphicsView::mousePressEvent(event);
    const Qt::MouseButton bouton = event->button();
    const QPoint pointeur = event->position().toPoint();
    _appui_gauche = bouton == Qt::LeftButton && !_deplacement_en_cours;
    _point_appui = pointeur;
    if ((bouton != Qt::LeftButton && bouton != Qt::RightButton) || _deplacement_en_cours)
        return;
    QGraphicsItem *item = itemAt(pointeur);
    if (!item)
        return;
    std::cout << "type_item = " << item->type() << std::endl;
    if (item->type() != graphic_item_sommet::Type || bouton != Qt::LeftButton)
        return;

    _sommet_fantome = new graphic_item_sommet(*static_cast<graphic_item_sommet *>(item));
    const int h = horizontalScrollBar()->value();
    const int v = verticalScrollBar()->value();
    _decalage = {static_cast<int>(pointeur.x() - _sommet_fantome->x() + h),
                 static_cast<int>(pointeur.y() - _sommet_fantome->y() + v)};
    _sommet_fantome->setOpacity(0.5);
    // Over tiles, the view paints the ghost itself: a visible item moving
    // in a scene of a few hundred thousand has Qt walk all of them at each
    // step.
    if (_tuiles->liste())
        _sommet_fantome->hide();
    scene()->addItem(_sommet_fantome);
    _deplacement_en_cours = true;
    setCursor(Qt::ClosedHandCursor);
    montrer_fantome();
}

void graphic_view::mouseMoveEvent(QMouseEvent *event)
{
    QGraphicsView::mouseMoveEvent(event);
    const QPoint pointeur = event->position().toPoint();
    annoncer_position(texte_position(pointeur));
    if (!_deplacement_en_cours)
        return;
    QScrollBar *barre_h = horizontalScrollBar();
    QScrollBar *barre_v = verticalScrollBar();
    const std::pair<int, int> coin =
        borner(pointeur.x() - _decalage.first + barre_h->value(),
               pointeur.y() - _decalage.second + barre_v->value());
    _sommet_fantome->setPos(coin.first, coin.second);
    montrer_fantome();

    // Near an edge the view scrolls by itself; each change of value runs
    // scrollContentsBy, which keeps the ghost under the pointer.
    defiler_pres_du_bord(barre_h, coin.first, width() - barre_v->width());
    defiler_pres_du_bord(barre_v, coin.second, height() - barre_h->height());
}

void graphic_view::mouseReleaseEvent(QMouseEvent *event)
{
    QGraphicsView::mouseReleaseEvent(event);
    // A left press and release closer than a drag: a click, which chooses
    // the vertex pressed or, off any vertex, no sensor.
    const bool clic = _appui_gauche && event->button() == Qt::LeftButton
        && (event->position().toPoint() - _point_appui).manhattanLength() < QApplication::startDragDistance();
    _appui_gauche = false;
    if (!_deplacement_en_cours) {
        if (clic)
            choisir_capteur(-1);
        return;
    }
    const int id = _sommet_fantome->id();
    graphic_item_sommet *sommet = trouver_sommet(id);
    const bool deplace = sommet && sommet->pos() != _sommet_fantome->pos();
    if (sommet) {
        sommet->setPos(_sommet_fantome->pos());
        for (graphic_item_arc *arc : sommet->arcs_entrants())
            arc->ajuster_ligne();
        for (graphic_item_arc *arc : sommet->arcs_sortants())
            arc->ajuster_ligne();
        std::cout << "action fini.." << std::endl;
    } else {
        std::cout << "ID inconnu:" << id << std::endl;
    }
    graphic_item_sommet *fantome = _sommet_fantome;
    oublier_fantome();
    delete fantome;
    montrer_fantome();
    setCursor(Qt::ArrowCursor);
    if (deplace)
        suivre_deplacement(sommet);
    if (!sommet) {
        std::cout << "obj inconue.." << std::endl;
        return;
    }
    // The marks follow a vertex that moved.
    choisir_capteur(clic ? id : _capteur_choisi);
}

void graphic_view::scrollContentsBy(int dx, int dy)
{
    QGraphicsView::scrollContentsBy(dx, dy);
    if (_deplacement_en_cours) {
        const std::pair<int, int> coin =
            borner(static_cast<int>(_sommet_fantome->x() - dx),
                   static_cast<int>(_sommet_fantome->y() - dy));
        _sommet_fantome->setPos(coin.first, coin.second);
    }
    if (_tuiles->liste())
        viewport()->update();
    else
        scene()->update();
    suivre_pointeur();
}

void graphic_view::retenir_dessin(std::optional<echelle_dessin> echelle, roles_capteurs roles,
                                  std::shared_ptr<const liste_dessin> liste)
{
    _echelle = echelle;
    _roles = std::move(roles);
    _tuiles->installer(std::move(liste));
    _sommets_peints = false;
    viewport()->update();
    suivre_pointeur();
}

void graphic_view::suivre_deplacement(graphic_item_sommet *sommet)
{
    const std::shared_ptr<const liste_dessin> &liste = _tuiles->liste();
    if (!liste)
        return;
    // The list holds the vertices in the order the builder listed them.
    const auto &sommets = liste->sommets();
    std::size_t indice = 0;
    while (indice < _liste_sommets.size() && _liste_sommets[indice] != sommet)
        ++indice;
    if (indice >= sommets.size() || sommets[indice].id != sommet->id())
        return;
    std::vector<QPoint> touchees;
    std::shared_ptr<const liste_dessin> nouvelle =
        liste->deplacer(std::uint32_t(indice), sommet->pos().toPoint(), touchees);
    _tuiles->remplacer(std::move(nouvelle), touchees);
    QRegion region;
    for (const QPoint &t : touchees)
        region += viewportTransform().mapRect(QRectF(liste_dessin::rectangle_tuile(t))).toAlignedRect();
    viewport()->update(region);
}

void graphic_view::montrer_fantome()
{
    if (!_tuiles->liste())
        return;
    QRect zone;
    if (_sommet_fantome)
        zone = viewportTransform()
                   .mapRect(_sommet_fantome->sceneBoundingRect())
                   .toAlignedRect()
                   .adjusted(-marge_repeinte, -marge_repeinte, marge_repeinte, marge_repeinte);
    viewport()->update(QRegion(zone) + _zone_fantome);
    _zone_fantome = zone;
}

void graphic_view::paintEvent(QPaintEvent *event)
{
    if (!_tuiles->liste()) {
        QGraphicsView::paintEvent(event);
        return;
    }
    // What the vertices' own painting would have left behind; and the scene
    // index, which painting the items used to build, is built as soon as
    // the picture is up, before the first click looks through it.
    if (!_sommets_peints) {
        _sommets_peints = true;
        for (graphic_item_sommet *sommet : _liste_sommets)
            sommet->peint_ailleurs();
        QTimer::singleShot(0, this, [this] { scene()->items(QPointF(-1, -1)); });
        if (std::exchange(_pointeur_a_suivre, false))
            suivre_pointeur();
    }
    QPainter peintre(viewport());
    peindre_tuiles(peintre, event->region());
    peintre.setWorldTransform(viewportTransform());
    peindre_par_dessus(peintre);
}

void graphic_view::peindre_tuiles(QPainter &peintre, const QRegion &region)
{
    const liste_dessin &liste = *_tuiles->liste();
    const QTransform vers_vue = viewportTransform();
    const QRect aire(QPoint(0, 0), liste.aire());
    const QRect montree = vers_vue.inverted().mapRect(QRectF(viewport()->rect())).toAlignedRect() & aire;
    const QRect exposee = vers_vue.inverted().mapRect(QRectF(region.boundingRect())).toAlignedRect() & aire;
    auto tuiles_de = [](const QRect &zone, int marge) {
        std::vector<QPoint> tuiles;
        const int t = liste_dessin::taille_tuile;
        for (int r = zone.top() / t - marge; r <= zone.bottom() / t + marge; ++r)
            for (int c = zone.left() / t - marge; c <= zone.right() / t + marge; ++c)
                tuiles.emplace_back(c, r);
        return tuiles;
    };
    if (!exposee.isEmpty()) {
        const std::vector<QPoint> tuiles = tuiles_de(exposee, 0);
        _tuiles->preparer(tuiles);
        // Beyond the drawing area the view shows its own background.
        peintre.setClipRect(vers_vue.mapRect(QRectF(aire)).toAlignedRect(), Qt::IntersectClip);
        const QPoint decalage = vers_vue.map(QPoint(0, 0));
        for (const QPoint &t : tuiles)
            peintre.drawImage(decalage + liste_dessin::rectangle_tuile(t).topLeft(), _tuiles->image(t));
        peintre.setClipping(false);
    }
    // Those around what is shown, for the next scroll.
    if (!montree.isEmpty()) {
        std::vector<QPoint> autour;
        for (const QPoint &t : tuiles_de(montree, 1))
            if (t.x() >= 0 && t.y() >= 0 && t.x() < liste.colonnes() && t.y() < liste.rangees())
                autour.push_back(t);
        _tuiles->anticiper(autour);
    }
}

void graphic_view::peindre_par_dessus(QPainter &peintre)
{
    if (_sommet_fantome && !_sommet_fantome->isVisible()) {
        peintre.save();
        peintre.setWorldTransform(_sommet_fantome->sceneTransform() * viewportTransform());
        peintre.setOpacity(_sommet_fantome->opacity());
        QStyleOptionGraphicsItem option;
        option.exposedRect = _sommet_fantome->boundingRect();
        _sommet_fantome->paint(&peintre, &option, viewport());
        peintre.restore();
    }
    graphic_item_sommet *sommet = _capteur_choisi < 0 ? nullptr : trouver_sommet(_capteur_choisi);
    if (!sommet)
        return;
    peintre.save();
    peintre.setWorldTransform(viewportTransform());
    peintre.setOpacity(1.0);
    marque_capteur(*sommet).peindre(peintre);
    peintre.restore();
}

void graphic_view::suivre_pointeur()
{
    // The drawing moved or came under a pointer that stayed still; told once
    // the picture is up, since a new drawing's index is built on the first
    // look-up.
    if (_pointeur_a_suivre || !viewport()->underMouse())
        return;
    _pointeur_a_suivre = true;
    // A new drawing is told after its first paint, which looks up nothing.
    if (_tuiles->liste() && !_sommets_peints)
        return;
    QTimer::singleShot(0, this, [this] {
        _pointeur_a_suivre = false;
        if (viewport()->underMouse())
            annoncer_position(texte_position(viewport()->mapFromGlobal(QCursor::pos())));
    });
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
    if (capteur >= 0 && !trouver_sommet(capteur))
        capteur = -1;
    const bool change = capteur != _capteur_choisi;
    _capteur_choisi = capteur;
    repeindre_marques();
    if (change)
        emit capteur_choisi_change(capteur);
}

void graphic_view::repeindre_marques()
{
    QList<QRectF> zones;
    if (_capteur_choisi >= 0)
        zones = marque_capteur(*trouver_sommet(_capteur_choisi)).zones();
    if (zones == _zones_marquees)
        return;
    const QList<QRectF> anciennes = std::exchange(_zones_marquees, zones);
    // The old marks' areas and the new ones', nothing else. One paint of
    // both would go over every item between them, thousands at x1 on a
    // large network: apart, the old ones are painted at once.
    if (!anciennes.isEmpty() && !zones.isEmpty() && !englobant(anciennes).intersects(englobant(zones))) {
        QRegion region;
        for (const QRectF &zone : anciennes)
            region += viewportTransform().mapRect(zone).toAlignedRect().adjusted(
                -marge_repeinte, -marge_repeinte, marge_repeinte, marge_repeinte);
        viewport()->repaint(region);
    } else {
        zones += anciennes;
    }
    updateScene(zones);
}

void graphic_view::drawForeground(QPainter *painter, const QRectF &rect)
{
    // Only a view painting its items comes here; the items leave the painter
    // as the last one set it.
    QGraphicsView::drawForeground(painter, rect);
    peindre_par_dessus(*painter);
}

QString graphic_view::texte_position(const QPoint &point)
{
    const QPointF lieu = mapToScene(point);
    if (!_echelle || !sceneRect().contains(lieu))
        return QString();
    const echelle_dessin::point_capteurs p = _echelle->en_capteurs(lieu);
    QString texte = tr("x = %1, y = %2").arg(p.x).arg(p.y);
    // The scene's index gives the few items whose bounds hold the point.
    for (QGraphicsItem *item : scene()->items(lieu, Qt::IntersectsItemBoundingRect, Qt::DescendingOrder)) {
        if (item->type() != graphic_item_sommet::Type || !item->contains(item->mapFromScene(lieu)))
            continue;
        const int id = static_cast<graphic_item_sommet *>(item)->id();
        texte += tr(" — capteur %1").arg(id);
        const std::uint8_t roles = _roles.masque(std::size_t(id));
        if (roles)
            texte += QStringLiteral(" (%1)").arg(roles_capteurs::texte(roles));
        break;
    }
    return texte;
}

void graphic_view::annoncer_position(const QString &texte)
{
    if (texte == _texte_position)
        return;
    _texte_position = texte;
    emit position_pointee(texte);
}

bool graphic_view::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Leave)
        annoncer_position(QString());
    return QGraphicsView::viewportEvent(event);
}

void graphic_view::keyPressEvent(QKeyEvent *event)
{
    // Taken here in every case: the page is a dialog, which Escape closes.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        choisir_capteur(-1);
        event->accept();
        return;
    }
    QGraphicsView::keyPressEvent(event);
}

void graphic_view::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QGraphicsView::wheelEvent(event);
        return;
    }
    event->accept();
    // One step a notch; fine-grained wheels add up to one.
    _molette += event->angleDelta().y();
    while (std::abs(_molette) >= QWheelEvent::DefaultDeltasPerStep) {
        const int sens = _molette > 0 ? 1 : -1;
        _molette -= sens * QWheelEvent::DefaultDeltasPerStep;
        emit zoom_demande(sens, event->position().toPoint());
    }
}
