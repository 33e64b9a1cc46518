#ifndef GRAPHIC_VIEW_H
#define GRAPHIC_VIEW_H

#include "aire_dessin.h"
#include "echelle_dessin.h"
#include "roles_capteurs.h"

#include <QGraphicsView>
#include <QList>
#include <QRectF>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

class graphic_item_sommet;
class liste_dessin;
class tuiles_dessin;

// The view of one graph window: owns its scene, knows the vertices by number
// and lets the user drag a vertex with the left button, choose a sensor with
// a click, and read what lies under the pointer.
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

    // What the builder leaves of a drawing: where it put the sensors, the
    // roles it shows and its list, from which the screen is painted in
    // tiles. Gone with the drawing; a view without a list paints its
    // scene's items as Qt does.
    void retenir_dessin(std::optional<echelle_dessin> echelle, roles_capteurs roles,
                        std::shared_ptr<const liste_dessin> liste = nullptr);
    tuiles_dessin &tuiles() { return *_tuiles; }
    // Off, the view paints its items as Qt does and its drawings keep no
    // list: for a view that only writes files.
    void peindre_en_tuiles(bool oui) { _en_tuiles = oui; }
    bool peinte_en_tuiles() const { return _en_tuiles; }
    const std::optional<echelle_dessin> &echelle() const { return _echelle; }
    const roles_capteurs &roles() const { return _roles; }

    // The chosen sensor's number, -1 when none is.
    int capteur_choisi() const { return _capteur_choisi; }
    // Centres the view on the sensor's vertex and chooses it; false when
    // the drawing has no vertex for it.
    bool montrer_capteur(int capteur);
    // What the status bar shows for a viewport point: its place in the
    // sensors' units, and the sensor under it; empty off the drawing.
    QString texte_position(const QPoint &point);

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
    std::pair<int, int> borner(int nx, int ny) const;
    // What the view paints over the drawing: the ghost of a drag and the
    // chosen sensor's marks; the painter maps scene units.
    void peindre_par_dessus(QPainter &peintre);
    void peindre_tuiles(QPainter &peintre, const QRegion &region);
    void montrer_fantome();
    // The drawing's list follows a vertex that moved.
    void suivre_deplacement(graphic_item_sommet *sommet);
    void oublier_fantome();
    void repeindre_marques();
    void annoncer_position(const QString &texte);
    void suivre_pointeur();

    std::vector<graphic_item_sommet *> _liste_sommets;
    graphic_item_sommet *_sommet_fantome = nullptr;
    bool _deplacement_en_cours = false;
    std::pair<int, int> _decalage;
    int _zoom = 1;
    int _largeur_scene = aire_dessin::largeur;
    int _hauteur_scene = aire_dessin::hauteur;
    int _marge_x = aire_dessin::marge;
    int _marge_y = aire_dessin::marge;
    QGraphicsScene *_scene = nullptr;

    std::optional<echelle_dessin> _echelle;
    // Parented to the view.
    tuiles_dessin *_tuiles = nullptr;
    // Where the ghost was last painted, in viewport pixels.
    QRect _zone_fantome;
    // The tiles have shown the vertices of this drawing.
    bool _sommets_peints = false;
    bool _pointeur_a_suivre = false;
    bool _en_tuiles = true;
    roles_capteurs _roles;
    int _capteur_choisi = -1;
    // Where the marks were last asked to be painted.
    QList<QRectF> _zones_marquees;
    // A left press, and where: a release close to it is a click.
    bool _appui_gauche = false;
    QPoint _point_appui;
    // Wheel turned with Ctrl held, not yet a whole notch.
    int _molette = 0;
    QString _texte_position;
};

#endif
