// A solver's history at 65535 sensors (mean degree 8), each step the one
// before with 1 % of the sensors moved into or out of MA, then two steps
// where every role changes. In the real main window (offscreen), on the
// history page: a step to the next until painted, 1 % and every role;
// playing at 10 steps a second, the steps shown against those asked. Then
// the command: 20 steps to GIF and to MP4 at x1, and 100 steps of the
// 300-sensor sample to GIF, wall time and peak memory. Medians of 5
// (--runs N); every run a child process.
//
//   bench_etapes [--runs N]
//   bench_etapes --mesurer <session.vga> <step files...>     one window run
//   bench_etapes --ecrire <folder>     the network and its steps, to try by hand

#include "barre_historique.h"
#include "debug_stream.h"
#include "ecriture_texte.h"
#include "generateur_reseau.h"
#include "graphe_visualisateur.h"
#include "graphe_solution.h"
#include "lecture_fichier.h"
#include "liste_graphe.h"
#include "mainwindow.h"
#include "mediane.h"
#include "mesures.h"
#include "processus.h"
#include "registre_sessions.h"
#include "session_graphe.h"
#include "suivi_historique.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QFile>
#include <QSaveFile>
#include <QSpinBox>
#include <QStandardItem>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <iostream>
#include <random>
#include <vector>

namespace {

constexpr int nb_capteurs = 65535;
constexpr int etapes_un_pour_cent = 20;
constexpr int vitesse_lecture = 10;

bool ecrire(const QString &chemin, const graphe_solution &s, const QString &nom_instance)
{
    QSaveFile f(chemin);
    QString cause;
    return f.open(QIODevice::WriteOnly) && ecrire_solution(f, s, nom_instance, cause) && f.commit();
}

// MA as a membership, a fraction of the sensors moved in or out each step.
std::vector<bool> dans_ma(const graphe_solution &s, int n)
{
    std::vector<bool> ma(std::size_t(n), false);
    for (std::uint16_t v : s.liste_ma())
        ma[v] = true;
    return ma;
}

graphe_solution avec_ma(const graphe_solution &base, const std::vector<bool> &ma)
{
    graphe_solution s = base;
    s.liste_ma().clear();
    for (std::size_t v = 0; v < ma.size(); ++v)
        if (ma[v])
            s.liste_ma().push_back(std::uint16_t(v));
    return s;
}

// Step files from a generated solution: `un_pour_cent` steps of 1 %, then,
// with tout, every MA sensor leaves and every other joins, and back.
QStringList ecrire_etapes(const QString &dossier, const QString &chemin_solution, int n, int un_pour_cent,
                          bool tout)
{
    fichier_lu<graphe_solution> lu = lire_fichier_solution(chemin_solution);
    if (!lu.lu)
        return {};
    const graphe_solution &base = *lu.contenu;
    std::vector<bool> ma = dans_ma(base, n);
    std::mt19937 hasard(7);
    std::uniform_int_distribution<int> capteur(0, n - 1);
    QStringList chemins;
    auto ajouter = [&](const std::vector<bool> &m) {
        const QString chemin = QStringLiteral("%1/run_%2_sol.txt").arg(dossier).arg(chemins.size() + 1);
        if (ecrire(chemin, avec_ma(base, m), base.nom_instance()))
            chemins << chemin;
    };
    ajouter(ma);
    for (int k = 0; k < un_pour_cent; ++k) {
        for (int i = 0; i < std::max(1, n / 100); ++i)
            ma[std::size_t(capteur(hasard))].flip();
        ajouter(ma);
    }
    if (tout) {
        ma.flip();
        ajouter(ma);
        ma.flip();
        ajouter(ma);
    }
    return chemins;
}

// Step k (from 1) asked of the bar, until the page is painted.
double aller(barre_historique *barre, compteur_peintures &peintures, int k)
{
    QElapsedTimer t;
    t.start();
    const int peintes = peintures.nombre();
    barre->aller(k);
    peintures.attendre_tout(peintes, 20000);
    return millisecondes(t);
}

void jouer(barre_historique *barre, compteur_peintures &peintures, int derniere, const char *zoom)
{
    barre->findChild<QSpinBox *>(QStringLiteral("vitesse"))->setValue(vitesse_lecture);
    aller(barre, peintures, 1);
    const int peintes = peintures.nombre();
    QElapsedTimer t;
    t.start();
    barre->lire(true);
    while (barre->en_lecture() || barre->etape() < derniere)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double secondes = millisecondes(t) / 1000.0;
    publier(qPrintable(QStringLiteral("lecture_etapes_s_%1").arg(zoom)), (derniere - 1) / secondes);
    publier(qPrintable(QStringLiteral("lecture_peintures_%1").arg(zoom)), peintures.nombre() - peintes);
}

int mesurer(const QString &session_vga, const QStringList &etapes)
{
    MainWindow fenetre;
    debug_stream console(std::cout, fenetre.get_sortie_application());
    Ui::MainWindow *ui = fenetre.form();
    fenetre.show();
    if (!QTest::qWaitForWindowExposed(&fenetre) || !fenetre.charger_session(session_vga))
        return 1;
    session_graphe &session = *fenetre.registre().sessions().at(0);
    const double avant = memoire_mo();
    if (!fenetre.historique().ajouter_fichiers(session, etapes))
        return 1;
    publier("memoire_etapes", memoire_mo() - avant);
    QStandardItem *item_session = ui->treeView->racine()->child(0);
    emit ui->treeView->item_selected(item_session, item_session->child(item_session->rowCount() - 1));
    auto *page = qobject_cast<graphe_visualisateur *>(ui->stackedWidget->currentWidget());
    auto *barre = page->findChild<barre_historique *>();
    if (!barre)
        return 1;
    compteur_peintures peintures(page->get_graphic_view()->viewport());
    peintures.attendre(0, 5000);
    const int n = barre->nombre();
    std::vector<double> tout;
    for (int k : {n - 1, n, n - 1})
        tout.push_back(aller(barre, peintures, k));
    publier("etape_tout", mediane(tout));
    for (const char *zoom : {"x1", "x16"}) {
        if (zoom == QLatin1String("x16")) {
            const int peintes = peintures.nombre();
            ui->action_zoom_x16->trigger();
            peintures.attendre_tout(peintes, 20000);
        }
        aller(barre, peintures, 2);
        std::vector<double> un_pour_cent;
        for (int k = 3; k <= n - 2; ++k)
            un_pour_cent.push_back(aller(barre, peintures, k));
        publier(qPrintable(QStringLiteral("etape_1pc_%1").arg(zoom)), mediane(un_pour_cent));
        jouer(barre, peintures, n - 2, zoom);
    }
    return 0;
}

void commande(const char *libelle, const QStringList &arguments, int essais, double but_s, double but_mo)
{
    const mesure m = medianes(QStringList{QStringLiteral(VG_EXPORT)} + arguments, essais);
    std::printf("  %-34s %8.2f s %s %8.0f MB %s%s\n", libelle, m.secondes,
                but_s > 0 ? qPrintable(QStringLiteral("(goal <= %1)").arg(but_s)) : "            ", m.mo,
                but_mo > 0 ? qPrintable(QStringLiteral("(goal <= %1)").arg(but_mo)) : "",
                m.reussie ? "" : "  FAILED");
}

// The session's .vga, and its steps' files after it; empty when they could
// not all be written.
QStringList ecrire_reseau_et_etapes(const QString &dossier)
{
    parametres_reseau p;
    p.nb_capteurs = nb_capteurs;
    p.degre_moyen = 8.0;
    p.graine = 1;
    const QString vga = ecrire_session(p, dossier, QStringLiteral("reseau"), QStringLiteral("reseau"));
    const QStringList etapes = ecrire_etapes(dossier, dossier + QStringLiteral("/reseau_sol.txt"), nb_capteurs,
                                             etapes_un_pour_cent, true);
    if (vga.isEmpty() || etapes.size() != etapes_un_pour_cent + 3)
        return {};
    return QStringList{vga} + etapes;
}

int orchestrer(const QString &programme, int essais)
{
    QTemporaryDir dossier;
    const QStringList fichiers = ecrire_reseau_et_etapes(dossier.path());
    if (fichiers.isEmpty())
        return 1;
    const QString vga = fichiers.front();
    const QStringList etapes = fichiers.mid(1);
    QStringList notes;
    const resultats r = executer_enfants(programme, QStringList{QStringLiteral("--mesurer"), vga} + etapes, essais,
                                         600, QStringLiteral("history page"), &notes);
    std::printf("A solver's history, %d sensors, mean degree 8, median of %d runs\n", nb_capteurs, essais);
    for (const char *zoom : {"x1", "x16"}) {
        const QByteArray z(zoom);
        std::printf("  a step of 1 %%, until painted, %-4s %8.1f ms (goal <= 50)\n", zoom,
                    mediane_de(r, "etape_1pc_" + z));
        std::printf("  playing at %d steps/s, %-4s       %8.1f steps/s, %.0f paints for %d steps\n", vitesse_lecture,
                    zoom, mediane_de(r, "lecture_etapes_s_" + z), mediane_de(r, "lecture_peintures_" + z),
                    etapes_un_pour_cent - 1);
    }
    std::printf("  %-34s %8.1f ms (goal <= 400)\n", "a step of every role, x1", mediane_de(r, "etape_tout"));
    std::printf("  %-34s %8.1f MB\n", "memory of the 23 steps", mediane_de(r, "memoire_etapes"));

    std::printf("The command, median of %d runs\n", essais);
    const QStringList vingt = etapes.mid(0, 20);
    commande("20 steps of 65535 to GIF, x1", QStringList{"--history"} + vingt + QStringList{vga, "-o", dossier.filePath("h.gif")},
             essais, 15, 400);
    commande("20 steps of 65535 to MP4, x1", QStringList{"--history"} + vingt + QStringList{vga, "-o", dossier.filePath("h.mp4")},
             essais, 10, 0);
    QTemporaryDir petit;
    for (const char *f : {"deploiement_300.txt", "deploiement_300.vga"})
        QFile::copy(QStringLiteral(VG_EXAMPLES_DIR "/") + f, petit.filePath(f));
    const QStringList cent = ecrire_etapes(petit.path(), QStringLiteral(VG_EXAMPLES_DIR "/deploiement_300_sol.txt"), 300, 99, false);
    commande("100 steps of 300 to GIF, x1",
             QStringList{"--history"} + cent + QStringList{petit.filePath("deploiement_300.vga"), "-o", petit.filePath("h.gif")},
             essais, 3, 0);
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
    if (arguments.size() >= 4 && arguments[1] == QLatin1String("--mesurer"))
        return mesurer(arguments[2], arguments.mid(3));
    if (arguments.size() == 3 && arguments[1] == QLatin1String("--ecrire")) {
        const QStringList fichiers = ecrire_reseau_et_etapes(arguments[2]);
        std::printf("%s\n", qPrintable(fichiers.join(QLatin1Char(' '))));
        return fichiers.isEmpty() ? 1 : 0;
    }
    return orchestrer(QCoreApplication::applicationFilePath(), nombre_d_essais(arguments));
}
