#include "zoom_molette.h"

#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>

class tst_zoom_molette : public QObject
{
    Q_OBJECT

private slots:
    void crans_data();
    void crans();
};

void tst_zoom_molette::crans_data()
{
    QTest::addColumn<QList<int>>("deltas");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<QList<int>>("sens");
    QTest::newRow("un cran en avant") << QList<int>{120} << true << QList<int>{1};
    QTest::newRow("deux crans en arriere d'un coup") << QList<int>{-240} << true << QList<int>{-1, -1};
    QTest::newRow("demi-crans d'une molette fine") << QList<int>{60, 30, 30} << true << QList<int>{1};
    QTest::newRow("moins d'un cran") << QList<int>{100} << true << QList<int>{};
    QTest::newRow("aller et retour") << QList<int>{80, -80, 120} << true << QList<int>{1};
    QTest::newRow("sans ctrl, le defilement") << QList<int>{120} << false << QList<int>{};
}

// Ctrl with the wheel: one zoom step a whole notch, what is less waiting
// for the next turn; without Ctrl the wheel is left to scroll.
void tst_zoom_molette::crans()
{
    QFETCH(QList<int>, deltas);
    QFETCH(bool, ctrl);
    QFETCH(QList<int>, sens);
    zoom_molette molette;
    QSignalSpy demandes(&molette, &zoom_molette::demande);
    const QPointF point(40, 30);
    for (int delta : deltas) {
        QWheelEvent evenement(point, point, QPoint(), QPoint(0, delta), Qt::NoButton,
                              ctrl ? Qt::ControlModifier : Qt::NoModifier, Qt::NoScrollPhase, false);
        QCOMPARE(molette.recevoir(&evenement), ctrl);
    }
    QList<int> obtenus;
    for (const QList<QVariant> &demande : demandes) {
        obtenus << demande.at(0).toInt();
        QCOMPARE(demande.at(1).toPoint(), point.toPoint());
    }
    QCOMPARE(obtenus, sens);
}

QTEST_MAIN(tst_zoom_molette)
#include "tst_zoom_molette.moc"
