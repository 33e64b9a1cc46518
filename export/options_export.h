#ifndef OPTIONS_EXPORT_H
#define OPTIONS_EXPORT_H

#include <QString>

class QCommandLineParser;

// What one run of the command is asked to draw and where to write it.
struct options_export {
    int type_graphe = 1;
    int zoom = 1;
    // --scale: pixels per scene unit of a raster image.
    int pixels_par_unite = 1;
    bool traces = false;
    // The facts as JSON instead of a picture.
    bool rapport = false;
    // Solution file B laid over the session's solution; empty for none.
    QString comparer;
    QString session;
    QString sortie;
};

// Declares the command's options and its argument on the parser.
void declarer_options(QCommandLineParser &analyseur);

// Checks and takes the values of a parsed command line; false with the
// reason, one line of French, when one is not usable.
bool lire_options(const QCommandLineParser &analyseur, options_export &options, QString &raison);

#endif
