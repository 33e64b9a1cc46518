#include "options_export.h"

#include "ecriture_image.h"
#include "facteurs_zoom.h"
#include "rapport_json.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

const QString option_instance = QStringLiteral("instance");
const QString option_solution = QStringLiteral("solution");
const QString option_zoom = QStringLiteral("zoom");
const QString option_pixels = QStringLiteral("scale");
const QString option_traces = QStringLiteral("verbose");
const QString option_sortie = QStringLiteral("output");
const QString option_comparer = QStringLiteral("compare");

constexpr int pixels_par_unite_max = 8;

} // namespace

void declarer_options(QCommandLineParser &analyseur)
{
    analyseur.setApplicationDescription(QStringLiteral(
        "Dessine l'instance ou la solution d'une session comme le fait visual_graphe, sans fenêtre, "
        "et l'écrit dans un fichier PNG, JPG, BMP, TIFF, SVG ou PDF, ou en écrit les faits "
        "(capteurs, liens, composantes, couverture de la solution) en JSON."));
    analyseur.addHelpOption();
    analyseur.addVersionOption();
    analyseur.addOption({option_instance, QStringLiteral("Dessine l'instance (par défaut).")});
    analyseur.addOption({option_solution, QStringLiteral("Dessine la solution.")});
    analyseur.addOption({option_zoom, QStringLiteral("Zoom de la page : 1, 2, 4, 8 ou 16 (1 par défaut)."),
                         QStringLiteral("F"), QStringLiteral("1")});
    analyseur.addOption({option_pixels,
                         QStringLiteral("Pixels par unité d'une image matricielle, de 1 à 8 (1 par défaut) ; "
                                        "sans effet sur SVG et PDF."),
                         QStringLiteral("N"), QStringLiteral("1")});
    analyseur.addOption({option_comparer,
                         QStringLiteral("Compare la solution de la session à la solution B : les MA de A seule en "
                                        "bleu, de B seule en vermillon ; implique --solution."),
                         QStringLiteral("SOLUTION_B")});
    analyseur.addOption({option_traces, QStringLiteral("Écrit les lignes de trace du dessin sur la sortie standard.")});
    analyseur.addOption({{QStringLiteral("o"), option_sortie},
                         QStringLiteral("Fichier à écrire ; son suffixe choisit le format : .png, .jpg, .jpeg, "
                                        ".bmp, .tif, .tiff, .svg, .pdf, ou .json pour les faits ; "
                                        "- écrit les faits en JSON sur la sortie standard."),
                         QStringLiteral("SORTIE")});
    analyseur.addPositionalArgument(QStringLiteral("SESSION.vga"), QStringLiteral("Fichier de session à dessiner."));
}

bool lire_options(const QCommandLineParser &analyseur, options_export &options, QString &raison)
{
    if (analyseur.isSet(option_instance) && analyseur.isSet(option_solution)) {
        raison = QStringLiteral("--instance et --solution s'excluent");
        return false;
    }
    options.comparer = analyseur.value(option_comparer);
    if (analyseur.isSet(option_comparer) && analyseur.isSet(option_instance)) {
        raison = QStringLiteral("--compare compare deux solutions : il exclut --instance");
        return false;
    }
    if (analyseur.isSet(option_comparer) && options.comparer.isEmpty()) {
        raison = QStringLiteral("--compare attend un fichier de solution");
        return false;
    }
    options.type_graphe = analyseur.isSet(option_solution) || !options.comparer.isEmpty() ? 2 : 1;
    options.traces = analyseur.isSet(option_traces);

    bool nombre = false;
    const QString zoom = analyseur.value(option_zoom);
    options.zoom = zoom.toInt(&nombre);
    if (!nombre || rang_zoom(options.zoom) < 0) {
        raison = QStringLiteral("le zoom vaut 1, 2, 4, 8 ou 16, pas « %1 »").arg(zoom);
        return false;
    }
    const QString pixels = analyseur.value(option_pixels);
    options.pixels_par_unite = pixels.toInt(&nombre);
    if (!nombre || options.pixels_par_unite < 1 || options.pixels_par_unite > pixels_par_unite_max) {
        raison = QStringLiteral("l'échelle est un entier de 1 à %1, pas « %2 »").arg(pixels_par_unite_max).arg(pixels);
        return false;
    }

    const QStringList arguments = analyseur.positionalArguments();
    if (arguments.size() != 1) {
        raison = arguments.isEmpty() ? QStringLiteral("aucun fichier de session")
                                     : QStringLiteral("un seul fichier de session, pas %1").arg(arguments.size());
        return false;
    }
    options.session = arguments.front();
    // Given more than once, the last -o counts, like any repeated option.
    const QStringList sorties = analyseur.values(option_sortie);
    if (sorties.isEmpty() || sorties.last().isEmpty()) {
        raison = QStringLiteral("aucun fichier de sortie : indiquez-le avec -o SORTIE");
        return false;
    }
    options.sortie = sorties.last();
    options.rapport = sortie_rapport(options.sortie);
    if (!options.rapport && format_du_nom(options.sortie) == format_image::inconnu) {
        raison = QStringLiteral("format inconnu pour « %1 » : le nom finit par .png, .jpg, .jpeg, .bmp, "
                                ".tif, .tiff, .svg, .pdf ou .json")
                     .arg(options.sortie);
        return false;
    }
    return true;
}
