#ifndef MARQUES_CHOIX_H
#define MARQUES_CHOIX_H

#include <QList>
#include <QObject>
#include <QPoint>
#include <QRectF>

class QKeyEvent;
class QMouseEvent;
class QPainter;
class graphic_view;

// The chosen sensor and its marks on screen: rings around its vertex and
// its neighbours' and its links drawn again, painted by the view over the
// drawing and repainted where they lie.
class marques_choix : public QObject
{
    Q_OBJECT

public:
    explicit marques_choix(graphic_view &vue);

    // -1 when none is.
    int capteur() const { return _capteur; }
    // -1, or a number that has no vertex, leaves no sensor chosen.
    void choisir(int capteur);
    // The drawing goes: no mark to repaint.
    void oublier();
    // A left press and a release closer than a drag make a click; a press
    // during a drag does not count.
    void appui(const QMouseEvent *event, bool pendant_un_glisser);
    bool clic(const QMouseEvent *event);
    // Escape clears the choice; true when the key was taken.
    bool touche(QKeyEvent *event);
    // The painter maps scene units.
    void peindre(QPainter &peintre) const;

signals:
    void change(int capteur);

private:
    void repeindre();

    graphic_view &_vue;
    int _capteur = -1;
    // Where the marks were last asked to be painted.
    QList<QRectF> _zones;
    bool _appui_gauche = false;
    QPoint _point_appui;
};

#endif
