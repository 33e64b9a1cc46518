#include "capture_flux.h"
#include "constructeur_scene.h"
#include "graphic_item_arc.h"
#include "graphic_item_sommet.h"
#include "graphic_view.h"
#include "liste_dessin.h"
#include "session_graphe.h"
#include "sujet_session.h"
#include "tuiles_dessin.h"

#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QScrollBar>
#include <QPointer>
#include <QtTest>

#include <memory>

// The view through its own face, the mouse and the keys, with the jobs it
// composes: the drag and its copy (glisser_sommet), the chosen sensor's
// marks (marques_choix) and, over a drawing's list, the painting from tiles
// (tuiles_dessin). The place under the pointer (position_pointeur) is read
// in the status bar of the whole window's tests.

namespace {

// A shown view whose scene is larger than its viewport, so that both scroll
// bars are live and viewport and scene coordinates differ only by them.
class banc
{
public:
    banc()
    {
        vue.resize(400, 300);
        vue.show();
        if (!QTest::qWaitForWindowExposed(&vue))
            qFatal("the view was never exposed");
        // A view first shows the middle of its scene; start from the corner.
        vue.horizontalScrollBar()->setValue(0);
        vue.verticalScrollBar()->setValue(0);
    }

    graphic_item_sommet *sommet(int id, qreal x, qreal y)
    {
        auto *item = new graphic_item_sommet();
        item->setRect(0, 0, 22, 22);
        item->setPos(x, y);
        item->id() = id;
        auto *etiquette = new QGraphicsTextItem(QString::number(id), item);
        etiquette->hide();
        item->etiquette() = etiquette;
        vue.scene()->addItem(item);
        vue.liste_sommets().push_back(item);
        return item;
    }

    graphic_item_arc *arc(graphic_item_sommet *source, graphic_item_sommet *destination)
    {
        auto *item = new graphic_item_arc();
        // Below the vertices, as in a built drawing where they enter last.
        item->setZValue(-1);
        vue.scene()->addItem(item);
        item->source() = source;
        item->destination() = destination;
        source->arcs_sortants().push_back(item);
        destination->arcs_entrants().push_back(item);
        item->ajuster_ligne();
        return item;
    }

    QPoint centre(graphic_item_sommet *item) const
    {
        return vue.mapFromScene(item->pos() + QPointF(11, 11));
    }

    QWidget *zone() { return vue.viewport(); }

    graphic_item_sommet *fantome()
    {
        const QList<QGraphicsItem *> items = vue.scene()->items(Qt::DescendingOrder);
        if (items.isEmpty() || items.first()->opacity() != 0.5)
            return nullptr;
        return qgraphicsitem_cast<graphic_item_sommet *>(items.first());
    }

    graphic_view vue;
};

} // namespace

class tst_graphic_view : public QObject
{
    Q_OBJECT

private slots:
    void table_des_zooms_data();
    void table_des_zooms();
    void index_de_la_scene_data() { table_des_zooms_data(); }
    void index_de_la_scene();
    void scene_appartient_a_la_vue();
    void vider_puis_trouver();
    void trouver_quand_l_ordre_change();
    void deplacement_borne_data();
    void deplacement_borne();
    void arcs_suivent_le_sommet_deplace();
    void defilement_aux_bords_data();
    void defilement_aux_bords();
    void pression_sans_deplacement_data();
    void pression_sans_deplacement();
    void bouton_droit_pendant_un_deplacement();
    void identifiant_inconnu();
    void vider_pendant_un_deplacement();
    void destruction();
    void choix_d_un_capteur_data();
    void choix_d_un_capteur();
    void glisser_sur_un_dessin();
};

void tst_graphic_view::table_des_zooms_data()
{
    QTest::addColumn<int>("facteur");
    QTest::addColumn<int>("largeur");
    QTest::addColumn<int>("hauteur");
    // Leaves about one vertex wide, 2^12 of them at most.
    QTest::addColumn<int>("profondeur");
    QTest::newRow("x1") << 1 << 800 << 550 << 10;
    QTest::newRow("x2") << 2 << 1200 << 825 << 11;
    QTest::newRow("x4") << 4 << 2000 << 1375 << 12;
    QTest::newRow("x8") << 8 << 3600 << 2475 << 12;
    QTest::newRow("x16") << 16 << 6800 << 4675 << 12;
}

void tst_graphic_view::table_des_zooms()
{
    QFETCH(int, facteur);
    QFETCH(int, largeur);
    QFETCH(int, hauteur);
    graphic_view vue;
    vue.set_zoom(4);
    vue.set_zoom(facteur);
    QCOMPARE(vue.zoom(), facteur);
    QCOMPARE(vue.largeur_scene(), largeur);
    QCOMPARE(vue.hauteur_scene(), hauteur);
    QCOMPARE(vue.scene()->sceneRect(), QRectF(0, 0, largeur, hauteur));
}

// The index depth chosen for each drawing area finds the same items, in the
// same order, as a scene without an index.
void tst_graphic_view::index_de_la_scene()
{
    QFETCH(int, facteur);
    QFETCH(int, profondeur);
    capture_flux console;
    session_graphe session;
    const QString d300 = QStringLiteral(VG_EXAMPLES_DIR "/deploiement_300");
    QVERIFY(session.lire_instance(d300 + ".txt") && session.lire_solution(d300 + "_sol.txt"));
    graphic_view vue;
    vue.set_zoom(facteur);
    construire_scene(&vue, sujet_de(&session, 1));
    QGraphicsScene *scene = vue.scene();
    QCOMPARE(scene->itemIndexMethod(), QGraphicsScene::BspTreeIndex);
    // Set for this area, not left to Qt, which deepens it with the item count.
    QCOMPARE(scene->bspTreeDepth(), profondeur);
    const qreal pas = 7 * ((facteur - 1) * 0.5 + 1);
    QList<QList<QGraphicsItem *>> trouves;
    for (qreal y = 0; y < vue.hauteur_scene(); y += pas)
        for (qreal x = 0; x < vue.largeur_scene(); x += pas)
            trouves << scene->items(QPointF(x, y));
    scene->setItemIndexMethod(QGraphicsScene::NoIndex);
    int i = 0;
    for (qreal y = 0; y < vue.hauteur_scene(); y += pas)
        for (qreal x = 0; x < vue.largeur_scene(); x += pas)
            QVERIFY2(scene->items(QPointF(x, y)) == trouves[i++],
                     qPrintable(QStringLiteral("%1 %2").arg(x).arg(y)));
}

void tst_graphic_view::scene_appartient_a_la_vue()
{
    graphic_view vue;
    QCOMPARE(vue.zoom(), 1);
    QCOMPARE(vue.scene()->sceneRect(), QRectF(0, 0, 800, 550));
    QCOMPARE(vue.scene()->parent(), &vue);
}

void tst_graphic_view::vider_puis_trouver()
{
    banc b;
    b.arc(b.sommet(0, 100, 100), b.sommet(1, 200, 100));
    b.vue.scene()->addItem(new QGraphicsLineItem(0, 0, 10, 10));
    QCOMPARE(b.vue.trouver_sommet(1)->id(), 1);
    b.vue.vider();
    QVERIFY(b.vue.liste_sommets().empty());
    QVERIFY(b.vue.scene()->items().isEmpty());
    for (int id : {0, 1, -1, 2})
        QCOMPARE(b.vue.trouver_sommet(id), nullptr);
}

void tst_graphic_view::trouver_quand_l_ordre_change()
{
    // Element k is not always vertex k: the scan must still find the first.
    banc b;
    graphic_item_sommet *cinq = b.sommet(5, 0, 0);
    graphic_item_sommet *trois = b.sommet(3, 0, 0);
    b.sommet(3, 0, 0);
    QCOMPARE(b.vue.trouver_sommet(3), trois);
    QCOMPARE(b.vue.trouver_sommet(5), cinq);
    QCOMPARE(b.vue.trouver_sommet(0), nullptr);
    QCOMPARE(b.vue.trouver_sommet(1), nullptr);
    QCOMPARE(b.vue.trouver_sommet(-5), nullptr);
}

void tst_graphic_view::deplacement_borne_data()
{
    QTest::addColumn<int>("facteur");
    QTest::addColumn<QPoint>("deplacement");
    QTest::addColumn<QPointF>("coin");
    QTest::newRow("loin a droite") << 1 << QPoint(2000, 0) << QPointF(748, 100);
    QTest::newRow("loin en bas") << 1 << QPoint(0, 2000) << QPointF(100, 498);
    QTest::newRow("loin en haut a gauche") << 1 << QPoint(-2000, -2000) << QPointF(30, 30);
    QTest::newRow("x2 loin a droite") << 2 << QPoint(3000, 0) << QPointF(1148, 100);
    QTest::newRow("sans bornage") << 1 << QPoint(50, 30) << QPointF(150, 130);
}

void tst_graphic_view::deplacement_borne()
{
    QFETCH(int, facteur);
    QFETCH(QPoint, deplacement);
    QFETCH(QPointF, coin);
    banc b;
    b.vue.set_zoom(facteur);
    graphic_item_sommet *sommet = b.sommet(0, 100, 100);
    const int nombre_items = b.vue.scene()->items().size();
    const QPoint depart = b.centre(sommet);

    capture_flux console;
    QTest::mousePress(b.zone(), Qt::LeftButton, {}, depart);
    QCOMPARE(console.lignes(), QStringList{QStringLiteral("type_item = 65537")});
    QCOMPARE(b.vue.cursor().shape(), Qt::ClosedHandCursor);
    // The ghost enters alone (its label stays out of the scene) and on top.
    QCOMPARE(b.vue.scene()->items().size(), nombre_items + 1);
    graphic_item_sommet *fantome = b.fantome();
    QVERIFY(fantome);
    QCOMPARE(fantome->id(), 0);

    QTest::mouseMove(b.zone(), depart + deplacement);
    QCOMPARE(fantome->pos(), coin);
    QCOMPARE(sommet->pos(), QPointF(100, 100));
    QTest::mouseRelease(b.zone(), Qt::LeftButton, {}, depart + deplacement);

    QCOMPARE(sommet->pos(), coin);
    QCOMPARE(console.lignes().last(), QStringLiteral("action fini.."));
    QCOMPARE(b.vue.cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(b.vue.scene()->items().size(), nombre_items);
}

void tst_graphic_view::arcs_suivent_le_sommet_deplace()
{
    banc b;
    graphic_item_sommet *a = b.sommet(0, 100, 100);
    graphic_item_sommet *m = b.sommet(1, 300, 200);
    graphic_item_sommet *c = b.sommet(2, 500, 100);
    graphic_item_arc *sortant = b.arc(a, m);
    graphic_item_arc *entrant = b.arc(m, a);
    graphic_item_arc *autre = b.arc(c, m);

    capture_flux console;
    const QPoint depart = b.centre(a);
    QTest::mousePress(b.zone(), Qt::LeftButton, {}, depart);
    QTest::mouseMove(b.zone(), depart + QPoint(50, 30));
    // Nothing follows before the release.
    QCOMPARE(sortant->line(), QLineF(111, 111, 311, 211));
    QTest::mouseRelease(b.zone(), Qt::LeftButton, {}, depart + QPoint(50, 30));

    QCOMPARE(a->pos(), QPointF(150, 130));
    QCOMPARE(sortant->line(), QLineF(161, 141, 311, 211));
    QCOMPARE(entrant->line(), QLineF(311, 211, 161, 141));
    QCOMPARE(autre->line(), QLineF(511, 111, 311, 211));
    QCOMPARE(m->pos(), QPointF(300, 200));
}

void tst_graphic_view::defilement_aux_bords_data()
{
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<bool>("vers_la_fin");
    QTest::newRow("bord droit") << true << true;
    QTest::newRow("bord gauche") << true << false;
    QTest::newRow("bord bas") << false << true;
    QTest::newRow("bord haut") << false << false;
}

void tst_graphic_view::defilement_aux_bords()
{
    QFETCH(bool, horizontal);
    QFETCH(bool, vers_la_fin);
    banc b;
    QScrollBar *barre = horizontal ? b.vue.horizontalScrollBar() : b.vue.verticalScrollBar();
    const int debut = vers_la_fin ? 0 : 100;
    barre->setValue(debut);
    QCOMPARE(barre->value(), debut);
    graphic_item_sommet *sommet = b.sommet(0, 150, 150);
    const QPoint depart = b.centre(sommet);

    // Corner of the ghost just past the threshold of the edge.
    const int seuil = horizontal
        ? b.vue.width() - b.vue.verticalScrollBar()->width() - 34
        : b.vue.height() - b.vue.horizontalScrollBar()->height() - 34;
    const int coin = vers_la_fin ? debut + seuil + 1 : debut + 9;
    const int ecart = coin - 150;
    const QPoint arrivee = depart + (horizontal ? QPoint(ecart, 0) : QPoint(0, ecart));

    QTest::mousePress(b.zone(), Qt::LeftButton, {}, depart);
    QTest::mouseMove(b.zone(), arrivee);
    graphic_item_sommet *fantome = b.fantome();
    QVERIFY(fantome);
    const int pas = vers_la_fin ? 35 : -35;
    QCOMPARE(barre->value(), debut + pas);
    // The ghost stays under the pointer while the content scrolls.
    const QPointF attendu = horizontal ? QPointF(coin + pas, 150) : QPointF(150, coin + pas);
    QCOMPARE(fantome->pos(), attendu);
    QTest::mouseRelease(b.zone(), Qt::LeftButton, {}, arrivee);
    QCOMPARE(sommet->pos(), attendu);
}

void tst_graphic_view::pression_sans_deplacement_data()
{
    QTest::addColumn<int>("bouton");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<QStringList>("sortie");
    // A vertex with its corner at (100, 100) and a grid line along y = 200.
    QTest::newRow("gauche sur le fond") << int(Qt::LeftButton) << QPointF(150, 100) << QStringList();
    QTest::newRow("gauche sur une ligne")
        << int(Qt::LeftButton) << QPointF(150, 200) << QStringList{QStringLiteral("type_item = 6")};
    QTest::newRow("droit sur un sommet")
        << int(Qt::RightButton) << QPointF(111, 111) << QStringList{QStringLiteral("type_item = 65537")};
    QTest::newRow("milieu sur un sommet") << int(Qt::MiddleButton) << QPointF(111, 111) << QStringList();
}

void tst_graphic_view::pression_sans_deplacement()
{
    QFETCH(int, bouton);
    QFETCH(QPointF, point);
    QFETCH(QStringList, sortie);
    banc b;
    graphic_item_sommet *sommet = b.sommet(0, 100, 100);
    b.vue.scene()->addItem(new QGraphicsLineItem(30, 200, 300, 200));
    const int nombre_items = b.vue.scene()->items().size();
    const QPoint depart = b.vue.mapFromScene(point);
    capture_flux console;
    QTest::mousePress(b.zone(), Qt::MouseButton(bouton), {}, depart);
    QCOMPARE(b.vue.scene()->items().size(), nombre_items);
    QVERIFY(b.vue.cursor().shape() != Qt::ClosedHandCursor);
    QTest::mouseMove(b.zone(), depart + QPoint(40, 40));
    QTest::mouseRelease(b.zone(), Qt::MouseButton(bouton), {}, depart + QPoint(40, 40));
    QCOMPARE(console.lignes(), sortie);
    QCOMPARE(sommet->pos(), QPointF(100, 100));
}

void tst_graphic_view::bouton_droit_pendant_un_deplacement()
{
    banc b;
    graphic_item_sommet *sommet = b.sommet(0, 100, 100);
    const QPoint depart = b.centre(sommet);
    capture_flux console;
    QTest::mousePress(b.zone(), Qt::LeftButton, {}, depart);
    QTest::mouseMove(b.zone(), depart + QPoint(20, 10));
    console.effacer();
    QTest::mousePress(b.zone(), Qt::RightButton, {}, depart + QPoint(20, 10));
    QVERIFY(console.lignes().isEmpty());
    QVERIFY(b.fantome());
    QTest::mouseRelease(b.zone(), Qt::RightButton, {}, depart + QPoint(20, 10));
    QCOMPARE(console.lignes(), QStringList{QStringLiteral("action fini..")});
    QCOMPARE(sommet->pos(), QPointF(120, 110));
    QCOMPARE(b.fantome(), nullptr);

    // The drag is over: the rest of the gesture moves nothing.
    QTest::mouseMove(b.zone(), depart + QPoint(80, 80));
    QTest::mouseRelease(b.zone(), Qt::LeftButton, {}, depart + QPoint(80, 80));
    QCOMPARE(console.lignes(), QStringList{QStringLiteral("action fini..")});
    QCOMPARE(sommet->pos(), QPointF(120, 110));
}

void tst_graphic_view::identifiant_inconnu()
{
    banc b;
    graphic_item_sommet *sommet = b.sommet(4, 100, 100);
    const QPoint depart = b.centre(sommet);
    capture_flux console;
    QTest::mousePress(b.zone(), Qt::LeftButton, {}, depart);
    b.vue.liste_sommets().clear();
    QTest::mouseMove(b.zone(), depart + QPoint(40, 0));
    QTest::mouseRelease(b.zone(), Qt::LeftButton, {}, depart + QPoint(40, 0));
    const QStringList attendu{QStringLiteral("type_item = 65537"), QStringLiteral("ID inconnu:4"),
                              QStringLiteral("obj inconue..")};
    QCOMPARE(console.lignes(), attendu);
    QCOMPARE(sommet->pos(), QPointF(100, 100));
    QCOMPARE(b.fantome(), nullptr);
    QCOMPARE(b.vue.cursor().shape(), Qt::ArrowCursor);
}

void tst_graphic_view::vider_pendant_un_deplacement()
{
    banc b;
    graphic_item_sommet *sommet = b.sommet(0, 100, 100);
    const QPoint depart = b.centre(sommet);
    capture_flux console;
    QTest::mousePress(b.zone(), Qt::LeftButton, {}, depart);
    b.vue.vider();
    QVERIFY(b.vue.scene()->items().isEmpty());
    QCOMPARE(b.vue.cursor().shape(), Qt::ArrowCursor);
    console.effacer();
    QTest::mouseMove(b.zone(), depart + QPoint(30, 30));
    QTest::mouseRelease(b.zone(), Qt::LeftButton, {}, depart + QPoint(30, 30));
    QVERIFY(console.lignes().isEmpty());
    QCOMPARE(b.vue.trouver_sommet(0), nullptr);

    // A new drawing can be dragged again.
    graphic_item_sommet *nouveau = b.sommet(0, 200, 200);
    QTest::mousePress(b.zone(), Qt::LeftButton, {}, b.centre(nouveau));
    QTest::mouseMove(b.zone(), b.centre(nouveau) + QPoint(10, 0));
    QTest::mouseRelease(b.zone(), Qt::LeftButton, {}, b.centre(nouveau) + QPoint(10, 0));
    QCOMPARE(nouveau->pos(), QPointF(210, 200));
    QCOMPARE(console.lignes().last(), QStringLiteral("action fini.."));
}

void tst_graphic_view::destruction()
{
    auto b = std::make_unique<banc>();
    graphic_item_sommet *sommet = b->sommet(0, 100, 100);
    // Destroyed in the middle of a drag: the ghost and every item go with
    // the scene, once each (the sanitizer build sees a double delete).
    QTest::mousePress(b->zone(), Qt::LeftButton, {}, b->centre(sommet));
    QPointer<QGraphicsScene> scene = b->vue.scene();
    QCOMPARE(scene->items().size(), 3);
    capture_flux console;
    b.reset();
    QVERIFY(scene.isNull());
    QCOMPARE(console.lignes(), QStringList{QStringLiteral("supprimer un graphic_view")});
}

void tst_graphic_view::choix_d_un_capteur_data()
{
    QTest::addColumn<QString>("geste");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<QPoint>("deplacement");
    QTest::addColumn<int>("choisi");
    QTest::addColumn<QStringList>("sortie");
    // Vertex 0 with its corner at (100, 100), vertex 1 chosen at (300, 200).
    const QStringList glisse{QStringLiteral("type_item = 65537"), QStringLiteral("action fini..")};
    QTest::newRow("clic sur un sommet") << "gauche" << QPointF(111, 111) << QPoint(2, 1) << 0 << glisse;
    QTest::newRow("clic dans le vide") << "gauche" << QPointF(200, 300) << QPoint(0, 0) << -1 << QStringList();
    QTest::newRow("glisser un sommet") << "gauche" << QPointF(111, 111) << QPoint(40, 0) << 1 << glisse;
    QTest::newRow("glisser dans le vide") << "gauche" << QPointF(200, 300) << QPoint(40, 0) << 1 << QStringList();
    QTest::newRow("clic droit sur un sommet") << "droit" << QPointF(111, 111) << QPoint(0, 0) << 1
                                              << QStringList{QStringLiteral("type_item = 65537")};
    QTest::newRow("echap") << "echap" << QPointF() << QPoint() << -1 << QStringList();
}

void tst_graphic_view::choix_d_un_capteur()
{
    QFETCH(QString, geste);
    QFETCH(QPointF, point);
    QFETCH(QPoint, deplacement);
    QFETCH(int, choisi);
    QFETCH(QStringList, sortie);
    banc b;
    graphic_item_sommet *sommet = b.sommet(0, 100, 100);
    b.arc(sommet, b.sommet(1, 300, 200));
    b.vue.choisir_capteur(1);
    QSignalSpy changements(&b.vue, &graphic_view::capteur_choisi_change);
    const QPoint depart = b.vue.mapFromScene(point);
    capture_flux console;
    if (geste == QLatin1String("echap")) {
        QTest::keyClick(&b.vue, Qt::Key_Escape);
    } else {
        const Qt::MouseButton bouton = geste == QLatin1String("droit") ? Qt::RightButton : Qt::LeftButton;
        QTest::mousePress(b.zone(), bouton, {}, depart);
        QTest::mouseMove(b.zone(), depart + deplacement);
        QTest::mouseRelease(b.zone(), bouton, {}, depart + deplacement);
    }
    QCOMPARE(b.vue.capteur_choisi(), choisi);
    QCOMPARE(changements.size(), choisi == 1 ? 0 : 1);
    QCOMPARE(console.lignes(), sortie);
    // The press and release move the vertex as they always did.
    QCOMPARE(sommet->pos(), QPointF(100, 100) + (sortie.size() == 2 ? deplacement : QPoint()));
}

// Over a drawing's list the copy is painted over the tiles, which stay as
// they are; the release moves the vertex, its arcs and its entry in the list
// together, and renders again only the tiles they covered and cover.
void tst_graphic_view::glisser_sur_un_dessin()
{
    capture_flux console;
    session_graphe session;
    const QString d300 = QStringLiteral(VG_EXAMPLES_DIR "/deploiement_300");
    QVERIFY(session.lire_instance(d300 + ".txt") && session.lire_solution(d300 + "_sol.txt"));
    graphic_view vue;
    vue.resize(600, 400);
    vue.set_zoom(4);
    construire_scene(&vue, sujet_de(&session, 2));
    vue.show();
    QVERIFY(QTest::qWaitForWindowExposed(&vue));
    QWidget *zone = vue.viewport();
    zone->repaint();
    vue.tuiles().attendre();
    const tuiles_dessin::bilan &chiffres = vue.tuiles().chiffres();
    const std::int64_t rendues = chiffres.rendues;
    QVERIFY(rendues >= 6);

    // The MA vertex nearest the view's middle, whose links are drawn.
    const QPointF milieu = vue.mapToScene(zone->rect().center());
    graphic_item_sommet *sommet = nullptr;
    for (graphic_item_sommet *s : vue.liste_sommets())
        if (!s->arcs_sortants().empty()
            && (!sommet || (s->pos() - milieu).manhattanLength() < (sommet->pos() - milieu).manhattanLength()))
            sommet = s;
    const QPoint depart = vue.mapFromScene(sommet->pos() + QPointF(11, 11));
    QTest::mousePress(zone, Qt::LeftButton, {}, depart);
    for (int pas = 1; pas <= 5; ++pas) {
        QTest::mouseMove(zone, depart + QPoint(7 * pas, 5 * pas));
        zone->repaint();
    }
    QCOMPARE(chiffres.rendues, rendues);

    std::vector<QPoint> touchees;
    vue.liste()->deplacer(vue.liste()->indice_sommet(sommet->id()), sommet->pos().toPoint() + QPoint(35, 25),
                          touchees);
    QTest::mouseRelease(zone, Qt::LeftButton, {}, depart + QPoint(35, 25));
    zone->repaint();
    vue.tuiles().attendre();
    QVERIFY(chiffres.rendues > rendues);
    QVERIFY(chiffres.rendues - rendues <= std::int64_t(touchees.size()));

    // Entry k of the list is vertex item k; its arcs, in order, are the
    // item's arcs out and in.
    const liste_dessin &liste = *vue.liste();
    const std::uint32_t k = liste.indice_sommet(sommet->id());
    QCOMPARE(vue.liste_sommets()[k], sommet);
    QCOMPARE(QPointF(liste.sommets()[k].coin), sommet->pos());
    QList<QLineF> sortants, entrants;
    for (const liste_dessin::arc &a : liste.arcs()) {
        if (a.source == k)
            sortants << QLineF(liste.trait(a));
        if (a.destination == k)
            entrants << QLineF(liste.trait(a));
    }
    QVERIFY(!sortants.isEmpty());
    QList<QLineF> lignes_sortantes, lignes_entrantes;
    for (graphic_item_arc *arc : sommet->arcs_sortants())
        lignes_sortantes << arc->line();
    for (graphic_item_arc *arc : sommet->arcs_entrants())
        lignes_entrantes << arc->line();
    QCOMPARE(lignes_sortantes, sortants);
    QCOMPARE(lignes_entrantes, entrants);
}

QTEST_MAIN(tst_graphic_view)
#include "tst_graphic_view.moc"
