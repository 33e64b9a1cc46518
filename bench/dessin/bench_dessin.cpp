// Draws a generated network of 65535 sensors with about 8 neighbours each:
// first the drawing's list alone, as the command makes it (build, the whole
// image rendered at x1 and x16, the PNG encoded); then a page: build at x1
// (list and items), export at x1, clearing, rebuild at x16, export at x16,
// and the peak memory; then the build alone for growing sizes, to show that
// its cost grows with sensors plus arcs.

#include "aire_dessin.h"
#include "constructeur_scene.h"
#include "generateur_reseau.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "graphe_visualisateur.h"
#include "graphic_view.h"
#include "liste_dessin.h"
#include "mediane.h"
#include "rendu_dessin.h"
#include "session_graphe.h"
#include "sujet_session.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <sstream>
#include <vector>

namespace {

double millisecondes(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

long pic_memoire_mo()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;  // kilobytes on Linux
}

// The readers and the builder write trace lines; keep them off the terminal.
class silence
{
public:
    silence() : _ancien(std::cout.rdbuf(_trace.rdbuf())) {}
    ~silence() { std::cout.rdbuf(_ancien); }
    silence(const silence &) = delete;
    silence &operator=(const silence &) = delete;
    std::string texte() const { return _trace.str(); }

private:
    std::ostringstream _trace;
    std::streambuf *_ancien;
};

std::unique_ptr<session_graphe> lire_reseau(int nb_capteurs, const QTemporaryDir &dossier)
{
    parametres_reseau p;
    p.nb_capteurs = nb_capteurs;
    p.degre_moyen = 8.0;
    p.graine = 1;
    const QString nom = QStringLiteral("reseau_%1").arg(nb_capteurs);
    if (ecrire_session(p, dossier.path(), nom, nom).isEmpty()) {
        std::fprintf(stderr, "cannot generate the network of %d sensors\n", nb_capteurs);
        return nullptr;
    }
    auto session = std::make_unique<session_graphe>();
    silence s;
    const bool instance = session->lire_instance(dossier.filePath(nom + QStringLiteral(".txt")));
    const bool solution = session->lire_solution(dossier.filePath(nom + QStringLiteral("_sol.txt")));
    if (!instance || !solution) {
        std::cerr << "read failed: " << s.texte() << std::endl;
        return nullptr;
    }
    return session;
}

std::size_t entrees_voisins(session_graphe &session)
{
    std::size_t n = 0;
    for (auto &liste : session.instance()->voisins())
        n += liste->size();
    return n;
}

// The list alone, as the command draws: no item, no view.
void mesurer_liste(session_graphe &session, int repetitions)
{
    std::vector<double> t_liste, t_image_1, t_png, t_image_16;
    for (int i = 0; i < repetitions; ++i) {
        silence s;
        QElapsedTimer t;
        t.start();
        const dessin d = construire_dessin(sujet_de(&session, 1), aire_dessin::taille(1), QApplication::font(), 96);
        t_liste.push_back(millisecondes(t));
        t.restart();
        const QImage image = rendu_dessin::image(*d.liste, 1);
        t_image_1.push_back(millisecondes(t));
        t.restart();
        QBuffer tampon;
        tampon.open(QIODevice::WriteOnly);
        QImageWriter(&tampon, "png").write(image);
        t_png.push_back(millisecondes(t));
        const dessin d16 = construire_dessin(sujet_de(&session, 1), aire_dessin::taille(16), QApplication::font(), 96);
        t.restart();
        rendu_dessin::image(*d16.liste, 1);
        t_image_16.push_back(millisecondes(t));
    }
    std::printf("the drawing's list alone, median of %d runs:\n", repetitions);
    std::printf("  list at x1              %9.1f ms\n", mediane(t_liste));
    std::printf("  image at x1             %9.1f ms\n", mediane(t_image_1));
    std::printf("  PNG of it               %9.1f ms\n", mediane(t_png));
    std::printf("  image at x16            %9.1f ms\n", mediane(t_image_16));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;

    QTemporaryDir dossier;
    if (!dossier.isValid())
        return 1;
    std::unique_ptr<session_graphe> session = lire_reseau(65535, dossier);
    if (!session)
        return 1;
    const std::size_t arcs = entrees_voisins(*session);
    std::printf("network: 65535 sensors, %zu neighbour entries (arcs of the instance drawing)\n", arcs);
    std::printf("peak memory after reading: %ld MB\n", pic_memoire_mo());

    mesurer_liste(*session, repetitions);

    std::vector<double> t_construction, t_evenements, t_export_1, t_vider, t_reconstruction, t_export_16,
        t_vider_16, t_destruction;
    qint64 taille_1 = 0, taille_16 = 0;
    int nb_items = 0;
    for (int i = 0; i < repetitions; ++i) {
        auto fenetre = std::make_unique<graphe_visualisateur>();
        graphic_view *vue = fenetre->get_graphic_view();
        const QString image_1 = dossier.filePath(QStringLiteral("x1.png"));
        const QString image_16 = dossier.filePath(QStringLiteral("x16.png"));
        silence s;
        QElapsedTimer t;

        t.start();
        construire_scene(vue, sujet_de(session.get(), 1));
        t_construction.push_back(millisecondes(t));
        nb_items = vue->scene()->items().size();
        // The application returns to its event loop after drawing, which
        // runs the scene's queued item polishing; without it every later
        // deletion searches the pending list.
        t.restart();
        QCoreApplication::processEvents();
        t_evenements.push_back(millisecondes(t));

        t.restart();
        fenetre->exporter_image(image_1);
        t_export_1.push_back(millisecondes(t));

        t.restart();
        vue->vider();
        t_vider.push_back(millisecondes(t));

        t.restart();
        vue->set_zoom(16);
        construire_scene(vue, sujet_de(session.get(), 1));
        QCoreApplication::processEvents();
        t_reconstruction.push_back(millisecondes(t));

        t.restart();
        fenetre->exporter_image(image_16);
        t_export_16.push_back(millisecondes(t));

        t.restart();
        vue->vider();
        t_vider_16.push_back(millisecondes(t));

        construire_scene(vue, sujet_de(session.get(), 1));
        QCoreApplication::processEvents();
        t.restart();
        fenetre.reset();
        t_destruction.push_back(millisecondes(t));

        taille_1 = QFileInfo(image_1).size();
        taille_16 = QFileInfo(image_16).size();
    }

    std::printf("scene items of one drawing: %d\n", nb_items);
    std::printf("median of %d runs:\n", repetitions);
    std::printf("  build at x1             %9.1f ms\n", mediane(t_construction));
    std::printf("  event loop after build  %9.1f ms  (item polishing)\n", mediane(t_evenements));
    std::printf("  export at x1 (PNG)      %9.1f ms  (800 x 550, %lld bytes)\n", mediane(t_export_1),
                static_cast<long long>(taille_1));
    std::printf("  vider at x1             %9.1f ms\n", mediane(t_vider));
    std::printf("  rebuild at x16          %9.1f ms  (set_zoom, build, event loop)\n", mediane(t_reconstruction));
    std::printf("  export at x16 (PNG)     %9.1f ms  (6800 x 4675, %lld bytes)\n", mediane(t_export_16),
                static_cast<long long>(taille_16));
    std::printf("  vider at x16            %9.1f ms\n", mediane(t_vider_16));
    std::printf("  window destruction      %9.1f ms  (with a full drawing)\n", mediane(t_destruction));
    std::printf("peak memory (ru_maxrss): %ld MB\n", pic_memoire_mo());

    // Build alone against the network size: the time per item should stay flat.
    std::printf("build at x1 against size (median of %d):\n", repetitions);
    std::printf("  %8s %10s %10s %12s\n", "sensors", "arcs", "ms", "us per item");
    for (int n : {4095, 8191, 16383, 32767, 65535}) {
        std::unique_ptr<session_graphe> reseau = n == 65535 ? std::move(session) : lire_reseau(n, dossier);
        if (!reseau)
            return 1;
        const std::size_t a = entrees_voisins(*reseau);
        std::vector<double> t_n;
        silence s;
        for (int i = 0; i < repetitions; ++i) {
            graphe_visualisateur fenetre;
            QElapsedTimer t;
            t.start();
            construire_scene(fenetre.get_graphic_view(), sujet_de(reseau.get(), 1));
            t_n.push_back(millisecondes(t));
            QCoreApplication::processEvents();
        }
        const double ms = mediane(t_n);
        std::printf("  %8d %10zu %10.1f %12.3f\n", n, a, ms, 1000.0 * ms / double(2 * n + a));
    }
    return 0;
}
