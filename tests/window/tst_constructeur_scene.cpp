#include "capture_flux.h"
#include "constructeur_scene.h"
#include "coord_sommet.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "graphic_item_arc.h"
#include "graphic_item_sommet.h"
#include "graphic_view.h"
#include "liste_dessin.h"
#include "rendu_dessin.h"
#include "tuiles_dessin.h"
#include "session_graphe.h"
#include "sujet_session.h"

#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QPen>
#include <QtTest>

#include <memory>

namespace {

using listes = QList<QList<int>>;

// An instance built by hand; nb_sensors may announce more sensors than the
// records hold, as a read that stopped part-way leaves them.
std::unique_ptr<session_graphe> creer_session(const QList<QPoint> &positions, const listes &voisins,
                                              int sink = 0, int nb_sensors = -1,
                                              const QString &nom = QStringLiteral("g.txt"))
{
    auto session = std::make_unique<session_graphe>();
    session->instance() = std::make_unique<graphe_instance>();
    graphe_instance &instance = *session->instance();
    instance.nb_sensors() = nb_sensors < 0 ? positions.size() : nb_sensors;
    for (const QPoint &p : positions)
        instance.positions().push_back(std::make_unique<coord_sommet>(p.x(), p.y()));
    for (const QList<int> &liste : voisins) {
        auto voisins_k = std::make_unique<graphe_instance::liste_voisins>();
        for (int t : liste)
            voisins_k->push_back(static_cast<std::uint16_t>(t));
        instance.voisins().push_back(std::move(voisins_k));
    }
    instance.sink() = static_cast<std::uint16_t>(sink);
    instance.nom_fichier() = nom;
    return session;
}

void ajouter_solution(session_graphe &session, const QList<int> &ma, const QList<int> &br = {})
{
    session.solution() = std::make_unique<graphe_solution>();
    for (int s : ma)
        session.solution()->liste_ma().push_back(static_cast<std::uint16_t>(s));
    for (int s : br)
        session.solution()->liste_br().push_back(static_cast<std::uint16_t>(s));
}

QList<QGraphicsItem *> dans_l_ordre(graphic_view &vue)
{
    return vue.scene()->items(Qt::AscendingOrder);
}

QList<graphic_item_arc *> arcs_de(graphic_view &vue)
{
    QList<graphic_item_arc *> arcs;
    // An arc hidden for later is no part of the drawing.
    for (QGraphicsItem *item : dans_l_ordre(vue))
        if (auto *arc = dynamic_cast<graphic_item_arc *>(item); arc && arc->isVisible())
            arcs.append(arc);
    return arcs;
}

QStringList dessiner(graphic_view &vue, session_graphe *session, int type_graphe)
{
    capture_flux console;
    construire_scene(&vue, sujet_de(session, type_graphe));
    return console.lignes();
}

} // namespace

class tst_constructeur_scene : public QObject
{
    Q_OBJECT

private slots:
    void cadre_gradue_data();
    void cadre_gradue();
    void ordre_des_items();
    void placement_des_sommets_data();
    void placement_des_sommets();
    void couleurs_data();
    void couleurs();
    void arcs_data();
    void arcs();
    void texte_d_information_data();
    void texte_d_information();
    void comparaison();
    void enregistrements_incomplets_data();
    void enregistrements_incomplets();
    void etape_d_historique_data();
    void etape_d_historique();
};

void tst_constructeur_scene::cadre_gradue_data()
{
    QTest::addColumn<int>("facteur");
    QTest::addColumn<QList<int>>("ys");
    QTest::addColumn<QList<int>>("xs");
    QTest::addColumn<QString>("premiere_ligne");
    QTest::newRow("x1, pas 74 et 49")
        << 1 << QList<int>{520, 471, 422, 373, 324, 275, 226, 177, 128, 79, 30}
        << QList<int>{30, 104, 178, 252, 326, 400, 474, 548, 622, 696, 770}
        << QStringLiteral("width=800  height=550");
    // A fractional step: each graduation is truncated after the product.
    QTest::newRow("x2, pas 114 et 76.5")
        << 2 << QList<int>{795, 719, 642, 566, 489, 413, 336, 260, 183, 107, 30}
        << QList<int>{30, 144, 258, 372, 486, 600, 714, 828, 942, 1056, 1170}
        << QStringLiteral("width=1200  height=825");
}

void tst_constructeur_scene::cadre_gradue()
{
    QFETCH(int, facteur);
    QFETCH(QList<int>, ys);
    QFETCH(QList<int>, xs);
    QFETCH(QString, premiere_ligne);
    graphic_view vue;
    vue.set_zoom(facteur);
    const int W = vue.largeur_scene();
    const int H = vue.hauteur_scene();
    auto session = creer_session({QPoint(0, 0)}, {{}});
    const QStringList sortie = dessiner(vue, session.get(), 1);
    QCOMPARE(sortie.first(), premiere_ligne);

    const QList<QGraphicsItem *> items = dans_l_ordre(vue);
    // Frame, information, one vertex; its label waits for its first use.
    QCOMPARE(items.size(), 1 + 65 + 1 + 1);
    auto *deux_points = qgraphicsitem_cast<QGraphicsTextItem *>(items[0]);
    QVERIFY(deux_points);
    QCOMPARE(deux_points->toPlainText(), QStringLiteral(":"));
    QCOMPARE(deux_points->pos(), QPointF(0, 0));

    const QColor trait(0, 51, 102, 255);
    const QColor gris(153, 153, 153, 255);
    int n = 1;
    auto ligne = [&](const QLineF &attendue, const QColor &couleur, Qt::PenStyle style) {
        auto *item = qgraphicsitem_cast<QGraphicsLineItem *>(items[n++]);
        QVERIFY2(item, qPrintable(QStringLiteral("item %1 is no line").arg(n - 1)));
        QCOMPARE(item->line(), attendue);
        QCOMPARE(item->pen().color(), couleur);
        QCOMPARE(item->pen().style(), style);
    };
    auto nombre = [&](int k, const QPointF &position) {
        auto *item = qgraphicsitem_cast<QGraphicsTextItem *>(items[n++]);
        QVERIFY2(item, qPrintable(QStringLiteral("item %1 is no text").arg(n - 1)));
        QCOMPARE(item->toPlainText(), QString::number(k));
        QCOMPARE(item->pos(), position);
        QCOMPARE(item->defaultTextColor(), gris);
    };
    for (int k = 0; k <= 10; ++k) {
        const QColor pointille = k == 0 ? QColor(0, 51, 102, 150)
                               : (k == 5 || k == 10) ? QColor(175, 8, 8, 150)
                                                     : QColor(153, 153, 153, 150);
        const int y = ys[k];
        const int x = xs[k];
        ligne(QLineF(30, y, 35, y), trait, Qt::SolidLine);
        nombre(k, k == 0 ? QPointF(18, y - 4) : QPointF(k == 10 ? 12 : 18, y - 10));
        ligne(QLineF(36, y, W - 30, y), pointille, Qt::DotLine);
        ligne(QLineF(x, H - 30, x, H - 35), trait, Qt::SolidLine);
        if (k >= 1)
            nombre(k, QPointF(x - (k == 10 ? 9 : 6), H - 31));
        ligne(QLineF(x, 30, x, H - 36), pointille, Qt::DotLine);
    }
    QCOMPARE(n, 66);
}

void tst_constructeur_scene::ordre_des_items()
{
    graphic_view vue;
    auto session = creer_session({QPoint(0, 0), QPoint(10, 10), QPoint(20, 0)}, {{1, 2}, {0}, {}});
    dessiner(vue, session.get(), 1);
    const QList<QGraphicsItem *> items = dans_l_ordre(vue);
    // The labels are made when first asked for, not by the builder.
    QCOMPARE(items.size(), 66 + 1 + 3 + 3);
    QVERIFY(qgraphicsitem_cast<QGraphicsTextItem *>(items[66]));
    // Arcs above the frame, each vertex above every arc, its label above it.
    for (int i = 67; i < 70; ++i)
        QVERIFY(dynamic_cast<graphic_item_arc *>(items[i]));
    for (int k = 0; k < 3; ++k) {
        auto *sommet = qgraphicsitem_cast<graphic_item_sommet *>(items[70 + k]);
        QVERIFY(sommet);
        QCOMPARE(sommet->id(), k);
        QCOMPARE(vue.liste_sommets()[k], sommet);
        QCOMPARE(sommet->toolTip(), QStringLiteral("sommet : ") + QString::number(k));
        QCOMPARE(sommet->rect(), QRectF(0, 0, 22, 22));
        QVERIFY(sommet->childItems().isEmpty());
        QGraphicsTextItem *etiquette = sommet->etiquette();
        QCOMPARE(etiquette->toPlainText(), QString::number(k));
        QCOMPARE(etiquette->parentItem(), sommet);
        QCOMPARE(etiquette->pos(), QPointF(0, 0));
        QVERIFY(!etiquette->isVisible());
    }
    const QList<QGraphicsItem *> avec_etiquettes = dans_l_ordre(vue);
    QCOMPARE(avec_etiquettes.size(), 66 + 1 + 3 + 3 * 2);
    for (int k = 0; k < 3; ++k)
        QCOMPARE(avec_etiquettes[71 + 2 * k], vue.liste_sommets()[k]->etiquette());
}

void tst_constructeur_scene::placement_des_sommets_data()
{
    QTest::addColumn<int>("facteur");
    QTest::addColumn<QList<QPoint>>("positions");
    QTest::addColumn<QList<QPointF>>("coins");
    QTest::addColumn<QString>("ligne_ecart");
    // Ranges 85 and 43 give the exact factors 8 and 10 at x1.
    QTest::newRow("premier capteur au maximum")
        << 1 << QList<QPoint>{{95, 63}, {10, 20}, {52, 41}}
        << QList<QPointF>{{729, 49}, {49, 479}, {385, 269}} << QStringLiteral("_ecart_x = 8   _ecart_y = 10");
    QTest::newRow("premier capteur au minimum")
        << 1 << QList<QPoint>{{10, 20}, {95, 63}}
        << QList<QPointF>{{49, 479}, {729, 49}} << QStringLiteral("_ecart_x = 8   _ecart_y = 10");
    QTest::newRow("coordonnees negatives")
        << 1 << QList<QPoint>{{-50, -20}, {35, 23}}
        << QList<QPointF>{{49, 479}, {729, 49}} << QStringLiteral("_ecart_x = 8   _ecart_y = 10");
    QTest::newRow("facteurs inexacts")
        << 1 << QList<QPoint>{{10, 20}, {110, 70}, {60, 45}}
        << QList<QPointF>{{49, 479}, {729, 49}, {389, 264}} << QStringLiteral("_ecart_x = 6.8   _ecart_y = 8.6");
    QTest::newRow("x2") << 2 << QList<QPoint>{{0, 0}, {90, 47}}
                        << QList<QPointF>{{49, 754}, {1129, 49}}
                        << QStringLiteral("_ecart_x = 12   _ecart_y = 15");
    QTest::newRow("un seul capteur") << 1 << QList<QPoint>{{500, 300}} << QList<QPointF>{{49, 479}}
                                     << QStringLiteral("_ecart_x = 0   _ecart_y = 0");
    QTest::newRow("capteurs sur une verticale")
        << 1 << QList<QPoint>{{7, 0}, {7, 43}, {7, 20}}
        << QList<QPointF>{{49, 479}, {49, 49}, {49, 279}} << QStringLiteral("_ecart_x = 0   _ecart_y = 10");
    QTest::newRow("capteurs sur une horizontale")
        << 1 << QList<QPoint>{{0, 5}, {85, 5}}
        << QList<QPointF>{{49, 479}, {729, 479}} << QStringLiteral("_ecart_x = 8   _ecart_y = 0");
}

void tst_constructeur_scene::placement_des_sommets()
{
    QFETCH(int, facteur);
    QFETCH(QList<QPoint>, positions);
    QFETCH(QList<QPointF>, coins);
    QFETCH(QString, ligne_ecart);
    graphic_view vue;
    vue.set_zoom(facteur);
    auto session = creer_session(positions, listes(positions.size()));
    const QStringList sortie = dessiner(vue, session.get(), 1);
    QCOMPARE(sortie.size(), 2);
    QCOMPARE(sortie[1], ligne_ecart);
    QCOMPARE(vue.liste_sommets().size(), std::size_t(coins.size()));
    for (int k = 0; k < coins.size(); ++k)
        QCOMPARE(vue.liste_sommets()[k]->pos(), coins[k]);
}

void tst_constructeur_scene::couleurs_data()
{
    QTest::addColumn<int>("type_graphe");
    QTest::addColumn<int>("capteur");
    QTest::addColumn<QColor>("fond");
    QTest::addColumn<QColor>("texte");
    const QColor ordinaire(244, 244, 244, 255);
    const QColor bleu(0, 51, 102, 255);
    // Sink 0, liste_ma {0, 1, 2}, liste_br {2, 3}.
    QTest::newRow("instance, puits") << 1 << 0 << ordinaire << QColor(175, 8, 8, 255);
    QTest::newRow("instance, capteur ma") << 1 << 1 << ordinaire << bleu;
    QTest::newRow("instance, capteur br") << 1 << 3 << ordinaire << bleu;
    QTest::newRow("solution, puits dans ma") << 2 << 0 << QColor(0, 128, 0, 255) << ordinaire;
    QTest::newRow("solution, ma") << 2 << 1 << QColor(173, 255, 47, 255) << bleu;
    QTest::newRow("solution, ma et br") << 2 << 2 << QColor(173, 255, 47, 255) << bleu;
    QTest::newRow("solution, br") << 2 << 3 << QColor(250, 128, 114, 255) << bleu;
    QTest::newRow("solution, ordinaire") << 2 << 4 << ordinaire << bleu;
    QTest::newRow("type 3 dessine la solution") << 3 << 3 << QColor(250, 128, 114, 255) << bleu;
}

void tst_constructeur_scene::couleurs()
{
    QFETCH(int, type_graphe);
    QFETCH(int, capteur);
    QFETCH(QColor, fond);
    QFETCH(QColor, texte);
    graphic_view vue;
    auto session = creer_session({{0, 0}, {1, 1}, {2, 0}, {3, 1}, {4, 0}}, listes(5), 0);
    ajouter_solution(*session, {0, 1, 2}, {2, 3});
    dessiner(vue, session.get(), type_graphe);
    graphic_item_sommet *sommet = vue.liste_sommets()[capteur];
    QCOMPARE(sommet->brush().color(), fond);
    QCOMPARE(sommet->etiquette()->defaultTextColor(), texte);
}

void tst_constructeur_scene::arcs_data()
{
    QTest::addColumn<int>("type_graphe");
    QTest::addColumn<listes>("voisins");
    QTest::addColumn<QList<int>>("ma");
    QTest::addColumn<QList<QPoint>>("arcs");
    QTest::addColumn<int>("nb_null");
    const listes symetrique{{1}, {0}, {}};
    QTest::newRow("instance, arete symetrique comptee deux fois")
        << 1 << symetrique << QList<int>{} << QList<QPoint>{{0, 1}, {1, 0}} << 0;
    QTest::newRow("instance, ordre des listes")
        << 1 << listes{{2, 1}, {0}, {}} << QList<int>{} << QList<QPoint>{{0, 2}, {0, 1}, {1, 0}} << 0;
    QTest::newRow("solution, liste_ma vide") << 2 << symetrique << QList<int>{} << QList<QPoint>{} << 0;
    QTest::newRow("solution, arcs des capteurs ma seulement")
        << 2 << symetrique << QList<int>{1} << QList<QPoint>{{1, 0}} << 0;
    QTest::newRow("solution, arete entre deux capteurs ma")
        << 2 << symetrique << QList<int>{1, 0} << QList<QPoint>{{1, 0}, {0, 1}} << 0;
    QTest::newRow("solution, repetition dans liste_ma")
        << 2 << symetrique << QList<int>{1, 1} << QList<QPoint>{{1, 0}, {1, 0}} << 0;
    QTest::newRow("solution, numero de liste_ma hors instance")
        << 2 << symetrique << QList<int>{3, 65535, 1} << QList<QPoint>{{1, 0}} << 0;
    QTest::newRow("voisin egal a nb_sensors")
        << 1 << listes{{3}, {0}, {}} << QList<int>{} << QList<QPoint>{{1, 0}} << 1;
    QTest::newRow("voisins inconnus")
        << 1 << listes{{65535, 1}, {4}, {}} << QList<int>{} << QList<QPoint>{{0, 1}} << 2;
}

void tst_constructeur_scene::arcs()
{
    QFETCH(int, type_graphe);
    QFETCH(listes, voisins);
    QFETCH(QList<int>, ma);
    QFETCH(QList<QPoint>, arcs);
    QFETCH(int, nb_null);
    graphic_view vue;
    auto session = creer_session({{0, 0}, {85, 43}, {40, 10}}, voisins);
    ajouter_solution(*session, ma);
    const QStringList sortie = dessiner(vue, session.get(), type_graphe);
    QCOMPARE(sortie.count(QStringLiteral("NULL")), nb_null);
    QCOMPARE(sortie.size(), 2 + nb_null);

    const QList<graphic_item_arc *> dessines = arcs_de(vue);
    QCOMPARE(dessines.size(), arcs.size());
    std::size_t liens = 0;
    for (int i = 0; i < arcs.size(); ++i) {
        graphic_item_arc *arc = dessines[i];
        graphic_item_sommet *source = vue.liste_sommets()[arcs[i].x()];
        graphic_item_sommet *destination = vue.liste_sommets()[arcs[i].y()];
        QCOMPARE(arc->source(), source);
        QCOMPARE(arc->destination(), destination);
        QCOMPARE(arc->pen().color(), QColor(170, 170, 170, 255));
        QCOMPARE(arc->line(), QLineF(source->pos() + QPointF(11, 11),
                                     destination->pos() + QPointF(11, 11)));
        QVERIFY(std::count(source->arcs_sortants().begin(), source->arcs_sortants().end(), arc) == 1);
        QVERIFY(std::count(destination->arcs_entrants().begin(), destination->arcs_entrants().end(), arc)
                == 1);
    }
    // No vertex holds a link to an arc that was left out.
    for (graphic_item_sommet *sommet : vue.liste_sommets())
        liens += sommet->arcs_sortants().size() + sommet->arcs_entrants().size();
    QCOMPARE(liens, std::size_t(2 * arcs.size()));
}

void tst_constructeur_scene::comparaison()
{
    // A chain 0-1-2-3-4, sink 0; A's MA {0, 1, 2}, B's MA {0, 2, 3}.
    graphic_view vue;
    auto session = creer_session({{0, 0}, {1, 1}, {2, 0}, {3, 1}, {4, 0}}, {{1}, {0, 2}, {1, 3}, {2, 4}, {3}});
    ajouter_solution(*session, {0, 1, 2});
    session->solution()->nom_fichier() = QStringLiteral("/d/a.txt");
    graphe_solution b;
    b.liste_ma() = {0, 2, 3};
    b.nom_fichier() = QStringLiteral("/d/b.txt");
    {
        capture_flux console;
        construire_scene(&vue, sujet_de(session.get(), 2, &b));
    }
    const QColor blanc(244, 244, 244), bleu_nuit(0, 51, 102), bleu(0, 114, 178), vermillon(213, 94, 0);
    const QList<QColor> fonds{{0, 128, 0}, bleu, {173, 255, 47}, vermillon, blanc};
    const QList<QColor> etiquettes{blanc, blanc, bleu_nuit, blanc, bleu_nuit};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(vue.liste_sommets()[i]->brush().color(), fonds[i]);
        QCOMPARE(vue.liste_sommets()[i]->etiquette()->defaultTextColor(), etiquettes[i]);
    }
    // A's MA sensors' links in A's order, then those of B's only.
    const QList<QPoint> attendus{{0, 1}, {1, 0}, {1, 2}, {2, 1}, {2, 3}, {3, 2}, {3, 4}};
    const QPen gris(QColor(170, 170, 170)), seul_a(bleu, 1.5), seul_b(vermillon, 1.5, Qt::DashLine);
    const QList<QPen> stylos{gris, seul_a, seul_a, gris, gris, seul_b, seul_b};
    const QList<graphic_item_arc *> dessines = arcs_de(vue);
    QCOMPARE(dessines.size(), attendus.size());
    for (int i = 0; i < attendus.size(); ++i) {
        QCOMPARE(dessines[i]->source()->id(), attendus[i].x());
        QCOMPARE(dessines[i]->destination()->id(), attendus[i].y());
        QCOMPARE(dessines[i]->pen(), stylos[i]);
    }
    bool texte = false;
    for (QGraphicsItem *item : dans_l_ordre(vue))
        if (auto *t = qgraphicsitem_cast<QGraphicsTextItem *>(item))
            texte |= t->toPlainText() == QStringLiteral("Comparaison [a.txt] / [b.txt], 5 sommets [g.txt]");
    QVERIFY(texte);
}

void tst_constructeur_scene::texte_d_information_data()
{
    QTest::addColumn<int>("type_graphe");
    QTest::addColumn<QString>("texte");
    QTest::newRow("instance") << 1 << QStringLiteral("Graphe [instance], non oriente, 12 sommets [g12.txt]");
    QTest::newRow("solution") << 2 << QStringLiteral("Graphe [solution], non oriente, 12 sommets [g12.txt]");
}

void tst_constructeur_scene::texte_d_information()
{
    QFETCH(int, type_graphe);
    QFETCH(QString, texte);
    QList<QPoint> positions;
    for (int k = 0; k < 12; ++k)
        positions.append(QPoint(k, 12 - k));
    auto session = creer_session(positions, listes(12), 0, -1, QStringLiteral("/tmp/x/data/g12.txt"));
    ajouter_solution(*session, {});
    graphic_view vue;
    dessiner(vue, session.get(), type_graphe);
    auto *info = qgraphicsitem_cast<QGraphicsTextItem *>(dans_l_ordre(vue)[66]);
    QVERIFY(info);
    QCOMPARE(info->toPlainText(), texte);
    QCOMPARE(info->pos(), QPointF(0, 0));
    QCOMPARE(info->defaultTextColor(), QColor(0, 51, 102, 255));
}

void tst_constructeur_scene::enregistrements_incomplets_data()
{
    QTest::addColumn<int>("cas");
    QTest::addColumn<int>("type_graphe");
    QTest::addColumn<int>("nb_sommets");
    QTest::addColumn<int>("nb_arcs");
    QTest::addColumn<int>("nb_lignes");
    QTest::newRow("instance absente") << 0 << 1 << 0 << 0 << 1;
    QTest::newRow("solution absente") << 1 << 2 << 0 << 0 << 1;
    QTest::newRow("solution absente, dessin de l'instance") << 1 << 1 << 3 << 3 << 2;
    QTest::newRow("positions manquantes") << 2 << 1 << 2 << 1 << 4;
    QTest::newRow("listes de voisins manquantes") << 3 << 1 << 3 << 1 << 2;
    QTest::newRow("aucun capteur") << 4 << 1 << 0 << 0 << 2;
}

void tst_constructeur_scene::enregistrements_incomplets()
{
    QFETCH(int, cas);
    QFETCH(int, type_graphe);
    QFETCH(int, nb_sommets);
    QFETCH(int, nb_arcs);
    QFETCH(int, nb_lignes);
    std::unique_ptr<session_graphe> session;
    const listes voisins{{1}, {2}, {0}};
    switch (cas) {
    case 0:
        session = std::make_unique<session_graphe>();
        break;
    case 1:
        session = creer_session({{0, 0}, {5, 5}, {9, 2}}, voisins);
        break;
    case 2:
        // Five announced, two positions, three neighbour lists.
        session = creer_session({{0, 0}, {5, 5}}, voisins, 0, 5);
        break;
    case 3:
        session = creer_session({{0, 0}, {5, 5}, {9, 2}}, {{1}}, 0);
        break;
    case 4:
        session = creer_session({}, {});
        break;
    }
    graphic_view vue;
    const QStringList sortie = dessiner(vue, session.get(), type_graphe);
    QCOMPARE(sortie.size(), nb_lignes);
    QCOMPARE(int(vue.liste_sommets().size()), nb_sommets);
    QCOMPARE(arcs_de(vue).size(), nb_arcs);
    const int nb_info = cas == 0 || (cas == 1 && type_graphe != 1) ? 0 : 1;
    QCOMPARE(vue.scene()->items().size(), 66 + nb_info + nb_arcs + nb_sommets);
}

void tst_constructeur_scene::etape_d_historique_data()
{
    // A chain 0-1-2-3-4, sink 0, BR {4}; the step before has MA {0, 1, 2}.
    QTest::addColumn<QList<int>>("ma");
    QTest::addColumn<QList<int>>("precedente");
    QTest::addColumn<bool>("sur_la_precedente");
    QTest::addColumn<QList<int>>("fonds");
    QTest::addColumn<QList<QPoint>>("arcs");
    QTest::addColumn<QList<int>>("stylos");
    // Fills: 0 sink, 1 MA, 2 BR, 3 other, 4 joined, 5 left; pens: 0 grey,
    // 1 joined, 2 left.
    QTest::newRow("entres et sortis")
        << QList<int>{0, 2, 3} << QList<int>{0, 1, 2} << false << QList<int>{0, 5, 1, 4, 2}
        << QList<QPoint>{{0, 1}, {2, 1}, {2, 3}, {3, 2}, {3, 4}, {1, 0}, {1, 2}} << QList<int>{0, 0, 0, 1, 1, 2, 2};
    QTest::newRow("aucun changement")
        << QList<int>{0, 1, 2} << QList<int>{0, 1, 2} << false << QList<int>{0, 1, 1, 3, 2}
        << QList<QPoint>{{0, 1}, {1, 0}, {1, 2}, {2, 1}, {2, 3}} << QList<int>{0, 0, 0, 0, 0};
    QTest::newRow("changee sur la precedente")
        << QList<int>{0, 2, 3} << QList<int>{0, 1, 2} << true << QList<int>{0, 5, 1, 4, 2}
        << QList<QPoint>{{0, 1}, {2, 1}, {2, 3}, {3, 2}, {3, 4}, {1, 0}, {1, 2}} << QList<int>{0, 0, 0, 1, 1, 2, 2};
    QTest::newRow("revenue sur la precedente")
        << QList<int>{0, 1, 2} << QList<int>{0, 2, 3} << true << QList<int>{0, 4, 1, 5, 2}
        << QList<QPoint>{{0, 1}, {1, 0}, {1, 2}, {2, 1}, {2, 3}, {3, 2}, {3, 4}} << QList<int>{0, 1, 1, 0, 0, 2, 2};
}

void tst_constructeur_scene::etape_d_historique()
{
    QFETCH(QList<int>, ma);
    QFETCH(QList<int>, precedente);
    QFETCH(bool, sur_la_precedente);
    QFETCH(QList<int>, fonds);
    QFETCH(QList<QPoint>, arcs);
    QFETCH(QList<int>, stylos);
    auto session = creer_session({{0, 0}, {1, 1}, {2, 0}, {3, 1}, {4, 0}}, {{1}, {0, 2}, {1, 3}, {2, 4}, {3}});
    ajouter_solution(*session, precedente, {4});
    graphe_solution etape;
    for (int s : ma)
        etape.liste_ma().push_back(std::uint16_t(s));
    etape.liste_br() = {4};
    sujet_dessin sujet = sujet_de(session.get(), 2);
    sujet.precedente = sujet.solution;
    sujet.solution = &etape;
    graphic_view vue;
    capture_flux console;
    // Drawn anew, or changed from the step before's drawing in what differs.
    if (sur_la_precedente) {
        construire_scene(&vue, sujet_de(session.get(), 2));
        vue.tuiles().preparer(liste_dessin::tuiles(QRect(QPoint(0, 0), vue.liste()->aire()), vue.liste()->aire()));
        QVERIFY(changer_scene(&vue, sujet));
    } else {
        construire_scene(&vue, sujet);
    }
    const QList<QColor> couleurs{{0, 128, 0}, {173, 255, 47}, {250, 128, 114}, {244, 244, 244}, {213, 94, 0}, {0, 114, 178}};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(vue.liste_sommets()[i]->brush().color(), couleurs[fonds[i]]);
    const QList<QPen> pens{QPen(QColor(170, 170, 170)), QPen(couleurs[4], 1.5, Qt::DashLine), QPen(couleurs[5], 1.5)};
    QList<QPair<QPoint, int>> attendus, dessines;
    for (int i = 0; i < arcs.size(); ++i)
        attendus.append({arcs[i], stylos[i]});
    for (graphic_item_arc *arc : arcs_de(vue))
        dessines.append({QPoint(arc->source()->id(), arc->destination()->id()), int(pens.indexOf(arc->pen()))});
    // Items changed in place need not keep the list's order among arcs.
    const auto par_extremites = [](const QPair<QPoint, int> &a, const QPair<QPoint, int> &b) {
        return std::make_pair(a.first.x(), a.first.y()) < std::make_pair(b.first.x(), b.first.y());
    };
    std::sort(attendus.begin(), attendus.end(), par_extremites);
    std::sort(dessines.begin(), dessines.end(), par_extremites);
    QCOMPARE(dessines, attendus);
    // The screen's tiles, kept or made again, are those of the step drawn anew.
    const dessin neuf = construire_dessin(sujet, vue.liste()->aire(), vue.viewport()->font(), vue.viewport()->logicalDpiY());
    for (const QPoint &t : liste_dessin::tuiles(QRect(QPoint(0, 0), neuf.liste->aire()), neuf.liste->aire())) {
        vue.tuiles().preparer({t});
        QCOMPARE(vue.tuiles().image(t), rendu_dessin::tuile(*neuf.liste, t));
    }
}

QTEST_MAIN(tst_constructeur_scene)
#include "tst_constructeur_scene.moc"
