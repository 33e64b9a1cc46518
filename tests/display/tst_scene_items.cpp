#include "graphic_item_arc.h"
#include "graphic_item_sommet.h"

#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QStyleOptionGraphicsItem>
#include <QtTest>

#include <memory>

namespace {

// A vertex as the builder makes it, with a label of the given colour.
std::unique_ptr<graphic_item_sommet> sommet_etiquete(int id, const QColor &couleur)
{
    auto sommet = std::make_unique<graphic_item_sommet>();
    sommet->setRect(0, 0, 22, 22);
    sommet->setPen(QPen(QColor(0, 51, 102)));
    sommet->setBrush(QColor(244, 244, 244));
    sommet->id() = id;
    auto *etiquette = new QGraphicsTextItem(QString::number(id), sommet.get());
    etiquette->hide();
    etiquette->setDefaultTextColor(couleur);
    sommet->etiquette() = etiquette;
    return sommet;
}

QImage peindre(graphic_item_sommet &sommet)
{
    QImage image(22, 22, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter peintre(&image);
    QStyleOptionGraphicsItem option;
    sommet.paint(&peintre, &option, nullptr);
    return image;
}

int pixels_de_couleur(const QImage &image, QRgb couleur)
{
    int nombre = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            nombre += image.pixel(x, y) == couleur;
    return nombre;
}

} // namespace

class tst_scene_items : public QObject
{
    Q_OBJECT

private slots:
    void position_du_texte_data();
    void position_du_texte();
    void texte_peint_dans_sa_couleur();
    void copie();
    void copie_sans_etiquette();
    void ligne_de_l_arc_data();
    void ligne_de_l_arc();
    void arc_sans_extremite_garde_sa_ligne_data();
    void arc_sans_extremite_garde_sa_ligne();
};

void tst_scene_items::position_du_texte_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("x");
    QTest::newRow("un chiffre, 7") << 7 << 9;
    QTest::newRow("borne 9") << 9 << 9;
    QTest::newRow("borne 10") << 10 << 6;
    QTest::newRow("deux chiffres, 42") << 42 << 6;
    QTest::newRow("borne 99") << 99 << 6;
    QTest::newRow("trois chiffres, 100") << 100 << 3;
    QTest::newRow("cinq chiffres") << 65534 << 3;
    QTest::newRow("negatif") << -3 << 9;
}

void tst_scene_items::position_du_texte()
{
    QFETCH(int, id);
    QFETCH(int, x);
    auto sommet = sommet_etiquete(id, Qt::black);
    peindre(*sommet);
    QCOMPARE(sommet->etiquette()->pos(), QPointF(x, 16));
}

void tst_scene_items::texte_peint_dans_sa_couleur()
{
    const QRgb rouge = qRgb(255, 0, 0);
    auto avec = sommet_etiquete(8, QColor(rouge));
    QVERIFY(pixels_de_couleur(peindre(*avec), rouge) > 0);

    // Without a label only the circle is painted.
    auto sans = sommet_etiquete(8, QColor(rouge));
    delete sans->etiquette();
    sans->etiquette() = nullptr;
    const QImage cercle = peindre(*sans);
    QCOMPARE(pixels_de_couleur(cercle, rouge), 0);
    QVERIFY(pixels_de_couleur(cercle, qRgb(244, 244, 244)) > 0);
}

void tst_scene_items::copie()
{
    QGraphicsScene scene;
    auto original = sommet_etiquete(42, QColor(175, 8, 8));
    original->setPos(120.5, 80);
    original->etiquette()->setPos(6, 16);
    graphic_item_arc arc;
    original->arcs_sortants().push_back(&arc);
    original->arcs_entrants().push_back(&arc);
    graphic_item_sommet *dans_scene = original.get();
    scene.addItem(original.release());

    graphic_item_sommet copie(*dans_scene);
    QCOMPARE(copie.pos(), QPointF(120.5, 80));
    QCOMPARE(copie.rect(), QRectF(0, 0, 22, 22));
    QCOMPARE(copie.pen(), dans_scene->pen());
    QCOMPARE(copie.brush(), dans_scene->brush());
    QCOMPARE(copie.id(), 42);
    QVERIFY(copie.arcs_entrants().empty());
    QVERIFY(copie.arcs_sortants().empty());
    QCOMPARE(copie.parentItem(), nullptr);
    QCOMPARE(copie.scene(), nullptr);

    QVERIFY(copie.etiquette());
    QVERIFY(copie.etiquette() != dans_scene->etiquette());
    QCOMPARE(copie.etiquette()->toPlainText(), QStringLiteral("42"));
    QCOMPARE(copie.etiquette()->defaultTextColor(), QColor(175, 8, 8));
    QCOMPARE(copie.etiquette()->pos(), QPointF(6, 16));
    QCOMPARE(copie.etiquette()->scene(), nullptr);
    QCOMPARE(copie.etiquette()->parentItem(), nullptr);

    // The original keeps its links.
    QCOMPARE(dans_scene->arcs_sortants().size(), std::size_t(1));
}

void tst_scene_items::copie_sans_etiquette()
{
    graphic_item_sommet original;
    original.id() = 3;
    graphic_item_sommet copie(original);
    QCOMPARE(copie.id(), 3);
    QCOMPARE(copie.etiquette(), nullptr);
    peindre(copie);
}

void tst_scene_items::ligne_de_l_arc_data()
{
    QTest::addColumn<QPointF>("depart");
    QTest::addColumn<QPointF>("arrivee");
    QTest::addColumn<QLineF>("ligne");
    QTest::newRow("sommes tronquees")
        << QPointF(100.6, 50.2) << QPointF(-10.7, 0) << QLineF(111, 61, 0, 11);
    QTest::newRow("negatif tronque vers zero")
        << QPointF(-11.5, -30.9) << QPointF(-40.2, 3.99) << QLineF(0, -19, -29, 14);
    QTest::newRow("boucle") << QPointF(49, 479) << QPointF(49, 479) << QLineF(60, 490, 60, 490);
}

void tst_scene_items::ligne_de_l_arc()
{
    QFETCH(QPointF, depart);
    QFETCH(QPointF, arrivee);
    QFETCH(QLineF, ligne);
    graphic_item_sommet source, destination;
    source.setPos(depart);
    destination.setPos(arrivee);
    graphic_item_arc arc;
    arc.source() = &source;
    arc.destination() = &destination;
    arc.ajuster_ligne();
    QCOMPARE(arc.line(), ligne);
}

void tst_scene_items::arc_sans_extremite_garde_sa_ligne_data()
{
    QTest::addColumn<bool>("avec_source");
    QTest::addColumn<bool>("avec_destination");
    QTest::newRow("sans source") << false << true;
    QTest::newRow("sans destination") << true << false;
    QTest::newRow("sans extremite") << false << false;
}

void tst_scene_items::arc_sans_extremite_garde_sa_ligne()
{
    QFETCH(bool, avec_source);
    QFETCH(bool, avec_destination);
    graphic_item_sommet sommet;
    sommet.setPos(200, 300);
    graphic_item_arc arc;
    arc.setLine(1, 2, 3, 4);
    if (avec_source)
        arc.source() = &sommet;
    if (avec_destination)
        arc.destination() = &sommet;
    arc.ajuster_ligne();
    QCOMPARE(arc.line(), QLineF(1, 2, 3, 4));
}

QTEST_MAIN(tst_scene_items)
#include "tst_scene_items.moc"
