#include "graphic_item_arc.h"
#include "graphic_item_sommet.h"
#include "marque_capteur.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

struct petit_dessin
{
    std::vector<std::unique_ptr<graphic_item_sommet>> sommets;
    std::vector<std::unique_ptr<graphic_item_arc>> arcs;

    graphic_item_sommet *sommet(qreal x, qreal y)
    {
        sommets.push_back(std::make_unique<graphic_item_sommet>());
        sommets.back()->setPos(x, y);
        sommets.back()->setRect(0, 0, graphic_item_sommet::diametre, graphic_item_sommet::diametre);
        return sommets.back().get();
    }
    void arc(graphic_item_sommet *source, graphic_item_sommet *destination)
    {
        arcs.push_back(std::make_unique<graphic_item_arc>());
        graphic_item_arc *a = arcs.back().get();
        a->source() = source;
        a->destination() = destination;
        if (source)
            source->arcs_sortants().push_back(a);
        if (destination)
            destination->arcs_entrants().push_back(a);
        a->ajuster_ligne();
    }
};

} // namespace

class tst_marque_capteur : public QObject
{
    Q_OBJECT

private slots:
    void zones_couvrent_le_dessin_data();
    void zones_couvrent_le_dessin();
};

void tst_marque_capteur::zones_couvrent_le_dessin_data()
{
    QTest::addColumn<int>("cas");
    QTest::addColumn<int>("nombre_zones");
    QTest::newRow("isole") << 0 << 1;
    // Ring and link each, out and in alike.
    QTest::newRow("vers deux voisins, depuis un") << 1 << 7;
    // Closer than their radii: no link between the rings.
    QTest::newRow("voisin colle") << 2 << 2;
    QTest::newRow("arc sans destination") << 3 << 1;
}

void tst_marque_capteur::zones_couvrent_le_dessin()
{
    QFETCH(int, cas);
    QFETCH(int, nombre_zones);
    petit_dessin d;
    graphic_item_sommet *choisi = d.sommet(100, 100);
    if (cas == 1) {
        d.arc(choisi, d.sommet(20, 40));
        d.arc(choisi, d.sommet(170, 150));
        d.arc(d.sommet(160, 10), choisi);
    } else if (cas == 2) {
        d.arc(d.sommet(110, 105), choisi);
    } else if (cas == 3) {
        d.arc(choisi, nullptr);
    }
    const marque_capteur marque(*choisi);
    const QList<QRectF> zones = marque.zones();
    QCOMPARE(zones.size(), nombre_zones);

    QImage image(220, 220, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    marque.peindre(peintre);
    peintre.end();
    // Repainting the zones repaints every pixel the marks touch.
    int peints = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 0)
                continue;
            ++peints;
            const QRectF pixel(x, y, 1, 1);
            QVERIFY2(std::any_of(zones.begin(), zones.end(), [&](const QRectF &z) { return z.contains(pixel); }),
                     qPrintable(QStringLiteral("pixel (%1, %2) outside the zones").arg(x).arg(y)));
        }
    }
    QVERIFY(peints > 0);
    // The chosen ring, in the palette's reddish purple, right of the circle.
    QCOMPARE(image.pixelColor(100 + 11 + 14, 111).rgb(), qRgb(204, 121, 167));
}

QTEST_MAIN(tst_marque_capteur)
#include "tst_marque_capteur.moc"
