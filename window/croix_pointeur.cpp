#include "croix_pointeur.h"

#include "graphic_view.h"

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QRegion>

#include <utility>

namespace {

// Vermillion of the Okabe-Ito palette, on a white halo that keeps it
// readable over any fill.
const QColor vermillon(213, 94, 0);
constexpr int bras = 7;
constexpr int trait = 2;
constexpr int halo = 4;

} // namespace

void croix_pointeur::montrer(std::optional<QPointF> lieu)
{
    if (lieu == _lieu)
        return;
    const QRect avant = zone();
    _lieu = lieu;
    _vue.viewport()->update(QRegion(avant) + zone());
}

QRect croix_pointeur::zone() const
{
    if (!_lieu)
        return {};
    const QPoint centre = _vue.viewportTransform().map(*_lieu).toPoint();
    const int demi = bras + halo;
    return {centre - QPoint(demi, demi), QSize(2 * demi + 1, 2 * demi + 1)};
}

void croix_pointeur::peindre(QPainter &peintre) const
{
    if (!_lieu)
        return;
    const QPointF centre = _vue.viewportTransform().map(*_lieu);
    peintre.save();
    peintre.setWorldTransform(QTransform());
    peintre.setOpacity(1.0);
    peintre.setRenderHint(QPainter::Antialiasing, false);
    const QLineF horizontale(centre - QPointF(bras, 0), centre + QPointF(bras, 0));
    const QLineF verticale(centre - QPointF(0, bras), centre + QPointF(0, bras));
    for (const auto &[couleur, largeur] : {std::pair{QColor(Qt::white), halo}, std::pair{vermillon, trait}}) {
        peintre.setPen(QPen(couleur, largeur, Qt::SolidLine, Qt::FlatCap));
        peintre.drawLine(horizontale);
        peintre.drawLine(verticale);
    }
    peintre.restore();
}
