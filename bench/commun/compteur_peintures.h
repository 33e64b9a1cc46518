#ifndef COMPTEUR_PEINTURES_H
#define COMPTEUR_PEINTURES_H

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QWidget>

// Counts the paint events of one widget.
class compteur_peintures : public QObject
{
public:
    explicit compteur_peintures(QWidget *cible) : _cible(cible) { cible->installEventFilter(this); }
    int nombre() const { return _nombre; }

    // Runs the event loop until the widget has been painted once more.
    bool attendre(int avant, int limite_ms = 600000)
    {
        QDeadlineTimer limite(limite_ms);
        while (_nombre == avant && !limite.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return _nombre != avant;
    }

    // Same, then until nothing is left to paint: a change can be painted in
    // more than one go.
    bool attendre_tout(int avant, int limite_ms = 600000)
    {
        if (!attendre(avant, limite_ms))
            return false;
        for (int peintes = -1; peintes != _nombre;) {
            peintes = _nombre;
            QCoreApplication::processEvents();
        }
        return true;
    }

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override
    {
        if (objet == _cible && evenement->type() == QEvent::Paint)
            ++_nombre;
        return false;
    }

private:
    QWidget *_cible;
    int _nombre = 0;
};

#endif
