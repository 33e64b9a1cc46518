// Following changing files through the real main window on the offscreen
// platform. On a network of 65535 sensors: the solution page opened the
// first time against the same page drawn again after a solver replaced its
// solution file (from the reload's start to the picture), F5, and a file
// touched or written again with the same bytes (no reload, no paint). With
// 50 sessions watched: the processor time of an idle viewer over 10 s, with
// the watching on and off. Each run is a child process of its own.
//
//   bench_rechargement [--runs N]               every figure, N runs (5)
//   bench_rechargement --mesurer <folder>       one run on the large network
//   bench_rechargement --repos <folder> on|off  one idle run

#include "compteur_peintures.h"
#include "debug_stream.h"
#include "figures_enfants.h"
#include "generateur_reseau.h"
#include "graphe_visualisateur.h"
#include "liste_graphe.h"
#include "mainwindow.h"
#include "processus.h"
#include "rechargement.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QStandardItem>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <sys/resource.h>
#include <utime.h>

#include <algorithm>
#include <cstdio>
#include <iostream>

namespace {

constexpr int grand_reseau = 65535;
constexpr int nb_sessions_repos = 50;
constexpr int duree_repos_ms = 10000;
constexpr int rechargements = 3;
constexpr int limite_ms = 30000;

double millisecondes(qint64 ns)
{
    return double(ns) / 1e6;
}

// As a solver writes its result: beside the file, then renamed over it.
bool remplacer(const QString &chemin, const QByteArray &contenu)
{
    QFile f(chemin + QStringLiteral(".tmp"));
    if (!f.open(QIODevice::WriteOnly) || f.write(contenu) != contenu.size())
        return false;
    f.close();
    return std::rename(QFile::encodeName(f.fileName()), QFile::encodeName(chemin)) == 0;
}

QByteArray lire(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

double processeur_ms()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

struct fenetre_mesuree
{
    MainWindow fenetre;
    debug_stream console{std::cout, fenetre.get_sortie_application()};
    Ui::MainWindow *ui = fenetre.form();

    bool montrer()
    {
        fenetre.show();
        const bool vue = QTest::qWaitForWindowExposed(&fenetre);
        QCoreApplication::processEvents();
        return vue;
    }
    int rechargements_ecrits() const
    {
        return ui->sortie_application->toPlainText().count(QLatin1String("Recharger le fichier"));
    }
    // Why a run stops: what the console said last.
    int echouer(const char *etape) const
    {
        const QStringList lignes = ui->sortie_application->toPlainText().split(QLatin1Char('\n'));
        std::fprintf(stderr, "%s; the console ends with: %s\n", etape,
                     qPrintable(lignes.mid(std::max<qsizetype>(0, lignes.size() - 4)).join(QLatin1String(" | "))));
        return 1;
    }
};

QStandardItem *ligne_solution(QStandardItem *item_session)
{
    for (int i = 0; item_session && i < item_session->rowCount(); ++i)
        if (item_session->child(i)->text().startsWith(QLatin1String("s:")))
            return item_session->child(i);
    return nullptr;
}

int mesurer(const QString &dossier)
{
    fenetre_mesuree m;
    if (!m.montrer())
        return 1;
    const QDir d(dossier);
    const QString solution = d.filePath(QStringLiteral("reseau_%1_sol.txt").arg(grand_reseau));
    const QByteArray variantes[] = {lire(d.filePath(QStringLiteral("variante_a.txt"))),
                                    lire(d.filePath(QStringLiteral("variante_b.txt")))};

    // Each run starts from the generated solution.
    QFile::remove(solution);
    if (!QFile::copy(d.filePath(QStringLiteral("origine.txt")), solution))
        return 1;

    // Followed before the session, so that this runs first when the file
    // changes: the reload starts then.
    QElapsedTimer t;
    t.start();
    qint64 debut_rappel = -1;
    m.fenetre.rechargeur().surveillance().surveiller(solution, [&] { debut_rappel = t.nsecsElapsed(); });
    if (!m.fenetre.charger_session(d.filePath(QStringLiteral("reseau_%1.vga").arg(grand_reseau))))
        return 1;
    QStandardItem *item_session = m.ui->treeView->racine()->child(0);
    QStandardItem *item_solution = ligne_solution(item_session);
    if (!item_solution)
        return 1;

    t.restart();
    emit m.ui->treeView->item_selected(item_session, item_solution);
    auto *page = qobject_cast<graphe_visualisateur *>(m.ui->stackedWidget->currentWidget());
    if (!page)
        return 1;
    compteur_peintures peintures(page->get_graphic_view()->viewport());
    if (!peintures.attendre(0))
        return 1;
    publier("ouverture_page", millisecondes(t.nsecsElapsed()));
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    for (int i = 0; i < rechargements; ++i) {
        debut_rappel = -1;
        const int peintes = peintures.nombre();
        t.restart();
        if (!remplacer(solution, variantes[i % 2]))
            return m.echouer("cannot replace the solution");
        if (!peintures.attendre(peintes, limite_ms) || debut_rappel < 0)
            return m.echouer("no picture after the solution was replaced");
        const qint64 fin = t.nsecsElapsed();
        publier("rechargement", millisecondes(fin - debut_rappel));
        publier("ecriture_a_image", millisecondes(fin));
    }

    const int peintes = peintures.nombre();
    t.restart();
    m.ui->action_recharger->trigger();
    if (!peintures.attendre(peintes))
        return 1;
    publier("f5", millisecondes(t.nsecsElapsed()));

    // Touched, then written again with the same bytes, then a second's wait.
    QCoreApplication::processEvents();
    const int ecrits = m.rechargements_ecrits();
    const int avant = peintures.nombre();
    utime(QFile::encodeName(solution).constData(), nullptr);
    remplacer(solution, lire(solution));
    QTest::qWait(1000);
    publier("rechargements_sans_changement", m.rechargements_ecrits() - ecrits);
    publier("peintures_sans_changement", peintures.nombre() - avant);
    return 0;
}

int repos(const QString &dossier, bool actif)
{
    fenetre_mesuree m;
    if (!m.montrer())
        return 1;
    for (int i = 0; i < nb_sessions_repos; ++i)
        if (!m.fenetre.charger_session(QDir(dossier).filePath(QStringLiteral("session_%1.vga").arg(i))))
            return 1;
    m.ui->action_recharger_auto->setChecked(actif);
    QTest::qWait(500);
    publier("surveilles", m.fenetre.rechargeur().surveillance().surveilles().size());

    // The event loop left alone, as when nobody works with the viewer.
    const double avant = processeur_ms();
    QEventLoop boucle;
    QTimer::singleShot(duree_repos_ms, &boucle, &QEventLoop::quit);
    boucle.exec();
    publier(actif ? "repos_suivi" : "repos_sans_suivi", processeur_ms() - avant);
    return 0;
}

bool preparer(const QString &dossier)
{
    parametres_reseau p;
    p.nb_capteurs = grand_reseau;
    p.degre_moyen = 8.0;
    p.graine = 1;
    const QString nom = QStringLiteral("reseau_%1").arg(grand_reseau);
    if (ecrire_session(p, dossier, nom, nom).isEmpty())
        return false;
    if (!QFile::copy(QDir(dossier).filePath(nom + QStringLiteral("_sol.txt")),
                     QDir(dossier).filePath(QStringLiteral("origine.txt"))))
        return false;
    // Other solutions of the same size, as another run of a solver gives.
    for (const auto &[graine, fichier] : {std::pair{2u, "variante_a.txt"}, std::pair{3u, "variante_b.txt"}}) {
        p.graine = graine;
        QFile f(QDir(dossier).filePath(QLatin1String(fichier)));
        const QByteArray contenu = generer_reseau(p, nom + QStringLiteral(".txt")).solution;
        if (!f.open(QIODevice::WriteOnly) || f.write(contenu) != contenu.size())
            return false;
    }
    parametres_reseau petit;
    petit.nb_capteurs = 300;
    for (int i = 0; i < nb_sessions_repos; ++i) {
        petit.graine = std::uint32_t(i + 1);
        const QString n = QStringLiteral("session_%1").arg(i);
        if (ecrire_session(petit, dossier, n, n).isEmpty())
            return false;
    }
    return true;
}

void ligne(const resultats &r, const char *cle, const char *libelle, const char *unite)
{
    std::printf("  %-44s %10.1f %s\n", libelle, mediane_de(r, cle), unite);
}

int orchestrer(const QString &programme)
{
    QTemporaryDir dossier;
    if (!dossier.isValid() || !preparer(dossier.path()))
        return 1;
    QStringList notes;
    const int essais = nombre_d_essais(QCoreApplication::arguments());
    const resultats r = executer_enfants(programme, {QStringLiteral("--mesurer"), dossier.path()}, essais, 300,
                                         QStringLiteral("%1 sensors").arg(grand_reseau), &notes);
    resultats repos_r = executer_enfants(programme, {QStringLiteral("--repos"), dossier.path(), QStringLiteral("on")},
                                         3, 120, QStringLiteral("idle, watching"), &notes);
    const resultats sans = executer_enfants(programme, {QStringLiteral("--repos"), dossier.path(), QStringLiteral("off")},
                                            3, 120, QStringLiteral("idle, not watching"), &notes);
    repos_r.insert(QStringLiteral("repos_sans_suivi"), sans.value(QStringLiteral("repos_sans_suivi")));

    std::printf("Following changing files, offscreen platform\n");
    std::printf("\n%d sensors, mean degree 8, solution page (median of %d runs, %d reloads each)\n", grand_reseau,
                essais, rechargements);
    ligne(r, "ouverture_page", "solution page opened, to its picture", "ms");
    ligne(r, "rechargement", "solution replaced: reload start to picture", "ms");
    ligne(r, "ecriture_a_image", "solution replaced: rename to picture", "ms");
    std::printf("  %-44s %10.2f (goal <= 1.20)\n", "reload / first opening",
                mediane_de(r, "rechargement") / mediane_de(r, "ouverture_page"));
    ligne(r, "f5", "F5 (both files) to picture", "ms");
    ligne(r, "rechargements_sans_changement", "reloads after touch and same bytes", "");
    ligne(r, "peintures_sans_changement", "paints after touch and same bytes", "");
    std::printf("\n%d sessions of 300 sensors, idle for %d s (median of 3 runs)\n", nb_sessions_repos,
                duree_repos_ms / 1000);
    ligne(repos_r, "surveilles", "paths watched", "");
    ligne(repos_r, "repos_suivi", "processor time, watching", "ms");
    ligne(repos_r, "repos_sans_suivi", "processor time, not watching", "ms");
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
    if (arguments.size() == 3 && arguments[1] == QLatin1String("--mesurer"))
        return mesurer(arguments[2]);
    if (arguments.size() == 4 && arguments[1] == QLatin1String("--repos"))
        return repos(arguments[2], arguments[3] == QLatin1String("on"));
    return orchestrer(QCoreApplication::applicationFilePath());
}
