#include "application_test.h"
#include "graphe_solution.h"
#include "panneau_faits.h"
#include "registre_sessions.h"
#include "session_graphe.h"

#include <QTextBrowser>
#include <QtTest>

namespace {
const QString exemples = QStringLiteral(VG_EXAMPLES_DIR);
}

class tst_panneau_faits : public QObject
{
    Q_OBJECT

private slots:
    void suit_la_page_montree();
};

void tst_panneau_faits::suit_la_page_montree()
{
    application app;
    app.ouvrir(QDir(exemples).filePath("trois_capteurs.vga"));
    app.ouvrir(QDir(exemples).filePath("douze_capteurs.vga"));
    auto faits = [&app] { return app.ui->zone_info_boite->toPlainText(); };
    QCOMPARE(faits(), QString());
    const QString instance_trois = "Instance trois_capteurs.txt\nCapteurs : 3\nEntrées de voisinage : 4\nLiens : 2\n"
                                   "Entrées à sens unique : 0\nEntrées hors limites : 0\nEntrées vers soi-même : 0\n"
                                   "Entrées répétées : 0\nIsolés : 0\nComposantes : 1\nPuits : 0 (composante de 3)\n"
                                   "Degré min / moyen / max : 1 / 1,33 / 2\nX : 10 à 50\nY : 20 à 60\n";

    app.double_cliquer(app.session(0)->child(0));
    QCOMPARE(faits(), instance_trois);
    // A solution page: the legend, the solution's facts, then the instance's.
    app.double_cliquer(app.session(1)->child(1));
    graphic_view *vue = app.vue();
    QVERIFY2(faits().startsWith("■ puits ■ MA ■ BR □ autres\nSolution douze_capteurs_sol.txt\n"
                                "Instance nommée : douze_capteurs.txt (conforme)\nMA : 5\nSL : 7\nBR : 4\n"
                                "Puits dans MA : oui\nComposantes MA : 1\nNon couverts : 0\nDans aucune liste : 0\n"
                                "Hors limites : MA 0, SL 0, BR 0\nRépétés : MA 0, SL 0, BR 0\n"
                                "Dans deux listes : MA-SL 0, MA-BR 0, SL-BR 4 (4, 8, 9, 11)\n\n"
                                "Instance douze_capteurs.txt\nCapteurs : 12\n"),
             qPrintable(faits()));
    // The chosen sensor comes first, its linked sensors as links that choose.
    vue->choisir_capteur(6);
    QVERIFY2(faits().startsWith("Capteur choisi 6\nCoordonnées : x = 85, y = 75\nRôles : puits, MA\nDegré : 5\n"
                                "Liés : 5 (1, 2, 5, 7, 10)\n\n■ puits"),
             qPrintable(faits()));
    emit app.ui->zone_info_boite->anchorClicked(QUrl("capteur:10"));
    QCOMPARE(vue->capteur_choisi(), 10);
    QVERIFY(faits().startsWith("Capteur choisi 10\nCoordonnées : x = 95, y = 130\nRôles : SL\n"));
    // Forgotten, the page's text is made again from its records.
    app.fenetre.registre().sessions().at(1)->solution()->liste_sl().clear();
    app.fenetre.findChild<panneau_faits *>()->oublier(app.page());
    QVERIFY2(faits().contains("\nSL : 0\n"), qPrintable(faits()));

    app.double_cliquer(app.session(0)->child(0), true);
    QCOMPARE(faits(), instance_trois);
}

QTEST_MAIN(tst_panneau_faits)
#include "tst_panneau_faits.moc"
