#include "curseur_attente.h"

#include <QCursor>
#include <QGuiApplication>

curseur_attente::curseur_attente()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

curseur_attente::~curseur_attente()
{
    QGuiApplication::restoreOverrideCursor();
}
