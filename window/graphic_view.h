#ifndef GRAPHIC_VIEW_H
#define GRAPHIC_VIEW_H

#include "aire_dessin.h"
#include "croix_pointeur.h"
#include "echelle_dessin.h"
#include "glisser_sommet.h"
#include "roles_capteurs.h"

#include <QGraphicsView>

#include <memory>
#include <optional>
#include <vector>

class graphic_item_arc;
class graphic_item_sommet;
class liste_dessin;
class marques_choix;
class position_pointeur;
class tuiles_dessin;
class zoom_molette;

// The view of one graph window: owns its scene, knows the vertices by number
// and lets the user drag a vertex with the left button, choose a sensor with
// a click, and read what lies under the pointer. A drawing made from a list
// is painted from the list's tiles; a scene built by hand paints its items.
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
    // Arcs a change of drawing left over, hidden in the scene for the next
    // one: a scene takes time in the number of its items to delete one.
    std::vector<graphic_item_arc *> &arcs_libres() { return _arcs_libres; }
    int &largeur_scene() { return _largeur_scene; }
    int &hauteur_scene() { return _hauteur_scene; }
    int zoom() const { return _zoom; }

    // What the scene builder leaves of a drawing: where it put the sensors,
    // the roles it shows and its list. Gone with the drawing.
    void retenir_dessin(std::optional<echelle_dessin> echelle, roles_capteurs roles,
                        std::shared_ptr<const liste_dessin> liste = nullptr);
    // The same drawing in other colours and arcs, changed in these tiles
    // only; the chosen sensor stays.
    void changer_dessin(roles_capteurs roles, std::shared_ptr<const liste_dessin> liste,
                        const std::vector<QPoint> &touchees);
    const std::shared_ptr<const liste_dessin> &liste() const;
    tuiles_dessin &tuiles() { return *_tuiles; }
    const std::optional<echelle_dessin> &echelle() const { return _echelle; }
    const roles_capteurs &roles() const { return _roles; }

    // Moves a vertex to a new corner: the item, its arcs and the drawing's
    // list together.
    void deplacer_sommet(graphic_item_sommet &sommet, const QPointF &coin);

    // The chosen sensor's number, -1 when none is.
    int capteur_choisi() const;
    // Centres the view on the sensor's vertex and chooses it; false when
    // the drawing has no vertex for it.
    bool montrer_capteur(int capteur);
    // What the status bar shows for a viewport point: its place in the
    // sensors' units, and the sensor under it; empty off the drawing.
    QString texte_position(const QPoint &point);
    // The pointer's place on another page, as a scene point of this view's
    // drawing; none takes the cross away. Gone with the drawing.
    void montrer_croix(std::optional<QPointF> lieu) { _croix.montrer(lieu); }
    const std::optional<QPointF> &croix() const { return _croix.lieu(); }

public slots:
    // -1, or a number that has no vertex, leaves no sensor chosen.
    void choisir_capteur(int capteur);

signals:
    void capteur_choisi_change(int capteur);
    // texte_position of the pointer, each time it changes.
    void position_pointee(const QString &texte);
    // Ctrl+wheel asks for the next zoom in (sens 1) or out (-1), keeping
    // what lies under this viewport point.
    void zoom_demande(int sens, const QPoint &point);
    // The scene point under the pointer, as it moves or the drawing moves
    // under it; then that it left the view.
    void lieu_pointe(const QPointF &lieu);
    void pointeur_sorti();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void drawForeground(QPainter *painter, const QRectF &rect) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // What the view paints over the drawing: the drag's copy, the chosen
    // sensor's marks and the other page's pointer.
    void peindre_par_dessus(QPainter &peintre);
    // Repaints what the view shows of these tiles.
    void mettre_a_jour(const std::vector<QPoint> &touchees);

    std::vector<graphic_item_sommet *> _liste_sommets;
    std::vector<graphic_item_arc *> _arcs_libres;
    int _zoom = 1;
    int _largeur_scene = aire_dessin::largeur;
    int _hauteur_scene = aire_dessin::hauteur;
    QGraphicsScene *_scene = nullptr;
    std::optional<echelle_dessin> _echelle;
    roles_capteurs _roles;

    // The screen, painted from the list's tiles; parented to the view.
    tuiles_dessin *_tuiles;
    // The tiles have shown this drawing.
    bool _image_montree = false;
    glisser_sommet _glisser;
    croix_pointeur _croix;
    marques_choix *_marques;
    position_pointeur *_position;
    zoom_molette *_molette;
};

#endif
