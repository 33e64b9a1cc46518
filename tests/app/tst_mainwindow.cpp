#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSplitter>
#include <QStackedWidget>
#include <QTest>
#include <QTextEdit>

static QStringList textes_menu(const QMenu *menu)
{
    QStringList textes;
    for (QAction *a : menu->actions())
        textes << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return textes;
}

class tst_mainwindow : public QObject
{
    Q_OBJECT

private slots:
    void fenetre();
    void actions_data();
    void actions();
    void menus();
    void panneaux_data();
    void panneaux();
    void separateurs_a_l_ouverture();
    void changement_de_langue();
    void exit_ferme_la_fenetre();
};

void tst_mainwindow::fenetre()
{
    // A quiet start: setting up the form warns of nothing.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
    MainWindow w;
    QCOMPARE(w.windowTitle(), QStringLiteral("MainWindow"));
    QCOMPARE(w.size(), QSize(843, 609));
    // The console takes what is written; the facts box is for reading.
    QVERIFY(!w.form()->sortie_application->isReadOnly());
    QVERIFY(w.form()->zone_info_boite->isReadOnly());
    // The two pages of the form come before every graph page.
    QCOMPARE(w.form()->stackedWidget->count(), 2);
    // The icon lives in a static library: its resource must be linked in.
    QCOMPARE(w.windowIcon().availableSizes().size(), 6);
}

void tst_mainwindow::actions_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("raccourci");
    QTest::addColumn<bool>("cochable");
    QTest::addColumn<bool>("coche");

    QTest::newRow("ouvrir") << "action_ouvrir_un_fichier" << "Ouvrir une session" << "Ctrl+O" << false << false;
    QTest::newRow("recharger") << "action_recharger" << "Recharger" << "F5" << false << false;
    QTest::newRow("recharger auto") << "action_recharger_auto" << "Recharger automatiquement" << "" << true << true;
    QTest::newRow("garder historique") << "action_garder_historique" << "Garder l'historique" << "" << true << true;
    QTest::newRow("enregistrer") << "action_save_image" << "Enregistrer le graphe sous.." << "" << false << false;
    QTest::newRow("exit") << "actionExit_2" << "Exit" << "" << false << false;
    QTest::newRow("x1") << "action_zoom_x1" << "x1" << "" << true << true;
    QTest::newRow("x2") << "action_zoom_x2" << "x2" << "" << true << false;
    QTest::newRow("x4") << "action_zoom_x4" << "x4" << "" << true << false;
    QTest::newRow("x8") << "action_zoom_x8" << "x8" << "" << true << false;
    QTest::newRow("x16") << "action_zoom_x16" << "x16" << "" << true << false;
    QTest::newRow("rechercher") << "action_rechercher_capteur" << "Rechercher un capteur..." << "Ctrl+F" << false
                                << false;
    QTest::newRow("enregistrer la vue") << "action_enregistrer_vue" << "Enregistrer la vue sous..." << "" << false << false;
    QTest::newRow("legende") << "action_legende" << QString::fromUtf8("Légende dans la figure") << "" << true << false;
    QTest::newRow("barre d'echelle") << "action_barre_echelle" << QString::fromUtf8("Barre d'échelle") << "" << true
                                     << false;
    QTest::newRow("colorer") << "action_colorer" << "Colorer par une valeur..." << "" << false << false;
    QTest::newRow("defauts") << "action_defauts" << QString::fromUtf8("Montrer les défauts") << "" << true << false;
    QTest::newRow("style habituel") << "action_style_habituel" << "Habituel" << "" << true << true;
    QTest::newRow("style daltonien") << "action_style_daltonien" << "Daltonien" << "" << true << false;
}

void tst_mainwindow::actions()
{
    QFETCH(QString, nom);
    QFETCH(QString, texte);
    QFETCH(QString, raccourci);
    QFETCH(bool, cochable);
    QFETCH(bool, coche);

    MainWindow w;
    auto *action = w.findChild<QAction *>(nom);
    QVERIFY(action);
    QCOMPARE(action->parent(), &w);
    QCOMPARE(action->text(), texte);
    QCOMPARE(action->shortcut().toString(), raccourci);
    QCOMPARE(action->isCheckable(), cochable);
    QCOMPARE(action->isChecked(), coche);
}

void tst_mainwindow::menus()
{
    MainWindow w;
    Ui::MainWindow *ui = w.form();
    QStringList titres;
    for (QAction *a : ui->menuBar->actions())
        titres << a->text();
    QCOMPARE(titres, (QStringList{"Fichier", "Options", "Aide"}));
    QCOMPARE(textes_menu(ui->menuFichier),
             (QStringList{"Ouvrir une session", "Recharger", "Ouvrir un historique...", "-",
                          "Enregistrer le graphe sous..", "Enregistrer la vue sous...", "Enregistrer l'historique sous...",
                          "Exporter l'historique...", "-", "Exit"}));
    QCOMPARE(textes_menu(ui->menu_opt),
             (QStringList{"Zoom", "Rechercher un capteur...", "Comparer avec une solution...", "Recharger automatiquement",
                          "Garder l'historique", "-", QString::fromUtf8("Légende dans la figure"),
                          QString::fromUtf8("Barre d'échelle"), "Colorer par une valeur...",
                          QString::fromUtf8("Montrer les défauts"), "Style"}));
    QCOMPARE(textes_menu(ui->menuStyle), (QStringList{"Habituel", "Daltonien"}));
    QCOMPARE(ui->menu_opt->actions().first()->menu(), ui->menuZoom);
    QCOMPARE(ui->menuZoom->parent(), ui->menu_opt);
    QCOMPARE(textes_menu(ui->menuZoom), (QStringList{"x1", "x2", "x4", "x8", "x16"}));
    QVERIFY(ui->menuAide->actions().isEmpty());
}

void tst_mainwindow::panneaux_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("texte");

    QTest::newRow("liste") << "label" << "Liste des fichiers :";
    QTest::newRow("graphe") << "label_2" << "Visualisalisation du graphe :";
    QTest::newRow("sortie") << "label_3" << "Sortie de l'application :";
}

void tst_mainwindow::panneaux()
{
    QFETCH(QString, label);
    QFETCH(QString, texte);

    MainWindow w;
    auto *l = w.findChild<QLabel *>(label);
    QVERIFY(l);
    QCOMPARE(l->text(), texte);
}

void tst_mainwindow::separateurs_a_l_ouverture()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QList<int> gauche = w.form()->splitter_horizontal_gauche->sizes();
    const QList<int> droite = w.form()->splitter_vertical->sizes();
    QCOMPARE(gauche.size(), 2);
    QCOMPARE(droite.size(), 2);
    // Qt fits the requested 200/600 and 600/180 to the window: the graph
    // side stays the larger one on both splitters.
    QVERIFY(gauche.at(0) > 0 && gauche.at(0) < gauche.at(1));
    QVERIFY(droite.at(0) > droite.at(1) && droite.at(1) > 0);

    w.form()->splitter_horizontal_gauche->setSizes({400, 400});
    QVERIFY(w.form()->frame_left->width() > 250);
}

void tst_mainwindow::changement_de_langue()
{
    MainWindow w;
    w.setWindowTitle(QStringLiteral("autre"));
    w.form()->action_save_image->setText(QStringLiteral("autre"));
    QEvent e(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&w, &e);
    QCOMPARE(w.windowTitle(), QStringLiteral("MainWindow"));
    QCOMPARE(w.form()->action_save_image->text(), QStringLiteral("Enregistrer le graphe sous.."));
}

void tst_mainwindow::exit_ferme_la_fenetre()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.form()->actionExit_2->trigger();
    QVERIFY(!w.isVisible());
}

QTEST_MAIN(tst_mainwindow)
#include "tst_mainwindow.moc"
