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

// A vertex with a label of the given colour: as the builder makes it, the
// label left for its first use, or with the label item made by hand.
std::unique_ptr<graphic_item_sommet> sommet_etiquete(int id, const QColor &couleur, bool a_la_demande = false)
{
    auto sommet = std::make_unique<graphic_item_sommet>();
    sommet->setRect(0, 0, 22, 22);
    sommet->setPen(QPen(QColor(0, 51, 102)));
    sommet->setBrush(QColor(244, 244, 244));
    sommet->id() = id;
    if (a_la_demande) {
        sommet->set_couleur_etiquette(couleur);
        return sommet;
    }
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
    void etiquette_a_la_demande_data();
    void etiquette_a_la_demande();
    void copie_data();
    void copie();
    void copie_sans_etiquette();
    void ligne_de_l_arc_data();
    void ligne_de_l_arc();
    void arc_sans_extremite_garde_sa_ligne_data();
    void arc_sans_extremite_garde_sa_ligne();
    void bornes_de_l_arc_gardees();
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
    for (bool a_la_demande : {false, true}) {
        auto sommet = sommet_etiquete(id, Qt::black, a_la_demande);
        peindre(*sommet);
        QCOMPARE(sommet->etiquette()->pos(), QPointF(x, 16));
    }
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

void tst_scene_items::etiquette_a_la_demande_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QColor>("couleur");
    QTest::newRow("un chiffre") << 7 << QColor(0, 51, 102);
    QTest::newRow("trois chiffres, puits") << 100 << QColor(175, 8, 8);
    QTest::newRow("cinq chiffres") << 65534 << QColor(244, 244, 244);
    QTest::newRow("negatif") << -12 << QColor(0, 51, 102);
}

void tst_scene_items::etiquette_a_la_demande()
{
    QFETCH(int, id);
    QFETCH(QColor, couleur);
    QGraphicsScene scene;
    auto paresseux = sommet_etiquete(id, couleur, true);
    graphic_item_sommet *sommet = paresseux.get();
    scene.addItem(paresseux.release());
    QVERIFY(sommet->childItems().isEmpty());
    QCOMPARE(scene.items().size(), 1);
    const QImage sans_item = peindre(*sommet);
    QCOMPARE(sans_item, peindre(*sommet_etiquete(id, couleur)));

    QGraphicsTextItem *etiquette = sommet->etiquette();
    QVERIFY(etiquette);
    QCOMPARE(sommet->etiquette(), etiquette);
    QCOMPARE(sommet->childItems(), QList<QGraphicsItem *>{etiquette});
    QCOMPARE(etiquette->scene(), &scene);
    QVERIFY(!etiquette->isVisible());
    QCOMPARE(etiquette->toPlainText(), QString::number(id));
    QCOMPARE(etiquette->defaultTextColor(), couleur);
    QCOMPARE(peindre(*sommet), sans_item);

    // A label taken away stays away, as before: neither painting nor asking
    // again makes a new one.
    delete sommet->etiquette();
    sommet->etiquette() = nullptr;
    peindre(*sommet);
    QCOMPARE(sommet->etiquette(), nullptr);
    QVERIFY(sommet->childItems().isEmpty());
}

void tst_scene_items::copie_data()
{
    QTest::addColumn<bool>("a_la_demande");
    QTest::newRow("etiquette faite") << false;
    QTest::newRow("etiquette a la demande") << true;
}

void tst_scene_items::copie()
{
    QFETCH(bool, a_la_demande);
    QGraphicsScene scene;
    auto original = sommet_etiquete(42, QColor(175, 8, 8), a_la_demande);
    original->setPos(120.5, 80);
    // Painting puts the number, and so the label, at (6, 16).
    peindre(*original);
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

    // The original keeps its links, and its label once asked for.
    QCOMPARE(dans_scene->arcs_sortants().size(), std::size_t(1));
    QCOMPARE(dans_scene->childItems().size(), 1);
}

void tst_scene_items::copie_sans_etiquette()
{
    graphic_item_sommet original;
    original.id() = 3;
    graphic_item_sommet copie(original);
    QCOMPARE(copie.id(), 3);
    QCOMPARE(copie.etiquette(), nullptr);
    // Circle and no number, as the original paints.
    QCOMPARE(peindre(copie), peindre(original));
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

void tst_scene_items::bornes_de_l_arc_gardees()
{
    graphic_item_sommet source, destination;
    graphic_item_arc arc;
    arc.source() = &source;
    arc.destination() = &destination;
    auto verifier = [&arc](const char *apres) {
        QVERIFY2(arc.boundingRect() == arc.QGraphicsLineItem::boundingRect(), apres);
    };
    verifier("construction");
    arc.setLine(10, 20, 300, 40);
    verifier("setLine");
    arc.setPen(QPen(QColor(170, 170, 170)));
    verifier("stylo");
    QPen epais(Qt::red, 7.5);
    arc.setPen(epais);
    verifier("stylo epais");
    epais.setCapStyle(Qt::FlatCap);
    arc.setPen(epais);
    verifier("bouts plats");
    source.setPos(-50, 600);
    destination.setPos(4000.6, 2.2);
    arc.ajuster_ligne();
    verifier("ajuster_ligne");
    arc.setPen(QPen(Qt::blue, 0));
    verifier("stylo cosmetique");
    arc.setLine(QLineF());
    verifier("ligne vide");
}

QTEST_MAIN(tst_scene_items)
#include "tst_scene_items.moc"
