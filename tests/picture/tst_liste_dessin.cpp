#include "aire_dessin.h"
#include "capture_flux.h"
#include "constructeur_dessin.h"
#include "liste_dessin.h"
#include "primitives_dessin.h"
#include "session_graphe.h"
#include "sujet_session.h"

#include <QGuiApplication>
#include <QtTest>

#include <algorithm>

namespace {

// What a walk over the list sends, one line a primitive.
class releve : public primitives_dessin
{
public:
    void ligne(const QLine &l, const stylo &s) override
    {
        lignes << QStringLiteral("ligne %1,%2 %3,%4 %5").arg(l.x1()).arg(l.y1()).arg(l.x2()).arg(l.y2())
                      .arg(s.qt.color().name(QColor::HexArgb));
    }
    void texte(const texte_place &t) override { lignes << QStringLiteral("texte ") + t.contenu; }
    void sommet(const QPoint &coin, const QPen &, const QBrush &fond, int id, const QColor &,
                forme_sommet::forme) override
    {
        lignes << QStringLiteral("sommet %1 %2,%3 %4").arg(id).arg(coin.x()).arg(coin.y()).arg(fond.color().name());
    }
    void marque(const QRect &boite, forme_sommet::forme, const QPen &, const QBrush &) override
    {
        lignes << QStringLiteral("marque %1,%2").arg(boite.x()).arg(boite.y());
    }
    QStringList lignes;
};

QStringList tuile(const liste_dessin &liste, const QPoint &t)
{
    releve r;
    liste.parcourir(liste_dessin::rectangle_tuile(t), r);
    return r.lignes;
}

} // namespace

class tst_liste_dessin : public QObject
{
    Q_OBJECT

private slots:
    void deplacer_data();
    void deplacer();
};

void tst_liste_dessin::deplacer_data()
{
    QTest::addColumn<int>("type_graphe");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("capteur");
    QTest::addColumn<QPoint>("ecart");
    QTest::newRow("instance x2, d'une tuile a l'autre") << 1 << 2 << 42 << QPoint(300, -200);
    QTest::newRow("solution x4, un peu") << 2 << 4 << 6 << QPoint(7, 5);
    QTest::newRow("solution x1, sur place") << 2 << 1 << 6 << QPoint(0, 0);
}

// A vertex moved in an indexed list: its entry and its arcs follow, each
// tile holds what a list indexed afresh holds, in stacking order, and every
// tile whose picture changed is told.
void tst_liste_dessin::deplacer()
{
    QFETCH(int, type_graphe);
    QFETCH(int, zoom);
    QFETCH(int, capteur);
    QFETCH(QPoint, ecart);
    capture_flux console;
    session_graphe session;
    const QString d300 = QStringLiteral(VG_EXAMPLES_DIR "/deploiement_300");
    QVERIFY(session.lire_instance(d300 + ".txt") && session.lire_solution(d300 + "_sol.txt"));
    const dessin d = construire_dessin(sujet_de(&session, type_graphe), aire_dessin::taille(zoom),
                                       QGuiApplication::font(), 96);
    const std::uint32_t indice = d.liste->indice_sommet(capteur);
    QVERIFY(indice != liste_dessin::aucun);
    const QPoint coin = d.liste->sommets()[indice].coin + ecart;
    std::vector<QPoint> aucune;
    const std::shared_ptr<liste_dessin> neuve = d.liste->deplacer(indice, coin, aucune);
    neuve->indexer();
    d.liste->indexer();
    std::vector<QPoint> touchees;
    const std::shared_ptr<liste_dessin> deplacee = d.liste->deplacer(indice, coin, touchees);

    QCOMPARE(deplacee->sommets()[indice].coin, coin);
    for (const QPoint &t : liste_dessin::tuiles(QRect(QPoint(0, 0), d.liste->aire()), d.liste->aire())) {
        QCOMPARE(tuile(*deplacee, t), tuile(*neuve, t));
        if (tuile(*deplacee, t) != tuile(*d.liste, t))
            QVERIFY2(std::find(touchees.begin(), touchees.end(), t) != touchees.end(),
                     qPrintable(QStringLiteral("%1,%2").arg(t.x()).arg(t.y())));
    }
}

QTEST_MAIN(tst_liste_dessin)
#include "tst_liste_dessin.moc"
