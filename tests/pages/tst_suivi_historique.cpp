#include "application_test.h"
#include "barre_historique.h"
#include "graphique_historique.h"
#include "historique_solutions.h"
#include "registre_sessions.h"
#include "session_graphe.h"
#include "suivi_historique.h"

#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>

namespace {

// The sample's solution with MA cut to its first `ma` lines: a run of the
// solver on the 300-sensor sample.
QByteArray execution(int ma)
{
    QFile f(QStringLiteral(VG_EXAMPLES_DIR "/deploiement_300_sol.txt"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lignes = f.readAll().split('\n');
    QByteArray texte = lignes[0] + "\nNB_MA\t\t" + QByteArray::number(ma) + '\n';
    for (int i = 0; i < ma; ++i)
        texte += lignes[2 + i] + '\n';
    return texte;
}

const QByteArray illisible = "INSTANCE_NAME:deploiement_300.txt\nNB_MA\t2\n";

} // namespace

class tst_suivi_historique : public QObject
{
    Q_OBJECT

private slots:
    void rechargements_data();
    void rechargements();
    void fichiers_choisis_data();
    void fichiers_choisis();
    void page_d_historique();
};

void tst_suivi_historique::rechargements_data()
{
    // Each write is followed by F5; "-" unchecks "Garder l'historique".
    QTest::addColumn<QList<QByteArray>>("ecritures");
    QTest::addColumn<int>("etapes");
    QTest::newRow("la premiere lecture") << QList<QByteArray>{} << 1;
    QTest::newRow("une nouvelle solution") << QList<QByteArray>{execution(40)} << 2;
    QTest::newRow("les memes octets") << QList<QByteArray>{execution(40), execution(40)} << 2;
    QTest::newRow("une solution illisible") << QList<QByteArray>{illisible} << 1;
    QTest::newRow("sans garder") << QList<QByteArray>{"-", execution(40)} << 1;
}

void tst_suivi_historique::rechargements()
{
    QFETCH(QList<QByteArray>, ecritures);
    QFETCH(int, etapes);
    QTemporaryDir dossier;
    application app;
    app.ui->action_recharger_auto->setChecked(false);
    app.ouvrir(copier_exemple(dossier.path(), "deploiement_300"));
    app.double_cliquer(app.session(0)->child(1));
    for (const QByteArray &contenu : ecritures) {
        if (contenu == "-") {
            app.ui->action_garder_historique->setChecked(false);
            continue;
        }
        QVERIFY(ecrire(dossier.filePath("deploiement_300_sol.txt"), contenu));
        app.ui->action_recharger->trigger();
    }
    QCOMPARE(app.fenetre.registre().sessions().at(0)->historique().taille(), etapes);
    // The history's row comes with its second step.
    const QString ligne = app.session(0)->child(app.session(0)->rowCount() - 1)->text();
    QCOMPARE(ligne == QStringLiteral("h:deploiement_300_sol.txt"), etapes > 1);
}

void tst_suivi_historique::fichiers_choisis_data()
{
    // Files written in the folder, those chosen ("." the folder), then the
    // steps' files in order; none when nothing is added.
    QTest::addColumn<QStringList>("ecrits");
    QTest::addColumn<QStringList>("choisis");
    QTest::addColumn<QStringList>("etapes");
    QTest::newRow("ordre naturel") << QStringList{"run_10_sol.txt", "run_2_sol.txt", "run_1_sol.txt"}
                                   << QStringList{"run_10_sol.txt", "run_2_sol.txt", "run_1_sol.txt"}
                                   << QStringList{"run_1_sol.txt", "run_2_sol.txt", "run_10_sol.txt"};
    QTest::newRow("un dossier") << QStringList{"b_2_sol.txt", "b_11_sol.txt", "notes.txt"} << QStringList{"."}
                                << QStringList{"b_2_sol.txt", "b_11_sol.txt"};
    QTest::newRow("un fichier illisible, aucune etape")
        << QStringList{"run_1_sol.txt", "casse_sol.txt"} << QStringList{"run_1_sol.txt", "casse_sol.txt"}
        << QStringList{};
}

void tst_suivi_historique::fichiers_choisis()
{
    QFETCH(QStringList, ecrits);
    QFETCH(QStringList, choisis);
    QFETCH(QStringList, etapes);
    QTemporaryDir dossier;
    QTemporaryDir runs;
    application app;
    app.ouvrir(copier_exemple(dossier.path(), "deploiement_300"));
    for (int i = 0; i < ecrits.size(); ++i)
        QVERIFY(ecrire(runs.filePath(ecrits[i]), ecrits[i].startsWith("casse") ? illisible : execution(10 + 5 * i)));
    QStringList chemins;
    for (const QString &c : choisis)
        chemins << (c == "." ? runs.path() : runs.filePath(c));
    session_graphe &session = *app.fenetre.registre().sessions().at(0);
    QCOMPARE(app.fenetre.historique().ajouter_fichiers(session, chemins), !etapes.isEmpty());
    const historique_solutions &h = session.historique();
    QCOMPARE(h.taille(), etapes.size() + 1);
    for (int i = 0; i < etapes.size(); ++i)
        QCOMPARE(QFileInfo(h.etape(i + 1).fichier).fileName(), etapes[i]);
}

void tst_suivi_historique::page_d_historique()
{
    QTemporaryDir dossier;
    QTemporaryDir runs;
    application app;
    app.ouvrir(copier_exemple(dossier.path(), "deploiement_300"));
    QStringList chemins;
    for (int i = 1; i <= 3; ++i) {
        chemins << runs.filePath(QStringLiteral("run_%1_sol.txt").arg(i));
        QVERIFY(ecrire(chemins.last(), execution(20 * i)));
    }
    session_graphe &session = *app.fenetre.registre().sessions().at(0);
    QVERIFY(app.fenetre.historique().ajouter_fichiers(session, chemins));
    app.double_cliquer(app.session(0)->child(2));
    auto *barre = app.page()->findChild<barre_historique *>();
    QVERIFY(barre);
    // It opens on the last step.
    QCOMPARE(barre->etape(), 4);
    QVERIFY(barre->findChild<QLabel *>("texte_etape")->text().startsWith("Étape 4 / 4 — run_3_sol.txt, "));
    auto *graphique = app.fenetre.findChild<graphique_historique *>();
    QVERIFY(graphique->isVisible());
    QCOMPARE(graphique->etape_marquee(), 4);
    QCOMPARE(graphique->points(0), (QList<QPointF>{{1, 100}, {2, 20}, {3, 40}, {4, 60}}));
    QVERIFY2(app.ui->zone_info_boite->toPlainText().contains("\n\n■ entrés dans MA ■ sortis de MA\nDepuis l'étape précédente\nMA : +20, −0\nSL : +0, −0\n"
                                                                 "BR : +0, −0\nIndice de Jaccard MA : 0,67\n"), qPrintable(app.ui->zone_info_boite->toPlainText()));

    // Zoom, centre and chosen sensor stay from one step to the next.
    app.zoomer(4);
    graphic_view *vue = app.vue();
    vue->horizontalScrollBar()->setValue(500);
    vue->verticalScrollBar()->setValue(300);
    vue->choisir_capteur(137);
    // The arrows act where the user types: on the page, its window active.
    app.fenetre.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&app.fenetre));
    vue->setFocus();
    QTest::keyClick(vue, Qt::Key_Left);
    QCOMPARE(barre->etape(), 3);
    QCOMPARE(vue->zoom(), 4);
    QCOMPARE(vue->horizontalScrollBar()->value(), 500);
    QCOMPARE(vue->verticalScrollBar()->value(), 300);
    QCOMPARE(vue->capteur_choisi(), 137);
    QCOMPARE(graphique->etape_marquee(), 3);
    // A point of the chart goes to its step; playing runs to the last one.
    emit graphique->etape_choisie(1);
    QCOMPARE(barre->etape(), 1);
    QTest::keyClick(vue, Qt::Key_Space);
    QVERIFY(barre->en_lecture());
    QTRY_COMPARE(barre->etape(), 4);
    QTRY_VERIFY(!barre->en_lecture());
    // Another page hides the chart.
    app.double_cliquer(app.session(0)->child(1));
    QVERIFY(!graphique->isVisible());
}

QTEST_MAIN(tst_suivi_historique)
#include "tst_suivi_historique.moc"
