#include "capture_flux.h"
#include "coord_sommet.h"
#include "ecriture_reseau.h"
#include "generateur_reseau.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "lecture_fichier.h"
#include "session_graphe.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

// Round trips through each network format (GraphML, GEXF, Cytoscape.js): an
// instance and its solution written and read back give the same places,
// neighbour lists and sink, and the same sensors in each solution list (the
// formats' booleans keep no order: they come back in increasing order).

namespace {

graphe_solution::liste_capteurs triee(graphe_solution::liste_capteurs l)
{
    std::sort(l.begin(), l.end());
    return l;
}

void comparer(const session_graphe &avant, const reseau_fichier &apres)
{
    const graphe_instance &a = *avant.instance();
    const graphe_instance &b = *apres.instance;
    QCOMPARE(b.nb_sensors(), a.nb_sensors());
    QCOMPARE(b.sink(), a.sink());
    for (std::size_t k = 0; k < a.nb_sensors(); ++k) {
        QCOMPARE(b.positions()[k]->x(), a.positions()[k]->x());
        QCOMPARE(b.positions()[k]->y(), a.positions()[k]->y());
        QCOMPARE(*b.voisins()[k], *a.voisins()[k]);
    }
    QCOMPARE(bool(apres.solution), bool(avant.solution()));
    if (!avant.solution())
        return;
    QCOMPARE(apres.solution->liste_ma(), triee(avant.solution()->liste_ma()));
    QCOMPARE(apres.solution->liste_sl(), triee(avant.solution()->liste_sl()));
    QCOMPARE(apres.solution->liste_br(), triee(avant.solution()->liste_br()));
}

} // namespace

class tst_ecriture_reseau : public QObject
{
    Q_OBJECT

private slots:
    void aller_retour_data();
    void aller_retour();
};

void tst_ecriture_reseau::aller_retour_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("base");
    QTest::addColumn<bool>("solution");
    for (const char *format : {"graphml", "gexf", "cyjs"}) {
        auto ligne = [format](const char *cas) -> QTestData & {
            return QTest::addRow("%s, %s", format, cas) << QString(format);
        };
        // A name without folder is generated with that many sensors.
        for (const char *exemple : {"trois_capteurs", "douze_capteurs", "deploiement_300"})
            ligne(exemple) << QStringLiteral(VG_EXAMPLES_DIR "/") + exemple << true;
        ligne("exemple sans solution") << QStringLiteral(VG_EXAMPLES_DIR "/douze_capteurs") << false;
        ligne("genere, 1 capteur") << "1" << true;
        ligne("genere, 65535 capteurs") << "65535" << true;
        // Sensor 2 lists 0 and 1, neither lists it: two links one way.
        ligne("liens a sens unique") << "sens_unique" << false;
    }
}

void tst_ecriture_reseau::aller_retour()
{
    QFETCH(QString, format);
    QFETCH(QString, base);
    QFETCH(bool, solution);
    QTemporaryDir dossier;
    capture_flux console;
    if (!base.contains('/')) {
        const QString nom = QStringLiteral("reseau");
        if (base == QLatin1String("sens_unique")) {
            QFile f(dossier.filePath(nom + ".txt"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("NB_SENSORS 3\nID\n0 0 0 1 1\n1 5 5 1 0\n2 9 1 2 0 1\nSINK\n2\nEND\n");
        } else {
            parametres_reseau p;
            p.nb_capteurs = base.toInt();
            QVERIFY(!ecrire_session(p, dossier.path(), nom, nom).isEmpty());
        }
        base = dossier.filePath(nom);
    }
    session_graphe avant;
    QVERIFY(avant.lire_instance(base + ".txt"));
    if (solution)
        QVERIFY(avant.lire_solution(base + "_sol.txt"));

    const QString chemin = dossier.filePath("r." + format);
    QString raison;
    QVERIFY2(ecrire_fichier_reseau(chemin, *avant.instance(), avant.solution().get(), &raison), qPrintable(raison));
    const fichier_lu<reseau_fichier> apres = lire_fichier_reseau(chemin);
    QVERIFY2(apres.lu, qPrintable(apres.raison));
    comparer(avant, *apres.contenu);
}

QTEST_MAIN(tst_ecriture_reseau)
#include "tst_ecriture_reseau.moc"
