#include "aire_dessin.h"
#include "capture_flux.h"
#include "constructeur_dessin.h"
#include "ecriture_image.h"
#include "forme_sommet.h"
#include "liste_dessin.h"
#include "session_graphe.h"
#include "sujet_session.h"

#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// A page's drawing written as DOT and laid out by Graphviz's neato -n2:
// every vertex where the page has it, filled and numbered as there.

namespace {

const QString exemple = QStringLiteral(VG_EXAMPLES_DIR "/deploiement_300");

} // namespace

class tst_ecriture_dot : public QObject
{
    Q_OBJECT

private slots:
    void places_de_neato_data();
    void places_de_neato();
};

void tst_ecriture_dot::places_de_neato_data()
{
    QTest::addColumn<int>("type_graphe");
    QTest::addColumn<int>("zoom");
    QTest::newRow("instance x1") << 1 << 1;
    QTest::newRow("solution x2") << 2 << 2;
    QTest::newRow("comparaison x1") << 3 << 1;
}

void tst_ecriture_dot::places_de_neato()
{
    QFETCH(int, type_graphe);
    QFETCH(int, zoom);
    const QString neato = QStandardPaths::findExecutable(QStringLiteral("neato"));
    if (neato.isEmpty())
        QSKIP("Graphviz (neato) is not installed");
    session_graphe session, b;
    dessin d;
    {
        capture_flux console;
        QVERIFY(session.lire_instance(exemple + ".txt") && session.lire_solution(exemple + "_sol.txt"));
        QVERIFY(b.lire_solution(exemple + "_sol_b.txt"));
        d = construire_dessin(sujet_de(&session, type_graphe, type_graphe == 3 ? b.solution().get() : nullptr),
                              aire_dessin::taille(zoom), QGuiApplication::font(), 96);
    }
    const liste_dessin &liste = *d.liste;
    QTemporaryDir dossier;
    QVERIFY(ecrire_image(liste, dossier.filePath("page.dot")));
    QProcess graphviz;
    graphviz.start(neato, {"-n2", "-Tplain", dossier.filePath("page.dot")});
    QVERIFY(graphviz.waitForFinished(60000) && graphviz.exitCode() == 0);

    // "node n12 x y width height label style shape color fillcolor", in inches.
    const qreal hauteur = liste.aire().height();
    int vus = 0;
    for (const QByteArray &ligne : graphviz.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> champs = ligne.split(' ');
        if (champs.size() < 11 || champs[0] != "node" || !champs[1].startsWith('n'))
            continue;
        const std::uint32_t indice = liste.indice_sommet(champs[1].mid(1).toInt());
        QVERIFY(indice != liste_dessin::aucun);
        const liste_dessin::sommet &sommet = liste.sommets()[indice];
        const QPointF centre = QPointF(sommet.coin) + QPointF(forme_sommet::rayon, forme_sommet::rayon);
        const QPointF place(champs[2].toDouble() * 72, hauteur - champs[3].toDouble() * 72);
        QVERIFY2((place - centre).manhattanLength() < 1,
                 qPrintable(QStringLiteral("%1 : %2,%3").arg(QString(ligne)).arg(centre.x()).arg(centre.y())));
        QCOMPARE(champs[6].toInt(), sommet.id);
        QCOMPARE(QString(champs[10]), liste.brosse(sommet.fond).color().name());
        ++vus;
    }
    QCOMPARE(vus, 300);
}

QTEST_MAIN(tst_ecriture_dot)
#include "tst_ecriture_dot.moc"
