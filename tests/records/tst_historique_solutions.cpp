#include "coord_sommet.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "historique_solutions.h"

#include <QtTest>

#include <memory>

// A solver's solutions kept step by step: what makes a step, its counts and
// what changed from the step before, the cap, and the counts made again
// when the instance is read again.

namespace
{

using ajout = historique_solutions::ajout;

std::vector<std::uint16_t> nombres(const QString &texte)
{
    std::vector<std::uint16_t> resultat;
    for (const QString &n : texte.split(QLatin1Char(','), Qt::SkipEmptyParts))
        resultat.push_back(std::uint16_t(n.toUInt()));
    return resultat;
}

// "n|k:a,b;..." : n sensors, sink 0, sensor k hearing a and b.
std::unique_ptr<graphe_instance> instance(const QString &description)
{
    const QStringList parties = description.split(QLatin1Char('|'));
    auto g = std::make_unique<graphe_instance>();
    g->nb_sensors() = std::uint16_t(parties[0].toUInt());
    for (int k = 0; k < g->nb_sensors(); ++k) {
        g->positions().push_back(std::make_unique<coord_sommet>(k, k));
        g->voisins().push_back(std::make_unique<graphe_instance::liste_voisins>());
    }
    for (const QString &l : parties.value(1).split(QLatin1Char(';'), Qt::SkipEmptyParts))
        *g->voisins()[l.section(QLatin1Char(':'), 0, 0).toUInt()] = nombres(l.section(QLatin1Char(':'), 1));
    return g;
}

// "ma|sl|br", numbers separated by commas.
std::shared_ptr<const graphe_solution> solution(const QString &description)
{
    const QStringList listes = description.split(QLatin1Char('|'));
    auto s = std::make_shared<graphe_solution>();
    s->liste_ma() = nombres(listes.value(0));
    s->liste_sl() = nombres(listes.value(1));
    s->liste_br() = nombres(listes.value(2));
    // Room to spare, as the reader's lists grow.
    s->liste_ma().reserve(64);
    return s;
}

// "ma sl br nc cm | MA +joined -left, SL, BR, jaccard".
QString comptes(const etape_solution &e)
{
    const resume_etape &r = e.resume;
    const difference_etapes &d = e.difference;
    return QStringLiteral("%1 %2 %3 %4 %5 | %6 %7 %8 %9 %10 %11 %12")
        .arg(r.longueurs[0]).arg(r.longueurs[1]).arg(r.longueurs[2]).arg(r.non_couverts).arg(r.composantes_ma)
        .arg(d.entres[0]).arg(d.sortis[0]).arg(d.entres[1]).arg(d.sortis[1]).arg(d.entres[2]).arg(d.sortis[2])
        .arg(d.jaccard, 0, 'f', 4);
}

bool ajouter(historique_solutions &h, const graphe_instance &i, const QString &s, ajout attendu)
{
    return h.ajouter(i, solution(s), QStringLiteral("run_sol.txt"), QDateTime::currentDateTime()) == attendu;
}

const char *chaine = "5|0:1;1:0,2;2:1,3;3:2,4;4:3";

} // namespace

class tst_historique_solutions : public QObject
{
    Q_OBJECT

private slots:
    void ajouter_data();
    void ajouter();
    void capacite_data();
    void capacite();
    void recalculer_data();
    void recalculer();
};

void tst_historique_solutions::ajouter_data()
{
    QTest::addColumn<QString>("reseau");
    QTest::addColumn<QString>("avant"); // the first step
    QTest::addColumn<QString>("apres");
    QTest::addColumn<int>("taille");
    QTest::addColumn<QString>("premier");
    QTest::addColumn<QString>("second");

    const QString premier = "2 1 1 0 2 | 0 0 0 0 0 0 1.0000";
    QTest::newRow("listes identiques") << chaine << "0,3|2|4" << "0,3|2|4" << 1 << premier << "";
    QTest::newRow("meme MA dans un autre ordre")
        << chaine << "0,3|2|4" << "3,0|2|4" << 2 << premier << "2 1 1 0 2 | 0 0 0 0 0 0 1.0000";
    QTest::newRow("chaque liste change")
        << chaine << "0,3|2|4" << "0,2|3|4,1" << 2 << premier << "2 1 2 1 2 | 1 1 1 1 1 0 0.3333";
    QTest::newRow("MA vides des deux cotes")
        << chaine << "|1|" << "||1" << 2 << "0 1 0 5 0 | 0 0 0 0 0 0 1.0000" << "0 0 1 5 0 | 0 0 0 1 1 0 1.0000";
    QTest::newRow("MA vide ensuite")
        << chaine << "1,2||" << "||" << 2 << "2 0 0 1 1 | 0 0 0 0 0 0 1.0000" << "0 0 0 5 0 | 0 2 0 0 0 0 0.0000";
    QTest::newRow("repetes et hors limites comptes une fois")
        << chaine << "0|1|" << "0,0,9,2|1,1,7|9" << 2 << "1 1 0 3 1 | 0 0 0 0 0 0 1.0000"
        << "2 1 0 1 2 | 1 0 0 0 0 0 0.5000";
}

void tst_historique_solutions::ajouter()
{
    QFETCH(QString, reseau);
    QFETCH(QString, avant);
    QFETCH(QString, apres);
    QFETCH(int, taille);
    QFETCH(QString, premier);
    QFETCH(QString, second);
    const auto i = instance(reseau);
    historique_solutions h;
    QVERIFY(::ajouter(h, *i, avant, ajout::ajoutee));
    QVERIFY(::ajouter(h, *i, apres, taille == 2 ? ajout::ajoutee : ajout::identique));
    QCOMPARE(h.taille(), taille);
    QCOMPARE(comptes(h.etape(0)), premier);
    QCOMPARE(h.precedente(0), nullptr);
    if (taille == 2) {
        QCOMPARE(comptes(h.etape(1)), second);
        QCOMPARE(h.precedente(1), h.etape(0).solution.get());
        QCOMPARE(h.etape(1).solution->liste_ma(), nombres(apres.section(QLatin1Char('|'), 0, 0)));
    }
    // Kept without the room to spare.
    for (int k = 0; k < h.taille(); ++k)
        QCOMPARE(h.etape(k).solution->liste_ma().capacity(), h.etape(k).solution->liste_ma().size());
}

void tst_historique_solutions::capacite_data()
{
    QTest::addColumn<int>("surplus");
    QTest::addColumn<bool>("vide_avant");
    QTest::newRow("une de trop") << 1 << false;
    QTest::newRow("trois de trop") << 3 << false;
    QTest::newRow("de trop apres avoir ete videe") << 2 << true;
}

void tst_historique_solutions::capacite()
{
    QFETCH(int, surplus);
    QFETCH(bool, vide_avant);
    // Room for every step's MA sensor, so that steps differ.
    const auto i = instance(QString::number(historique_solutions::capacite + 10));
    historique_solutions h;
    if (vide_avant) {
        for (int k = 0; k <= historique_solutions::capacite; ++k)
            QVERIFY(::ajouter(h, *i, QString::number(k), k < historique_solutions::capacite ? ajout::ajoutee
                                                                                              : ajout::ajoutee_en_oubliant));
        h.vider();
        QCOMPARE(h.taille(), 0);
    }
    // Step k's MA holds k: the oldest left shows in the first step's list.
    const int total = historique_solutions::capacite + surplus;
    for (int k = 0; k < total; ++k) {
        const ajout attendu = k == historique_solutions::capacite ? ajout::ajoutee_en_oubliant : ajout::ajoutee;
        QVERIFY2(::ajouter(h, *i, QString::number(k), attendu), qPrintable(QString::number(k)));
    }
    QCOMPARE(h.taille(), historique_solutions::capacite);
    QCOMPARE(h.etape(0).solution->liste_ma(), nombres(QString::number(surplus)));
    QCOMPARE(h.etape(h.taille() - 1).solution->liste_ma(), nombres(QString::number(total - 1)));
    // The first step left is a first step: nothing before it.
    QCOMPARE(h.precedente(0), nullptr);
    QCOMPARE(comptes(h.etape(0)).section(QLatin1Char('|'), 1), QStringLiteral(" 0 0 0 0 0 0 1.0000"));
}

void tst_historique_solutions::recalculer_data()
{
    QTest::addColumn<QString>("nouveau_reseau");
    QTest::addColumn<QString>("dernier");
    QTest::newRow("capteur 4 relie a 2 et non a 3")
        << "5|0:1;1:0,2;2:1,3,4;3:2;4:2" << "2 1 2 0 2 | 1 1 1 1 1 0 0.3333";
    QTest::newRow("deux capteurs en moins") << "3|0:1;1:0,2;2:1" << "2 0 1 0 2 | 1 0 0 1 1 0 0.5000";
    QTest::newRow("rien de change") << chaine << "2 1 2 1 2 | 1 1 1 1 1 0 0.3333";
}

void tst_historique_solutions::recalculer()
{
    QFETCH(QString, nouveau_reseau);
    QFETCH(QString, dernier);
    const QStringList etapes{"0,3|2|4", "0,2|3|4,1"};
    const auto ancien = instance(chaine);
    const auto nouveau = instance(nouveau_reseau);
    historique_solutions h;
    historique_solutions attendu;
    for (const QString &s : etapes) {
        QVERIFY(::ajouter(h, *ancien, s, ajout::ajoutee));
        QVERIFY(::ajouter(attendu, *nouveau, s, ajout::ajoutee));
    }
    h.recalculer(*nouveau);
    // As if every step had been read against the new instance.
    for (int k = 0; k < h.taille(); ++k)
        QCOMPARE(comptes(h.etape(k)), comptes(attendu.etape(k)));
    QCOMPARE(comptes(h.etape(1)), dernier);
}

QTEST_MAIN(tst_historique_solutions)
#include "tst_historique_solutions.moc"
