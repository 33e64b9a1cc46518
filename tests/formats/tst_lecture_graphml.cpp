#include "capture_flux.h"
#include "coord_sommet.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "graphml_invalides.h"
#include "lecture_fichier.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The GraphML reader: what each feature of a file makes of the records, the
// console lines it writes, and the reasons of the files it refuses.

namespace {

bool ecrire(const QString &chemin, const QByteArray &contenu)
{
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(contenu) == contenu.size();
}

QString liste(const std::vector<std::uint16_t> &v)
{
    QStringList t;
    for (std::uint16_t k : v)
        t << QString::number(k);
    return t.join(',');
}

// "0(0,0):1 1(10,5):0 puits 0 | MA 0 SL 1 BR -": every sensor with its
// place and list, the sink, then the solution or "-" without one.
QString decrire(const reseau_graphml &r)
{
    QStringList t;
    const graphe_instance &i = *r.instance;
    for (std::size_t k = 0; k < i.nb_sensors(); ++k)
        t << QStringLiteral("%1(%2,%3):%4").arg(k).arg(i.positions()[k]->x()).arg(i.positions()[k]->y())
                 .arg(liste(*i.voisins()[k]));
    t << QStringLiteral("puits %1 |").arg(i.sink());
    if (!r.solution)
        return (t << QStringLiteral("-")).join(' ');
    for (const auto &[nom, l] : {std::pair{"MA", &r.solution->liste_ma()}, std::pair{"SL", &r.solution->liste_sl()},
                                 std::pair{"BR", &r.solution->liste_br()}})
        t << QLatin1String(nom) << (l->empty() ? QStringLiteral("-") : liste(*l));
    return t.join(' ');
}

const QByteArray cle_sensor = "  <key id=\"s\" for=\"node\" attr.name=\"sensor\" attr.type=\"int\"/>\n";
const QByteArray cles_roles = "  <key id=\"p\" for=\"node\" attr.name=\"sink\" attr.type=\"boolean\"/>\n"
                              "  <key id=\"r\" for=\"node\" attr.name=\"role\" attr.type=\"string\"/>\n"
                              "  <key id=\"m\" for=\"node\" attr.name=\"ma\" attr.type=\"boolean\"/>\n";

QByteArray avec(const QByteArray &id, const QByteArray &donnees)
{
    return "    <node id=\"" + id + "\"><data key=\"d0\">1</data><data key=\"d1\">2</data>" + donnees + "</node>\n";
}

// Content saved as reseau.graphml and read, with what the reader wrote on
// each stream.
struct lecture_capturee
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("reseau.graphml");
    capture_flux sortie;
    capture_flux erreurs{std::cerr};
    fichier_lu<reseau_graphml> f;

    explicit lecture_capturee(const QByteArray &contenu)
    {
        if (ecrire(chemin, contenu))
            f = lire_fichier_graphml(chemin);
    }
};

} // namespace

class tst_lecture_graphml : public QObject
{
    Q_OBJECT

private slots:
    void lecture_data();
    void lecture();
    void invalides_data();
    void invalides();
    void reconnaissance_data();
    void reconnaissance();
};

void tst_lecture_graphml::lecture_data()
{
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QString>("records");
    // The console lines after "  -> Nb_SENSORS = n".
    QTest::addColumn<QStringList>("console");

    const QByteArray ab = noeud("a", "0", "0") + noeud("b", "10", "5");
    const QString premier = "  -> Puits : capteur 0 (nœud « a », le premier : aucun nœud n'a sink à vrai)";
    QTest::newRow("places entieres gardees") << graphml(ab + "    <edge source=\"a\" target=\"b\"/>\n")
                                             << "0(0,0):1 1(10,5):0 puits 0 | -" << QStringList{premier};
    QTest::newRow("places mises a l'echelle")
        << graphml(noeud("a", "0.5", "-1") + noeud("b", "2.5", "0"))
        << "0(0,0): 1(10000,5000): puits 0 | -"
        << QStringList{"  -> Coordonnées non entières, mises à l'échelle de 0 à 10000 : facteur 5000", premier};
    QTest::newRow("ordre par sensor")
        << graphml(avec("a", "<data key=\"s\">7</data>") + avec("b", "<data key=\"s\">3</data>")
                       + "    <edge source=\"a\" target=\"b\"/>\n",
                   cle_sensor)
        << "0(1,2):1 1(1,2):0 puits 1 | -"
        << QStringList{"  -> Puits : capteur 1 (nœud « a », le premier : aucun nœud n'a sink à vrai)"};
    QTest::newRow("sensor repete, ordre du document")
        << graphml(avec("a", "<data key=\"s\">3</data>") + avec("b", "<data key=\"s\">3</data>"), cle_sensor)
        << "0(1,2): 1(1,2): puits 0 | -" << QStringList{premier};
    // A directed edge, one undirected among directed ones, one way only,
    // a loop and a repeated edge.
    QTest::newRow("aretes orientees")
        << QByteArray(graphml(ab + noeud("c", "3", "3") + "    <edge source=\"a\" target=\"b\"/>\n"
                              "    <edge source=\"c\" target=\"a\" directed=\"false\"/>\n")
                          .replace("undirected", "directed"))
        << "0(0,0):1,2 1(10,5): 2(3,3):0 puits 0 | -" << QStringList{premier};
    QTest::newRow("sens unique, boucle, arete repetee")
        << graphml(ab + "    <edge source=\"b\" target=\"a\"><data key=\"u\">true</data></edge>\n"
                        "    <edge source=\"a\" target=\"a\"/><edge source=\"a\" target=\"b\"/>"
                        "<edge source=\"b\" target=\"a\"/>\n",
                   "  <key id=\"u\" for=\"edge\" attr.name=\"one_way\" attr.type=\"boolean\"/>\n")
        << "0(0,0):0,1,1 1(10,5):0,0,0 puits 0 | -" << QStringList{premier};
    QTest::newRow("aretes avant les noeuds") << graphml("    <edge source=\"b\" target=\"a\"/>\n" + ab)
                                             << "0(0,0):1 1(10,5):0 puits 0 | -" << QStringList{premier};
    QTest::newRow("pos_x et pos_y")
        << QByteArray(graphml(ab)).replace("\"x\"", "\"pos_x\"").replace("\"y\"", "\"pos_y\"")
        << "0(0,0): 1(10,5): puits 0 | -" << QStringList{premier};
    QTest::newRow("roles en texte et booleens, puits")
        << graphml(avec("a", "<data key=\"r\">SL</data>") + avec("b", "<data key=\"r\">ma, br</data>")
                       + avec("c", "<data key=\"p\">True</data><data key=\"m\">1</data>") + avec("d", ""),
                   cles_roles)
        << "0(1,2): 1(1,2): 2(1,2): 3(1,2): puits 2 | MA 1,2 SL 0 BR 1"
        << QStringList{"  -> Puits : capteur 2 (nœud « c »)"};
    QTest::newRow("valeurs par defaut")
        << QByteArray(graphml("    <node id=\"a\"><data key=\"d0\">4</data></node>\n",
                              "  <key id=\"m\" for=\"all\" attr.name=\"ma\"><default>true</default></key>\n"))
               .replace("attr.type=\"double\"/>\n  <key id=\"m\"",
                        "attr.type=\"double\"><default>9</default></key>\n  <key id=\"m\"")
        << "0(4,9): puits 0 | MA 0 SL - BR -" << QStringList{premier};
}

void tst_lecture_graphml::lecture()
{
    QFETCH(QByteArray, contenu);
    QFETCH(QString, records);
    QFETCH(QStringList, console);
    const lecture_capturee l(contenu);
    QVERIFY2(l.f.lu, qPrintable(l.f.raison));
    QCOMPARE(decrire(*l.f.contenu), records);
    QCOMPARE(l.f.contenu->instance->nom_fichier(), l.chemin);
    QCOMPARE(l.sortie.lignes().mid(1), console);
    QCOMPARE(l.erreurs.texte(), std::string());
}

void tst_lecture_graphml::invalides_data()
{
    table_graphml_invalides();
}

void tst_lecture_graphml::invalides()
{
    QFETCH(QByteArray, contenu);
    QFETCH(QString, raison);
    const lecture_capturee l(contenu);
    QVERIFY(!l.f.lu);
    QVERIFY(!l.f.contenu);
    QCOMPARE(l.f.raison, raison);
    QCOMPARE(QString::fromLocal8Bit(l.erreurs.texte().c_str()), raison + '\n');
    QCOMPARE(l.sortie.texte(), std::string());
}

void tst_lecture_graphml::reconnaissance_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<bool>("graphml");
    const QByteArray racine = "<?xml version=\"1.0\"?>\n<graphml/>";
    QTest::newRow("nom en .graphml, contenu quelconque") << "r.GraphML" << QByteArray("x") << true;
    QTest::newRow("racine graphml, autre nom") << "r.xml" << racine << true;
    QTest::newRow("racine graphml, nom en .vga") << "r.vga" << racine << false;
    QTest::newRow("session") << "r.xml" << QByteArray("<visual_graphe/>") << false;
    QTest::newRow("absent") << "absent.xml" << QByteArray() << false;
}

void tst_lecture_graphml::reconnaissance()
{
    QFETCH(QString, nom);
    QFETCH(QByteArray, contenu);
    QFETCH(bool, graphml);
    QTemporaryDir dossier;
    if (!contenu.isNull())
        QVERIFY(ecrire(dossier.filePath(nom), contenu));
    QCOMPARE(est_fichier_graphml(dossier.filePath(nom)), graphml);
}

QTEST_MAIN(tst_lecture_graphml)
#include "tst_lecture_graphml.moc"
