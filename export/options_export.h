#ifndef OPTIONS_EXPORT_H
#define OPTIONS_EXPORT_H

#include "options_figure.h"

#include <QString>
#include <QStringList>

class QCommandLineParser;

// What the output's name asks for: a drawing (picture, vector or DOT), the
// facts as JSON, the network as GraphML, GEXF or Cytoscape.js JSON, or such a
// network input converted to a session file with its instance and solution
// files.
enum class genre_sortie { dessin, rapport, reseau, conversion, historique };

// What one run of the command is asked to draw and where to write it.
struct options_export {
    int type_graphe = 1;
    int zoom = 1;
    // --scale: pixels per scene unit of a raster image.
    int pixels_par_unite = 1;
    bool traces = false;
    genre_sortie genre = genre_sortie::dessin;
    // Solution file B laid over the session's solution; empty for none.
    QString comparer;
    QString session;
    QString sortie;
    // --history: the solution files of the steps, in the order given.
    QStringList historique;
    // --fps: an animation's steps a second.
    int images_par_seconde = 2;
    // --strip: the steps a strip shows; 0 for none.
    int bande = 0;
    // What a figure for a paper adds: --legend, --scale-bar, --region,
    // --color-by, --faults, --style; --values is read with the session.
    options_figure figure;
    QString valeurs;
    // --width: the drawing's width in pixels, or on paper in cm; 0 when
    // not given.
    int largeur_pixels = 0;
    double largeur_cm = 0;
    bool tikz_corps = false;
};

// Declares the command's options and its argument on the parser.
void declarer_options(QCommandLineParser &analyseur);

// Checks and takes the values of a parsed command line; false with the
// reason, one line of French, when one is not usable.
bool lire_options(const QCommandLineParser &analyseur, options_export &options, QString &raison);

#endif
