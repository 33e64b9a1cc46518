// A user's path from a session file to the picture, through the real main
// window on the offscreen platform: open the session, open its solution page
// as a double-click does, first paint, full repaint, press and drag a vertex,
// export at x1, zoom to x16, export at x16, zoom back to x1 and export
// again. Each run is a child process of its own, so that its peak memory is
// its own; the figures are medians over the runs.
//
//   bench_chemin_complet                          every size
//   bench_chemin_complet --mesurer <session.vga>  one run

#include "compteur_peintures.h"
#include "debug_stream.h"
#include "figures_enfants.h"
#include "generateur_reseau.h"
#include "graphe_visualisateur.h"
#include "graphic_item_sommet.h"
#include "graphic_view.h"
#include "liste_graphe.h"
#include "mainwindow.h"
#include "mesures.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QStandardItem>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>
#include <vector>

namespace {

int mesurer(const QString &session_vga)
{
    QTemporaryDir dossier;
    MainWindow fenetre;
    debug_stream console(std::cout, fenetre.get_sortie_application());
    Ui::MainWindow *ui = fenetre.form();
    fenetre.show();
    if (!QTest::qWaitForWindowExposed(&fenetre))
        return 1;
    QCoreApplication::processEvents();

    QElapsedTimer t;
    t.start();
    if (!fenetre.charger_session(session_vga))
        return 1;
    const double ouverture = millisecondes(t);
    publier("ouverture", ouverture);

    QStandardItem *item_session = ui->treeView->racine()->child(0);
    QStandardItem *item_solution = nullptr;
    for (int i = 0; item_session && i < item_session->rowCount(); ++i)
        if (item_session->child(i)->text().startsWith(QLatin1String("s:")))
            item_solution = item_session->child(i);
    if (!item_solution)
        return 1;

    t.restart();
    emit ui->treeView->item_selected(item_session, item_solution);
    const double page = millisecondes(t);
    publier("page", page);
    auto *visualisateur = qobject_cast<graphe_visualisateur *>(ui->stackedWidget->currentWidget());
    if (!visualisateur)
        return 1;
    graphic_view *vue = visualisateur->get_graphic_view();
    QWidget *zone = vue->viewport();
    compteur_peintures peintures(zone);
    t.restart();
    if (!peintures.attendre(0))
        return 1;
    const double peinture = millisecondes(t);
    publier("peinture", peinture);
    publier("premiere_image", ouverture + page + peinture);
    // What the event loop still does once the picture is shown, before the
    // user can act: the main window lays itself out again, which repaints
    // the view once more, and the scene's index catches up.
    t.restart();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    publier("apres_peinture", millisecondes(t));
    publier("items", vue->scene()->items().size());

    std::vector<double> repeintures;
    for (int i = 0; i < 3; ++i) {
        t.restart();
        zone->repaint();
        repeintures.push_back(millisecondes(t));
    }
    publier("repeinture", mediane(repeintures));

    // Press, ten drag steps and release on the vertex in the middle; each
    // figure includes the repaint that the event loop does right after.
    QPoint pointeur = vue->mapFromScene(sommet_au_milieu(vue)->pos() + QPointF(11, 11));
    t.restart();
    QTest::mousePress(zone, Qt::LeftButton, {}, pointeur);
    QCoreApplication::processEvents();
    publier("appui", millisecondes(t));
    std::vector<double> pas;
    for (int i = 0; i < 10; ++i) {
        pointeur += QPoint(4, 3);
        t.restart();
        QTest::mouseMove(zone, pointeur);
        QCoreApplication::processEvents();
        pas.push_back(millisecondes(t));
    }
    publier("glisser", mediane(pas));
    publier("glisser_max", *std::max_element(pas.begin(), pas.end()));
    t.restart();
    QTest::mouseRelease(zone, Qt::LeftButton, {}, pointeur);
    QCoreApplication::processEvents();
    publier("relacher", millisecondes(t));
    // A second press on the same place, the scene settled by the first drag.
    t.restart();
    QTest::mousePress(zone, Qt::LeftButton, {}, pointeur);
    QCoreApplication::processEvents();
    publier("appui_2", millisecondes(t));
    QTest::mouseRelease(zone, Qt::LeftButton, {}, pointeur);
    QCoreApplication::processEvents();
    // The vertex under the pointer may be another one drawn above it.
    if (!ui->sortie_application->toPlainText().endsWith(QLatin1String("action fini..")))
        std::fprintf(stderr, "the drag moved no vertex\n");

    t.restart();
    visualisateur->exporter_image(dossier.filePath(QStringLiteral("x1.png")));
    publier("export_x1", millisecondes(t));

    // Zooms until the page is painted again, then exports; each timed.
    auto zoomer_puis_exporter = [&](QAction *zoom, const char *cle_zoom, const char *cle_export) {
        const int peintes = peintures.nombre();
        t.restart();
        zoom->trigger();
        if (!peintures.attendre(peintes))
            return false;
        publier(cle_zoom, millisecondes(t));
        t.restart();
        visualisateur->exporter_image(dossier.filePath(QLatin1String(cle_export) + QLatin1String(".png")));
        publier(cle_export, millisecondes(t));
        return true;
    };
    if (!zoomer_puis_exporter(ui->action_zoom_x16, "zoom_x16", "export_x16")
        || !zoomer_puis_exporter(ui->action_zoom_x1, "zoom_x1", "export_x1_retour"))
        return 1;

    publier("memoire", double(pic_memoire_mo()));
    return 0;
}

struct figure
{
    const char *cle;
    const char *libelle;
    const char *unite;
    double objectif_65535; // 0 when there is none
    double objectif_10000;
};

const figure figures[] = {
    {"ouverture", "open (charger_session)", "ms", 0, 0},
    {"page", "solution page (build)", "ms", 0, 0},
    {"peinture", "first paint", "ms", 0, 0},
    {"premiere_image", "first picture (sum)", "ms", 1500, 250},
    {"apres_peinture", "events after it", "ms", 0, 0},
    // No worse than before the labels were made on demand.
    {"repeinture", "full repaint x1", "ms", 270, 0},
    {"appui", "press on a vertex", "ms", 0, 0},
    {"glisser", "drag step (median)", "ms", 14, 0},
    {"glisser_max", "drag step (max)", "ms", 0, 0},
    {"relacher", "release", "ms", 0, 0},
    {"appui_2", "second press", "ms", 0, 0},
    {"export_x1", "export x1 (PNG)", "ms", 1000, 0},
    {"zoom_x16", "zoom x16 to picture", "ms", 1500, 0},
    {"export_x16", "export x16 (PNG)", "ms", 20000, 0},
    {"zoom_x1", "zoom back to x1", "ms", 0, 0},
    {"export_x1_retour", "export x1 after it", "ms", 1000, 0},
    {"memoire", "peak memory", "MB", 600, 0},
    {"items", "scene items", "", 0, 0},
};

struct configuration
{
    int nb_capteurs;
    int essais;
    int limite_s;
};

resultats executer(const QString &programme, const QString &session_vga, const configuration &c,
                   QStringList *notes)
{
    return executer_enfants(programme, {QStringLiteral("--mesurer"), session_vga}, c.essais, c.limite_s,
                            QStringLiteral("%1 sensors").arg(c.nb_capteurs), notes);
}

QString valeur(const resultats &r, const char *cle)
{
    const auto it = r.find(QLatin1String(cle));
    if (it == r.end() || it->empty())
        return QStringLiteral("-");
    return QString::number(mediane(*it), 'f', mediane(*it) < 100 ? 1 : 0);
}

QString rapport(double a, double b)
{
    if (std::isnan(a) || std::isnan(b) || a <= 0)
        return QStringLiteral("-");
    return QString::number(b / a, 'f', 1);
}

void imprimer_taille(int n, const resultats &r, int essais)
{
    std::printf("\n%d sensors, mean degree 8 (median of %d runs)\n", n, essais);
    std::printf("  %-24s %10s %8s\n", "figure", "median", "goal");
    for (const figure &f : figures) {
        const double objectif = n == 65535 ? f.objectif_65535 : (n == 10000 ? f.objectif_10000 : 0);
        const QString but = objectif > 0 ? QStringLiteral("<= %1").arg(objectif) : QString();
        std::printf("  %-24s %10s %8s %s\n", f.libelle, qPrintable(valeur(r, f.cle)), qPrintable(but), f.unite);
    }
}

int orchestrer(const QString &programme)
{
    QTemporaryDir dossier;
    if (!dossier.isValid())
        return 1;
    const QList<int> tailles{10000, 32767, 65535};
    QMap<int, QString> sessions;
    for (int n : tailles) {
        parametres_reseau p;
        p.nb_capteurs = n;
        p.degre_moyen = 8.0;
        p.graine = 1;
        const QString nom = QStringLiteral("reseau_%1").arg(n);
        const QString vga = ecrire_session(p, dossier.path(), nom, nom);
        if (vga.isEmpty()) {
            std::fprintf(stderr, "cannot generate the network of %d sensors\n", n);
            return 1;
        }
        sessions[n] = vga;
    }

    const configuration c10{10000, 5, 120}, c32{32767, 5, 120}, c65{65535, 5, 180};

    QStringList notes;
    QElapsedTimer total;
    total.start();
    const resultats r10 = executer(programme, sessions[10000], c10, &notes);
    const resultats r32 = executer(programme, sessions[32767], c32, &notes);
    const resultats r65 = executer(programme, sessions[65535], c65, &notes);

    std::printf("Path from the session file to the picture, solution page, offscreen platform\n");
    imprimer_taille(10000, r10, c10.essais);
    imprimer_taille(32767, r32, c32.essais);
    imprimer_taille(65535, r65, c65.essais);

    // Doubling the sensors should at most double each figure.
    std::printf("\ngrowth from 32767 to 65535 sensors (at most 2.0 is linear)\n");
    for (const figure &f : figures)
        std::printf("  %-24s %8s\n", f.libelle,
                    qPrintable(rapport(mediane_de(r32, f.cle), mediane_de(r65, f.cle))));
    for (const QString &note : notes)
        std::printf("note: %s\n", qPrintable(note));
    std::printf("whole benchmark: %.0f s\n", total.elapsed() / 1000.0);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 3 && arguments[1] == QLatin1String("--mesurer"))
        return mesurer(arguments[2]);
    return orchestrer(QCoreApplication::applicationFilePath());
}
