#include "aire_dessin.h"
#include "capture_flux.h"
#include "constructeur_dessin.h"
#include "generateur_reseau.h"
#include "graphe_solution.h"
#include "lecture_fichier.h"
#include "liste_dessin.h"
#include "rendu_dessin.h"
#include "session_graphe.h"
#include "sujet_session.h"
#include "tuiles_dessin.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString exemples = QStringLiteral(VG_EXAMPLES_DIR);

// The drawing's list painted tile by tile by the screen's tiles, on their
// worker threads, and put together.
QImage en_tuiles(const std::shared_ptr<const liste_dessin> &liste)
{
    tuiles_dessin tuiles;
    tuiles.installer(liste);
    const std::vector<QPoint> toutes = liste_dessin::tuiles(QRect(QPoint(0, 0), liste->aire()), liste->aire());
    tuiles.preparer(toutes);
    QImage image(liste->aire(), QImage::Format_RGB32);
    QPainter peintre(&image);
    for (const QPoint &t : toutes)
        peintre.drawImage(liste_dessin::rectangle_tuile(t).topLeft(), tuiles.image(t));
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

class tst_rendu_dessin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tuiles_comme_le_tout_data();
    void tuiles_comme_le_tout();

private:
    QTemporaryDir _dossier;
    session_graphe _exemple;
    session_graphe _grand;
    std::unique_ptr<graphe_solution> _b;
};

void tst_rendu_dessin::initTestCase()
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

void tst_rendu_dessin::tuiles_comme_le_tout_data()
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

// Tiles put side by side are the whole image: both come from the renderer,
// and an entry that a tile's index lacks shows.
void tst_rendu_dessin::tuiles_comme_le_tout()
{
    QFETCH(int, dessin);
    QFETCH(int, zoom);
    capture_flux console;
    session_graphe *session = dessin == 3 ? &_grand : &_exemple;
    const sujet_dessin sujet = sujet_de(session, dessin == 0 ? 1 : 2, dessin == 2 ? _b.get() : nullptr);
    const ::dessin d = construire_dessin(sujet, aire_dessin::taille(zoom), QGuiApplication::font(), 96);
    d.liste->indexer();
    const QImage tout = rendu_dessin::image(*d.liste, 1);
    const QImage tuiles = en_tuiles(d.liste);
    QVERIFY2(tuiles == tout, qPrintable(differences(tuiles, tout)));
}

QTEST_MAIN(tst_rendu_dessin)
#include "tst_rendu_dessin.moc"
