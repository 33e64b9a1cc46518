// Two pages side by side in step, against one page alone, at 65535 sensors
// (mean degree 8), through the real main window on the offscreen platform:
// a zoom to x2 and to x16 until every page shown is painted, a scroll by a
// third of a page alone (400 px) at x2 until painted, and the run's peak
// memory. The instance page alone, the solution page alone, and both side
// by side, each a child process of its own; figures are medians over the
// runs. Timings are reported, never judged: the machine is shared.
//
//   bench_cote_a_cote [--runs N]                   every case
//   bench_cote_a_cote --mesurer <session.vga> <i|s|is>  one run

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
            peintures[i]->attendre(avant[i]);
        const double ms = millisecondes(t);
        for (std::size_t i = 0; i < peintures.size(); ++i)
            peintures[i]->attendre_tout(avant[i]);
        return ms;
    }
    void au_repos()
    {
        for (graphic_view *vue : vues)
            vue->tuiles().attendre();
        QCoreApplication::processEvents();
    }
};

graphe_visualisateur *ouvrir_page(Ui::MainWindow *ui, const QString &prefixe)
{
    QStandardItem *item_session = ui->treeView->racine()->child(0);
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
    pages_montrees m;
    graphe_visualisateur *instance = cas.contains('i') ? ouvrir_page(ui, QStringLiteral("i:")) : nullptr;
    graphe_visualisateur *solution = cas.contains('s') ? ouvrir_page(ui, QStringLiteral("s:")) : nullptr;
    if ((cas.contains('i') && !instance) || (cas.contains('s') && !solution))
        return 1;
    if (instance && solution && !fenetre.cote().ouvrir(instance))
        return 1;
    for (graphe_visualisateur *page : {solution, instance})
        if (page) {
            m.vues.push_back(page->get_graphic_view());
            m.peintures.push_back(std::make_unique<compteur_peintures>(m.vues.back()->viewport()));
        }
    QCoreApplication::processEvents();
    m.au_repos();

    publier("zoom_x2", m.jusqu_a_peint([&] { ui->action_zoom_x2->trigger(); }));
    std::vector<double> defilements;
    QScrollBar *barre = m.vues.front()->horizontalScrollBar();
    // One step for both cases, a third of the page alone.
    constexpr int pas = 400;
    for (int i = 0; i < nb_defilements; ++i) {
        m.au_repos();
        defilements.push_back(m.jusqu_a_peint([&] { barre->setValue(barre->value() + pas); }));
    }
    publier("defilement_x2", mediane(defilements));
    m.au_repos();
    publier("zoom_x16", m.jusqu_a_peint([&] { ui->action_zoom_x16->trigger(); }));
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
    if (vga.isEmpty())
        return 1;
    QStringList notes;
    auto executer = [&](const char *cas, const char *etiquette) {
        return executer_enfants(programme, {QStringLiteral("--mesurer"), vga, QString::fromLatin1(cas)}, essais, 600,
                                QString::fromLatin1(etiquette), &notes);
    };
    const resultats instance = executer("i", "instance page alone");
    const resultats solution = executer("s", "solution page alone");
    const resultats deux = executer("is", "side by side");

    std::printf("Two pages side by side, %d sensors, mean degree 8, offscreen platform, median of %d runs\n",
                nb_capteurs, essais);
    std::printf("  %-30s %10s %10s %10s %8s %8s\n", "figure", "instance", "solution", "both", "ratio", "goal");
    const struct {
        const char *cle, *libelle, *unite;
    } lignes[] = {{"zoom_x2", "zoom to x2, all painted", "ms"},
                  {"defilement_x2", "scroll 400 px at x2, painted", "ms"},
                  {"zoom_x16", "zoom to x16, all painted", "ms"},
                  {"memoire", "peak memory", "MB"}};
    for (const auto &l : lignes) {
        const double i = mediane_de(instance, l.cle), s = mediane_de(solution, l.cle), d = mediane_de(deux, l.cle);
        // Memory against both pages' peaks added; times against one page's.
        const bool memoire = qstrcmp(l.cle, "memoire") == 0;
        const double reference = memoire ? i + s : s;
        std::printf("  %-30s %10.1f %10.1f %10.1f %8.2f %8s %s\n", l.libelle, i, s, d, d / reference,
                    memoire ? "<= 1 (i+s)" : "<= 2 (s)", l.unite);
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
