#include "application_test.h"
#include "debug_stream.h"
#include "format_reseau.h"
#include "graphe_visualisateur.h"
#include "graphic_item_arc.h"
#include "graphic_item_sommet.h"
#include "graphic_view.h"
#include "liste_graphe.h"
#include "mainwindow.h"
#include "repondre_dialogue.h"
#include "reseaux_invalides.h"
#include "sessions_invalides.h"
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
    void reseau_data();
    void reseau();
    void instance_sans_droit_de_lecture();
    void dossier_au_lieu_de_session();
    void reseau_maximal();
};

void tst_entrees_invalides::sessions_data()
{
    table_sessions_invalides();
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

void tst_entrees_invalides::reseau_data()
{
    table_reseaux_invalides();
}

// A bad network file: its reason on standard error and in the console's
// "Erreur" line, no session, no file made.
void tst_entrees_invalides::reseau()
{
    QFETCH(QString, nom);
    QFETCH(QByteArray, contenu);
    QFETCH(QString, raison);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(nom);
    QVERIFY(ecrire(chemin, contenu));
    application app;
    app.ouvrir(chemin);
    const QString format = nom_format(format_reseau_du_nom(nom));
    QCOMPARE(app.lignes(), (QStringList{"Ouvrir le fichier : " + chemin,
                                        "Erreur : le fichier " + format + " n'a pas pu être lu : " + raison}));
    QCOMPARE(app.texte_erreurs(), raison + '\n');
    QCOMPARE(app.ui->treeView->racine()->rowCount(), 0);
    QCOMPARE(QDir(dossier.path()).entryList(QDir::Files), QStringList{nom});
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
