#ifndef DEMARRAGE_H
#define DEMARRAGE_H

#include <QStringList>

class MainWindow;

// The session files named on the command line, in order. Qt's own options
// are already gone from the arguments; --help, --version and an unknown
// option print their text and end the process, as QCommandLineParser does.
QStringList sessions_en_argument(const QStringList &arguments);

// Opens each path as "Ouvrir une session" does, once the event loop runs,
// so the window is up before a large session is read.
void ouvrir_au_demarrage(MainWindow &fenetre, const QStringList &chemins);

#endif
