#include "chiffres_dessines.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QtTest>

namespace {

QImage toile()
{
    QImage image(120, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

} // namespace

class tst_chiffres_dessines : public QObject
{
    Q_OBJECT

private slots:
    void comme_drawText_data();
    void comme_drawText();
    void autres_textes_refuses();
};

void tst_chiffres_dessines::comme_drawText_data()
{
    QTest::addColumn<QFont>("police");
    QTest::addColumn<QPointF>("origine");

    QTest::newRow("police par defaut") << QFont() << QPointF(3, 16);
    QTest::newRow("demi pixel") << QFont() << QPointF(6.5, 16.25);
    QFont grande;
    grande.setPointSize(17);
    QTest::newRow("grande police") << grande << QPointF(9, 28);
}

// Every number a vertex can carry, drawn both ways on the same pixels.
void tst_chiffres_dessines::comme_drawText()
{
    QFETCH(QFont, police);
    QFETCH(QPointF, origine);

    for (int n = 0; n <= 65535; n += (n < 2000 ? 1 : 13)) {
        const QString texte = QString::number(n);
        QImage attendu = toile();
        {
            QPainter p(&attendu);
            p.setFont(police);
            p.setPen(QColor(0, 51, 102));
            p.drawText(origine, texte);
        }
        QImage obtenu = toile();
        {
            QPainter p(&obtenu);
            p.setFont(police);
            p.setPen(QColor(0, 51, 102));
            const bool dessine = chiffres_dessines::pour(&p).dessiner(&p, origine, texte);
            // The fonts installed with the viewer have plain digits.
            QVERIFY2(dessine, qPrintable(texte));
        }
        if (obtenu != attendu)
            QFAIL(qPrintable(QStringLiteral("%1 differs").arg(texte)));
    }
}

void tst_chiffres_dessines::autres_textes_refuses()
{
    QImage image = toile();
    QPainter p(&image);
    chiffres_dessines &table = chiffres_dessines::pour(&p);
    for (const QString &texte : {QString(), QStringLiteral("12a"), QStringLiteral("-3"), QStringLiteral(" 4"),
                                 QStringLiteral("\u0661\u0662"), QString(33, QLatin1Char('7'))})
        QVERIFY2(!table.dessiner(&p, QPointF(3, 16), texte), qPrintable(texte));
    p.end();
    QImage vierge = toile();
    QCOMPARE(image, vierge);
}

QTEST_MAIN(tst_chiffres_dessines)
#include "tst_chiffres_dessines.moc"
