#include "peinture_tuiles.h"

#include "graphic_view.h"
#include "liste_dessin.h"
#include "tuiles_dessin.h"

#include <QPainter>
#include <QRegion>

#include <utility>

peinture_tuiles::peinture_tuiles(graphic_view &vue)
    : _vue(vue), _tuiles(new tuiles_dessin(&vue))
{
}

const std::shared_ptr<const liste_dessin> &peinture_tuiles::liste() const
{
    return _tuiles->liste();
}

void peinture_tuiles::installer(std::shared_ptr<const liste_dessin> liste)
{
    _tuiles->installer(std::move(liste));
    _montree = false;
    _vue.viewport()->update();
}

void peinture_tuiles::remplacer(std::shared_ptr<const liste_dessin> liste, const std::vector<QPoint> &touchees)
{
    _tuiles->remplacer(std::move(liste), touchees);
    QRegion region;
    for (const QPoint &t : touchees)
        region += _vue.viewportTransform().mapRect(QRectF(liste_dessin::rectangle_tuile(t))).toAlignedRect();
    _vue.viewport()->update(region);
}

bool peinture_tuiles::premiere_image()
{
    return !std::exchange(_montree, true);
}

void peinture_tuiles::peindre(QPainter &peintre, const QRegion &region)
{
    const liste_dessin &liste = *_tuiles->liste();
    const QTransform vers_scene = _vue.viewportTransform().inverted();
    const QRect exposee = vers_scene.mapRect(QRectF(region.boundingRect())).toAlignedRect();
    const std::vector<QPoint> tuiles = liste_dessin::tuiles(exposee, liste.aire());
    if (!tuiles.empty()) {
        _tuiles->preparer(tuiles);
        const QRect aire(QPoint(0, 0), liste.aire());
        // Beyond the drawing area the view shows its own background.
        peintre.setClipRect(_vue.viewportTransform().mapRect(QRectF(aire)).toAlignedRect(), Qt::IntersectClip);
        const QPoint decalage = _vue.viewportTransform().map(QPoint(0, 0));
        for (const QPoint &t : tuiles)
            peintre.drawImage(decalage + liste_dessin::rectangle_tuile(t).topLeft(), _tuiles->image(t));
        peintre.setClipping(false);
    }
    // Those around what is shown, for the next scroll.
    const QRect montree = vers_scene.mapRect(QRectF(_vue.viewport()->rect())).toAlignedRect();
    const int t = liste_dessin::taille_tuile;
    _tuiles->anticiper(liste_dessin::tuiles(montree.adjusted(-t, -t, t, t), liste.aire()));
}
