#include "empreinte_forme.h"
#include "forme_sommet.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

class tst_empreinte_forme : public QObject
{
    Q_OBJECT

private slots:
    void comme_le_peintre_data();
    void comme_le_peintre();
};

void tst_empreinte_forme::comme_le_peintre_data()
{
    QTest::addColumn<QColor>("fond");
    QTest::addColumn<QPoint>("coin");
    QTest::addColumn<bool>("utilisable");
    const QColor blanc_casse(244, 244, 244);
    QTest::newRow("dedans") << blanc_casse << QPoint(20, 15) << true;
    QTest::newRow("coupe a gauche et en haut") << QColor(0, 128, 0) << QPoint(-9, -14) << true;
    QTest::newRow("coupe a droite et en bas") << QColor(173, 255, 47) << QPoint(50, 30) << true;
    QTest::newRow("hors de l'image") << blanc_casse << QPoint(70, 40) << true;
    // A translucent fill blends with what lies under it: left to the painter.
    QTest::newRow("fond translucide") << QColor(0, 114, 178, 100) << QPoint(20, 15) << false;
}

// Copied where a vertex stands, the circle leaves the pixels the painter
// leaves when it paints it there, cut at the image's edges.
void tst_empreinte_forme::comme_le_peintre()
{
    QFETCH(QColor, fond);
    QFETCH(QPoint, coin);
    QFETCH(bool, utilisable);
    const QPen contour(QColor(0, 51, 102));
    const empreinte_forme empreinte(contour, QBrush(fond));
    QCOMPARE(empreinte.utilisable(), utilisable);
    if (!utilisable)
        return;
    QImage attendue(64, 48, QImage::Format_RGB32);
    attendue.fill(Qt::white);
    QImage posee = attendue;
    QPainter peintre(&attendue);
    peintre.translate(coin);
    peintre.setPen(contour);
    peintre.setBrush(fond);
    peintre.drawEllipse(QRectF(0, 0, forme_sommet::diametre, forme_sommet::diametre));
    peintre.end();
    empreinte.poser(posee, coin);
    QCOMPARE(posee, attendue);
}

QTEST_MAIN(tst_empreinte_forme)
#include "tst_empreinte_forme.moc"
