#include "zoom_molette.h"

#include <QWheelEvent>

#include <cstdlib>

bool zoom_molette::recevoir(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier))
        return false;
    event->accept();
    _cumul += event->angleDelta().y();
    while (std::abs(_cumul) >= QWheelEvent::DefaultDeltasPerStep) {
        const int sens = _cumul > 0 ? 1 : -1;
        _cumul -= sens * QWheelEvent::DefaultDeltasPerStep;
        emit demande(sens, event->position().toPoint());
    }
    return true;
}
