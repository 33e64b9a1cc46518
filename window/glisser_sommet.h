#ifndef GLISSER_SOMMET_H
#define GLISSER_SOMMET_H

#include <QPoint>
#include <QPointF>
#include <QRect>

#include <utility>

class QPainter;
class graphic_item_sommet;
class graphic_view;

// A vertex dragged with the left button: a translucent copy follows the
// pointer within the drawing's margins, the view scrolls near its edges,
// and the release says where the copy was left. Over a drawing's list the
// view paints the copy itself, hidden in the scene: a visible item moving
// in a scene of a few hundred thousand has Qt walk all of them at each step.
class glisser_sommet
{
public:
    explicit glisser_sommet(graphic_view &vue);

    bool en_cours() const { return _en_cours; }
    const graphic_item_sommet *fantome() const { return _fantome; }

    // pointeur: in the viewport; peint_par_la_vue: the view paints the copy.
    void commencer(graphic_item_sommet &sommet, const QPoint &pointeur, bool peint_par_la_vue);
    void suivre(const QPoint &pointeur);
    // The view's content moved by (dx, dy): the copy stays under the pointer.
    void defiler(int dx, int dy);

    // Where the copy was left, and of which vertex.
    struct depot
    {
        int id = 0;
        QPointF coin;
    };
    // Deletes the copy.
    depot finir();
    // The scene goes, and the copy with it.
    void oublier();

    // The copy over the drawing, when the view paints it; the painter maps
    // the viewport.
    void peindre(QPainter &peintre) const;

private:
    std::pair<int, int> borner(int nx, int ny) const;
    void placer(const std::pair<int, int> &coin);
    // Repaints where the copy was and where it is.
    void montrer();

    graphic_view &_vue;
    graphic_item_sommet *_fantome = nullptr;
    bool _en_cours = false;
    bool _peint_par_la_vue = false;
    // Between the pointer and the copy's corner, scroll values included.
    std::pair<int, int> _decalage;
    // Where the copy was last painted, in viewport pixels.
    QRect _zone;
};

#endif
