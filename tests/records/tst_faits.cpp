#include "comparaison_solutions.h"
#include "coord_sommet.h"
#include "defauts_solution.h"
#include "faits_instance.h"
#include "faits_solution.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "valeurs_capteurs.h"

#include <QRandomGenerator>
#include <QtTest>

#include <deque>

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
    void valeurs_capteurs_data();
    void valeurs_capteurs();
    void sauts_comme_un_parcours_en_largeur();
    void defauts_solution_data();
    void defauts_solution();
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

// "k=v" for every sensor with a value, "k=-" for one without.
QString texte_valeurs(const valeurs_capteurs &v)
{
    QStringList t;
    for (std::size_t k = 0; k < v.valeur.size(); ++k)
        t << QStringLiteral("%1=%2").arg(k).arg(v.valeur[k] ? QString::number(*v.valeur[k]) : QStringLiteral("-"));
    return t.join(QLatin1Char(' '));
}

void tst_faits::valeurs_capteurs_data()
{
    QTest::addColumn<QString>("instance");
    QTest::addColumn<QString>("sauts");
    QTest::addColumn<QString>("degres");
    // A link listed one way only is still a link; a repeated entry counts once.
    QTest::newRow("chaine ecoutee d'un cote") << "4|0|0:1;2:1,1;3:2" << "0=0 1=1 2=2 3=3" << "0=1 1=2 2=2 3=1";
    QTest::newRow("puits au milieu") << "3|1|1:0,2" << "0=1 1=0 2=1" << "0=1 1=2 2=1";
    QTest::newRow("capteur isole sans valeur") << "3|0|0:1" << "0=0 1=1 2=-" << "0=1 1=1 2=0";
    QTest::newRow("entrees hors limites ou vers soi") << "2|0|0:0,7;1:0" << "0=0 1=1" << "0=1 1=1";
    QTest::newRow("puits hors limites") << "2|5|0:1" << "0=- 1=-" << "0=1 1=1";
}

void tst_faits::valeurs_capteurs()
{
    QFETCH(QString, instance);
    QFETCH(QString, sauts);
    QFETCH(QString, degres);
    const auto g = ::instance(instance);
    QCOMPARE(texte_valeurs(sauts_au_puits(*g)), sauts);
    QCOMPARE(texte_valeurs(::degres(*g)), degres);
}

// On a random network of some size, the hops are those of a plain
// breadth-first search over an adjacency matrix.
void tst_faits::sauts_comme_un_parcours_en_largeur()
{
    constexpr int n = 400;
    QRandomGenerator hasard(31);
    std::vector<std::vector<bool>> lie(n, std::vector<bool>(n, false));
    QStringList listes;
    for (int a = 0; a < n; ++a) {
        QStringList voisins;
        for (int k = 0; k < 2; ++k) {
            const int b = int(hasard.bounded(n));
            voisins << QString::number(b);
            if (b != a)
                lie[a][b] = lie[b][a] = true;
        }
        listes << QString::number(a) + ':' + voisins.join(',');
    }
    const auto g = instance(QStringLiteral("%1|7|").arg(n) + listes.join(';'));
    std::vector<int> attendu(n, -1);
    std::deque<int> file{7};
    attendu[7] = 0;
    while (!file.empty()) {
        const int a = file.front();
        file.pop_front();
        for (int b = 0; b < n; ++b)
            if (lie[a][b] && attendu[b] < 0) {
                attendu[b] = attendu[a] + 1;
                file.push_back(b);
            }
    }
    const ::valeurs_capteurs v = sauts_au_puits(*g);
    for (int k = 0; k < n; ++k)
        QCOMPARE(v.valeur[k] ? int(*v.valeur[k]) : -1, attendu[k]);
}

void tst_faits::defauts_solution_data()
{
    QTest::addColumn<QString>("instance");
    QTest::addColumn<QString>("solution");
    QTest::addColumn<QString>("non_couverts");
    QTest::addColumn<QString>("coupes");
    QTest::addColumn<int>("parties");
    QTest::newRow("tout couvert, MA d'un tenant") << "4|0|0:1;1:2;2:3" << "0,1,2||" << "" << "" << 0;
    QTest::newRow("une partie sans le puits") << "6|0|0:1;2:3;3:4" << "0,3,4||" << "5" << "3,4" << 1;
    QTest::newRow("puits hors de MA") << "3|0|0:1;1:2" << "1||" << "" << "1" << 1;
    QTest::newRow("numeros hors limites ignores") << "2|0|0:1" << "0,9||" << "" << "" << 0;
}

void tst_faits::defauts_solution()
{
    QFETCH(QString, instance);
    QFETCH(QString, solution);
    QFETCH(QString, non_couverts);
    QFETCH(QString, coupes);
    QFETCH(int, parties);
    const auto g = ::instance(instance);
    const ::defauts_solution d = calculer_defauts(*g, ::solution(solution));
    auto marques = [](const std::vector<bool> &m) {
        std::vector<std::uint16_t> l;
        for (std::size_t k = 0; k < m.size(); ++k)
            if (m[k])
                l.push_back(std::uint16_t(k));
        return liste(l);
    };
    QCOMPARE(marques(d.non_couvert), non_couverts);
    QCOMPARE(marques(d.ma_coupe), coupes);
    QCOMPARE(d.nb_parties_coupees, parties);
}

QTEST_APPLESS_MAIN(tst_faits)
#include "tst_faits.moc"
