#include "position_pointeur.h"

#include "graphic_item_sommet.h"
#include "graphic_view.h"

#include <QCursor>
#include <QGraphicsScene>
#include <QTimer>

#include <utility>

position_pointeur::position_pointeur(graphic_view &vue)
    : QObject(&vue), _vue(vue)
{
}

QString position_pointeur::texte(const QPoint &point) const
{
    const QPointF lieu = _vue.mapToScene(point);
    if (!_vue.echelle() || !_vue.sceneRect().contains(lieu))
        return QString();
    const echelle_dessin::point_capteurs p = _vue.echelle()->en_capteurs(lieu);
    QString texte = graphic_view::tr("x = %1, y = %2").arg(p.x).arg(p.y);
    // The scene's index gives the few items whose bounds hold the point.
    for (QGraphicsItem *item : _vue.scene()->items(lieu, Qt::IntersectsItemBoundingRect, Qt::DescendingOrder)) {
        if (item->type() != graphic_item_sommet::Type || !item->contains(item->mapFromScene(lieu)))
            continue;
        const int id = static_cast<graphic_item_sommet *>(item)->id();
        texte += graphic_view::tr(" — capteur %1").arg(id);
        const std::uint8_t roles = _vue.roles().masque(std::size_t(id));
        if (roles)
            texte += QStringLiteral(" (%1)").arg(roles_capteurs::texte(roles));
        break;
    }
    return texte;
}

void position_pointeur::annoncer(const QString &texte)
{
    if (texte == _texte)
        return;
    _texte = texte;
    emit change(texte);
}

void position_pointeur::suivre()
{
    if (_a_suivre || !_vue.viewport()->underMouse())
        return;
    _a_suivre = true;
    if (_image_attendue)
        return;
    QTimer::singleShot(0, this, [this] {
        _a_suivre = false;
        if (_vue.viewport()->underMouse())
            annoncer(texte(_vue.viewport()->mapFromGlobal(QCursor::pos())));
    });
}

void position_pointeur::image_montree()
{
    _image_attendue = false;
    if (std::exchange(_a_suivre, false))
        suivre();
}
