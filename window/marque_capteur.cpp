#include "marque_capteur.h"

#include "graphic_item_arc.h"
#include "graphic_item_sommet.h"

#include <QColor>
#include <QPainter>
#include <QPen>

namespace {

// Reddish purple of the Okabe-Ito palette.
const QColor pourpre(204, 121, 167);
constexpr qreal rayon_sommet = graphic_item_sommet::rayon;
constexpr qreal trait_choisi = 3;
constexpr qreal trait_voisin = 2;
constexpr qreal trait_lien = 2;
// Rings leave one unit of white between the circle and themselves.
constexpr qreal rayon_choisi = rayon_sommet + 1 + trait_choisi / 2;
constexpr qreal rayon_voisin = rayon_sommet + 1 + trait_voisin / 2;

QPointF centre(graphic_item_sommet *sommet)
{
    return sommet->pos() + QPointF(rayon_sommet, rayon_sommet);
}

// A link stops at both circles, so that their numbers stay readable.
QLineF hors_des_cercles(const QLineF &ligne)
{
    const qreal longueur = ligne.length();
    if (longueur <= 2 * rayon_sommet)
        return QLineF();
    const QPointF pas = (ligne.p2() - ligne.p1()) * (rayon_sommet / longueur);
    return QLineF(ligne.p1() + pas, ligne.p2() - pas);
}

QRectF autour(const QPointF &c, qreal rayon, qreal trait)
{
    // Antialiased edges spill one pixel past the pen.
    const qreal r = rayon + trait / 2 + 1;
    return QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r);
}

} // namespace

marque_capteur::marque_capteur(graphic_item_sommet &sommet)
    : _centre(centre(&sommet))
{
    // Its own entries lead out, the entries of others that name it in.
    auto lier = [this](graphic_item_arc *arc, graphic_item_sommet *autre) {
        if (!autre)
            return;
        _voisins.push_back(centre(autre));
        _liens.push_back(hors_des_cercles(arc->line()));
    };
    for (graphic_item_arc *arc : sommet.arcs_sortants())
        lier(arc, arc->destination());
    for (graphic_item_arc *arc : sommet.arcs_entrants())
        lier(arc, arc->source());
}

QList<QRectF> marque_capteur::zones() const
{
    QList<QRectF> zones;
    zones.reserve(qsizetype(1 + _voisins.size() + _liens.size()));
    zones << autour(_centre, rayon_choisi, trait_choisi);
    for (const QPointF &voisin : _voisins)
        zones << autour(voisin, rayon_voisin, trait_voisin);
    const qreal marge = trait_lien / 2 + 1;
    for (const QLineF &lien : _liens)
        if (!lien.isNull())
            zones << QRectF(lien.p1(), lien.p2()).normalized().adjusted(-marge, -marge, marge, marge);
    return zones;
}

void marque_capteur::peindre(QPainter &peintre) const
{
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setBrush(Qt::NoBrush);
    peintre.setPen(QPen(pourpre, trait_lien, Qt::SolidLine, Qt::RoundCap));
    for (const QLineF &lien : _liens)
        if (!lien.isNull())
            peintre.drawLine(lien);
    peintre.setPen(QPen(pourpre, trait_voisin));
    for (const QPointF &voisin : _voisins)
        peintre.drawEllipse(voisin, rayon_voisin, rayon_voisin);
    peintre.setPen(QPen(pourpre, trait_choisi));
    peintre.drawEllipse(_centre, rayon_choisi, rayon_choisi);
}
