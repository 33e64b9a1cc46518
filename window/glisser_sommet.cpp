#include "glisser_sommet.h"

#include "aire_dessin.h"
#include "graphic_item_sommet.h"
#include "graphic_view.h"
#include "liste_dessin.h"
#include "rendu_dessin.h"

#include <QGraphicsScene>
#include <QPainter>
#include <QScrollBar>

namespace {

constexpr qreal opacite_fantome = 0.5;
// What the view adds around an area it repaints, for antialiased edges.
constexpr int marge_repeinte = 2;

// One axis of the drag's scrolling: a step forward when the copy's corner
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

} // namespace

glisser_sommet::glisser_sommet(graphic_view &vue)
    : _vue(vue)
{
}

std::pair<int, int> glisser_sommet::borner(int nx, int ny) const
{
    const int marge = aire_dessin::marge;
    const int diametre = graphic_item_sommet::diametre;
    nx = std::min(std::max(nx, marge), _vue.largeur_scene() - marge - diametre);
    ny = std::min(std::max(ny, marge), _vue.hauteur_scene() - marge - diametre);
    return {nx, ny};
}

void glisser_sommet::placer(const std::pair<int, int> &coin)
{
    _fantome->setPos(coin.first, coin.second);
    montrer();
}

void glisser_sommet::commencer(graphic_item_sommet &sommet, const QPoint &pointeur, bool peint_par_la_vue)
{
    _fantome = new graphic_item_sommet(sommet);
    const int h = _vue.horizontalScrollBar()->value();
    const int v = _vue.verticalScrollBar()->value();
    _decalage = {static_cast<int>(pointeur.x() - _fantome->x() + h), static_cast<int>(pointeur.y() - _fantome->y() + v)};
    _fantome->setOpacity(opacite_fantome);
    _peint_par_la_vue = peint_par_la_vue;
    if (peint_par_la_vue)
        _fantome->hide();
    _vue.scene()->addItem(_fantome);
    _en_cours = true;
    _vue.setCursor(Qt::ClosedHandCursor);
    montrer();
}

void glisser_sommet::suivre(const QPoint &pointeur)
{
    QScrollBar *barre_h = _vue.horizontalScrollBar();
    QScrollBar *barre_v = _vue.verticalScrollBar();
    const std::pair<int, int> coin =
        borner(pointeur.x() - _decalage.first + barre_h->value(), pointeur.y() - _decalage.second + barre_v->value());
    placer(coin);
    // Near an edge the view scrolls by itself; each change of value runs
    // scrollContentsBy, which keeps the copy under the pointer.
    defiler_pres_du_bord(barre_h, coin.first, _vue.width() - barre_v->width());
    defiler_pres_du_bord(barre_v, coin.second, _vue.height() - barre_h->height());
}

void glisser_sommet::defiler(int dx, int dy)
{
    if (_en_cours)
        placer(borner(static_cast<int>(_fantome->x() - dx), static_cast<int>(_fantome->y() - dy)));
}

glisser_sommet::depot glisser_sommet::finir()
{
    const depot d{_fantome->id(), _fantome->pos()};
    graphic_item_sommet *fantome = _fantome;
    oublier();
    delete fantome;
    montrer();
    _vue.setCursor(Qt::ArrowCursor);
    return d;
}

void glisser_sommet::oublier()
{
    _en_cours = false;
    _fantome = nullptr;
}

void glisser_sommet::montrer()
{
    if (!_peint_par_la_vue)
        return;
    QRect zone;
    if (_fantome)
        zone = _vue.viewportTransform()
                   .mapRect(_fantome->sceneBoundingRect())
                   .toAlignedRect()
                   .adjusted(-marge_repeinte, -marge_repeinte, marge_repeinte, marge_repeinte);
    _vue.viewport()->update(QRegion(zone) + _zone);
    _zone = zone;
}

void glisser_sommet::peindre(QPainter &peintre) const
{
    if (!_fantome || !_peint_par_la_vue)
        return;
    peintre.save();
    peintre.setWorldTransform(_fantome->sceneTransform() * _vue.viewportTransform());
    peintre.setOpacity(_fantome->opacity());
    // The vertex's own mark, which a figure may have made other than a circle.
    const liste_dessin *liste = _vue.liste().get();
    const std::uint32_t indice = liste ? liste->indice_sommet(_fantome->id()) : liste_dessin::aucun;
    const forme_sommet::forme forme =
        indice != liste_dessin::aucun ? liste->sommets()[indice].forme : forme_sommet::forme::cercle;
    rendu_dessin::peindre_sommet(peintre, _fantome->pen(), _fantome->brush(), _fantome->id(),
                                 _fantome->couleur_etiquette(), forme);
    peintre.restore();
}
