#include "capture_flux.h"
#include "constructeur_scene.h"
#include "ecriture_image.h"
#include "graphic_view.h"
#include "peintre_items.h"
#include "session_graphe.h"

#include <QFile>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString exemples = QStringLiteral(VG_EXAMPLES_DIR);
}

class tst_ecriture_image : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void raisons_data();
    void raisons();
    void pixels_de_la_scene_data();
    void pixels_de_la_scene();

private:
    session_graphe _session;
};

void tst_ecriture_image::initTestCase()
{
    capture_flux console;
    QVERIFY(_session.lire_instance(exemples + "/deploiement_300.txt"));
    QVERIFY(_session.lire_solution(exemples + "/deploiement_300_sol.txt"));
}

void tst_ecriture_image::raisons_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("raison");
    QTest::newRow("ecrit") << "g.png" << "";
    QTest::newRow("dossier absent") << "absent/g.png" << "le dossier n'existe pas";
    QTest::newRow("dossier qui est un fichier") << "existant.png/g.png" << "le dossier est un fichier";
    QTest::newRow("format inconnu") << "g.xyz" << "le format « .xyz » est inconnu";
    QTest::newRow("sans suffixe") << "g" << "le nom ne dit pas le format";
}

void tst_ecriture_image::raisons()
{
    QFETCH(QString, nom);
    QFETCH(QString, raison);
    QTemporaryDir dossier;
    const QString existant = dossier.filePath("existant.png");
    QFile f(existant);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write("avant") == 5);
    f.close();
    graphic_view vue;
    QString pourquoi;
    const bool ecrit = ecrire_image(vue.scene(), dossier.filePath(nom), 1, &pourquoi);
    QCOMPARE(pourquoi, raison);
    QCOMPARE(ecrit, raison.isEmpty());
    QCOMPARE(QFile::exists(dossier.filePath(nom)), ecrit);
    // Nothing is left beside the file either.
    QCOMPARE(QDir(dossier.path()).entryList(QDir::Files).size(), ecrit ? 2 : 1);
}

void tst_ecriture_image::pixels_de_la_scene_data()
{
    QTest::addColumn<int>("type_graphe");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("pixels_par_unite");
    QTest::newRow("instance x1") << 1 << 1 << 1;
    QTest::newRow("solution x2") << 2 << 2 << 1;
    QTest::newRow("solution x1, deux pixels par unite") << 2 << 1 << 2;
}

void tst_ecriture_image::pixels_de_la_scene()
{
    QFETCH(int, type_graphe);
    QFETCH(int, zoom);
    QFETCH(int, pixels_par_unite);
    capture_flux console;
    graphic_view vue;
    vue.set_zoom(zoom);
    construire_scene(&vue, &_session, type_graphe);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("g.png");
    QVERIFY(ecrire_image(vue.scene(), chemin, pixels_par_unite));

    // The picture is the scene as Qt itself renders it, item by item.
    QImage attendue(vue.largeur_scene() * pixels_par_unite, vue.hauteur_scene() * pixels_par_unite, QImage::Format_RGB32);
    attendue.fill(Qt::white);
    QPainter peintre(&attendue);
    vue.scene()->render(&peintre);
    peintre.end();
    QCOMPARE(QImage(chemin).convertToFormat(QImage::Format_RGB32), attendue);
}

QTEST_MAIN(tst_ecriture_image)
#include "tst_ecriture_image.moc"
