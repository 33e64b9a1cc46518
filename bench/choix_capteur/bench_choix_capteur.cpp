// Finding and choosing a sensor in a network of 65535 sensors (mean degree
// 8), through the real main window on the offscreen platform, on the
// instance page and on the solution page: Ctrl+F answered in its dialog
// until the view is painted, at x1 and at x16; a click on a vertex until its
// marks are painted, and the marks alone; the place under the pointer in
// the status bar at each move; a drag step (bench_chemin_complet has the
// same step for the build before these commands); and the memory all of it
// adds. Each run is a child process of its own; figures are medians over
// the runs.
//
//   bench_choix_capteur                                     every page
//   bench_choix_capteur --mesurer <session.vga> <i|s>       one run

#include "debug_stream.h"
#include "generateur_reseau.h"
#include "graphe_visualisateur.h"
#include "graphic_view.h"
#include "liste_graphe.h"
#include "mainwindow.h"
#include "mediane.h"
#include "mesures.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QInputDialog>
#include <QStandardItem>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <vector>

namespace {

constexpr int nb_capteurs = 65535;
const int capteurs_cherches[] = {4711, 100, 30000, 52000, 65000};

double maximum(const std::vector<double> &v)
{
    return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

// Ctrl+F answered with this number; from the press on OK until the view has
// been painted again.
double rechercher(Ui::MainWindow *ui, compteur_peintures &peintures, int capteur)
{
    QElapsedTimer t;
    int peintes = 0;
    QTimer attente;
    attente.setInterval(5);
    QObject::connect(&attente, &QTimer::timeout, [&] {
        auto *dialogue = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (!dialogue)
            return;
        attente.stop();
        dialogue->setIntValue(capteur);
        peintes = peintures.nombre();
        t.start();
        dialogue->accept();
    });
    attente.start();
    ui->action_rechercher_capteur->trigger();
    peintures.attendre_tout(peintes, 5000);
    return millisecondes(t);
}

void chercher_tous(Ui::MainWindow *ui, graphic_view *vue, compteur_peintures &peintures, const char *cle)
{
    std::vector<double> durees;
    for (int capteur : capteurs_cherches) {
        durees.push_back(rechercher(ui, peintures, capteur));
        if (vue->capteur_choisi() != capteur)
            std::fprintf(stderr, "sensor %d was not chosen\n", capteur);
    }
    publier(cle, mediane(durees));
}

// The pointer over points spread across the viewport, each move with the
// status bar's repaint.
void survoler(QWidget *zone)
{
    std::vector<double> durees;
    QElapsedTimer t;
    for (int i = 0; i < 200; ++i) {
        const QPoint p(10 + (i * 37) % (zone->width() - 20), 10 + (i * 53) % (zone->height() - 20));
        t.restart();
        QTest::mouseMove(zone, p);
        QCoreApplication::processEvents();
        durees.push_back(millisecondes(t));
    }
    publier("survol", mediane(durees));
    publier("survol_max", maximum(durees));
}

void glisser(graphic_view *vue, QWidget *zone)
{
    QPoint pointeur = vue->mapFromScene(sommet_au_milieu(vue)->pos() + QPointF(11, 11));
    QTest::mousePress(zone, Qt::LeftButton, {}, pointeur);
    QCoreApplication::processEvents();
    std::vector<double> pas;
    QElapsedTimer t;
    for (int i = 0; i < 10; ++i) {
        pointeur += QPoint(4, 3);
        t.restart();
        QTest::mouseMove(zone, pointeur);
        QCoreApplication::processEvents();
        pas.push_back(millisecondes(t));
    }
    publier("glisser", mediane(pas));
    QTest::mouseRelease(zone, Qt::LeftButton, {}, pointeur);
    QCoreApplication::processEvents();
}

// Clicks on vertices spread over the viewport: from the press, and from
// the release, until the marks are painted.
void cliquer(graphic_view *vue, QWidget *zone, compteur_peintures &peintures, const char *cle_clic,
             const char *cle_relacher)
{
    std::vector<double> clics, relachers;
    const QRect dedans = zone->rect().adjusted(40, 40, -40, -40);
    const std::size_t pas = vue->liste_sommets().size() / 97 + 1;
    QElapsedTimer t, r;
    for (std::size_t i = 0; i < vue->liste_sommets().size() && clics.size() < 7; i += pas) {
        const QPoint p = vue->mapFromScene(vue->liste_sommets()[i]->sceneBoundingRect().center());
        if (!dedans.contains(p))
            continue;
        t.restart();
        QTest::mousePress(zone, Qt::LeftButton, {}, p);
        QCoreApplication::processEvents();
        // A vertex already chosen has nothing new to paint.
        if (vue->capteur_choisi() >= 0 && vue->capteur_choisi() == vue->liste_sommets()[i]->id())
            vue->choisir_capteur(-1);
        const int peintes = peintures.nombre();
        r.restart();
        QTest::mouseRelease(zone, Qt::LeftButton, {}, p);
        peintures.attendre_tout(peintes, 5000);
        relachers.push_back(millisecondes(r));
        clics.push_back(millisecondes(t));
        if (vue->capteur_choisi() < 0)
            std::fprintf(stderr, "the click chose no sensor\n");
    }
    publier(cle_clic, mediane(clics));
    publier(cle_relacher, mediane(relachers));
}

// The marks alone: sensors chosen in turn, each until painted.
void marquer(graphic_view *vue, compteur_peintures &peintures)
{
    std::vector<double> durees;
    QElapsedTimer t;
    for (int capteur : capteurs_cherches) {
        const int peintes = peintures.nombre();
        t.restart();
        vue->choisir_capteur(capteur);
        peintures.attendre_tout(peintes, 5000);
        durees.push_back(millisecondes(t));
    }
    publier("marques", mediane(durees));
}

// The places the finds go to are shown once beforehand, so that the memory
// measured is what finding and choosing add, not the tiles of a first look.
void voir_d_abord(graphic_view *vue, compteur_peintures &peintures)
{
    auto voir = [&](graphic_item_sommet *sommet) {
        const int peintes = peintures.nombre();
        vue->centerOn(sommet);
        vue->viewport()->update();
        peintures.attendre(peintes);
    };
    for (int capteur : capteurs_cherches)
        voir(vue->trouver_sommet(capteur));
    voir(sommet_au_milieu(vue));
    vue->choisir_capteur(-1);
    QCoreApplication::processEvents();
}

int mesurer(const QString &session_vga, bool solution)
{
    MainWindow fenetre;
    debug_stream console(std::cout, fenetre.get_sortie_application());
    Ui::MainWindow *ui = fenetre.form();
    fenetre.show();
    if (!QTest::qWaitForWindowExposed(&fenetre) || !fenetre.charger_session(session_vga))
        return 1;
    QStandardItem *item_session = ui->treeView->racine()->child(0);
    QStandardItem *entree = nullptr;
    for (int i = 0; item_session && i < item_session->rowCount(); ++i)
        if (item_session->child(i)->text().startsWith(solution ? QLatin1String("s:") : QLatin1String("i:")))
            entree = item_session->child(i);
    if (!entree)
        return 1;
    emit ui->treeView->item_selected(item_session, entree);
    auto *page = qobject_cast<graphe_visualisateur *>(ui->stackedWidget->currentWidget());
    graphic_view *vue = page->get_graphic_view();
    QWidget *zone = vue->viewport();
    // The page paints itself as it opens; any later paint is waited for.
    compteur_peintures peintures(zone);
    peintures.attendre(0, 2000);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    voir_d_abord(vue, peintures);
    const double avant = memoire_mo();
    survoler(zone);
    glisser(vue, zone);
    cliquer(vue, zone, peintures, "clic", "relacher");
    marquer(vue, peintures);
    chercher_tous(ui, vue, peintures, "recherche_x1");
    publier("memoire_x1", memoire_mo() - avant);

    const int peintes = peintures.nombre();
    ui->action_zoom_x16->trigger();
    if (!peintures.attendre(peintes))
        return 1;
    voir_d_abord(vue, peintures);
    const double avant_x16 = memoire_mo();
    chercher_tous(ui, vue, peintures, "recherche_x16");
    cliquer(vue, zone, peintures, "clic_x16", "relacher_x16");
    publier("memoire_x16", memoire_mo() - avant_x16);
    return 0;
}

struct figure
{
    const char *cle;
    const char *libelle;
    const char *unite;
    double objectif;
};

const figure figures[] = {
    {"recherche_x1", "find until painted, x1", "ms", 50},
    {"recherche_x16", "find until painted, x16", "ms", 50},
    {"clic", "click until painted, x1", "ms", 30},
    {"relacher", "  from the release", "ms", 0},
    {"marques", "  the marks alone", "ms", 0},
    {"clic_x16", "click until painted, x16", "ms", 30},
    {"relacher_x16", "  from the release", "ms", 0},
    {"survol", "status label per move", "ms", 2},
    {"survol_max", "  the slowest move", "ms", 0},
    {"glisser", "drag step (median)", "ms", 0},
    {"memoire_x1", "memory added at x1", "MB", 10},
    {"memoire_x16", "memory added at x16", "MB", 10},
};

int orchestrer(const QString &programme)
{
    QTemporaryDir dossier;
    parametres_reseau p;
    p.nb_capteurs = nb_capteurs;
    p.degre_moyen = 8.0;
    p.graine = 1;
    const QString vga = ecrire_session(p, dossier.path(), QStringLiteral("reseau"), QStringLiteral("reseau"));
    if (vga.isEmpty())
        return 1;
    constexpr int essais = 5;
    QStringList notes;
    const resultats instance = executer_enfants(programme, {QStringLiteral("--mesurer"), vga, QStringLiteral("i")},
                                        essais, 300, QStringLiteral("instance page"), &notes);
    const resultats solution = executer_enfants(programme, {QStringLiteral("--mesurer"), vga, QStringLiteral("s")},
                                        essais, 300, QStringLiteral("solution page"), &notes);

    std::printf("Finding and choosing a sensor, %d sensors, mean degree 8, offscreen platform, median of %d runs\n",
                nb_capteurs, essais);
    std::printf("  %-26s %10s %10s %8s\n", "figure", "instance", "solution", "goal");
    auto valeur = [](const resultats &r, const char *cle) {
        const auto it = r.find(QLatin1String(cle));
        return it == r.end() ? QStringLiteral("-") : QString::number(mediane(*it), 'f', 1);
    };
    for (const figure &f : figures) {
        const QString but = f.objectif > 0 ? QStringLiteral("<= %1").arg(f.objectif) : QString();
        std::printf("  %-26s %10s %10s %8s %s\n", f.libelle, qPrintable(valeur(instance, f.cle)),
                    qPrintable(valeur(solution, f.cle)), qPrintable(but), f.unite);
    }
    for (const QString &note : notes)
        std::printf("note: %s\n", qPrintable(note));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments[1] == QLatin1String("--mesurer"))
        return mesurer(arguments[2], arguments[3] == QLatin1String("s"));
    return orchestrer(QCoreApplication::applicationFilePath());
}
