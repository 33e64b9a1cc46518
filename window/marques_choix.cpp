#include "marques_choix.h"

#include "graphic_item_sommet.h"
#include "graphic_view.h"
#include "marque_capteur.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include <utility>

namespace {

// What the view adds around an area it repaints, for antialiased edges, as
// updateScene does.
constexpr int marge_repeinte = 2;

QRectF englobant(const QList<QRectF> &zones)
{
    QRectF tout;
    for (const QRectF &zone : zones)
        tout |= zone;
    return tout;
}

} // namespace

marques_choix::marques_choix(graphic_view &vue)
    : QObject(&vue), _vue(vue)
{
}

void marques_choix::choisir(int capteur)
{
    if (capteur >= 0 && !_vue.trouver_sommet(capteur))
        capteur = -1;
    const bool change_de_capteur = capteur != _capteur;
    _capteur = capteur;
    repeindre();
    if (change_de_capteur)
        emit change(capteur);
}

void marques_choix::oublier()
{
    _zones.clear();
    choisir(-1);
}

void marques_choix::appui(const QMouseEvent *event, bool pendant_un_glisser)
{
    _appui_gauche = event->button() == Qt::LeftButton && !pendant_un_glisser;
    _point_appui = event->position().toPoint();
}

bool marques_choix::clic(const QMouseEvent *event)
{
    const bool clic = _appui_gauche && event->button() == Qt::LeftButton
        && (event->position().toPoint() - _point_appui).manhattanLength() < QApplication::startDragDistance();
    _appui_gauche = false;
    return clic;
}

bool marques_choix::touche(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier)
        return false;
    choisir(-1);
    event->accept();
    return true;
}

void marques_choix::repeindre()
{
    QList<QRectF> zones;
    if (_capteur >= 0)
        zones = marque_capteur(*_vue.trouver_sommet(_capteur)).zones();
    if (zones == _zones)
        return;
    const QList<QRectF> anciennes = std::exchange(_zones, zones);
    // The old marks' areas and the new ones', nothing else. One paint of
    // both would go over every item between them, thousands at x1 on a
    // large network: apart, the old ones are painted at once.
    if (!anciennes.isEmpty() && !zones.isEmpty() && !englobant(anciennes).intersects(englobant(zones))) {
        QRegion region;
        for (const QRectF &zone : anciennes)
            region += _vue.viewportTransform().mapRect(zone).toAlignedRect().adjusted(
                -marge_repeinte, -marge_repeinte, marge_repeinte, marge_repeinte);
        _vue.viewport()->repaint(region);
    } else {
        zones += anciennes;
    }
    _vue.updateScene(zones);
}

void marques_choix::peindre(QPainter &peintre) const
{
    graphic_item_sommet *sommet = _capteur < 0 ? nullptr : _vue.trouver_sommet(_capteur);
    if (!sommet)
        return;
    peintre.save();
    peintre.setWorldTransform(_vue.viewportTransform());
    peintre.setOpacity(1.0);
    marque_capteur(*sommet).peindre(peintre);
    peintre.restore();
}
