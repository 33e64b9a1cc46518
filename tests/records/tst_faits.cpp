#include "comparaison_solutions.h"
#include "coord_sommet.h"
#include "faits_instance.h"
#include "faits_solution.h"
#include "graphe_instance.h"
#include "graphe_solution.h"

#include <QtTest>

#include <memory>

namespace
{

std::vector<std::uint16_t> nombres(const QString &texte)
{
    std::vector<std::uint16_t> resultat;
    for (const QString &n : texte.split(QLatin1Char(','), Qt::SkipEmptyParts))
        resultat.push_back(std::uint16_t(n.toUInt()));
    return resultat;
}

QString liste(const std::vector<std::uint16_t> &l)
{
    QStringList textes;
    for (std::uint16_t v : l)
        textes << QString::number(v);
    return textes.join(QLatin1Char(','));
}

// "n|sink|lists": list k as "k:a,b" separated by ";", missing lists empty;
// sensor k at (10 k, 100 - k).
std::unique_ptr<graphe_instance> instance(const QString &description)
{
    const QStringList parties = description.split(QLatin1Char('|'));
    auto g = std::make_unique<graphe_instance>();
    g->nom_fichier() = QStringLiteral("/d/reseau.txt");
    g->nb_sensors() = std::uint16_t(parties[0].toUInt());
    g->sink() = std::uint16_t(parties[1].toUInt());
    for (int k = 0; k < g->nb_sensors(); ++k) {
        g->positions().push_back(std::make_unique<coord_sommet>(10 * k, 100 - k));
        g->voisins().push_back(std::make_unique<graphe_instance::liste_voisins>());
    }
    for (const QString &l : parties[2].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList cle = l.split(QLatin1Char(':'));
        *g->voisins()[cle[0].toUInt()] = nombres(cle.value(1));
    }
    return g;
}

// "ma|sl|br|instance name", numbers separated by commas.
graphe_solution solution(const QString &description)
{
    const QStringList listes = description.split(QLatin1Char('|'));
    graphe_solution s;
    s.liste_ma() = nombres(listes[0]);
    s.liste_sl() = nombres(listes[1]);
    s.liste_br() = nombres(listes[2]);
    s.nom_instance() = listes.value(3);
    return s;
}

} // namespace

class tst_faits : public QObject
{
    Q_OBJECT

private slots:
    void faits_data();
    void faits();
    void capteurs_lies();
    void comparer_solutions_data();
    void comparer_solutions();
};

void tst_faits::faits_data()
{
    QTest::addColumn<QString>("reseau");
    QTest::addColumn<QString>("solution"); // "ma|sl|br|instance name"
    QTest::addColumn<QString>("attendu_instance");
    QTest::addColumn<QString>("attendu_solution");

    const char *chaine = "3|0|0:1;1:0,2;2:1";
    QTest::newRow("vide") << "0|0|" << "|||" << "e=0 l=0 u=0 h=0 s=0 r=0 i= c=0 p=0/0/0 d=0/0/0"
                          << "ma=0 sl=0 br=0 h=|| r=|| 2=|| pm=0 cm=0 nc= sl= nom=0";
    QTest::newRow("chaine couverte") << chaine << "1|0,2||reseau.txt\n"
                                     << "e=4 l=2 u=0 h=0 s=0 r=0 i= c=1 p=0/1/3 d=1/1.33/2"
                                     << "ma=1 sl=2 br=0 h=|| r=|| 2=|| pm=0 cm=1 nc= sl= nom=1";
    QTest::newRow("isole") << "3|2|0:1;1:0" << "0|1||autre.txt"
                           << "e=2 l=1 u=0 h=0 s=0 r=0 i=2 c=2 p=2/1/1 d=0/0.67/1"
                           << "ma=1 sl=1 br=0 h=|| r=|| 2=|| pm=0 cm=1 nc=2 sl= nom=0";
    QTest::newRow("sens unique") << "3|0|0:1,2;2:0" << "|||"
                                 << "e=3 l=2 u=1 h=0 s=0 r=0 i= c=1 p=0/1/3 d=1/1.33/2"
                                 << "ma=0 sl=0 br=0 h=|| r=|| 2=|| pm=0 cm=0 nc=0,1,2 sl=1,2 nom=0";
    QTest::newRow("hors limites et soi-meme") << "2|0|0:5,0,1;1:0,9" << "|||"
                                              << "e=5 l=1 u=0 h=2 s=1 r=0 i= c=1 p=0/1/2 d=1/1.00/1"
                                              << "ma=0 sl=0 br=0 h=|| r=|| 2=|| pm=0 cm=0 nc=0,1 sl=1 nom=0";
    QTest::newRow("repetes") << "2|0|0:1,1,1;1:0,7,7" << "|||"
                             << "e=6 l=1 u=0 h=2 s=0 r=3 i= c=1 p=0/1/2 d=1/1.00/1"
                             << "ma=0 sl=0 br=0 h=|| r=|| 2=|| pm=0 cm=0 nc=0,1 sl=1 nom=0";
    QTest::newRow("deux composantes, MA coupe") << "4|1|0:1;1:0;2:3;3:2" << "1,2|0|3|reseau.txt"
                                                << "e=4 l=2 u=0 h=0 s=0 r=0 i= c=2 p=1/1/2 d=1/1.00/1"
                                                << "ma=2 sl=1 br=1 h=|| r=|| 2=|| pm=1 cm=2 nc= sl= nom=1";
    QTest::newRow("puits hors limites") << "2|9|0:1" << "9|1|1|"
                                        << "e=1 l=1 u=1 h=0 s=0 r=0 i= c=1 p=9/0/0 d=1/1.00/1"
                                        << "ma=1 sl=1 br=1 h=9|| r=|| 2=||1 pm=1 cm=0 nc=0,1 sl=0 nom=0";
    QTest::newRow("listes fautives") << chaine << "0,0,5|0,1,1|1,7|reseau.txt"
                                     << "e=4 l=2 u=0 h=0 s=0 r=0 i= c=1 p=0/1/3 d=1/1.33/2"
                                     << "ma=3 sl=3 br=2 h=5||7 r=0|1| 2=0||1 pm=1 cm=1 nc=2 sl=2 nom=1";
}

void tst_faits::faits()
{
    QFETCH(QString, reseau);
    QFETCH(QString, solution);
    QFETCH(QString, attendu_instance);
    QFETCH(QString, attendu_solution);

    const auto g = instance(reseau);
    const faits_instance f = calculer_faits_instance(*g);
    const QString puits = QStringLiteral("%1/%2/%3").arg(f.puits).arg(int(f.puits_valide)).arg(f.taille_composante_puits);
    const QString degres = QStringLiteral("%1/%2/%3").arg(f.degre_min).arg(f.degre_moyen, 0, 'f', f.degre_moyen ? 2 : 0).arg(f.degre_max);
    QCOMPARE(QStringLiteral("e=%1 l=%2 u=%3 h=%4 s=%5 r=%6 i=%7 c=%8 p=%9 d=%10")
                 .arg(f.entrees).arg(f.liens).arg(f.entrees_sens_unique).arg(f.entrees_hors_limites)
                 .arg(f.entrees_soi_meme).arg(f.entrees_repetees).arg(liste(f.isoles)).arg(f.composantes)
                 .arg(puits, degres),
             attendu_instance);
    QCOMPARE(f.fichier, QStringLiteral("reseau.txt"));
    QCOMPARE(f.bornes_valides, f.capteurs > 0);
    if (f.capteurs > 0)
        QCOMPARE(QList<int>({f.min_x, f.max_x, f.min_y, f.max_y}),
                 QList<int>({0, 10 * (f.capteurs - 1), 101 - f.capteurs, 100}));

    const graphe_solution s = ::solution(solution);
    const faits_solution fs = calculer_faits_solution(*g, s);
    auto trois = [](const std::array<numeros_capteurs, 3> &a) {
        return QStringLiteral("%1|%2|%3").arg(liste(a[0]), liste(a[1]), liste(a[2]));
    };
    QCOMPARE(QStringLiteral("ma=%1 sl=%2 br=%3 h=%4 r=%5 2=%6 pm=%7 cm=%8 nc=%9 sl=%10 nom=%11")
                 .arg(fs.longueurs[0]).arg(fs.longueurs[1]).arg(fs.longueurs[2])
                 .arg(trois(fs.hors_limites), trois(fs.repetes), trois(fs.dans_deux_listes))
                 .arg(int(fs.puits_dans_ma)).arg(fs.composantes_ma)
                 .arg(liste(fs.non_couverts), liste(fs.sans_liste)).arg(int(fs.nom_instance_conforme)),
             attendu_solution);
}

void tst_faits::capteurs_lies()
{
    // Listed by 2 only, lists 1 twice and itself, and a number out of range.
    const auto g = instance(QStringLiteral("4|0|0:1,1,0,8;2:0"));
    QCOMPARE(liste(::capteurs_lies(*g, 0)), QStringLiteral("1,2"));
    QCOMPARE(liste(::capteurs_lies(*g, 3)), QString());
}

void tst_faits::comparer_solutions_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("attendu");
    // Five sensors in a chain, sink 0.
    QTest::newRow("identiques") << "0,1|2|3|" << "0,1|2|3|" << "ma=2/2 deux=0,1 a= b= j=1.0000 br=| sl=|";
    QTest::newRow("disjointes") << "0,1||3|" << "3,4||1|" << "ma=2/2 deux= a=0,1 b=3,4 j=0.0000 br=3|1 sl=|";
    QTest::newRow("en partie") << "0,1,2|3||" << "1,2,3||3|"
                               << "ma=3/3 deux=1,2 a=0 b=3 j=0.5000 br=|3 sl=3|";
    // Out of range and repeated numbers count once, or not at all.
    QTest::newRow("hors limites et repetes") << "1,1,9|||" << "1,7|||" << "ma=1/1 deux=1 a= b= j=1.0000 br=| sl=|";
    QTest::newRow("toutes deux vides") << "|||" << "|||" << "ma=0/0 deux= a= b= j=1.0000 br=| sl=|";
}

void tst_faits::comparer_solutions()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, attendu);
    const auto g = instance(QStringLiteral("5|0|0:1;1:0,2;2:1,3;3:2,4;4:3"));
    const comparaison_solutions c = ::comparer_solutions(*g, solution(a), solution(b));
    QCOMPARE(QStringLiteral("ma=%1/%2 deux=%3 a=%4 b=%5 j=%6 br=%7|%8 sl=%9|%10")
                 .arg(c.ma_a).arg(c.ma_b)
                 .arg(liste(c.ma_deux), liste(c.ma_seulement_a), liste(c.ma_seulement_b))
                 .arg(c.jaccard, 0, 'f', 4)
                 .arg(liste(c.br_seulement_a), liste(c.br_seulement_b), liste(c.sl_seulement_a),
                      liste(c.sl_seulement_b)),
             attendu);
    // Each side's own facts, as a solution page gives them.
    QCOMPARE(c.a.longueurs, calculer_faits_solution(*g, solution(a)).longueurs);
    QCOMPARE(c.b.non_couverts, calculer_faits_solution(*g, solution(b)).non_couverts);
}

QTEST_APPLESS_MAIN(tst_faits)
#include "tst_faits.moc"
