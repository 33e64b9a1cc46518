#include "traceur_lignes.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

class tst_traceur_lignes : public QObject
{
    Q_OBJECT

private slots:
    void comme_qpainter_data();
    void comme_qpainter();
};

void tst_traceur_lignes::comme_qpainter_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("alpha");
    QTest::newRow("plein, opaque") << int(Qt::SolidLine) << 255;
    QTest::newRow("plein, translucide") << int(Qt::SolidLine) << 150;
    QTest::newRow("pointille, translucide") << int(Qt::DotLine) << 150;
    QTest::newRow("tirets, opaque") << int(Qt::DashLine) << 255;
}

// Lines of every length and slope, both ways, points included: the tracer
// leaves the pixels QPainter left on the whole image when the drawings'
// pixels were fixed, so that pictures stay as they were.
void tst_traceur_lignes::comme_qpainter()
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
        QVERIFY2(tracee == attendue,
                 qPrintable(QStringLiteral("(%1, %2) to (%3, %4)").arg(a.x()).arg(a.y()).arg(b.x()).arg(b.y())));
    }
}

QTEST_MAIN(tst_traceur_lignes)
#include "tst_traceur_lignes.moc"
