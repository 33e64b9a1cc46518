#ifndef GRAPHIC_VIEW_H
#define GRAPHIC_VIEW_H

#include <QGraphicsView>

#include <utility>
#include <vector>

class graphic_item_sommet;

// The view of one graph window: owns its scene, knows the vertices by number
// and lets the user drag a vertex with the left button.
class graphic_view : public QGraphicsView
{
    Q_OBJECT

public:
    explicit graphic_view(QWidget *parent = nullptr);
    ~graphic_view() override;

    void set_zoom(int facteur);
    void vider();
    graphic_item_sommet *trouver_sommet(int id);

    std::vector<graphic_item_sommet *> &liste_sommets() { return _liste_sommets; }
    int &largeur_scene() { return _largeur_scene; }
    int &hauteur_scene() { return _hauteur_scene; }
    int zoom() const { return _zoom; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    std::pair<int, int> borner(int nx, int ny) const;
    void oublier_fantome();

    std::vector<graphic_item_sommet *> _liste_sommets;
    graphic_item_sommet *_sommet_fantome = nullptr;
    bool _deplacement_en_cours = false;
    std::pair<int, int> _decalage;
    int _zoom = 1;
    int _largeur_scene = 800;
    int _hauteur_scene = 550;
    int _marge_x = 30;
    int _marge_y = 30;
    QGraphicsScene *_scene = nullptr;
};

#endif
