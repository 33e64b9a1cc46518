#include "export_figure.h"

#include "constructeur_scene.h"
#include "ecriture_image.h"
#include "fichier_session.h"
#include "graphic_view.h"
#include "options_export.h"
#include "raison_lecture.h"
#include "session_graphe.h"
#include "tri_sortie.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QString>

#include <iostream>
#include <limits>

namespace {

// A raster image stays within what Qt's painter and image writers handle
// everywhere: sides below 2^15 pixels, and at most 2 GiB of 32-bit pixels.
constexpr long long cote_max = 32767;
constexpr long long octets_max = std::numeric_limits<int>::max();
constexpr long long octets_par_pixel = 4;
const QString fichier_absent = QStringLiteral("le fichier n'existe pas");

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

bool taille_admise(const QRectF &scene, int echelle)
{
    const long long largeur = static_cast<long long>(scene.width()) * echelle;
    const long long hauteur = static_cast<long long>(scene.height()) * echelle;
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

// Reads one file of the session with `lire`; on a failure the last line
// names the file and says why.
bool lire_fichier(session_graphe &session, bool (session_graphe::*lire)(const QString &), bool present,
                  const QString &chemin, const QString &quoi)
{
    QString raison;
    if (!present)
        raison = raison_lecture::formater(chemin, raison_lecture::sans_ligne, fichier_absent);
    else if ((session.*lire)(chemin))
        return true;
    else
        raison = session.raison_echec();
    signaler(QStringLiteral("%1 %2 n'a pas pu être lue : %3").arg(quoi, entre_guillemets(chemin), raison));
    return false;
}

// Reads the session file and the files the drawing needs with the viewer's
// readers; statut_ecrit when all of them were read whole.
statut_export lire_session(const options_export &options, session_graphe &session)
{
    const fichier_session fichier = lire_fichier_session(options.session);
    if (!fichier.ouvert || !fichier.conforme) {
        signaler(QStringLiteral("la session %1 n'a pas pu être lue : %2")
                     .arg(entre_guillemets(options.session), fichier.raison));
        return statut_lecture;
    }
    if (sortie_sur_une_entree(options.sortie, fichier.chemin_instance)
        || sortie_sur_une_entree(options.sortie, fichier.chemin_solution))
        return statut_usage;

    if (!lire_fichier(session, &session_graphe::lire_instance, instance_presente(fichier), fichier.chemin_instance,
                      QStringLiteral("l'instance")))
        return statut_lecture;
    // The solution drawing needs both files; the instance drawing only its own.
    if (options.type_graphe != 1
        && !lire_fichier(session, &session_graphe::lire_solution, solution_presente(fichier),
                         fichier.chemin_solution, QStringLiteral("la solution")))
        return statut_lecture;
    return statut_ecrit;
}

} // namespace

void signaler(const QString &message)
{
    std::cerr << "visual_graphe-export : " << message.toLocal8Bit().constData() << std::endl;
}

statut_export exporter_figure(const options_export &options, graphic_view &vue)
{
    const tri_sortie tri(std::cout, std::cerr, options.traces);
    if (sortie_sur_une_entree(options.sortie, options.session))
        return statut_usage;
    vue.set_zoom(options.zoom);
    if (format_du_nom(options.sortie) == format_image::matriciel
        && !taille_admise(vue.scene()->sceneRect(), options.echelle))
        return statut_usage;

    session_graphe session;
    const statut_export lu = lire_session(options, session);
    if (lu != statut_ecrit)
        return lu;
    // Nothing here looks items up by place: no index to build and keep.
    vue.scene()->setItemIndexMethod(QGraphicsScene::NoIndex);
    construire_scene(&vue, &session, options.type_graphe);
    // What the viewer's event loop does once a page is drawn: the items get
    // polished, without which deleting each one scans all the others.
    QCoreApplication::sendPostedEvents();
    if (!ecrire_image(vue.scene(), options.sortie, options.echelle)) {
        signaler(QStringLiteral("la sortie %1 n'a pas pu être écrite").arg(entre_guillemets(options.sortie)));
        return statut_ecriture;
    }
    return statut_ecrit;
}
