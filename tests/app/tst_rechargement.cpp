#include "application_test.h"
#include "couleurs_dessin.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "rechargement.h"
#include "registre_sessions.h"
#include "session_graphe.h"

#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <cstdio>

namespace {

enum facon { en_place, a_cote, recree, casse_puis_repare };

// MA 5, 6 and 7, none of them the sink (137).
const QByteArray nouvelle = "INSTANCE_NAME:deploiement_300.txt\nNB_MA\t\t3\n5\t5\t0\n6\t5\t1\n7\t5\t1\n";
const QByteArray autre = "INSTANCE_NAME:deploiement_300.txt\nNB_MA\t\t1\n9\t9\t0\n";
const QString echec = QString::fromUtf8("Erreur : rechargement impossible, le dessin précédent reste affiché");

} // namespace

class tst_rechargement : public QObject
{
    Q_OBJECT

private slots:
    void ecritures_data();
    void ecritures();
    void comparaison_suit_ses_fichiers();
    void a_la_main_sans_suivi();
    void a_la_main_sans_graphe();
    void graphml_relu_d_un_bloc();
};

void tst_rechargement::ecritures_data()
{
    QTest::addColumn<int>("facon");
    QTest::newRow("en place") << int(en_place);
    QTest::newRow("a cote puis renomme") << int(a_cote);
    QTest::newRow("supprime puis recree") << int(recree);
    QTest::newRow("casse puis repare") << int(casse_puis_repare);
}

void tst_rechargement::ecritures()
{
    QFETCH(int, facon);
    QTemporaryDir dossier;
    application app;
    app.ouvrir(copier_exemple(dossier.path(), "deploiement_300"));
    app.double_cliquer(app.session(0)->child(1));
    app.zoomer(4);
    graphic_view *vue = app.page()->get_graphic_view();
    vue->horizontalScrollBar()->setValue(700);
    vue->verticalScrollBar()->setValue(400);
    const QPointF centre = centre_vue(vue);
    const QString solution = dossier.filePath("deploiement_300_sol.txt");
    const surveillance_fichiers &surveillance = app.fenetre.rechargeur().surveillance();

    // Twice: the file replaced the first time must still be followed.
    for (const auto &[contenu, nombre_ma] : {std::pair{nouvelle, 3}, std::pair{autre, 1}}) {
        const int ma_avant = nombre_de_fond(vue, couleurs_dessin::vert_ma);
        const std::size_t liste_avant = app.fenetre.registre().sessions().at(0)->solution()->liste_ma().size();
        const int debut = app.nombre_lignes();
        if (facon == en_place) {
            QVERIFY(ecrire(solution, contenu));
        } else if (facon == a_cote) {
            QVERIFY(ecrire(solution + ".tmp", contenu));
            QCOMPARE(std::rename(QFile::encodeName(solution + ".tmp"), QFile::encodeName(solution)), 0);
        } else if (facon == recree) {
            QVERIFY(QFile::remove(solution));
            QTRY_VERIFY(surveillance.surveilles().contains(dossier.path()));
            QVERIFY(ecrire(solution, contenu));
        } else {
            // The MA lines cut off after their header.
            QVERIFY(ecrire(solution, contenu.left(43)));
            QTRY_COMPARE(app.lignes_depuis(debut), (QStringList{"Recharger le fichier : " + solution, echec}));
            QCOMPARE(nombre_de_fond(vue, couleurs_dessin::vert_ma), ma_avant);
            // What a zoom would draw again is still the old solution.
            QCOMPARE(app.fenetre.registre().sessions().at(0)->solution()->liste_ma().size(), liste_avant);
            QVERIFY(ecrire(solution, contenu));
        }

        QTRY_COMPARE(nombre_de_fond(vue, couleurs_dessin::vert_ma), nombre_ma);
        const int saut = facon == casse_puis_repare ? 2 : 0;
        QCOMPARE(app.lignes_depuis(debut).mid(saut, 2), (QStringList{"Recharger le fichier : " + solution, "  -> Charge OK..."}));
        QCOMPARE(app.lignes_depuis(debut).filter("Recharger le fichier").size(), saut / 2 + 1);
        QCOMPARE(vue->zoom(), 4);
        QCOMPARE(centre_vue(vue), centre);
        QVERIFY(app.ui->zone_info_boite->toPlainText().contains(QStringLiteral("MA : %1\n").arg(nombre_ma)));
    }
}

void tst_rechargement::comparaison_suit_ses_fichiers()
{
    QTemporaryDir dossier;
    application app;
    app.ouvrir(copier_exemple(dossier.path(), "deploiement_300"));
    app.double_cliquer(app.session(0)->child(1));
    const QString b = dossier.filePath("b_sol.txt");
    QVERIFY(QFile::copy(QDir(VG_EXAMPLES_DIR).filePath("deploiement_300_sol_b.txt"), b));
    repondre_dialogue(b);
    app.ui->action_comparer->trigger();
    graphic_view *vue = app.page()->get_graphic_view();

    // A's MA becomes 5, 6 and 7, of which B's MA holds 7 only.
    QVERIFY(ecrire(dossier.filePath("deploiement_300_sol.txt"), nouvelle));
    QTRY_COMPARE(nombre_de_fond(vue, couleurs_dessin::bleu_seulement_a), 2);
    // Then B becomes A: nothing of one solution only.
    QVERIFY(ecrire(b, nouvelle));
    QTRY_COMPARE(nombre_de_fond(vue, couleurs_dessin::vermillon_seulement_b), 0);
    QCOMPARE(nombre_de_fond(vue, couleurs_dessin::bleu_seulement_a), 0);
}

void tst_rechargement::a_la_main_sans_suivi()
{
    QTemporaryDir dossier;
    application app;
    app.ouvrir(copier_exemple(dossier.path(), "deploiement_300"));
    app.double_cliquer(app.session(0)->child(1));
    graphic_view *vue = app.page()->get_graphic_view();
    const QString instance = dossier.filePath("deploiement_300.txt");
    const QString solution = dossier.filePath("deploiement_300_sol.txt");

    app.ui->action_recharger_auto->trigger();
    QVERIFY(app.fenetre.rechargeur().surveillance().surveilles().isEmpty());
    QVERIFY(ecrire(solution, nouvelle));
    const int debut = app.nombre_lignes();
    app.ui->action_recharger->trigger();
    QCOMPARE(nombre_de_fond(vue, couleurs_dessin::vert_ma), 3);
    QCOMPARE(app.lignes_depuis(debut).mid(0, 5),
             (QStringList{"Recharger le fichier : " + instance, "  -> Nb_SENSORS = 300", "  -> Charge OK...",
                          "Recharger le fichier : " + solution, "  -> Charge OK..."}));

    // Back on, what changed while it was off is followed.
    QVERIFY(ecrire(solution, autre));
    app.ui->action_recharger_auto->trigger();
    QTRY_COMPARE(nombre_de_fond(vue, couleurs_dessin::vert_ma), 1);
    QCOMPARE(app.compter("Recharger le fichier : " + solution), 2);
}

void tst_rechargement::a_la_main_sans_graphe()
{
    application app;
    app.ui->action_recharger->trigger();
    QCOMPARE(app.ui->statusBar->currentMessage(), QString::fromUtf8("Aucun graphe affiché"));
    QCOMPARE(app.nombre_lignes(), 0);
}

void tst_rechargement::graphml_relu_d_un_bloc()
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("reseau.graphml");
    QVERIFY(QFile::copy(VG_GRAPHML_NETWORKX, chemin));
    QFile original(chemin);
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray texte = original.readAll();
    application app;
    app.ouvrir(chemin);
    app.double_cliquer(app.session(0)->child(1));
    graphic_view *vue = app.page()->get_graphic_view();
    QVERIFY(nombre_de_fond(vue, couleurs_dessin::vert_ma) > 0);

    // networkx's key d3 is ma: no MA sensor left, and one read of the file.
    int debut = app.nombre_lignes();
    QVERIFY(ecrire(chemin, QByteArray(texte).replace("<data key=\"d3\">True", "<data key=\"d3\">False")));
    QTRY_COMPARE(nombre_de_fond(vue, couleurs_dessin::vert_ma), 0);
    QCOMPARE(app.lignes_depuis(debut).filter("Recharger le fichier").size(), 1);
    QVERIFY(app.lignes_depuis(debut).contains(QStringLiteral("  -> Charge OK...")));

    // A file cut short leaves both records; F5 reads it once more.
    debut = app.nombre_lignes();
    QVERIFY(ecrire(chemin, texte.left(2000)));
    QTRY_COMPARE(app.lignes_depuis(debut), (QStringList{"Recharger le fichier : " + chemin, echec}));
    QCOMPARE(app.fenetre.registre().sessions().at(0)->instance()->nb_sensors(), 40);
    app.ui->action_recharger->trigger();
    QCOMPARE(app.lignes_depuis(debut).filter("Recharger le fichier").size(), 2);
}

QTEST_MAIN(tst_rechargement)
#include "tst_rechargement.moc"
