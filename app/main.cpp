#include "debug_stream.h"
#include "demarrage.h"
#include "mainwindow.h"
#include "traduction_qt.h"

#include <QApplication>

#include <iostream>

int main(int argc, char *argv[])
{
    QApplication a(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(VG_VERSION));
    // Qt's standard dialogs in French, like the rest of the window.
    traduction_qt::installer(a);
    // Read before the console takes std::cout, so --help reaches the terminal.
    const QStringList sessions = sessions_en_argument(QApplication::arguments());
    MainWindow w;
    // Declared after the window so it is destroyed first and gives std::cout
    // its buffer back while the pane still exists.
    debug_stream console(std::cout, w.get_sortie_application());
    w.show();
    ouvrir_au_demarrage(w, sessions);
    return a.exec();
}
