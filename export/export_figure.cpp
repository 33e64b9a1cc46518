#include "export_figure.h"

#include "aire_dessin.h"
#include "comparaison_solutions.h"
#include "constructeur_dessin.h"
#include "ecriture_entiere.h"
#include "ecriture_image.h"
#include "ecriture_reseau.h"
#include "ecriture_texte.h"
#include "export_historique.h"
#include "faits_instance.h"
#include "faits_solution.h"
#include "fichier_session.h"
#include "format_reseau.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "historique_solutions.h"
#include "lecture_fichier.h"
#include "lecture_valeurs.h"
#include "ecriture_tikz.h"
#include "liste_dessin.h"
#include "options_export.h"
#include "raison_lecture.h"
#include "rapport_json.h"
#include "session_graphe.h"
#include "sujet_session.h"
#include "tri_sortie.h"

#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonObject>
#include <QScreen>
#include <QString>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <limits>

namespace {

// A raster image stays within what Qt's painter and image writers handle
// everywhere: sides below 2^15 pixels, and at most 2 GiB of 32-bit pixels.
constexpr long long cote_max = 32767;
constexpr long long octets_max = std::numeric_limits<int>::max();
constexpr long long octets_par_pixel = 4;
const QString fichier_absent = QStringLiteral("le fichier n'existe pas");
// Qt's own resolution when it knows no screen.
constexpr int ppp_sans_ecran = 96;

bool meme_fichier(const QString &a, const QString &b)
{
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    return fa.exists() && fb.exists() && fa.canonicalFilePath() == fb.canonicalFilePath();
}

QString entre_guillemets(const QString &chemin)
{
    return QStringLiteral("« %1 »").arg(chemin);
}

bool sortie_sur_une_entree(const QString &sortie, const QString &entree)
{
    if (!meme_fichier(sortie, entree))
        return false;
    signaler(QStringLiteral("la sortie %1 est un fichier d'entrée : elle ne le remplace pas")
                 .arg(entre_guillemets(sortie)));
    return true;
}

bool taille_admise(const QSize &aire, int pixels_par_unite)
{
    const long long largeur = static_cast<long long>(aire.width()) * pixels_par_unite;
    const long long hauteur = static_cast<long long>(aire.height()) * pixels_par_unite;
    if (largeur <= cote_max && hauteur <= cote_max && largeur * hauteur * octets_par_pixel <= octets_max)
        return true;
    signaler(QStringLiteral("image de %1 x %2 pixels trop grande (au plus %3 de côté et %4 pixels) : "
                            "réduisez --zoom ou --scale")
                 .arg(largeur)
                 .arg(hauteur)
                 .arg(cote_max)
                 .arg(octets_max / octets_par_pixel));
    return false;
}

// Reads one file the run needs; null when it does not read whole, the last
// line then naming the file and saying why.
template <typename Enregistrement>
std::unique_ptr<Enregistrement> lire_fichier(fichier_lu<Enregistrement> (*lire)(const QString &), bool present,
                                             const QString &chemin, const QString &quoi)
{
    QString raison;
    if (!present) {
        raison = raison_lecture::formater(chemin, raison_lecture::sans_ligne, fichier_absent);
    } else {
        fichier_lu<Enregistrement> f = lire(chemin);
        if (f.lu)
            return std::move(f.contenu);
        raison = f.raison;
    }
    signaler(QStringLiteral("%1 %2 n'a pas pu être lue : %3").arg(quoi, entre_guillemets(chemin), raison));
    return nullptr;
}

// What one run reads: the session and, for a comparison, solution B.
struct entrees_export
{
    session_graphe session;
    std::unique_ptr<graphe_solution> b;
};

// Solution B of a comparison, read as the viewer reads it.
statut_export lire_comparee(const options_export &options, entrees_export &entrees)
{
    if (sortie_sur_une_entree(options.sortie, options.comparer))
        return statut_usage;
    entrees.b = lire_fichier(lire_fichier_solution, QFileInfo::exists(options.comparer), options.comparer,
                             QStringLiteral("la solution à comparer"));
    return entrees.b ? statut_ecrit : statut_lecture;
}

// A network input holds the network and, when a node has a role, the
// solution; the solution drawing and the solution's facts need one.
statut_export lire_reseau(const options_export &options, entrees_export &entrees)
{
    fichier_lu<reseau_fichier> f = lire_fichier_reseau(options.session);
    if (!f.lu) {
        signaler(QStringLiteral("la session %1 n'a pas pu être lue : %2")
                     .arg(entre_guillemets(options.session), f.raison));
        return statut_lecture;
    }
    entrees.session.instance() = std::move(f.contenu->instance);
    entrees.session.solution() = std::move(f.contenu->solution);
    if (options.type_graphe != 1 && options.genre != genre_sortie::conversion && !entrees.session.solution()) {
        const QString raison = raison_lecture::formater(options.session, raison_lecture::sans_ligne,
                                                        QStringLiteral("aucun nœud n'a de rôle (ma, sl, br ou role)"));
        signaler(QStringLiteral("la solution %1 n'a pas pu être lue : %2").arg(entre_guillemets(options.session), raison));
        return statut_lecture;
    }
    return options.comparer.isEmpty() ? statut_ecrit : lire_comparee(options, entrees);
}

// Reads the session file and the files the drawing needs with the viewer's
// readers; statut_ecrit when all of them were read whole.
statut_export lire_session(const options_export &options, entrees_export &entrees)
{
    if (format_reseau_du_fichier(options.session) != format_reseau::aucun)
        return lire_reseau(options, entrees);
    session_graphe &session = entrees.session;
    const fichier_session fichier = lire_fichier_session(options.session);
    if (!fichier.ouvert || !fichier.conforme) {
        signaler(QStringLiteral("la session %1 n'a pas pu être lue : %2")
                     .arg(entre_guillemets(options.session), fichier.raison));
        return statut_lecture;
    }
    if (sortie_sur_une_entree(options.sortie, fichier.chemin_instance)
        || sortie_sur_une_entree(options.sortie, fichier.chemin_solution))
        return statut_usage;

    session.instance() = lire_fichier(lire_fichier_instance, instance_presente(fichier), fichier.chemin_instance,
                                      QStringLiteral("l'instance"));
    if (!session.instance())
        return statut_lecture;
    // The solution drawing needs both files; the instance drawing only its own.
    if (options.type_graphe != 1) {
        session.solution() = lire_fichier(lire_fichier_solution, solution_presente(fichier),
                                          fichier.chemin_solution, QStringLiteral("la solution"));
        if (!session.solution())
            return statut_lecture;
    }
    return options.comparer.isEmpty() ? statut_ecrit : lire_comparee(options, entrees);
}

// The facts of what the drawing would show, written instead of it.
statut_export ecrire_faits(const options_export &options, entrees_export &entrees)
{
    session_graphe &session = entrees.session;
    QJsonObject rapport;
    if (entrees.b) {
        rapport.insert(QStringLiteral("compare"),
                       json_comparaison(comparer_solutions(*session.instance(), *session.solution(), *entrees.b)));
    } else {
        rapport.insert(QStringLiteral("session"), options.session);
        rapport.insert(QStringLiteral("instance"), json_instance(calculer_faits_instance(*session.instance())));
    }
    if (options.type_graphe != 1 && !entrees.b)
        rapport.insert(QStringLiteral("solution"),
                       json_solution(calculer_faits_solution(*session.instance(), *session.solution())));
    if (!ecrire_rapport(rapport, options.sortie)) {
        signaler(QStringLiteral("la sortie %1 n'a pas pu être écrite").arg(entre_guillemets(options.sortie)));
        return statut_ecriture;
    }
    return statut_ecrit;
}

statut_export ecriture_refusee(const QString &sortie, const QString &raison)
{
    signaler(QStringLiteral("la sortie %1 n'a pas pu être écrite : %2").arg(entre_guillemets(sortie), raison));
    return statut_ecriture;
}

// The network, and with --solution its roles, as GraphML, GEXF or
// Cytoscape.js JSON.
statut_export ecrire_reseau(const options_export &options, entrees_export &entrees)
{
    const graphe_solution *solution = options.type_graphe != 1 ? entrees.session.solution().get() : nullptr;
    QString raison;
    if (!ecrire_fichier_reseau(options.sortie, *entrees.session.instance(), solution, &raison))
        return ecriture_refusee(options.sortie, raison);
    return statut_ecrit;
}

// G.graphml (or .gexf, .cyjs) to G.vga beside G.txt and, with a solution, G_sol.txt: all
// three written or none, none over the input.
statut_export convertir(const options_export &options, entrees_export &entrees)
{
    const QFileInfo vga(options.sortie);
    const QString base = vga.path() + QLatin1Char('/') + vga.completeBaseName();
    const QString chemin_instance = base + QStringLiteral(".txt");
    const QString chemin_solution = base + QStringLiteral("_sol.txt");
    const graphe_instance &instance = *entrees.session.instance();
    const graphe_solution *solution = entrees.session.solution().get();
    const QString nom_instance = QFileInfo(chemin_instance).fileName();
    const QString nom_solution = solution ? QFileInfo(chemin_solution).fileName() : QString();
    std::vector<ecriture_entiere::fichier> fichiers{
        {options.sortie,
         [&](QIODevice &sortie, QString &) {
             const QByteArray texte = texte_fichier_session(QFileInfo(options.session).completeBaseName(),
                                                            nom_instance, nom_solution);
             return sortie.write(texte) == texte.size();
         }},
        {chemin_instance, [&](QIODevice &sortie, QString &cause) { return ecrire_instance(sortie, instance, cause); }}};
    if (solution)
        fichiers.push_back({chemin_solution, [&](QIODevice &sortie, QString &cause) {
                                return ecrire_solution(sortie, *solution, nom_instance, cause);
                            }});
    for (const ecriture_entiere::fichier &f : fichiers)
        if (sortie_sur_une_entree(f.chemin, options.session))
            return statut_usage;
    QString raison;
    if (!ecriture_entiere::ecrire(fichiers, &raison))
        return ecriture_refusee(options.sortie, raison);
    return statut_ecrit;
}

// The steps' files, read in the order given into a history of the
// session's instance.
statut_export lire_etapes(const options_export &options, const graphe_instance &instance,
                          historique_solutions &historique)
{
    for (const QString &chemin : options.historique) {
        if (sortie_sur_une_entree(options.sortie, chemin))
            return statut_usage;
        std::unique_ptr<graphe_solution> solution = lire_fichier(lire_fichier_solution, QFileInfo::exists(chemin),
                                                                 chemin, QStringLiteral("l'étape"));
        if (!solution)
            return statut_lecture;
        if (historique.ajouter(instance, std::move(solution), chemin, QDateTime::currentDateTime())
            == historique_solutions::ajout::ajoutee_en_oubliant)
            signaler(QStringLiteral("plus de %1 étapes : les plus anciennes sont oubliées")
                         .arg(historique_solutions::capacite));
    }
    return statut_ecrit;
}

// The steps drawn as an animation or a strip, or their facts.
statut_export ecrire_historique(const options_export &options)
{
    entrees_export entrees;
    options_export instance_seule = options;
    instance_seule.type_graphe = 1;
    statut_export statut = lire_session(instance_seule, entrees);
    historique_solutions historique;
    if (statut == statut_ecrit)
        statut = lire_etapes(options, *entrees.session.instance(), historique);
    if (statut != statut_ecrit)
        return statut;
    options_historique o;
    o.zoom = options.zoom;
    o.images_par_seconde = options.images_par_seconde;
    o.bande = options.bande;
    o.police = QGuiApplication::font();
    const QScreen *ecran = QGuiApplication::primaryScreen();
    o.ppp = ecran ? qRound(ecran->logicalDotsPerInchY()) : ppp_sans_ecran;
    QString raison;
    if (!exporter_historique(*entrees.session.instance(), historique, options.sortie, o, &raison))
        return ecriture_refusee(options.sortie, raison);
    return statut_ecrit;
}

// Whatever is written from the records alone, without a drawing.
statut_export ecrire_sans_dessin(const options_export &options)
{
    entrees_export entrees;
    const statut_export lu = lire_session(options, entrees);
    if (lu != statut_ecrit)
        return lu;
    switch (options.genre) {
    case genre_sortie::reseau:
        return ecrire_reseau(options, entrees);
    case genre_sortie::conversion:
        return convertir(options, entrees);
    default:
        return ecrire_faits(options, entrees);
    }
}

// The drawing's area: the page's at its zoom, or --width pixels wide; a
// region keeps its own proportions, the page's otherwise.
QSize aire_demandee(const options_export &options)
{
    const QSize page = aire_dessin::taille(options.zoom);
    const int largeur = options.largeur_pixels ? options.largeur_pixels : page.width();
    if (!options.figure.region)
        return options.largeur_pixels ? QSize(largeur, int(std::lround(double(largeur) * page.height() / page.width())))
                                      : page;
    // The region spans the frame, inside its margins, at one scale.
    const int reserve = 2 * aire_dessin::marge;
    const QRectF &r = *options.figure.region;
    const double hauteur = (largeur - reserve) * r.height() / r.width() + reserve;
    return QSize(largeur, int(std::clamp(std::lround(hauteur), long(reserve + 1), long(cote_max))));
}

// --values, read against the session's instance.
statut_export lire_valeurs(const options_export &options, const graphe_instance &instance, options_figure &figure)
{
    if (options.valeurs.isEmpty())
        return statut_ecrit;
    fichier_lu<valeurs_capteurs> f = lire_fichier_valeurs(demande_de(options.valeurs), instance.nb_sensors());
    if (!f.lu) {
        signaler(QString::fromUtf8("les valeurs n'ont pas pu être lues : %1").arg(f.raison));
        return statut_lecture;
    }
    figure.valeurs = std::move(f.contenu);
    return statut_ecrit;
}

statut_export ecrire_dessin(const options_export &options, const liste_dessin &liste)
{
    if (format_du_nom(options.sortie) == format_image::tikz && !refus_tikz(liste).isEmpty()) {
        signaler(refus_tikz(liste));
        return statut_usage;
    }
    options_image o;
    o.pixels_par_unite = options.pixels_par_unite;
    o.largeur_cm = options.largeur_cm;
    o.tikz_corps = options.tikz_corps;
    if (!ecrire_image(liste, options.sortie, o)) {
        signaler(QStringLiteral("la sortie %1 n'a pas pu être écrite").arg(entre_guillemets(options.sortie)));
        return statut_ecriture;
    }
    return statut_ecrit;
}

} // namespace

void signaler(const QString &message)
{
    std::cerr << "visual_graphe-export : " << message.toLocal8Bit().constData() << std::endl;
}

statut_export exporter_figure(const options_export &options)
{
    // A report on standard output keeps it for the JSON alone.
    const bool rapport = options.genre == genre_sortie::rapport
                         || (options.genre == genre_sortie::historique && sortie_rapport(options.sortie));
    const tri_sortie tri(std::cout, std::cerr, options.traces, rapport ? &std::cerr : nullptr);
    if (sortie_sur_une_entree(options.sortie, options.session))
        return statut_usage;
    if (options.genre == genre_sortie::historique)
        return ecrire_historique(options);
    if (options.genre != genre_sortie::dessin)
        return ecrire_sans_dessin(options);
    const QSize aire = aire_demandee(options);
    if (format_du_nom(options.sortie) == format_image::matriciel && !taille_admise(aire, options.pixels_par_unite))
        return statut_usage;

    entrees_export entrees;
    statut_export lu = lire_session(options, entrees);
    sujet_dessin sujet = sujet_de(&entrees.session, options.type_graphe, entrees.b.get());
    sujet.figure = options.figure;
    if (lu == statut_ecrit)
        lu = lire_valeurs(options, *entrees.session.instance(), sujet.figure);
    if (lu != statut_ecrit)
        return lu;
    // The drawing the viewer's page makes, in the font and at the
    // resolution of its screen.
    const QScreen *ecran = QGuiApplication::primaryScreen();
    const dessin d = construire_dessin(sujet, aire, QGuiApplication::font(),
                                       ecran ? qRound(ecran->logicalDotsPerInchY()) : ppp_sans_ecran);
    return ecrire_dessin(options, *d.liste);
}
