#include "options_export.h"

#include "ecriture_image.h"
#include "export_historique.h"
#include "facteurs_zoom.h"
#include "format_reseau.h"
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
const QString option_historique = QStringLiteral("history");
const QString option_ips = QStringLiteral("fps");
const QString option_bande = QStringLiteral("strip");
constexpr int ips_max = 60;
constexpr int bande_max = 100;

constexpr int pixels_par_unite_max = 8;

genre_sortie genre_du_nom(const QString &sortie)
{
    if (sortie_rapport(sortie))
        return genre_sortie::rapport;
    if (format_reseau_du_nom(sortie) != format_reseau::aucun)
        return genre_sortie::reseau;
    if (QFileInfo(sortie).suffix().compare(QLatin1String("vga"), Qt::CaseInsensitive) == 0)
        return genre_sortie::conversion;
    return genre_sortie::dessin;
}

// What the output's kind does not go with; empty when it goes.
QString refus_du_genre(const options_export &options)
{
    if (options.genre == genre_sortie::historique)
        return genre_historique_du_nom(options.sortie, options.bande) == genre_historique::inconnu
                   ? QStringLiteral("--history écrit .gif, .mp4 ou .json, ou avec --strip K une image "
                                    "(.png, .jpg, .bmp, .tif, .svg, .pdf), pas « %1 »")
                         .arg(options.sortie)
                   : QString();
    if (options.bande > 0)
        return QStringLiteral("--strip va avec --history");
    if (options.genre == genre_sortie::dessin && format_du_nom(options.sortie) == format_image::inconnu)
        return QStringLiteral("format inconnu pour « %1 » : le nom finit par .png, .jpg, .jpeg, .bmp, .tif, .tiff, "
                              ".svg, .pdf, .dot, .graphml, .gexf, .cyjs, .vga ou .json")
            .arg(options.sortie);
    if ((options.genre == genre_sortie::reseau || options.genre == genre_sortie::conversion)
        && !options.comparer.isEmpty())
        return QStringLiteral("--compare ne s'écrit qu'en dessin ou en JSON");
    if (options.genre == genre_sortie::conversion && format_reseau_du_fichier(options.session) == format_reseau::aucun)
        return QStringLiteral("une sortie .vga convertit un fichier GraphML, GEXF ou Cytoscape.js, pas « %1 »")
            .arg(options.session);
    return QString();
}

// An integer option from 1 to maximum; false with the reason otherwise.
bool lire_entier(const QCommandLineParser &analyseur, const QString &option, int maximum, int &valeur,
                 QString &raison)
{
    bool nombre = false;
    const QString texte = analyseur.value(option);
    valeur = texte.toInt(&nombre);
    if (nombre && valeur >= 1 && valeur <= maximum)
        return true;
    raison = QStringLiteral("--%1 est un entier de 1 à %2, pas « %3 »").arg(option).arg(maximum).arg(texte);
    return false;
}

bool lire_options_historique(const QCommandLineParser &analyseur, options_export &options, QString &raison)
{
    if (!lire_entier(analyseur, option_ips, ips_max, options.images_par_seconde, raison))
        return false;
    if (analyseur.isSet(option_bande) && !lire_entier(analyseur, option_bande, bande_max, options.bande, raison))
        return false;
    if (analyseur.isSet(option_historique) && (analyseur.isSet(option_comparer) || analyseur.isSet(option_instance))) {
        raison = QStringLiteral("--history dessine des solutions : il exclut --compare et --instance");
        return false;
    }
    return true;
}

} // namespace

void declarer_options(QCommandLineParser &analyseur)
{
    analyseur.setApplicationDescription(QStringLiteral(
        "Dessine l'instance ou la solution d'une session (.vga) ou d'un réseau GraphML, GEXF ou "
        "Cytoscape.js comme le fait visual_graphe, sans fenêtre, et l'écrit dans un fichier PNG, JPG, BMP, "
        "TIFF, SVG, PDF ou DOT (Graphviz, neato -n2), en écrit les faits (capteurs, liens, composantes, "
        "couverture de la solution) en JSON, ou écrit le réseau en GraphML, GEXF ou Cytoscape.js ; un "
        "réseau écrit en .vga est converti en session avec ses fichiers d'instance et de solution."));
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
    analyseur.addOption({option_historique,
                         QStringLiteral("Historique d'un solveur : les arguments sont les fichiers de solution "
                                        "des étapes, dans l'ordre, puis la session ; écrit une animation (.gif, "
                                        ".mp4), ses faits (.json) ou, avec --strip, une bande d'étapes.")});
    analyseur.addOption({option_ips, QStringLiteral("Étapes par seconde d'une animation, de 1 à 60 (2 par défaut)."),
                         QStringLiteral("N"), QStringLiteral("2")});
    analyseur.addOption({option_bande,
                         QStringLiteral("Bande de K étapes réparties également, la première et la dernière "
                                        "comprises, sur une page (toute image, SVG, PDF)."),
                         QStringLiteral("K")});
    analyseur.addOption({option_traces, QStringLiteral("Écrit les lignes de trace du dessin sur la sortie standard.")});
    analyseur.addOption({{QStringLiteral("o"), option_sortie},
                         QStringLiteral("Fichier à écrire ; son suffixe choisit le format : .png, .jpg, .jpeg, "
                                        ".bmp, .tif, .tiff, .svg, .pdf, .dot, .json pour les faits, .graphml, "
                                        ".gexf ou .cyjs pour le réseau (avec --solution, ses rôles), .vga pour "
                                        "convertir un réseau en session (G.vga, G.txt et G_sol.txt) ; "
                                        "- écrit les faits en JSON sur la sortie standard."),
                         QStringLiteral("SORTIE")});
    analyseur.addPositionalArgument(QStringLiteral("[SOLUTION...]"),
                                    QStringLiteral("Avec --history, les fichiers de solution des étapes."));
    analyseur.addPositionalArgument(QStringLiteral("SESSION.vga"),
                                    QStringLiteral("Fichier de session, ou réseau GraphML, GEXF ou Cytoscape.js "
                                                   "(.graphml, .gexf, .cyjs, ou par son contenu), à lire."),
                                    QStringLiteral("SESSION.vga|RESEAU.graphml|.gexf|.cyjs"));
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

    if (!lire_options_historique(analyseur, options, raison))
        return false;
    QStringList arguments = analyseur.positionalArguments();
    if (analyseur.isSet(option_historique)) {
        if (arguments.size() < 2) {
            raison = QStringLiteral("--history attend au moins un fichier de solution puis la session");
            return false;
        }
        options.historique = arguments.mid(0, arguments.size() - 1);
        arguments = arguments.mid(arguments.size() - 1);
    }
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
    options.genre = options.historique.isEmpty() ? genre_du_nom(options.sortie) : genre_sortie::historique;
    raison = refus_du_genre(options);
    return raison.isEmpty();
}
