#include "debug_stream.h"
#include "mainwindow.h"

#include <QApplication>

#include <iostream>

int main(int argc, char *argv[])
{
    QApplication a(argc, argv);
    MainWindow w;
    // Declared after the window so it is destroyed first and gives std::cout
    // its buffer back while the pane still exists.
    debug_stream console(std::cout, w.get_sortie_application());
    w.show();
    return a.exec();
}
