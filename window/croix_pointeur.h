#ifndef CROIX_POINTEUR_H
#define CROIX_POINTEUR_H

#include <QPointF>
#include <QRect>

#include <optional>

class QPainter;
class graphic_view;

// Where the pointer is on the other page of a pair, shown on this one as a
// small cross: painted by the view over the drawing, in screen pixels so
// that its size does not follow the zoom.
class croix_pointeur
{
public:
    explicit croix_pointeur(graphic_view &vue) : _vue(vue) {}

    // A scene point of this view's drawing; none takes the cross away.
    void montrer(std::optional<QPointF> lieu);
    const std::optional<QPointF> &lieu() const { return _lieu; }
    // Paints in the viewport's pixels, whatever the painter maps.
    void peindre(QPainter &peintre) const;

private:
    // The viewport pixels the cross covers, empty without one.
    QRect zone() const;

    graphic_view &_vue;
    std::optional<QPointF> _lieu;
};

#endif
