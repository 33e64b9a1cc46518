#include "capture_flux.h"
#include "constructeur_scene.h"
#include "generateur_reseau.h"
#include "graphe_solution.h"
#include "graphic_view.h"
#include "lecture_fichier.h"
#include "liste_dessin.h"
#include "rendu_tuile.h"
#include "session_graphe.h"
#include "traceur_lignes.h"
#include "tuiles_dessin.h"

#include <QFile>
#include <QGraphicsScene>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString exemples = QStringLiteral(VG_EXAMPLES_DIR);

// The scene painted whole, as an export paints it.
QImage entiere(graphic_view &vue)
{
    QImage image(vue.largeur_scene(), vue.hauteur_scene(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter peintre(&image);
    vue.scene()->render(&peintre);
    return image;
}

// The drawing's list painted tile by tile and put together.
QImage en_tuiles(const liste_dessin &liste)
{
    QImage image(liste.aire(), QImage::Format_RGB32);
    QPainter peintre(&image);
    for (int r = 0; r < liste.rangees(); ++r)
        for (int c = 0; c < liste.colonnes(); ++c)
            peintre.drawImage(liste_dessin::rectangle_tuile(QPoint(c, r)).topLeft(), rendre_tuile(liste, QPoint(c, r)));
    return image;
}

QString differences(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return QStringLiteral("sizes differ");
    int n = 0;
    QPoint premier;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && n++ == 0)
                premier = QPoint(x, y);
    return QStringLiteral("%1 pixels differ, first at (%2, %3)").arg(n).arg(premier.x()).arg(premier.y());
}

} // namespace

class tst_rendu_tuile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tuiles_comme_le_tout_data();
    void tuiles_comme_le_tout();
    void seules_les_tuiles_touchees();
    void traceur_comme_qpainter_data();
    void traceur_comme_qpainter();

private:
    QTemporaryDir _dossier;
    session_graphe _exemple;
    session_graphe _grand;
    std::unique_ptr<graphe_solution> _b;
};

void tst_rendu_tuile::initTestCase()
{
    capture_flux console;
    QVERIFY(_exemple.lire_instance(exemples + "/deploiement_300.txt"));
    QVERIFY(_exemple.lire_solution(exemples + "/deploiement_300_sol.txt"));
    _b = std::move(lire_fichier_solution(exemples + "/deploiement_300_sol_b.txt").contenu);
    QVERIFY(_b);
    // Five-digit numbers, whose glyphs run past the circles and across tiles.
    parametres_reseau p;
    p.nb_capteurs = 10500;
    p.degre_moyen = 6.0;
    p.graine = 3;
    const reseau_genere reseau = generer_reseau(p);
    for (const auto &[nom, octets] : {std::pair{"r.txt", reseau.instance}, std::pair{"r_sol.txt", reseau.solution}}) {
        QFile f(_dossier.filePath(nom));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size());
    }
    QVERIFY(_grand.lire_instance(_dossier.filePath("r.txt")));
    QVERIFY(_grand.lire_solution(_dossier.filePath("r_sol.txt")));
}

void tst_rendu_tuile::tuiles_comme_le_tout_data()
{
    QTest::addColumn<int>("dessin");
    QTest::addColumn<int>("zoom");
    enum { instance, solution, comparaison, grand };
    for (int zoom : {1, 2, 4, 8, 16}) {
        const QByteArray x = " x" + QByteArray::number(zoom);
        QTest::newRow("instance" + x) << int(instance) << zoom;
        QTest::newRow("solution" + x) << int(solution) << zoom;
    }
    QTest::newRow("comparaison x2") << int(comparaison) << 2;
    QTest::newRow("comparaison x8") << int(comparaison) << 8;
    QTest::newRow("10500 capteurs x1") << int(grand) << 1;
    QTest::newRow("10500 capteurs x4") << int(grand) << 4;
}

void tst_rendu_tuile::tuiles_comme_le_tout()
{
    QFETCH(int, dessin);
    QFETCH(int, zoom);
    capture_flux console;
    graphic_view vue;
    vue.set_zoom(zoom);
    if (dessin == 2)
        construire_comparaison(&vue, &_exemple, _b.get());
    else
        construire_scene(&vue, dessin == 3 ? &_grand : &_exemple, dessin == 0 ? 1 : 2);
    const QImage tout = entiere(vue);
    const QImage tuiles = en_tuiles(*vue.tuiles().liste());
    QVERIFY2(tuiles == tout, qPrintable(differences(tuiles, tout)));
}

void tst_rendu_tuile::seules_les_tuiles_touchees()
{
    capture_flux console;
    graphic_view vue;
    vue.resize(600, 400);
    vue.set_zoom(4);
    construire_scene(&vue, &_exemple, 2);
    vue.show();
    QVERIFY(QTest::qWaitForWindowExposed(&vue));
    QWidget *zone = vue.viewport();
    // What is shown and what is rendered ahead around it, all kept.
    zone->repaint();
    vue.tuiles().attendre();
    const tuiles_dessin::bilan &chiffres = vue.tuiles().chiffres();
    const std::int64_t rendues = chiffres.rendues;
    QVERIFY(rendues >= 6);

    // The same picture again renders nothing.
    zone->repaint();
    QCOMPARE(chiffres.rendues, rendues);

    // The vertex nearest the view's middle, dragged a little way: its
    // ghost is painted over the tiles, which stay as they are.
    graphic_item_sommet *sommet = nullptr;
    for (graphic_item_sommet *s : vue.liste_sommets())
        if (!sommet || (s->pos() - vue.mapToScene(zone->rect().center())).manhattanLength()
                           < (sommet->pos() - vue.mapToScene(zone->rect().center())).manhattanLength())
            sommet = s;
    const QPoint depart = vue.mapFromScene(sommet->pos() + QPointF(11, 11));
    QTest::mousePress(zone, Qt::LeftButton, {}, depart);
    for (int pas = 1; pas <= 5; ++pas) {
        QTest::mouseMove(zone, depart + QPoint(7 * pas, 5 * pas));
        zone->repaint();
    }
    QCOMPARE(chiffres.rendues, rendues);

    // Released: only the tiles under its old and new places and its arcs
    // are rendered again.
    std::vector<QPoint> touchees;
    vue.tuiles().liste()->deplacer(std::uint32_t(sommet->id()), sommet->pos().toPoint() + QPoint(35, 25), touchees);
    QTest::mouseRelease(zone, Qt::LeftButton, {}, depart + QPoint(35, 25));
    zone->repaint();
    vue.tuiles().attendre();
    QVERIFY(chiffres.rendues > rendues);
    QVERIFY(chiffres.rendues - rendues <= std::int64_t(touchees.size()));
    QVERIFY(std::int64_t(touchees.size()) < rendues);
}

void tst_rendu_tuile::traceur_comme_qpainter_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("alpha");
    QTest::newRow("plein, opaque") << int(Qt::SolidLine) << 255;
    QTest::newRow("plein, translucide") << int(Qt::SolidLine) << 150;
    QTest::newRow("pointille, translucide") << int(Qt::DotLine) << 150;
    QTest::newRow("tirets, opaque") << int(Qt::DashLine) << 255;
}

// Lines of every length and slope, both ways, points included: the tracer
// leaves the pixels QPainter leaves on the whole image.
void tst_rendu_tuile::traceur_comme_qpainter()
{
    QFETCH(int, style);
    QFETCH(int, alpha);
    const QSize taille(300, 200);
    QRandomGenerator hasard(quint32(style * 1000 + alpha));
    for (int essai = 0; essai < 300; ++essai) {
        const QPoint a(hasard.bounded(taille.width()), hasard.bounded(taille.height()));
        const QPoint b = essai % 3 ? QPoint(hasard.bounded(taille.width()), hasard.bounded(taille.height()))
                                   : a + QPoint(hasard.bounded(-4, 5), hasard.bounded(-4, 5));
        QPen stylo(QColor(hasard.bounded(256), hasard.bounded(256), hasard.bounded(256), alpha));
        stylo.setStyle(Qt::PenStyle(style));
        QImage attendue(taille, QImage::Format_RGB32);
        attendue.fill(Qt::white);
        QPainter peintre(&attendue);
        peintre.setPen(stylo);
        peintre.drawLine(QLineF(a, b));
        peintre.end();
        QImage tracee(taille, QImage::Format_RGB32);
        tracee.fill(Qt::white);
        traceur_lignes(tracee, QPoint(0, 0)).tracer(QLine(a, b), traceur_lignes::stylo(stylo));
        QVERIFY2(tracee == attendue, qPrintable(QStringLiteral("(%1, %2) to (%3, %4): %5")
                                                    .arg(a.x()).arg(a.y()).arg(b.x()).arg(b.y())
                                                    .arg(differences(tracee, attendue))));
    }
}

QTEST_MAIN(tst_rendu_tuile)
#include "tst_rendu_tuile.moc"
