#include "application_test.h"
#include "debug_stream.h"
#include "graphe_visualisateur.h"
#include "graphic_item_arc.h"
#include "graphic_item_sommet.h"
#include "graphic_view.h"
#include "liste_graphe.h"
#include "mainwindow.h"
#include "repondre_dialogue.h"
#include "ui_mainwindow.h"

#include <QDir>
#include <QFile>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QImage>
#include <QStandardItem>
#include <QTemporaryDir>
#include <QTest>

#include <iostream>
#include <memory>
#include <sstream>

// Bad sessions opened through the real main window, then used as a user
// would: every row double-clicked, every zoom, a drag, an export.

namespace {

const QByteArray instance_3 = "NB_SENSORS 3\nID\n0 10 20 1 1\n1 30 40 2 0 2\n2 50 60 1 1\nSINK\n0\nEND\n";
const QByteArray solution_3 = "INSTANCE_NAME:i.txt\nNB_MA\t\t2\n0\n1\nNB_SL\t\t0\nNB_BR\t\t1\n2\n";

QByteArray session_xml(const QByteArray &nom, const QByteArray &instance = "i.txt",
                       const QByteArray &solution = "s.txt")
{
    return "<?xml version=\"1.0\"?>\n<visual_graphe name=\"" + nom + "\"><files><param name=\"instance\" path=\""
           + instance + "\"/><param name=\"solution\" path=\"" + solution + "\"/></files></visual_graphe>\n";
}

// The whole literal, zero bytes included.
template <std::size_t N>
QByteArray octets(const char (&texte)[N])
{
    return QByteArray(texte, N - 1);
}

int compter_arcs(graphic_view *vue)
{
    int n = 0;
    for (QGraphicsItem *item : vue->scene()->items())
        n += dynamic_cast<graphic_item_arc *>(item) ? 1 : 0;
    return n;
}

QStringList rangees(QStandardItem *item)
{
    QStringList textes;
    for (int i = 0; i < item->rowCount(); ++i)
        textes << item->child(i)->text();
    return textes;
}

// Drags the vertex drawn at the centre of the first one (the topmost there)
// 15 units right and 10 down; with no vertex, the same gesture on the
// drawing must start nothing.
void glisser(application &app, graphic_view *vue)
{
    const int finis = app.lignes().count(QStringLiteral("action fini.."));
    QPoint depart = vue->viewport()->rect().center();
    if (!vue->liste_sommets().empty()) {
        graphic_item_sommet *premier = vue->liste_sommets().front();
        vue->ensureVisible(premier);
        depart = vue->mapFromScene(premier->pos() + QPointF(11, 11));
    }
    QGraphicsItem *sous = vue->itemAt(depart);
    auto *sommet = sous && sous->type() == graphic_item_sommet::Type ? static_cast<graphic_item_sommet *>(sous)
                                                                     : nullptr;
    QCOMPARE(sommet != nullptr, !vue->liste_sommets().empty());
    const QPointF avant = sommet ? sommet->pos() : QPointF();
    QTest::mousePress(vue->viewport(), Qt::LeftButton, {}, depart);
    QTest::mouseMove(vue->viewport(), depart + QPoint(15, 10));
    QTest::mouseRelease(vue->viewport(), Qt::LeftButton, {}, depart + QPoint(15, 10));
    QCOMPARE(app.lignes().count(QStringLiteral("action fini..")), finis + (sommet ? 1 : 0));
    if (sommet)
        QVERIFY(sommet->pos() != avant);
}

// The page of the current row through every zoom factor, a drag and an
// export; each zoom draws the same vertices again.
void exercer_page(application &app, const QString &image)
{
    graphe_visualisateur *page = app.page();
    QVERIFY(page);
    graphic_view *vue = page->get_graphic_view();
    const std::size_t sommets = vue->liste_sommets().size();
    const int arcs = compter_arcs(vue);
    const QString info = texte_info(vue);
    const QList<std::pair<int, QSize>> zooms{
        {2, {1200, 825}}, {4, {2000, 1375}}, {8, {3600, 2475}}, {16, {6800, 4675}}, {1, {800, 550}}};
    for (const auto &[facteur, taille] : zooms) {
        const int debut = app.nombre_lignes();
        app.zoomer(facteur);
        QCOMPARE(vue->zoom(), facteur);
        QCOMPARE(vue->scene()->sceneRect(), QRectF(QPointF(0, 0), taille));
        QCOMPARE(app.lignes_depuis(debut).value(0),
                 QStringLiteral("width=%1  height=%2").arg(taille.width()).arg(taille.height()));
        QCOMPARE(vue->liste_sommets().size(), sommets);
        QCOMPARE(compter_arcs(vue), arcs);
        QCOMPARE(texte_info(vue), info);
    }
    glisser(app, vue);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(page->exporter_image(image));
    QCOMPARE(QImage(image).size(), QSize(800, 550));
}

} // namespace

class tst_entrees_invalides : public QObject
{
    Q_OBJECT

private slots:
    void sessions_data();
    void sessions();
    void instance_sans_droit_de_lecture();
    void dossier_au_lieu_de_session();
    void reseau_maximal();
};

void tst_entrees_invalides::sessions_data()
{
    QTest::addColumn<QByteArray>("session");
    QTest::addColumn<QByteArray>("instance");
    QTest::addColumn<QByteArray>("solution");
    // Console lines after "Ouvrir le fichier : "; %D is the session's folder.
    QTest::addColumn<QStringList>("sortie");
    // What std::cerr starts with, or nothing at all when empty.
    QTest::addColumn<QString>("erreur");
    QTest::addColumn<bool>("cree");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QStringList>("fichiers");
    // The session row's own drawing at x1: its "_ecart" line (none when
    // empty), vertices, arcs, "NULL" lines and information text.
    QTest::addColumn<QString>("ecart");
    QTest::addColumn<int>("sommets");
    QTest::addColumn<int>("arcs");
    QTest::addColumn<int>("nuls");
    QTest::addColumn<QString>("info");

    const QString ok = "  -> Charge OK...";
    const QString nb3 = "  -> Nb_SENSORS = 3";
    const QString inst_ko = "Erreur : le format du fichier d'instance..";
    const QString sol_ko = "Erreur : le format du fichier de solution..";
    const QStringList deux{"i:i.txt", "s:s.txt"};
    const QString lu_dossier = "Error: Cannot read file %D/";
    const QString info3 = "Graphe [instance], non oriente, 3 sommets [i.txt]";
    const QString ecart3 = "_ecart_x = 17   _ecart_y = 10.75";

    QTest::newRow("instance arretee avant son compte")
        << session_xml("Arret") << QByteArray("NB_SENSORS 5\nID\n0 0 0 1 1\n1 100 50 1 0\n") << solution_3
        << QStringList{"  -> Nb_SENSORS = 5", "Erreur : format du fichier instance..", inst_ko, ok} << ""
        << true << "Arret" << QStringList{"s:s.txt"} << "_ecart_x = 6.8   _ecart_y = 8.6" << 2 << 2 << 0
        << "Graphe [instance], non oriente, 5 sommets [i.txt]";
    // The failing line's position and neighbours stay; its neighbour 2 was
    // never read.
    QTest::newRow("instance arretee sur nb voisin")
        << session_xml("Voisins") << QByteArray("NB_SENSORS 3\nID\n0 0 0 1 1\n1 10 10 3 0 2\n") << solution_3
        << QStringList{nb3, "Erreur : format du fichier instance [nb voisin]..", inst_ko, ok} << "" << true
        << "Voisins" << QStringList{"s:s.txt"} << "_ecart_x = 68   _ecart_y = 43" << 2 << 2 << 1 << info3;
    QTest::newRow("instance tronquee")
        << session_xml("Tronquee") << QByteArray("NB_SENSORS 3\nID\n0 10 20 1 1\n1 30 4") << solution_3
        << QStringList{nb3, "Erreur : format du fichier instance ..", inst_ko, ok} << "" << true << "Tronquee"
        << QStringList{"s:s.txt"} << "_ecart_x = 0   _ecart_y = 0" << 1 << 0 << 1 << info3;
    QTest::newRow("instance qui est un dossier")
        << session_xml("Dossier", "sous") << QByteArray() << solution_3 << QStringList{inst_ko, ok}
        << lu_dossier + "sous: " << true << "Dossier" << QStringList{"s:s.txt"} << "" << 0 << 0 << 0 << "";
    QTest::newRow("instance absente")
        << session_xml("Absente", "absente.txt") << QByteArray() << solution_3
        << QStringList{"Erreur : le fichier d'instance '%D/absente.txt' n'existe pas.."} << "" << false << ""
        << QStringList{} << "" << 0 << 0 << 0 << "";
    // A name that begins with a lower-case s draws the solution from the
    // session row; its sensors 7 and 65535 have no neighbour list.
    QTest::newRow("solution de capteurs inconnus")
        << session_xml("sinconnus") << instance_3
        << QByteArray("NB_MA\t\t3\n0\n7\n65535\nNB_SL\t\t1\n100\nNB_BR\t\t2\n2 9\n")
        << QStringList{nb3, ok} << "" << true << "sinconnus" << deux << ecart3 << 3 << 1 << 0
        << "Graphe [solution], non oriente, 3 sommets [i.txt]";
    QTest::newRow("solution arretee en route")
        << session_xml("solution coupee") << instance_3 << QByteArray("NB_MA\t\t1\n0\nNB_SL\t\t3\n1 2\n")
        << QStringList{nb3, sol_ko, ok} << "" << true << "solution coupee" << QStringList{"i:i.txt"} << ecart3
        << 3 << 1 << 0 << "Graphe [solution], non oriente, 3 sommets [i.txt]";
    QTest::newRow("solution qui est un dossier")
        << session_xml("sans solution", "i.txt", "sous") << instance_3 << QByteArray()
        << QStringList{nb3, sol_ko, ok} << lu_dossier + "sous: " << true << "sans solution"
        << QStringList{"i:i.txt"} << "" << 0 << 0 << 0 << "";
    QTest::newRow("voisins inexistants")
        << session_xml("Fantomes") << QByteArray("NB_SENSORS 2\nID\n0 0 0 2 1 5\n1 10 10 1 65535\nSINK\n9\nEND\n")
        << QByteArray("NB_MA\t\t2\n0\n1\n") << QStringList{"  -> Nb_SENSORS = 2", ok} << "" << true
        << "Fantomes" << deux << "_ecart_x = 68   _ecart_y = 43" << 2 << 1 << 2
        << "Graphe [instance], non oriente, 2 sommets [i.txt]";
    QTest::newRow("un capteur")
        << session_xml("Seul") << QByteArray("NB_SENSORS 1\nID\n0 42 42 0\nSINK\n0\nEND\n")
        << QByteArray("NB_MA\t\t1\n0\nNB_BR\t\t1\n0\n") << QStringList{"  -> Nb_SENSORS = 1", ok} << "" << true
        << "Seul" << deux << "_ecart_x = 0   _ecart_y = 0" << 1 << 0 << 0
        << "Graphe [instance], non oriente, 1 sommets [i.txt]";
    QTest::newRow("capteurs sur une ligne")
        << session_xml("Ligne")
        << QByteArray("NB_SENSORS 4\nID\n0 0 7 1 1\n1 10 7 2 0 2\n2 20 7 2 1 3\n3 30 7 1 2\nSINK\n3\nEND\n")
        << QByteArray("NB_MA\t\t2\n1\n2\n") << QStringList{"  -> Nb_SENSORS = 4", ok} << "" << true << "Ligne"
        << deux << "_ecart_x = 22.6667   _ecart_y = 0" << 4 << 6 << 0
        << "Graphe [instance], non oriente, 4 sommets [i.txt]";
    // 2147483648 and beyond do not fit a signed 32-bit number and read as 0.
    QTest::newRow("coordonnees pres de 2^31")
        << session_xml("Loin")
        << QByteArray("NB_SENSORS 4\nID\n0 2147483647 0 1 1\n1 0 2147483647 1 2\n2 2147483646 2147483646 1 0\n"
                      "3 2147483648 99999999999 0\nSINK\n2\nEND\n")
        << QByteArray("NB_MA\t\t3\n0\n1\n2\n") << QStringList{"  -> Nb_SENSORS = 4", ok} << "" << true << "Loin"
        << deux << "_ecart_x = 3.1665e-07   _ecart_y = 2.00234e-07" << 4 << 3 << 0
        << "Graphe [instance], non oriente, 4 sommets [i.txt]";
    // No line of either file begins with a digit or a keyword.
    QByteArray binaire;
    for (int i = 0; i < 1024; ++i)
        binaire.append(char((i * 37) % 256));
    QTest::newRow("fichiers binaires")
        << session_xml("Binaire") << binaire << QByteArray(binaire).replace('\n', '\t')
        << QStringList{ok} << "" << true << "Binaire" << deux
        << "_ecart_x = -0.0103769   _ecart_y = -0.00656188" << 0 << 0 << 0
        << "Graphe [instance], non oriente, 0 sommets [i.txt]";
    QTest::newRow("octets nuls")
        << session_xml("Nuls") << octets("NB_SENSORS 2\nID\n0 1 1 0\0 7 7 7\n1 5 5 0\nSINK\n1\0 2\nEND\n")
        << octets("NB_MA\t\t1\0\t\t5\n0\0 9\n") << QStringList{"  -> Nb_SENSORS = 2", ok} << "" << true
        << "Nuls" << deux << "_ecart_x = 170   _ecart_y = 107.5" << 2 << 0 << 0
        << "Graphe [instance], non oriente, 2 sommets [i.txt]";
    QTest::newRow("fins de ligne CRLF")
        << QByteArray(session_xml("Windows")).replace("\n", "\r\n") << QByteArray(instance_3).replace("\n", "\r\n")
        << QByteArray(solution_3).replace("\n", "\r\n") << QStringList{nb3, ok} << "" << true << "Windows" << deux
        << ecart3 << 3 << 4 << 0 << info3;
    QTest::newRow("session binaire")
        << binaire << instance_3 << solution_3
        << QStringList{"Erreur: le fichier session n'est pas un document XML valide [ligne 1] : "
                       "Encountered incorrectly encoded content.",
                       inst_ko, sol_ko, ok}
        << lu_dossier << true << "Session_1" << QStringList{} << "" << 0 << 0 << 0 << "";
    QTest::newRow("session avec un octet nul")
        << octets("<visual_graphe name=\"a\0b\"><files><param name=\"instance\" path=\"i.txt\"/></files>"
                  "</visual_graphe>")
        << instance_3 << solution_3
        << QStringList{"Erreur: le fichier session n'est pas un document XML valide [ligne 1] : "
                       "Unexpected ''.",
                       inst_ko, sol_ko, ok}
        << lu_dossier << true << "Session_1" << QStringList{} << "" << 0 << 0 << 0 << "";
    QTest::newRow("session tronquee")
        << session_xml("Coupee").left(120) << instance_3 << solution_3
        << QStringList{"Erreur: le fichier session n'est pas un document XML valide [ligne 2] : "
                       "Premature end of document.",
                       nb3, sol_ko, ok}
        << lu_dossier << true << "Coupee" << QStringList{"i:i.txt"} << ecart3 << 3 << 4 << 0 << info3;
}

void tst_entrees_invalides::sessions()
{
    QFETCH(QByteArray, session);
    QFETCH(QByteArray, instance);
    QFETCH(QByteArray, solution);
    QFETCH(QStringList, sortie);
    QFETCH(QString, erreur);
    QFETCH(bool, cree);
    QFETCH(QString, nom);
    QFETCH(QStringList, fichiers);
    QFETCH(QString, ecart);
    QFETCH(int, sommets);
    QFETCH(int, arcs);
    QFETCH(int, nuls);
    QFETCH(QString, info);

    QTemporaryDir dossier;
    const QString dir = QDir(dossier.path()).absolutePath();
    const QString chemin = dossier.filePath("session.vga");
    QVERIFY(ecrire(chemin, session));
    if (!instance.isNull())
        QVERIFY(ecrire(dossier.filePath("i.txt"), instance));
    if (!solution.isNull())
        QVERIFY(ecrire(dossier.filePath("s.txt"), solution));
    QVERIFY(QDir(dir).mkdir("sous"));

    application app;
    app.ouvrir(chemin);
    QStringList attendu{"Ouvrir le fichier : " + chemin};
    for (const QString &ligne : sortie)
        attendu << QString(ligne).replace("%D", dir);
    QCOMPARE(app.lignes(), attendu);
    if (erreur.isEmpty())
        QCOMPARE(app.texte_erreurs(), QString());
    else
        QVERIFY2(app.texte_erreurs().startsWith(QString(erreur).replace("%D", dir)), qPrintable(app.texte_erreurs()));

    QStandardItem *racine = app.ui->treeView->racine();
    QCOMPARE(racine->rowCount(), cree ? 1 : 0);
    if (!cree) {
        // Nothing to show: the commands say so and change nothing.
        for (int facteur : {2, 1})
            app.zoomer(facteur);
        QCOMPARE(app.lignes().count(QStringLiteral("Erreur : non graphe...")), 2);
        QCOMPARE(app.ui->stackedWidget->count(), 2);
        return;
    }
    QStandardItem *item_session = racine->child(0);
    QCOMPARE(item_session->text(), nom);
    QCOMPARE(rangees(item_session), fichiers);

    // The session row's own drawing, as its first page shows it.
    int debut = app.nombre_lignes();
    app.double_cliquer(item_session, true);
    QVERIFY(app.page());
    graphic_view *vue = app.page()->get_graphic_view();
    const QStringList dessin = app.lignes_depuis(debut);
    QCOMPARE(dessin.value(0), QStringLiteral("width=800  height=550"));
    QCOMPARE(dessin.value(1).startsWith("_ecart_x = ") ? dessin.value(1) : QString(), ecart);
    QCOMPARE(int(dessin.count(QStringLiteral("NULL"))), nuls);
    QCOMPARE(int(dessin.size()), 1 + (ecart.isEmpty() ? 0 : 1) + nuls);
    QCOMPARE(int(vue->liste_sommets().size()), sommets);
    QCOMPARE(compter_arcs(vue), arcs);
    QCOMPARE(texte_info(vue), info);
    exercer_page(app, dossier.filePath("session.png"));
    if (QTest::currentTestFailed())
        return;

    for (int i = 0; i < item_session->rowCount(); ++i) {
        app.double_cliquer(item_session->child(i), true);
        QCOMPARE(app.ui->stackedWidget->count(), 4 + i);
        exercer_page(app, dossier.filePath(QStringLiteral("rangee_%1.png").arg(i)));
        if (QTest::currentTestFailed())
            return;
    }

    // Every page comes back as it was left.
    debut = app.nombre_lignes();
    app.double_cliquer(item_session, true);
    QCOMPARE(app.lignes_depuis(debut), QStringList{"fenetre deja existe --> open()"});
    QCOMPARE(app.page()->get_graphic_view(), vue);
}

void tst_entrees_invalides::instance_sans_droit_de_lecture()
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("session.vga");
    const QString instance = dossier.filePath("i.txt");
    QVERIFY(ecrire(chemin, session_xml("Interdite")));
    QVERIFY(ecrire(instance, instance_3));
    QVERIFY(ecrire(dossier.filePath("s.txt"), solution_3));
    QVERIFY(QFile::setPermissions(instance, {}));
    // Root reads it all the same; either way the load must say what it did.
    QFile essai(instance);
    const bool lisible = essai.open(QIODevice::ReadOnly);
    essai.close();

    application app;
    app.ouvrir(chemin);
    QFile::setPermissions(instance, QFile::ReadOwner | QFile::WriteOwner);
    QStandardItem *item_session = app.ui->treeView->racine()->child(0);
    QVERIFY(item_session);
    if (lisible) {
        QCOMPARE(app.lignes().mid(1), (QStringList{"  -> Nb_SENSORS = 3", "  -> Charge OK..."}));
        QCOMPARE(rangees(item_session), (QStringList{"i:i.txt", "s:s.txt"}));
    } else {
        QCOMPARE(app.lignes().mid(1),
                 (QStringList{"Erreur : le format du fichier d'instance..", "  -> Charge OK..."}));
        QVERIFY2(app.texte_erreurs().startsWith("Error: Cannot read file " + instance + ": "),
                 qPrintable(app.texte_erreurs()));
        QCOMPARE(rangees(item_session), QStringList{"s:s.txt"});
    }
    for (QStandardItem *item : {item_session, item_session->child(0)}) {
        app.double_cliquer(item, true);
        exercer_page(app, dossier.filePath("page.png"));
        if (QTest::currentTestFailed())
            return;
    }
}

void tst_entrees_invalides::dossier_au_lieu_de_session()
{
    QTemporaryDir dossier;
    const QString chemin = QDir(dossier.filePath("session.vga")).absolutePath();
    QVERIFY(QDir().mkdir(chemin));

    application app;
    std::cout << "avant" << std::endl;
    QVERIFY(!app.fenetre.charger_session(chemin));
    QCOMPARE(app.lignes(), QStringList{"avant"});
    QVERIFY2(app.texte_erreurs().startsWith("Error: Cannot read file " + chemin + ": "),
             qPrintable(app.texte_erreurs()));
    QCOMPARE(app.ui->treeView->racine()->rowCount(), 0);
    app.ui->action_save_image->trigger();
    QCOMPARE(app.lignes(), (QStringList{"avant", "", "Erreur : non graphe..."}));
}

void tst_entrees_invalides::reseau_maximal()
{
    // 65535 sensors on a 256-wide grid, each linked to the next; one sensor
    // in a hundred is an MA sensor. Only x1 and one zoom: each drawing of
    // it, and emptying it again, takes seconds under the sanitizers.
    const int n = 65535;
    QByteArray instance = "NB_SENSORS 65535\nID\n";
    instance.reserve(n * 24);
    QByteArray ma;
    for (int k = 0; k < n; ++k) {
        const QByteArray ligne = QByteArray::number(k) + ' ' + QByteArray::number(k % 256 * 10) + ' '
                                 + QByteArray::number(k / 256 * 10);
        if (k + 1 < n)
            instance += ligne + " 1 " + QByteArray::number(k + 1) + '\n';
        else
            instance += ligne + " 0\n";
        if (k % 100 == 0)
            ma += QByteArray::number(k) + '\n';
    }
    instance += "SINK\n0\nEND\n";
    const QByteArray solution = "NB_MA\t\t" + QByteArray::number(n / 100 + 1) + '\n' + ma + "NB_BR\t\t2\n1 65534\n";

    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("grand.vga");
    QVERIFY(ecrire(chemin, session_xml("Grand")));
    QVERIFY(ecrire(dossier.filePath("i.txt"), instance));
    QVERIFY(ecrire(dossier.filePath("s.txt"), solution));

    application app;
    QVERIFY(app.fenetre.charger_session(chemin));
    QCOMPARE(app.lignes(), (QStringList{"  -> Nb_SENSORS = 65535", "  -> Charge OK..."}));
    QStandardItem *item_session = app.ui->treeView->racine()->child(0);
    QCOMPARE(rangees(item_session), (QStringList{"i:i.txt", "s:s.txt"}));

    app.double_cliquer(item_session->child(0), true);
    graphic_view *vue = app.page()->get_graphic_view();
    QCOMPARE(int(vue->liste_sommets().size()), n);
    QCOMPARE(compter_arcs(vue), n - 1);
    QCOMPARE(texte_info(vue), QStringLiteral("Graphe [instance], non oriente, 65535 sommets [i.txt]"));
    glisser(app, vue);
    if (QTest::currentTestFailed())
        return;
    const QString image = dossier.filePath("grand.png");
    QVERIFY(app.page()->exporter_image(image));
    QCOMPARE(QImage(image).size(), QSize(800, 550));

    app.zoomer(2);
    QCOMPARE(int(vue->liste_sommets().size()), n);
    QCOMPARE(compter_arcs(vue), n - 1);
    QCOMPARE(vue->scene()->sceneRect(), QRectF(0, 0, 1200, 825));
}

QTEST_MAIN(tst_entrees_invalides)
#include "tst_entrees_invalides.moc"
