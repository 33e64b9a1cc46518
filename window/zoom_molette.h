#ifndef ZOOM_MOLETTE_H
#define ZOOM_MOLETTE_H

#include <QObject>
#include <QPoint>

class QWheelEvent;

// Ctrl with the wheel asks for the next zoom in or out, one step a notch;
// the notches of a fine-grained wheel add up to one.
class zoom_molette : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // True when the event was a zoom (Ctrl held), which it takes.
    bool recevoir(QWheelEvent *event);

signals:
    // sens 1 in, -1 out, keeping what lies under this viewport point.
    void demande(int sens, const QPoint &point);

private:
    // Turned with Ctrl held, not yet a whole notch.
    int _cumul = 0;
};

#endif
