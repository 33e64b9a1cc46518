#include "application_test.h"
#include "couleurs_dessin.h"
#include "debug_stream.h"
#include "demarrage.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "graphe_visualisateur.h"
#include "choix_figure.h"
#include "liste_dessin.h"
#include "graphic_item_sommet.h"
#include "graphic_view.h"
#include "liste_graphe.h"
#include "mainwindow.h"
#include "networkx.h"
#include "pages_graphe.h"
#include "registre_sessions.h"
#include "repondre_dialogue.h"
#include "session_graphe.h"
#include "ui_mainwindow.h"

#include <QDir>
#include <QFile>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QGuiApplication>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <iostream>
#include <set>
#include <memory>

namespace {

const QString exemples = QStringLiteral(VG_EXAMPLES_DIR);

} // namespace

class tst_bout_en_bout : public QObject
{
    Q_OBJECT

private slots:
    void comme_un_utilisateur();
    void sans_graphe_data();
    void sans_graphe();
    void dialogue_annule();
    void deux_pages();
    void zoom_identique_une_fois();
    void comparaison();
    void session_commencant_par_s();
    void instance_en_echec();
    void ligne_de_commande_data();
    void ligne_de_commande();
    void ouvertures_au_demarrage_data();
    void ouvertures_au_demarrage();
    void recherche_d_un_capteur();
    void reseau_graphml();
    void reseaux_networkx_data();
    void reseaux_networkx();
    void molette_et_clavier();
    void position_sous_le_pointeur_data();
    void position_sous_le_pointeur();
    void figure_dans_la_fenetre_data();
    void figure_dans_la_fenetre();
    void enregistrer_la_vue();
};

void tst_bout_en_bout::comme_un_utilisateur()
{
    application app;
    const QString chemin = QDir(exemples).filePath("deploiement_300.vga");

    QString titre;
    repondre_dialogue(chemin, &titre);
    app.ui->action_ouvrir_un_fichier->trigger();
    QCOMPARE(titre, QStringLiteral("Ouvrir une instance"));
    QCOMPARE(app.lignes(), (QStringList{"Ouvrir le fichier : " + chemin, "  -> Nb_SENSORS = 300",
                                        "  -> Charge OK..."}));
    QStandardItem *session = app.session(0);
    QCOMPARE(session->text(), QStringLiteral("Déploiement de 300 capteurs"));
    QCOMPARE(session->rowCount(), 2);
    QStandardItem *inst = session->child(0);
    QStandardItem *sol = session->child(1);

    // First double-click on the instance row: a new page, drawn at x1.
    app.double_cliquer(inst);
    QCOMPARE(app.ui->stackedWidget->count(), 3);
    graphe_visualisateur *page_instance = app.page();
    QVERIFY(page_instance);
    QCOMPARE(page_instance->get_index_page(), 2);
    QCOMPARE(page_instance->get_item_session(), session);
    QCOMPARE(app.ui->statusBar->currentMessage(), "Select session : " + session->text());
    QCOMPARE(app.zoom_coche(), 1);
    graphic_view *vue = page_instance->get_graphic_view();
    QCOMPARE(vue->liste_sommets().size(), size_t(300));
    QCOMPARE(texte_info(vue), QStringLiteral("Graphe [instance], non oriente, 300 sommets [deploiement_300.txt]"));
    QCOMPARE(app.lignes().at(3), QStringLiteral("width=800  height=550"));
    QTRY_VERIFY(app.ui->statusBar->currentMessage().isEmpty());

    // The solution row gets its own page.
    app.double_cliquer(sol);
    QCOMPARE(app.ui->stackedWidget->count(), 4);
    graphe_visualisateur *page_solution = app.page();
    QVERIFY(page_solution != page_instance);
    QCOMPARE(texte_info(page_solution->get_graphic_view()),
             QStringLiteral("Graphe [solution], non oriente, 300 sommets [deploiement_300.txt]"));

    // Zoom the solution page to x4 and back.
    app.ui->action_zoom_x4->trigger();
    QCOMPARE(app.zoom_coche(), 4);
    graphic_view *vue_solution = page_solution->get_graphic_view();
    QCOMPARE(vue_solution->zoom(), 4);
    QCOMPARE(vue_solution->scene()->sceneRect(), QRectF(0, 0, 2000, 1375));
    QCOMPARE(vue_solution->horizontalScrollBar()->value(), 0);
    QCOMPARE(vue_solution->verticalScrollBar()->value(), 0);
    QCOMPARE(texte_info(vue_solution),
             QStringLiteral("Graphe [solution], non oriente, 300 sommets [deploiement_300.txt]"));
    QVERIFY(app.lignes().contains(QStringLiteral("width=2000  height=1375")));

    // Back to the instance page: brought back, marks of its own zoom.
    const int lignes_avant = app.lignes().size();
    app.double_cliquer(inst);
    QCOMPARE(app.page(), page_instance);
    QCOMPARE(app.ui->stackedWidget->currentIndex(), 2);
    QCOMPARE(app.lignes().mid(lignes_avant), QStringList{"fenetre deja existe --> open()"});
    QCOMPARE(app.zoom_coche(), 1);

    app.double_cliquer(sol);
    QCOMPARE(app.zoom_coche(), 4);
    app.ui->action_zoom_x1->trigger();
    QCOMPARE(vue_solution->scene()->sceneRect(), QRectF(0, 0, 800, 550));

    // Drag vertex 0 of the solution drawing ten pixels right and down.
    graphic_item_sommet *sommet = vue_solution->liste_sommets().at(0);
    const QPointF avant = sommet->pos();
    const QPoint depart = vue_solution->mapFromScene(avant + QPointF(11, 11));
    QTest::mousePress(vue_solution->viewport(), Qt::LeftButton, {}, depart);
    QTest::mouseMove(vue_solution->viewport(), depart + QPoint(10, 10));
    QTest::mouseRelease(vue_solution->viewport(), Qt::LeftButton, {}, depart + QPoint(10, 10));
    QCOMPARE(app.lignes().last(), QStringLiteral("action fini.."));
    QVERIFY(sommet->pos() != avant);

    // Save the drawing through the real dialog.
    QTemporaryDir dossier;
    const QString image = dossier.filePath("dessin.png");
    repondre_dialogue(image);
    app.ui->action_save_image->trigger();
    QVERIFY(QFile::exists(image));
    QCOMPARE(app.lignes().mid(app.lignes().size() - 2), (QStringList{"sauvegarder donnees", image}));
    const QImage lue(image);
    QCOMPARE(lue.size(), QSize(800, 550));
    int colores = 0;
    for (int y = 0; y < lue.height(); y += 2)
        for (int x = 0; x < lue.width(); x += 2)
            colores += lue.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
    QVERIFY2(colores > 1000, qPrintable(QString::number(colores)));

    // A folder that does not exist: a read-only one would not stop root.
    const QString perdue = dossier.filePath("absent/dessin.png");
    repondre_dialogue(perdue);
    app.ui->action_save_image->trigger();
    QVERIFY(!QFile::exists(perdue));
    QCOMPARE(app.lignes().mid(app.lignes().size() - 3),
             (QStringList{"sauvegarder donnees", perdue,
                          "Erreur : l'image n'a pas pu être enregistrée : " + perdue + " (le dossier n'existe pas)"}));
    QCOMPARE(app.ui->statusBar->currentMessage(), QStringLiteral("Image non enregistrée"));
    // Every long step gave the cursor back, the failed one too.
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void tst_bout_en_bout::sans_graphe_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("coche");
    QTest::newRow("x4") << "action_zoom_x4" << 4;
    QTest::newRow("x1") << "action_zoom_x1" << 1;
    QTest::newRow("x16") << "action_zoom_x16" << 16;
    QTest::newRow("enregistrer") << "action_save_image" << 1;
}

void tst_bout_en_bout::sans_graphe()
{
    QFETCH(QString, action);
    QFETCH(int, coche);

    application app;
    // An empty paragraph at the very top of an empty pane is invisible, so
    // the console gets a first line before the command.
    std::cout << "avant" << std::endl;
    app.fenetre.findChild<QAction *>(action)->trigger();
    QCOMPARE(app.lignes(), (QStringList{"avant", "", "Erreur : non graphe..."}));
    QCOMPARE(app.ui->statusBar->currentMessage(), QStringLiteral("Erreur : non graphe.."));
    QCOMPARE(app.zoom_coche(), coche);
}

void tst_bout_en_bout::dialogue_annule()
{
    application app;
    repondre_dialogue(QString());
    app.ui->action_ouvrir_un_fichier->trigger();
    QCOMPARE(app.ui->sortie_application->toPlainText(), QString());
    QCOMPARE(app.ui->treeView->racine()->rowCount(), 0);
}

void tst_bout_en_bout::deux_pages()
{
    application app;
    app.ouvrir(QDir(exemples).filePath("trois_capteurs.vga"));
    app.ouvrir(QDir(exemples).filePath("douze_capteurs.vga"));
    QStandardItem *premiere = app.session(0)->child(0);
    QStandardItem *seconde = app.session(1)->child(1);
    app.double_cliquer(premiere);
    graphe_visualisateur *p1 = app.page();
    app.double_cliquer(seconde);
    graphe_visualisateur *p2 = app.page();
    QVERIFY(p1 && p2 && p1 != p2);
    QCOMPARE(app.fenetre.pages().item_par_fenetre().value(p1), premiere);
    QCOMPARE(app.fenetre.pages().item_par_fenetre().value(p2), seconde);
    app.double_cliquer(premiere);
    QCOMPARE(app.page(), p1);
    QCOMPARE(app.ui->stackedWidget->count(), 4);
}

void tst_bout_en_bout::comparaison()
{
    QTemporaryDir dossier;
    const QString bonne = dossier.filePath("b_sol.txt");
    const QString illisible = dossier.filePath("illisible_sol.txt");
    // The sample's MA with 2 in place of 3.
    QVERIFY(ecrire(bonne, "NB_MA\t\t5\n6\n1\n5\n7\n2\nNB_SL\t\t0\nNB_BR\t\t0\n"));
    QVERIFY(ecrire(illisible, "NB_MA\t5\n6\n"));
    application app;
    app.ouvrir(QDir(exemples).filePath("douze_capteurs.vga"));
    QStandardItem *session = app.session(0);
    auto comparer = [&app](const QString &chemin, QString *titre = nullptr) {
        repondre_dialogue(chemin, titre);
        app.ui->action_comparer->trigger();
    };

    // Only a solution page can be compared.
    app.ui->action_comparer->trigger();
    QCOMPARE(app.ui->statusBar->currentMessage(), QStringLiteral("Aucune solution affichée"));
    app.double_cliquer(session->child(1));
    graphe_visualisateur *page_a = app.page();

    comparer(illisible);
    QCOMPARE(app.lignes().last(), QStringLiteral("Erreur : la solution à comparer n'a pas pu être lue"));
    QCOMPARE(app.page(), page_a);
    QCOMPARE(session->rowCount(), 2);

    QString titre;
    comparer(bonne, &titre);
    QCOMPARE(titre, QStringLiteral("Choisir la solution à comparer"));
    QCOMPARE(session->rowCount(), 3);
    QStandardItem *ligne = session->child(2);
    QCOMPARE(ligne->text(), QStringLiteral("c:douze_capteurs_sol.txt / b_sol.txt"));
    QCOMPARE(ligne->toolTip(), "id : " + ligne->text());
    QCOMPARE(ligne->data(Qt::AccessibleTextRole).toString(), bonne);
    QVERIFY(!ligne->isEditable());
    graphe_visualisateur *page_c = app.page();
    QVERIFY(page_c != page_a);
    QVERIFY(app.ui->zone_info_boite->toPlainText().contains("MA de A seul : 1 (3)\nMA de B seul : 1 (2)\n"));

    // The rows bring their pages back; the same B again is the same page.
    app.double_cliquer(session->child(1), true);
    QCOMPARE(app.page(), page_a);
    app.double_cliquer(ligne, true);
    QCOMPARE(app.page(), page_c);
    app.double_cliquer(session->child(1), true);
    comparer(bonne);
    QCOMPARE(app.page(), page_c);
    QCOMPARE(session->rowCount(), 3);
    // The comparisons opened (comparaisons_ouvertes): one a solution B.
    QCOMPARE(app.fenetre.pages().comparaisons().liste().size(), std::size_t(1));
}

void tst_bout_en_bout::zoom_identique_une_fois()
{
    application app;
    app.ouvrir(QDir(exemples).filePath("douze_capteurs.vga"));
    app.double_cliquer(app.session(0)->child(0));
    QCOMPARE(app.compter("width="), 1);

    app.ui->action_zoom_x2->trigger();
    QCOMPARE(app.compter("width="), 2);
    app.ui->action_zoom_x2->trigger();
    QCOMPARE(app.compter("width="), 2);
    QCOMPARE(app.zoom_coche(), 2);
    QCOMPARE(app.page()->get_graphic_view()->scene()->sceneRect(), QRectF(0, 0, 1200, 825));

    app.ui->action_zoom_x16->trigger();
    app.ui->action_zoom_x16->trigger();
    QCOMPARE(app.zoom_coche(), 16);
    QCOMPARE(app.compter("width="), 3);
}

void tst_bout_en_bout::session_commencant_par_s()
{
    QTemporaryDir dossier;
    QVERIFY(QFile::copy(QDir(exemples).filePath("douze_capteurs.txt"), dossier.filePath("i.txt")));
    QVERIFY(QFile::copy(QDir(exemples).filePath("douze_capteurs_sol.txt"), dossier.filePath("s.txt")));
    const QByteArray modele = "<visual_graphe name=\"%1\"><files><param name=\"instance\" path=\"i.txt\"/>"
                              "<param name=\"solution\" path=\"s.txt\"/></files></visual_graphe>";
    QVERIFY(ecrire(dossier.filePath("a.vga"), QByteArray(modele).replace("%1", "solution du jour")));
    QVERIFY(ecrire(dossier.filePath("b.vga"), QByteArray(modele).replace("%1", "Solution")));

    application app;
    app.ouvrir(dossier.filePath("a.vga"));
    app.ouvrir(dossier.filePath("b.vga"));

    app.double_cliquer(app.session(0));
    QVERIFY(texte_info(app.page()->get_graphic_view()).startsWith("Graphe [solution]"));
    app.ui->action_zoom_x8->trigger();
    QVERIFY(texte_info(app.page()->get_graphic_view()).startsWith("Graphe [solution]"));

    app.double_cliquer(app.session(1));
    QVERIFY(texte_info(app.page()->get_graphic_view()).startsWith("Graphe [instance]"));
    QCOMPARE(app.zoom_coche(), 1);

    // The session row's page comes back on the next double-click.
    app.double_cliquer(app.session(0));
    QCOMPARE(app.zoom_coche(), 8);
    QCOMPARE(app.ui->stackedWidget->count(), 4);
}

void tst_bout_en_bout::instance_en_echec()
{
    // A session whose instance is a directory: no instance content at all.
    QTemporaryDir dossier;
    QVERIFY(QFile::copy(QDir(exemples).filePath("douze_capteurs_sol.txt"), dossier.filePath("s.txt")));
    QVERIFY(ecrire(dossier.filePath("d.vga"),
                   "<visual_graphe name=\"vide\"><files><param name=\"solution\" path=\"s.txt\"/>"
                   "</files></visual_graphe>"));

    application app;
    app.ouvrir(dossier.filePath("d.vga"));
    app.ouvrir(QDir(exemples).filePath("instance_invalide.vga"));
    const QStringList lignes = app.lignes();
    QVERIFY(lignes.contains("Erreur : le format du fichier d'instance.."));

    for (int i = 0; i < 2; ++i) {
        QStandardItem *session = app.session(i);
        QCOMPARE(session->rowCount(), 1); // only the solution row
        app.double_cliquer(session->child(0));
        graphic_view *vue = app.page()->get_graphic_view();
        QVERIFY(vue);
        for (int facteur : {2, 4, 8, 16, 1}) {
            app.fenetre.findChild<QAction *>(QString("action_zoom_x%1").arg(facteur))->trigger();
            QCOMPARE(vue->zoom(), facteur);
        }
        app.double_cliquer(session);
        QVERIFY(app.page());
    }
}

void tst_bout_en_bout::ligne_de_commande_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("sessions");

    QTest::newRow("aucun") << QStringList{"visual_graphe"} << QStringList{};
    QTest::newRow("dans l'ordre") << QStringList{"visual_graphe", "b.vga", "a.vga", "b.vga"}
                                  << QStringList{"b.vga", "a.vga", "b.vga"};
    QTest::newRow("accents et espaces") << QStringList{"visual_graphe", "/tmp/Réseau été/é.vga"}
                                        << QStringList{"/tmp/Réseau été/é.vga"};
    QTest::newRow("nom en tiret") << QStringList{"visual_graphe", "--", "-x.vga"} << QStringList{"-x.vga"};
}

void tst_bout_en_bout::ligne_de_commande()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, sessions);
    QCOMPARE(sessions_en_argument(arguments), sessions);
}

void tst_bout_en_bout::ouvertures_au_demarrage_data()
{
    QTest::addColumn<QStringList>("noms");
    QTest::addColumn<int>("sessions");
    QTest::addColumn<QStringList>("lignes_attendues");
    QTest::addColumn<QString>("erreur");

    const QString trois = QDir(exemples).filePath("trois_capteurs.vga");
    const QString douze = QDir(exemples).filePath("douze_capteurs.vga");
    const QString absent = QDir(exemples).filePath("absent.vga");
    QTest::newRow("aucun argument") << QStringList{} << 0 << QStringList{} << QString();
    // One path given twice: opened once, then refused as the menu would.
    QTest::newRow("un chemin deux fois")
        << QStringList{trois, douze, trois} << 2
        << QStringList{"Ouvrir le fichier : " + trois, "Ouvrir le fichier : " + douze,
                       "Ouvrir le fichier : " + trois,
                       "Erreur: la fichier '" + trois + "' est deja ouvert."}
        << QString();
    // An unreadable path is reported and the next one still opens.
    QTest::newRow("chemin illisible d'abord")
        << QStringList{absent, douze} << 1
        << QStringList{"Ouvrir le fichier : " + absent, "Ouvrir le fichier : " + douze}
        << "Error: Cannot read file " + absent;
}

void tst_bout_en_bout::ouvertures_au_demarrage()
{
    QFETCH(QStringList, noms);
    QFETCH(int, sessions);
    QFETCH(QStringList, lignes_attendues);
    QFETCH(QString, erreur);

    application app;
    ouvrir_au_demarrage(app.fenetre, noms);
    // Nothing before the event loop runs: the window shows first.
    QCOMPARE(app.nombre_lignes(), 0);
    // Every path given is opened once the loop runs, in order.
    QTRY_COMPARE(app.compter("Ouvrir le fichier : "), noms.size());
    QCOMPARE(app.ui->treeView->racine()->rowCount(), sessions);
    QStringList lues;
    for (const QString &l : app.lignes()) {
        if (l.startsWith(QLatin1String("Ouvrir le fichier")) || l.startsWith(QLatin1String("Erreur")))
            lues << l;
    }
    QCOMPARE(lues, lignes_attendues);
    QCOMPARE(app.compter("  -> Charge OK..."), sessions);
    if (erreur.isEmpty())
        QCOMPARE(app.texte_erreurs(), QString());
    else
        QVERIFY2(app.texte_erreurs().startsWith(erreur), qPrintable(app.texte_erreurs()));
    QVERIFY(app.fenetre.isVisible());
}

void tst_bout_en_bout::recherche_d_un_capteur()
{
    application app;
    app.ui->action_rechercher_capteur->trigger();
    QCOMPARE(app.ui->statusBar->currentMessage(), QStringLiteral("Aucun graphe affiché"));

    app.ouvrir(QDir(exemples).filePath("deploiement_300.vga"));
    app.double_cliquer(app.session(0)->child(1));
    app.zoomer(4);
    graphic_view *vue = app.vue();
    // A vertex far enough from the edges for the view to centre it.
    const QRectF milieu = vue->sceneRect().adjusted(500, 400, -500, -400);
    int n = 299;
    while (!milieu.contains(vue->trouver_sommet(n)->pos()))
        --n;
    QSignalSpy changements(vue, &graphic_view::capteur_choisi_change);
    QCOMPARE(app.rechercher(n), QStringLiteral("Rechercher un capteur|Numéro du capteur :|0|299"));
    QCOMPARE(vue->capteur_choisi(), n);
    QCOMPARE(changements.size(), 1);
    const QPointF ecart = vue->mapToScene(vue->viewport()->rect().center())
        - vue->trouver_sommet(n)->sceneBoundingRect().center();
    QVERIFY2(ecart.manhattanLength() <= 2, qPrintable(QStringLiteral("%1 %2").arg(ecart.x()).arg(ecart.y())));

    // The choice outlives a zoom; Escape clears it and the page stays.
    app.zoomer(2);
    QCOMPARE(vue->capteur_choisi(), n);
    QTest::keyClick(vue, Qt::Key_Escape);
    QCOMPARE(vue->capteur_choisi(), -1);
    QVERIFY(app.page()->isVisible());
}

// A network networkx wrote, opened as a session and saved as GraphML and as
// DOT by the names typed in the save dialog.
void tst_bout_en_bout::reseau_graphml()
{
    application app;
    app.ouvrir(VG_GRAPHML_NETWORKX);
    QCOMPARE(app.lignes(), (QStringList{"Ouvrir le fichier : " VG_GRAPHML_NETWORKX, "  -> Nb_SENSORS = 40",
                                        "  -> Coordonnées non entières, mises à l'échelle de 0 à 10000 : facteur 10442.6",
                                        "  -> Puits : capteur 32 (nœud « 32 »)", "  -> Charge OK..."}));
    QStandardItem *session = app.session(0);
    QCOMPARE(session->text(), QStringLiteral("reseau_networkx"));
    QCOMPARE(session->rowCount(), 2);
    QCOMPARE(session->child(0)->text(), QStringLiteral("i:reseau_networkx.graphml"));
    QCOMPARE(session->child(1)->text(), QStringLiteral("s:reseau_networkx.graphml"));
    app.double_cliquer(session->child(1));
    QCOMPARE(int(app.vue()->liste_sommets().size()), 40);
    QCOMPARE(texte_info(app.vue()), QStringLiteral("Graphe [solution], non oriente, 40 sommets [reseau_networkx.graphml]"));
    QCOMPARE(nombre_de_fond(app.vue(), couleurs_dessin::vert_puits), 1);

    QTemporaryDir dossier;
    for (const char *nom : {"copie.graphml", "copie.dot"}) {
        repondre_dialogue(dossier.filePath(nom));
        app.ui->action_save_image->trigger();
    }
    QCOMPARE(app.compter("Erreur"), 0);
    // The copy is the same session again, under another name.
    app.ouvrir(dossier.filePath("copie.graphml"));
    QCOMPARE(app.session(1)->rowCount(), 2);
    session_graphe *a = app.fenetre.registre().sessions().at(0).get();
    session_graphe *b = app.fenetre.registre().sessions().at(1).get();
    QCOMPARE(b->solution()->liste_ma(), a->solution()->liste_ma());
    QCOMPARE(b->instance()->sink(), a->instance()->sink());
    QVERIFY(QFileInfo(dossier.filePath("copie.dot")).size() > 0);
}

void tst_bout_en_bout::reseaux_networkx_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("copie");
    QTest::newRow("gexf, enregistre en cyjs") << "gexf" << "cyjs";
    QTest::newRow("cyjs, enregistre en gexf") << "cyjs" << "gexf";
}

// A GEXF and a Cytoscape.js file networkx wrote, opened as sessions, saved
// from the solution page in the other format and opened again.
void tst_bout_en_bout::reseaux_networkx()
{
    QFETCH(QString, format);
    QFETCH(QString, copie);
    QTemporaryDir dossier;
    if (!networkx({"ecrire", dossier.path()}))
        QSKIP("python3 ou networkx (python3-networkx) absent");
    application app;
    app.ouvrir(dossier.filePath("reseau_nx." + format));
    QCOMPARE(app.compter("  -> Charge OK..."), 1);
    QStandardItem *session = app.session(0);
    QCOMPARE(session->rowCount(), 2);
    QCOMPARE(session->child(1)->text(), "s:reseau_nx." + format);
    app.double_cliquer(session->child(1));
    QCOMPARE(int(app.vue()->liste_sommets().size()), 30);
    QCOMPARE(nombre_de_fond(app.vue(), couleurs_dessin::vert_puits), 1);

    repondre_dialogue(dossier.filePath("copie." + copie));
    app.ui->action_save_image->trigger();
    app.ouvrir(dossier.filePath("copie." + copie));
    QCOMPARE(app.compter("Erreur"), 0);
    session_graphe *a = app.fenetre.registre().sessions().at(0).get();
    session_graphe *b = app.fenetre.registre().sessions().at(1).get();
    QCOMPARE(b->solution()->liste_ma(), a->solution()->liste_ma());
    QCOMPARE(b->instance()->sink(), a->instance()->sink());
    QCOMPARE(*b->instance()->voisins()[7], *a->instance()->voisins()[7]);
}

void tst_bout_en_bout::molette_et_clavier()
{
    application app;
    app.ouvrir(QDir(exemples).filePath("deploiement_300.vga"));
    app.double_cliquer(app.session(0)->child(0));
    app.fenetre.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&app.fenetre));
    graphic_view *vue = app.vue();
    const QPoint pointeur(200, 150);
    const QPointF avant = vue->mapToScene(pointeur);
    app.molette(pointeur, 1);
    QCOMPARE(app.zoom_coche(), 2);
    QCOMPARE(app.compter("width=1200  height=825"), 1);
    // The same place of the drawing, grown with it, under the pointer.
    const QPointF ecart = vue->mapToScene(pointeur) - avant * 1.5;
    QVERIFY2(ecart.manhattanLength() <= 2, qPrintable(QStringLiteral("%1 %2").arg(ecart.x()).arg(ecart.y())));

    QTest::keyClick(&app.fenetre, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(app.zoom_coche(), 1);
    QTest::keyClick(&app.fenetre, Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(&app.fenetre, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(app.zoom_coche(), 2);
    QCOMPARE(app.compter("width="), 4);
}

void tst_bout_en_bout::position_sous_le_pointeur_data()
{
    QTest::addColumn<int>("ligne");
    QTest::addColumn<int>("capteur");
    QTest::addColumn<QString>("texte");
    // Sensor 6 (85, 75) is the sink and in MA, sensor 4 (180, 40) in SL
    // and BR; the instance drawing shows the sink alone.
    QTest::newRow("instance, puits") << 0 << 6 << "x = 85, y = 75 — capteur 6 (puits)";
    QTest::newRow("instance, sans role") << 0 << 4 << "x = 180, y = 40 — capteur 4";
    QTest::newRow("solution, puits et MA") << 1 << 6 << "x = 85, y = 75 — capteur 6 (puits, MA)";
    QTest::newRow("solution, SL et BR") << 1 << 4 << "x = 180, y = 40 — capteur 4 (SL, BR)";
    // Where a sensor at the smallest x and y would be drawn.
    QTest::newRow("hors des sommets") << 0 << -1 << "x = 20, y = 20";
}

void tst_bout_en_bout::position_sous_le_pointeur()
{
    QFETCH(int, ligne);
    QFETCH(int, capteur);
    QFETCH(QString, texte);
    application app;
    app.ouvrir(QDir(exemples).filePath("douze_capteurs.vga"));
    app.double_cliquer(app.session(0)->child(ligne));
    graphic_view *vue = app.vue();
    const QPointF point = capteur < 0 ? QPointF(60, 490) : vue->trouver_sommet(capteur)->sceneBoundingRect().center();
    vue->centerOn(point);
    QTest::mouseMove(vue->viewport(), vue->mapFromScene(point));
    QCOMPARE(app.position(), texte);
    QEvent sortie(QEvent::Leave);
    QApplication::sendEvent(vue->viewport(), &sortie);
    QCOMPARE(app.position(), QString());
}


void tst_bout_en_bout::figure_dans_la_fenetre_data()
{
    QTest::addColumn<QString>("action");
    // The menu's answer, for the item that asks.
    QTest::addColumn<QString>("reponse");
    QTest::addColumn<QSize>("aire");
    QTest::addColumn<int>("marques");
    QTest::addColumn<int>("formes_autres");
    QTest::addColumn<int>("fonds_au_moins");
    const QSize page(800, 550);
    QTest::newRow("rien") << "" << "" << page << 0 << 0 << 3;
    QTest::newRow("barre d'echelle") << "action_barre_echelle" << "" << QSize(800, 590) << 0 << 0 << 3;
    QTest::newRow("defauts, deux anneaux") << "action_defauts" << "" << page << 2 << 0 << 3;
    QTest::newRow("style daltonien") << "action_style_daltonien" << "" << page << 0 << 1 + 55 + 143 + 2 << 5;
    QTest::newRow("colorer par les sauts") << "action_colorer" << "Sauts jusqu'au puits" << page << 0 << 0 << 10;
}

// Each figure item of the menu draws the page again with what it adds.
void tst_bout_en_bout::figure_dans_la_fenetre()
{
    QFETCH(QString, action);
    QFETCH(QString, reponse);
    QFETCH(QSize, aire);
    QFETCH(int, marques);
    QFETCH(int, formes_autres);
    QFETCH(int, fonds_au_moins);
    application app;
    app.ouvrir(QDir(exemples).filePath("deploiement_300.vga"));
    app.double_cliquer(app.session(0)->child(1));
    if (!reponse.isEmpty())
        repondre_modal<QInputDialog>([=](QInputDialog *d) {
            d->setTextValue(reponse);
            d->accept();
        });
    if (!action.isEmpty())
        app.fenetre.findChild<QAction *>(action)->trigger();
    const std::shared_ptr<const liste_dessin> liste = app.vue()->liste();
    QTRY_VERIFY(app.vue()->liste() && app.vue()->liste()->aire() == aire);
    QCOMPARE(int(app.vue()->liste()->marques().size()), marques);
    int autres = 0;
    std::set<QRgb> fonds;
    for (const liste_dessin::sommet &v : app.vue()->liste()->sommets()) {
        autres += v.forme != forme_sommet::forme::cercle;
        fonds.insert(app.vue()->liste()->brosse(v.fond).color().rgb());
    }
    QCOMPARE(autres, formes_autres);
    QVERIFY2(int(fonds.size()) >= fonds_au_moins, qPrintable(QString::number(fonds.size())));
    // The legend widens the page beside the drawing, which stays where it was.
    app.ui->action_legende->trigger();
    QTRY_VERIFY(app.vue()->liste()->aire().width() > aire.width());
    QCOMPARE(app.vue()->scene()->sceneRect().size().toSize(), app.vue()->liste()->aire());
}

// The view saved as it shows, at its zoom; a values file that does not
// read changes nothing.
void tst_bout_en_bout::enregistrer_la_vue()
{
    application app;
    app.ouvrir(QDir(exemples).filePath("deploiement_300.vga"));
    app.double_cliquer(app.session(0)->child(1));
    app.zoomer(4);
    QTemporaryDir dossier;
    const QString png = dossier.filePath("vue.png");
    repondre_dialogue(png);
    app.ui->action_enregistrer_vue->trigger();
    const QImage image(png);
    QCOMPARE(image.size(), app.vue()->viewport()->size());

    const std::shared_ptr<const liste_dessin> avant = app.vue()->liste();
    QFile csv(dossier.filePath("v.csv"));
    QVERIFY(csv.open(QIODevice::WriteOnly) && csv.write("id,v\n0,abc\n") > 0);
    csv.close();
    QVERIFY(!app.fenetre.figure().colorer(valeur_figure::fichier, csv.fileName()));
    QCOMPARE(app.lignes().last(), QString::fromUtf8("Erreur : les valeurs n'ont pas pu être lues : v.csv:2 : « abc » n'est pas un nombre"));
    QCOMPARE(app.vue()->liste(), avant);
}

QTEST_MAIN(tst_bout_en_bout)
#include "tst_bout_en_bout.moc"
