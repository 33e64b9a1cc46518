// Two pages side by side in step, against one page alone, at 65535 sensors
// (mean degree 8), through the real main window on the offscreen platform:
// a zoom to x2 and to x16 until every page shown is painted, a scroll by a
// third of a page alone (400 px) at x16 until painted, and the run's peak
// memory. The instance page alone, the solution page alone, both side by
// side, and two solution pages alike side by side (a second session of
// the same files), each a child process of its own; figures are medians
// over the runs. Timings are reported, never judged: the machine is shared.
//
//   bench_cote_a_cote [--runs N]                          every case
//   bench_cote_a_cote --mesurer <session.vga> <i|s|is|ss>  one run

#include "cote_a_cote.h"
#include "debug_stream.h"
#include "generateur_reseau.h"
#include "graphe_visualisateur.h"
#include "graphic_view.h"
#include "liste_graphe.h"
#include "mainwindow.h"
#include "mesures.h"
#include "processus.h"
#include "tuiles_dessin.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScrollBar>
#include <QStandardItem>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <functional>
#include <iostream>
#include <memory>
#include <vector>

namespace {

constexpr int nb_capteurs = 65535;
constexpr int nb_defilements = 6;
// A third of the page alone, for both cases.
constexpr int pas_defilement = 400;
// No paint waited for longer.
constexpr int limite_peinture_ms = 20000;

// The views shown, each with its paint counter.
struct pages_montrees
{
    std::vector<graphic_view *> vues;
    std::vector<std::unique_ptr<compteur_peintures>> peintures;

    // From the action until every view shown has been painted again.
    double jusqu_a_peint(const std::function<void()> &action)
    {
        std::vector<int> avant;
        for (const auto &p : peintures)
            avant.push_back(p->nombre());
        QElapsedTimer t;
        t.start();
        action();
        for (std::size_t i = 0; i < peintures.size(); ++i)
            peintures[i]->attendre(avant[i], limite_peinture_ms);
        const double ms = millisecondes(t);
        for (std::size_t i = 0; i < peintures.size(); ++i)
            peintures[i]->attendre_tout(avant[i], limite_peinture_ms);
        return ms;
    }
    void au_repos()
    {
        for (graphic_view *vue : vues)
            vue->tuiles().attendre();
        QCoreApplication::processEvents();
    }
};

// A second session of the same two files, for two solution pages alike.
QString session_b(const QString &session_vga)
{
    return QFileInfo(session_vga).dir().filePath(QStringLiteral("reseau_b.vga"));
}

graphe_visualisateur *ouvrir_page(Ui::MainWindow *ui, const QString &prefixe, int session = 0)
{
    QStandardItem *item_session = ui->treeView->racine()->child(session);
    for (int i = 0; item_session && i < item_session->rowCount(); ++i)
        if (item_session->child(i)->text().startsWith(prefixe)) {
            emit ui->treeView->item_selected(item_session, item_session->child(i));
            return qobject_cast<graphe_visualisateur *>(ui->stackedWidget->currentWidget());
        }
    return nullptr;
}

int mesurer(const QString &session_vga, const QString &cas)
{
    MainWindow fenetre;
    debug_stream console(std::cout, fenetre.get_sortie_application());
    Ui::MainWindow *ui = fenetre.form();
    // The graph area of bench_chemin_complet: about 1200 x 900, shared by
    // the two pages when both are shown.
    fenetre.resize(1460, 1230);
    fenetre.show();
    if (!QTest::qWaitForWindowExposed(&fenetre) || !fenetre.charger_session(session_vga))
        return 1;
    if (cas == QLatin1String("ss") && !fenetre.charger_session(session_b(session_vga)))
        return 1;
    pages_montrees m;
    // The page beside the solution page: the instance's, or the other
    // session's solution page.
    graphe_visualisateur *autre = cas == QLatin1String("ss") ? ouvrir_page(ui, QStringLiteral("s:"), 1)
                                  : cas.contains('i')        ? ouvrir_page(ui, QStringLiteral("i:"))
                                                             : nullptr;
    graphe_visualisateur *solution = cas.contains('s') ? ouvrir_page(ui, QStringLiteral("s:")) : nullptr;
    if ((cas.contains('i') && !autre) || (cas.contains('s') && !solution) || (cas == QLatin1String("ss") && !autre))
        return 1;
    if (autre && solution && !fenetre.cote().ouvrir(autre))
        return 1;
    for (graphe_visualisateur *page : {solution, autre})
        if (page) {
            m.vues.push_back(page->get_graphic_view());
            m.peintures.push_back(std::make_unique<compteur_peintures>(m.vues.back()->viewport()));
        }
    QCoreApplication::processEvents();
    m.au_repos();

    publier("zoom_x2", m.jusqu_a_peint([&] { ui->action_zoom_x2->trigger(); }));
    m.au_repos();
    publier("zoom_x16", m.jusqu_a_peint([&] { ui->action_zoom_x16->trigger(); }));
    // Back and forth, so that every step moves the drawing.
    std::vector<double> defilements;
    QScrollBar *barre = m.vues.front()->horizontalScrollBar();
    for (int i = 0; i < nb_defilements; ++i) {
        m.au_repos();
        const int pas = i % 2 == 0 ? pas_defilement : -pas_defilement;
        defilements.push_back(m.jusqu_a_peint([&] { barre->setValue(barre->value() + pas); }));
    }
    publier("defilement_x16", mediane(defilements));
    m.au_repos();
    publier("memoire", double(pic_memoire_mo()));
    return 0;
}

int orchestrer(const QString &programme, int essais)
{
    QTemporaryDir dossier;
    parametres_reseau p;
    p.nb_capteurs = nb_capteurs;
    p.degre_moyen = 8.0;
    p.graine = 1;
    const QString vga = ecrire_session(p, dossier.path(), QStringLiteral("reseau"), QStringLiteral("reseau"));
    if (vga.isEmpty() || !ecrire_fichier_session(session_b(vga), QStringLiteral("reseau_b"),
                                                 QStringLiteral("reseau.txt"), QStringLiteral("reseau_sol.txt")))
        return 1;
    QStringList notes;
    // The cases in turn, run after run, so that a change in the machine's
    // load falls on all of them alike.
    const char *const cas[] = {"i", "s", "is", "ss"};
    const char *const etiquettes[] = {"instance page alone", "solution page alone",
                                      "instance and solution side by side", "two solutions side by side"};
    resultats r[4];
    for (int essai = 0; essai < essais; ++essai)
        for (int k = 0; k < 4; ++k) {
            const QStringList arguments{QStringLiteral("--mesurer"), vga, QString::fromLatin1(cas[k])};
            const resultats un =
                executer_enfants(programme, arguments, 1, 600, QString::fromLatin1(etiquettes[k]), &notes);
            for (auto it = un.begin(); it != un.end(); ++it)
                r[k][it.key()].insert(r[k][it.key()].end(), it->begin(), it->end());
        }
    const resultats &instance = r[0], &solution = r[1], &deux = r[2], &pareilles = r[3];

    std::printf("Two pages side by side, %d sensors, mean degree 8, offscreen platform, median of %d runs\n",
                nb_capteurs, essais);
    std::printf("ratio: side by side over the two pages alone added (i+s), or over twice the solution page\n"
                "alone (s+s); at most 1 is at most 2 times one page's time, or the two pages' own peaks added\n");
    std::printf("  %-30s %9s %9s %9s %7s %9s %7s\n", "figure", "i alone", "s alone", "i+s", "ratio", "s+s",
                "ratio");
    const struct {
        const char *cle, *libelle, *unite;
    } lignes[] = {{"zoom_x2", "zoom to x2, all painted", "ms"},
                  {"zoom_x16", "zoom to x16, all painted", "ms"},
                  {"defilement_x16", "scroll 400 px at x16, painted", "ms"},
                  {"memoire", "peak memory", "MB"}};
    for (const auto &l : lignes) {
        const double i = mediane_de(instance, l.cle), s = mediane_de(solution, l.cle);
        const double d = mediane_de(deux, l.cle), p = mediane_de(pareilles, l.cle);
        std::printf("  %-30s %9.1f %9.1f %9.1f %7.2f %9.1f %7.2f %s\n", l.libelle, i, s, d, d / (i + s), p,
                    p / (2 * s), l.unite);
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
        return mesurer(arguments[2], arguments[3]);
    return orchestrer(QCoreApplication::applicationFilePath(), nombre_d_essais(arguments));
}
