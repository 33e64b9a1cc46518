#ifndef PEINTURE_TUILES_H
#define PEINTURE_TUILES_H

#include <QPoint>

#include <memory>
#include <vector>

class QPainter;
class QRegion;
class graphic_view;
class liste_dessin;
class tuiles_dessin;

// The view's picture, painted from tiles of its drawing's list: the tiles
// an exposed area shows, rendered at once, and those around what is shown
// rendered ahead for the next scroll.
class peinture_tuiles
{
public:
    explicit peinture_tuiles(graphic_view &vue);

    tuiles_dessin &tuiles() { return *_tuiles; }
    const std::shared_ptr<const liste_dessin> &liste() const;
    // A new drawing, or none.
    void installer(std::shared_ptr<const liste_dessin> liste);
    // The same drawing changed in these tiles, which are painted again.
    void remplacer(std::shared_ptr<const liste_dessin> liste, const std::vector<QPoint> &touchees);
    // True at the first paint of a drawing only.
    bool premiere_image();
    // The painter maps the viewport; the region is in its pixels.
    void peindre(QPainter &peintre, const QRegion &region);

private:
    graphic_view &_vue;
    // Parented to the view.
    tuiles_dessin *_tuiles;
    bool _montree = false;
};

#endif
