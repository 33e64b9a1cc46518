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
const QString option_legende = QStringLiteral("legend");
const QString option_barre = QStringLiteral("scale-bar");
const QString option_region = QStringLiteral("region");
const QString option_largeur = QStringLiteral("width");
const QString option_valeurs = QStringLiteral("values");
const QString option_couleur = QStringLiteral("color-by");
const QString option_defauts = QStringLiteral("faults");
const QString option_style = QStringLiteral("style");
const QString option_tikz_corps = QStringLiteral("tikz-body");
constexpr int ips_max = 60;
// A drawing's width in pixels: a vertex's room at least, a raster side at most.
constexpr int largeur_min = 200;
constexpr int largeur_max = 32767;
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
                              ".svg, .pdf, .dot, .tex, .graphml, .gexf, .cyjs, .vga ou .json")
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

// --region X0,Y0,X1,Y1: a rectangle of some extent in the instance's units.
bool lire_region(const QString &texte, options_figure &figure, QString &raison)
{
    const QStringList parties = texte.split(QLatin1Char(','));
    double v[4];
    bool nombres = parties.size() == 4;
    for (int i = 0; nombres && i < 4; ++i)
        v[i] = parties[i].trimmed().toDouble(&nombres);
    if (!nombres || !(v[2] > v[0]) || !(v[3] > v[1])) {
        raison = QString::fromUtf8("--region attend X0,Y0,X1,Y1 avec X0 < X1 et Y0 < Y1, pas « %1 »").arg(texte);
        return false;
    }
    figure.region = QRectF(QPointF(v[0], v[1]), QPointF(v[2], v[3]));
    return true;
}

// --width: pixels, or a length on paper (cm, mm, in, pt) for vector pages.
bool lire_largeur(const QString &texte, options_export &options, QString &raison)
{
    static const std::pair<const char *, double> unites[] = {{"cm", 1}, {"mm", 0.1}, {"in", 2.54}, {"pt", 2.54 / 72}};
    bool nombre = false;
    for (const auto &[unite, cm] : unites)
        if (texte.endsWith(QLatin1String(unite))) {
            const double valeur = texte.chopped(2).trimmed().toDouble(&nombre);
            if (nombre && valeur > 0 && valeur * cm <= 1000) {
                options.largeur_cm = valeur * cm;
                return true;
            }
        }
    options.largeur_pixels = texte.toInt(&nombre);
    if (nombre && options.largeur_pixels >= largeur_min && options.largeur_pixels <= largeur_max)
        return true;
    raison = QString::fromUtf8("--width vaut un nombre de pixels de %1 à %2, ou une largeur comme 8cm, 80mm, "
                               "3in, pas « %3 »")
                 .arg(largeur_min)
                 .arg(largeur_max)
                 .arg(texte);
    return false;
}

bool lire_valeur_figure(const QCommandLineParser &analyseur, options_export &options, QString &raison)
{
    options.valeurs = analyseur.value(option_valeurs);
    if (analyseur.isSet(option_valeurs) && analyseur.isSet(option_couleur)) {
        raison = QStringLiteral("--values et --color-by s'excluent");
        return false;
    }
    if (analyseur.isSet(option_valeurs))
        options.figure.couleur_par = valeur_figure::fichier;
    if (!analyseur.isSet(option_couleur))
        return true;
    const QString valeur = analyseur.value(option_couleur);
    if (valeur == QLatin1String("hops"))
        options.figure.couleur_par = valeur_figure::sauts;
    else if (valeur == QLatin1String("degree"))
        options.figure.couleur_par = valeur_figure::degre;
    else {
        raison = QString::fromUtf8("--color-by vaut hops ou degree, pas « %1 »").arg(valeur);
        return false;
    }
    return true;
}

bool lire_options_figure(const QCommandLineParser &analyseur, options_export &options, QString &raison)
{
    options_figure &f = options.figure;
    f.legende = analyseur.isSet(option_legende);
    f.barre_echelle = analyseur.isSet(option_barre);
    f.defauts = analyseur.isSet(option_defauts);
    options.tikz_corps = analyseur.isSet(option_tikz_corps);
    if (analyseur.isSet(option_style)) {
        const QString style = analyseur.value(option_style);
        if (style != QLatin1String("daltonien") && style != QLatin1String("habituel")) {
            raison = QString::fromUtf8("--style vaut daltonien ou habituel, pas « %1 »").arg(style);
            return false;
        }
        f.style = style == QLatin1String("daltonien") ? style_figure::daltonien : style_figure::habituel;
    }
    if (analyseur.isSet(option_region) && !lire_region(analyseur.value(option_region), f, raison))
        return false;
    if (analyseur.isSet(option_largeur) && !lire_largeur(analyseur.value(option_largeur), options, raison))
        return false;
    return lire_valeur_figure(analyseur, options, raison);
}

// What a figure's options do not go with; empty when they go.
QString refus_de_la_figure(const options_export &options)
{
    const bool figure = !options.figure.rien() || options.largeur_pixels || options.largeur_cm > 0 || options.tikz_corps;
    if (figure && options.genre != genre_sortie::dessin)
        return QString::fromUtf8("les options de figure vont avec un dessin (image, SVG, PDF, DOT ou .tex)");
    const format_image format = format_du_nom(options.sortie);
    if (options.largeur_cm > 0 && format == format_image::matriciel)
        return QString::fromUtf8("--width en cm, mm, in ou pt va avec .svg, .pdf ou .tex ; une image a des pixels");
    if (options.tikz_corps && format != format_image::tikz)
        return QStringLiteral("--tikz-body va avec une sortie .tex");
    return QString();
}

void declarer_options_figure(QCommandLineParser &analyseur)
{
    analyseur.addOption({option_legende, QString::fromUtf8("Légende à droite du dessin : chaque rôle avec son fond et "
                                                           "son nombre, ou la barre de couleurs.")});
    analyseur.addOption({option_barre, QString::fromUtf8("Barre d'échelle d'une longueur ronde dans les unités de "
                                                         "l'instance, sous le cadre.")});
    analyseur.addOption({option_region, QString::fromUtf8("Ne dessine que ce rectangle, dans les unités de l'instance, "
                                                          "gradué dans ces unités."),
                         QStringLiteral("X0,Y0,X1,Y1")});
    analyseur.addOption({option_largeur, QString::fromUtf8("Largeur du dessin en pixels, ou sur le papier pour SVG, "
                                                           "PDF et .tex (8cm, 80mm, 3in)."),
                         QStringLiteral("LARGEUR")});
    analyseur.addOption({option_valeurs, QString::fromUtf8("Colore les capteurs par une valeur d'un fichier CSV "
                                                           "(en-tête, numéro du capteur en première colonne ; la "
                                                           "deuxième colonne, ou celle nommée)."),
                         QStringLiteral("FICHIER.csv[:COLONNE]")});
    analyseur.addOption({option_couleur, QString::fromUtf8("Colore les capteurs par une valeur calculée : hops (sauts "
                                                           "jusqu'au puits) ou degree (degré)."),
                         QStringLiteral("VALEUR")});
    analyseur.addOption({option_defauts, QString::fromUtf8("Montre les défauts de la solution : capteurs non couverts "
                                                           "cerclés, parties de MA sans le puits en tirets.")});
    analyseur.addOption({option_style, QString::fromUtf8("daltonien : couleurs d'Okabe et Ito et une forme par rôle ; "
                                                         "habituel par défaut."),
                         QStringLiteral("STYLE")});
    analyseur.addOption({option_tikz_corps, QString::fromUtf8("Avec une sortie .tex, le seul environnement "
                                                              "tikzpicture, à inclure par \\input.")});
}

// The positional arguments: with --history the steps' files, then the session.
bool lire_arguments(const QCommandLineParser &analyseur, options_export &options, QString &raison)
{
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
    declarer_options_figure(analyseur);
    analyseur.addOption({option_traces, QStringLiteral("Écrit les lignes de trace du dessin sur la sortie standard.")});
    analyseur.addOption({{QStringLiteral("o"), option_sortie},
                         QStringLiteral("Fichier à écrire ; son suffixe choisit le format : .png, .jpg, .jpeg, "
                                        ".bmp, .tif, .tiff, .svg, .pdf, .dot, .tex pour TikZ, .json pour les faits, "
                                        ".graphml, .gexf ou .cyjs pour le réseau (avec --solution, ses rôles), .vga "
                                        "pour convertir un réseau en session (G.vga, G.txt et G_sol.txt) ; "
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

    if (!lire_options_historique(analyseur, options, raison) || !lire_options_figure(analyseur, options, raison))
        return false;
    if (!lire_arguments(analyseur, options, raison))
        return false;
    // Given more than once, the last -o counts, like any repeated option.
    const QStringList sorties = analyseur.values(option_sortie);
    if (sorties.isEmpty() || sorties.last().isEmpty()) {
        raison = QStringLiteral("aucun fichier de sortie : indiquez-le avec -o SORTIE");
        return false;
    }
    options.sortie = sorties.last();
    options.genre = options.historique.isEmpty() ? genre_du_nom(options.sortie) : genre_sortie::historique;
    raison = refus_du_genre(options);
    if (raison.isEmpty())
        raison = refus_de_la_figure(options);
    return raison.isEmpty();
}
