#include "capture_flux.h"
#include "constructeur_scene.h"
#include "coord_sommet.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "graphe_visualisateur.h"
#include "graphic_item_sommet.h"
#include "graphic_view.h"
#include "lecture_fichier.h"
#include "liste_dessin.h"
#include "rendu_dessin.h"
#include "session_graphe.h"
#include "sujet_session.h"

#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QImageReader>
#include <QGraphicsScene>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// Instance of three sensors; the sink's number is drawn in red.
std::unique_ptr<session_graphe> petite_session()
{
    auto session = std::make_unique<session_graphe>();
    session->instance() = std::make_unique<graphe_instance>();
    graphe_instance &instance = *session->instance();
    instance.nb_sensors() = 3;
    const int xy[3][2] = {{0, 0}, {100, 50}, {40, 20}};
    for (const auto &p : xy) {
        instance.positions().push_back(std::make_unique<coord_sommet>(p[0], p[1]));
        instance.voisins().push_back(std::make_unique<graphe_instance::liste_voisins>(
            graphe_instance::liste_voisins{0, 1}));
    }
    instance.sink() = 2;
    instance.nom_fichier() = QStringLiteral("g3.txt");
    return session;
}

void dessiner(graphe_visualisateur &fenetre, session_graphe &session, int facteur)
{
    capture_flux console;
    graphic_view *vue = fenetre.get_graphic_view();
    vue->vider();
    vue->set_zoom(facteur);
    construire_scene(vue, sujet_de(&session, 1));
}

bool blanc(QRgb pixel)
{
    return qRed(pixel) >= 250 && qGreen(pixel) >= 250 && qBlue(pixel) >= 250;
}

// Runs the action on the save dialog once it is up, from inside its own
// event loop.
void quand_le_dialogue_est_ouvert(const std::function<void(QFileDialog *)> &action, int essais = 200)
{
    QTimer::singleShot(20, [action, essais] {
        auto *dialogue = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (dialogue)
            action(dialogue);
        else if (essais > 0)
            quand_le_dialogue_est_ouvert(action, essais - 1);
    });
}

} // namespace

class tst_graphe_visualisateur : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exportation_data();
    void exportation();
    void numero_dans_le_cercle();
    void page_sans_vue();
    void memes_pixels_que_les_items_data();
    void memes_pixels_que_les_items();
    void dialogue_de_sauvegarde_data();
    void dialogue_de_sauvegarde();
};

void tst_graphe_visualisateur::initTestCase()
{
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

void tst_graphe_visualisateur::exportation_data()
{
    QTest::addColumn<int>("facteur");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("taille");
    QTest::newRow("x1 png") << 1 << "g.png" << QByteArray("png") << QSize(800, 550);
    QTest::newRow("x2 png") << 2 << "g.png" << QByteArray("png") << QSize(1200, 825);
    QTest::newRow("x1 bmp") << 1 << "g.BMP" << QByteArray("bmp") << QSize(800, 550);
    QTest::newRow("x2 bmp") << 2 << "g.bmp" << QByteArray("bmp") << QSize(1200, 825);
    QTest::newRow("x1 jpg") << 1 << "g.jpg" << QByteArray("jpeg") << QSize(800, 550);
    QTest::newRow("x1 jpeg") << 1 << "g.JPEG" << QByteArray("jpeg") << QSize(800, 550);
    QTest::newRow("x1 tif") << 1 << "g.Tif" << QByteArray("tiff") << QSize(800, 550);
    QTest::newRow("x2 tiff") << 2 << "g.tiff" << QByteArray("tiff") << QSize(1200, 825);
}

void tst_graphe_visualisateur::exportation()
{
    QFETCH(int, facteur);
    QFETCH(QString, nom);
    QFETCH(QByteArray, format);
    QFETCH(QSize, taille);
    QTemporaryDir dossier;
    QVERIFY(dossier.isValid());
    graphe_visualisateur fenetre;
    auto session = petite_session();
    dessiner(fenetre, *session, facteur);

    const QString chemin = dossier.filePath(nom);
    QVERIFY(fenetre.exporter_image(chemin));
    QImageReader lecteur(chemin);
    QCOMPARE(lecteur.format(), format);
    const QImage image = lecteur.read();
    QCOMPARE(image.size(), taille);
    // Corners hold no item: the background is white, not transparent.
    for (const QPoint &coin : {QPoint(0, taille.height() - 1), QPoint(taille.width() - 1, 0),
                               QPoint(taille.width() - 1, taille.height() - 1)}) {
        QVERIFY2(blanc(image.pixel(coin)), qPrintable(QStringLiteral("%1,%2").arg(coin.x()).arg(coin.y())));
        QCOMPARE(qAlpha(image.pixel(coin)), 255);
    }
}

void tst_graphe_visualisateur::numero_dans_le_cercle()
{
    QTemporaryDir dossier;
    graphe_visualisateur fenetre;
    auto session = petite_session();
    dessiner(fenetre, *session, 1);
    const QString chemin = dossier.filePath(QStringLiteral("g.png"));
    QVERIFY(fenetre.exporter_image(chemin));
    const QImage image(chemin);
    const QPoint coin = fenetre.get_graphic_view()->liste_sommets()[2]->pos().toPoint();
    int rouges = 0;
    for (int y = coin.y(); y < coin.y() + 22; ++y)
        for (int x = coin.x(); x < coin.x() + 22; ++x) {
            const QRgb p = image.pixel(x, y);
            rouges += qRed(p) > 150 && qGreen(p) < 90 && qBlue(p) < 90;
        }
    QVERIFY(rouges > 0);
}

void tst_graphe_visualisateur::page_sans_vue()
{
    QTemporaryDir dossier;
    graphe_visualisateur fenetre;
    fenetre.stackedWidget->setCurrentIndex(1);
    const QString chemin = dossier.filePath(QStringLiteral("g.png"));
    QVERIFY(!fenetre.exporter_image(chemin));
    QVERIFY(!QFile::exists(chemin));
}

void tst_graphe_visualisateur::memes_pixels_que_les_items_data()
{
    QTest::addColumn<int>("type_graphe");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("pixels_par_unite");
    QTest::newRow("instance x1") << 1 << 1 << 1;
    QTest::newRow("solution x2") << 2 << 2 << 1;
    QTest::newRow("comparaison x1") << 3 << 1 << 1;
    QTest::newRow("solution x1, deux pixels par unite") << 2 << 1 << 2;
}

// The page's items, made from its list and painted by Qt as a scene without
// a list paints them, give the saved picture's pixels: the model the user
// drags and looks up is the picture saved.
void tst_graphe_visualisateur::memes_pixels_que_les_items()
{
    QFETCH(int, type_graphe);
    QFETCH(int, zoom);
    QFETCH(int, pixels_par_unite);
    const QString exemple = QStringLiteral(VG_EXAMPLES_DIR "/deploiement_300");
    capture_flux console;
    session_graphe session;
    QVERIFY(session.lire_instance(exemple + ".txt") && session.lire_solution(exemple + "_sol.txt"));
    const fichier_lu<graphe_solution> b = lire_fichier_solution(exemple + "_sol_b.txt");
    graphe_visualisateur fenetre;
    graphic_view *vue = fenetre.get_graphic_view();
    vue->set_zoom(zoom);
    construire_scene(vue, sujet_de(&session, type_graphe, type_graphe == 3 ? b.contenu.get() : nullptr));

    QImage items(vue->largeur_scene() * pixels_par_unite, vue->hauteur_scene() * pixels_par_unite,
                 QImage::Format_RGB32);
    items.fill(Qt::white);
    QPainter peintre(&items);
    vue->scene()->render(&peintre);
    peintre.end();
    if (pixels_par_unite == 1) {
        QTemporaryDir dossier;
        QVERIFY(fenetre.exporter_image(dossier.filePath("page.png")));
        QCOMPARE(QImage(dossier.filePath("page.png")).convertToFormat(QImage::Format_RGB32), items);
    } else {
        QCOMPARE(rendu_dessin::image(*vue->liste(), pixels_par_unite), items);
    }
}

void tst_graphe_visualisateur::dialogue_de_sauvegarde_data()
{
    QTest::addColumn<QString>("saisie");
    QTest::addColumn<QString>("filtre");
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("nom complet") << "image.png" << QString() << "image.png" << QByteArray("png");
    QTest::newRow("suffixe autre que le filtre") << "image.jpg" << QString() << "image.jpg" << QByteArray("jpeg");
    QTest::newRow("sans suffixe, filtre preselectionne") << "image" << QString() << "image.png" << QByteArray("png");
    QTest::newRow("sans suffixe, filtre BMP") << "image" << "BMP(*.BMP)" << "image.bmp" << QByteArray("bmp");
    QTest::newRow("sans suffixe, filtre JPG") << "image" << "JPG(*.JPG;*.JPEG)" << "image.jpg" << QByteArray("jpeg");
    QTest::newRow("sans suffixe, filtre TIFF") << "image" << "TIFF(*.Tif;*.TIFF)" << "image.tif" << QByteArray("tiff");
    // The filters stay raster ones; a vector name is written as one.
    QTest::newRow("nom en svg") << "image.svg" << QString() << "image.svg" << QByteArray("svg");
    QTest::newRow("nom en pdf") << "image.Pdf" << QString() << "image.Pdf" << QByteArray("pdf");
    QTest::newRow("annule") << QString() << QString() << QString() << QByteArray();
}

void tst_graphe_visualisateur::dialogue_de_sauvegarde()
{
    QFETCH(QString, saisie);
    QFETCH(QString, filtre);
    QFETCH(QString, fichier);
    QFETCH(QByteArray, format);
    QTemporaryDir dossier;
    QVERIFY(dossier.isValid());
    graphe_visualisateur fenetre;
    auto session = petite_session();
    dessiner(fenetre, *session, 1);

    QString titre, filtre_initial;
    QStringList filtres;
    bool vu = false;
    quand_le_dialogue_est_ouvert([&](QFileDialog *dialogue) {
        vu = true;
        titre = dialogue->windowTitle();
        filtres = dialogue->nameFilters();
        filtre_initial = dialogue->selectedNameFilter();
        if (saisie.isEmpty()) {
            dialogue->reject();
            return;
        }
        if (!filtre.isEmpty())
            dialogue->selectNameFilter(filtre);
        auto *champ = dialogue->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (champ)
            champ->setText(dossier.filePath(saisie));
        static_cast<QDialog *>(dialogue)->accept();
    });
    capture_flux console;
    fenetre.sauvegarder_image();
    const QStringList lignes = console.lignes();

    QVERIFY(vu);
    QCOMPARE(titre, QStringLiteral("Sauvegarder une image"));
    const QStringList attendus{QStringLiteral("BMP(*.BMP)"), QStringLiteral("JPG(*.JPG;*.JPEG)"),
                               QStringLiteral("PNG(*.PNG)"), QStringLiteral("TIFF(*.Tif;*.TIFF)")};
    QCOMPARE(filtres, attendus);
    QCOMPARE(filtre_initial, QStringLiteral("PNG(*.PNG)"));
    if (fichier.isEmpty()) {
        QCOMPARE(lignes, QStringList{QStringLiteral("sauvegarder donnees")});
        QVERIFY(QDir(dossier.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
        return;
    }
    const QString chemin = dossier.filePath(fichier);
    QCOMPARE(lignes, (QStringList{QStringLiteral("sauvegarder donnees"), chemin}));
    if (format == "pdf") {
        QFile pdf(chemin);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QCOMPARE(pdf.read(5), QByteArray("%PDF-"));
        return;
    }
    QImageReader lecteur(chemin);
    QCOMPARE(lecteur.format(), format);
    // Qt reads an SVG's millimetres at 90 dpi, not at the screen's.
    if (format != "svg")
        QCOMPARE(lecteur.size(), QSize(800, 550));
}

QTEST_MAIN(tst_graphe_visualisateur)
#include "tst_graphe_visualisateur.moc"
