#include "aire_dessin.h"
#include "barre_echelle.h"
#include "echelle_dessin.h"

#include <QtTest>

#include <cmath>

class tst_echelle_dessin : public QObject
{
    Q_OBJECT

private slots:
    void aller_retour_data();
    void aller_retour();
    void longueur_ronde_data();
    void longueur_ronde();
};

void tst_echelle_dessin::aller_retour_data()
{
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("min_x");
    QTest::addColumn<int>("max_x");
    QTest::addColumn<int>("min_y");
    QTest::addColumn<int>("max_y");
    QTest::newRow("petit champ, x1") << 1 << 10 << 50 << 20 << 60;
    QTest::newRow("grand champ, x1") << 1 << 0 << 10000 << 0 << 10000;
    QTest::newRow("grand champ, x16") << 16 << 0 << 10000 << 0 << 10000;
    QTest::newRow("coordonnees negatives") << 2 << -5000 << 300 << -70 << -3;
    QTest::newRow("tous sur une ligne") << 4 << 7 << 7 << 0 << 900;
}

void tst_echelle_dessin::aller_retour()
{
    QFETCH(int, zoom);
    QFETCH(int, min_x);
    QFETCH(int, max_x);
    QFETCH(int, min_y);
    QFETCH(int, max_y);
    const double s = aire_dessin::agrandissement(zoom);
    const int largeur = int(s * aire_dessin::largeur);
    const int hauteur = int(s * aire_dessin::hauteur);
    auto ecart = [](int etendue, int a, int b) { return a == b ? 0.0f : float(double(etendue) / double(b - a)); };
    const echelle_dessin e(min_x, min_y, ecart(largeur - echelle_dessin::reserve_sommets, min_x, max_x),
                           ecart(hauteur - echelle_dessin::reserve_sommets, min_y, max_y), hauteur);
    // What the truncation to whole scene units may lose, in sensor units.
    const double pas_x = e.ecart_x() ? 1.0 / e.ecart_x() : 0.0;
    const double pas_y = e.ecart_y() ? 1.0 / e.ecart_y() : 0.0;
    for (int i = 0; i <= 10; ++i) {
        const int x = min_x + (max_x - min_x) * i / 10;
        const int y = min_y + (max_y - min_y) * (10 - i) / 10;
        const QPoint coin = e.coin_sommet(x, y);
        // The vertices stay inside the frame.
        QVERIFY(coin.x() >= echelle_dessin::decalage_sommets && coin.x() <= largeur - 71);
        QVERIFY(coin.y() >= echelle_dessin::decalage_sommets && coin.y() <= hauteur - 71);
        const QPointF centre = coin + QPointF(echelle_dessin::diametre_sommet, echelle_dessin::diametre_sommet) / 2;
        const echelle_dessin::point_capteurs retour = e.en_capteurs(centre);
        QVERIFY2(std::abs(retour.x - x) <= pas_x + 0.5 && std::abs(retour.y - y) <= pas_y + 0.5,
                 qPrintable(QStringLiteral("(%1, %2) gives back (%3, %4)").arg(x).arg(y).arg(retour.x).arg(retour.y)));
    }
}

// The scale bar's length: the longest 1, 2 or 5 times a power of ten.
void tst_echelle_dessin::longueur_ronde_data()
{
    QTest::addColumn<double>("au_plus");
    QTest::addColumn<double>("longueur");
    QTest::newRow("juste une puissance de dix") << 1000.0 << 1000.0;
    QTest::newRow("entre 2 et 5") << 4999.0 << 2000.0;
    QTest::newRow("au-dessus de 5") << 9.99 << 5.0;
    QTest::newRow("sous l'unite") << 0.037 << 0.02;
    QTest::newRow("nul") << 0.0 << 0.0;
    QTest::newRow("negatif") << -3.0 << 0.0;
}

void tst_echelle_dessin::longueur_ronde()
{
    QFETCH(double, au_plus);
    QFETCH(double, longueur);
    QCOMPARE(barre_echelle::longueur_ronde(au_plus), longueur);
}

QTEST_APPLESS_MAIN(tst_echelle_dessin)
#include "tst_echelle_dessin.moc"
