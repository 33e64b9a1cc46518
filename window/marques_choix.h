#ifndef MARQUES_CHOIX_H
#define MARQUES_CHOIX_H

#include <QList>
#include <QObject>
#include <QRectF>

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
};

#endif
