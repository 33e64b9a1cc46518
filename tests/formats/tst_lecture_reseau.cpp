#include "capture_flux.h"
#include "coord_sommet.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "format_reseau.h"
#include "lecture_fichier.h"
#include "reseaux_invalides.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The readers of other tools' networks (GraphML and yEd's, GEXF, Cytoscape.js)
// through the reading of a lone file: what each feature of a file makes of
// the records, the console lines they write, the reasons of the files they
// refuse, and how a file's format is told.

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
QString decrire(const reseau_fichier &r)
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

// Content saved under its name and read, with what the reader wrote on
// each stream.
struct lecture_capturee
{
    QTemporaryDir dossier;
    const QString chemin;
    capture_flux sortie;
    capture_flux erreurs{std::cerr};
    fichier_lu<reseau_fichier> f;

    lecture_capturee(const QString &nom, const QByteArray &contenu) : chemin(dossier.filePath(nom))
    {
        if (ecrire(chemin, contenu))
            f = lire_fichier_reseau(chemin);
    }
};

} // namespace

class tst_lecture_reseau : public QObject
{
    Q_OBJECT

private slots:
    void lecture_data();
    void lecture();
    void invalides_data();
    void invalides();
    void format_reseau_data();
    void format_reseau();
};

void tst_lecture_reseau::lecture_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QString>("records");
    // The console lines after "  -> Nb_SENSORS = n".
    QTest::addColumn<QStringList>("console");

    const QString g = QStringLiteral("reseau.graphml");
    const QByteArray ab = noeud("a", "0", "0") + noeud("b", "10", "5");
    const QString premier = "  -> Puits : capteur 0 (nœud « a », le premier : aucun nœud n'a sink à vrai)";
    QTest::newRow("places entieres gardees") << g << graphml(ab + "    <edge source=\"a\" target=\"b\"/>\n")
                                             << "0(0,0):1 1(10,5):0 puits 0 | -" << QStringList{premier};
    QTest::newRow("places mises a l'echelle") << g << graphml(noeud("a", "0.5", "-1") + noeud("b", "2.5", "0"))
        << "0(0,0): 1(10000,5000): puits 0 | -"
        << QStringList{"  -> Coordonnées non entières, mises à l'échelle de 0 à 10000 : facteur 5000", premier};
    QTest::newRow("ordre par sensor")
        << g << graphml(avec("a", "<data key=\"s\">7</data>") + avec("b", "<data key=\"s\">3</data>")
                       + "    <edge source=\"a\" target=\"b\"/>\n",
                   cle_sensor)
        << "0(1,2):1 1(1,2):0 puits 1 | -"
        << QStringList{"  -> Puits : capteur 1 (nœud « a », le premier : aucun nœud n'a sink à vrai)"};
    QTest::newRow("sensor repete, ordre du document")
        << g << graphml(avec("a", "<data key=\"s\">3</data>") + avec("b", "<data key=\"s\">3</data>"), cle_sensor)
        << "0(1,2): 1(1,2): puits 0 | -" << QStringList{premier};
    // A directed edge, one undirected among directed ones, one way only,
    // a loop and a repeated edge.
    QTest::newRow("aretes orientees")
        << g << QByteArray(graphml(ab + noeud("c", "3", "3") + "    <edge source=\"a\" target=\"b\"/>\n"
                              "    <edge source=\"c\" target=\"a\" directed=\"false\"/>\n")
                          .replace("undirected", "directed"))
        << "0(0,0):1,2 1(10,5): 2(3,3):0 puits 0 | -" << QStringList{premier};
    QTest::newRow("sens unique, boucle, arete repetee")
        << g << graphml(ab + "    <edge source=\"b\" target=\"a\"><data key=\"u\">true</data></edge>\n"
                        "    <edge source=\"a\" target=\"a\"/><edge source=\"a\" target=\"b\"/>"
                        "<edge source=\"b\" target=\"a\"/>\n",
                   "  <key id=\"u\" for=\"edge\" attr.name=\"one_way\" attr.type=\"boolean\"/>\n")
        << "0(0,0):0,1,1 1(10,5):0,0,0 puits 0 | -" << QStringList{premier};
    QTest::newRow("aretes avant les noeuds") << g << graphml("    <edge source=\"b\" target=\"a\"/>\n" + ab)
                                             << "0(0,0):1 1(10,5):0 puits 0 | -" << QStringList{premier};
    QTest::newRow("pos_x et pos_y")
        << g << QByteArray(graphml(ab)).replace("\"x\"", "\"pos_x\"").replace("\"y\"", "\"pos_y\"")
        << "0(0,0): 1(10,5): puits 0 | -" << QStringList{premier};
    QTest::newRow("roles en texte et booleens, puits")
        << g << graphml(avec("a", "<data key=\"r\">SL</data>") + avec("b", "<data key=\"r\">ma, br</data>")
                       + avec("c", "<data key=\"p\">True</data><data key=\"m\">1</data>") + avec("d", ""),
                   cles_roles)
        << "0(1,2): 1(1,2): 2(1,2): 3(1,2): puits 2 | MA 1,2 SL 0 BR 1"
        << QStringList{"  -> Puits : capteur 2 (nœud « c »)"};
    QTest::newRow("valeurs par defaut")
        << g << QByteArray(graphml("    <node id=\"a\"><data key=\"d0\">4</data></node>\n",
                              "  <key id=\"m\" for=\"all\" attr.name=\"ma\"><default>true</default></key>\n"))
               .replace("attr.type=\"double\"/>\n  <key id=\"m\"",
                        "attr.type=\"double\"><default>9</default></key>\n  <key id=\"m\"")
        << "0(4,9): puits 0 | MA 0 SL - BR -" << QStringList{premier};

    // yEd's centres (100,30) (0,0) (200,100) (100,200), y turned over into
    // the quarter of the positive, numbered by their labels 2 0 1 3.
    QFile yed(VG_TEST_DATA "/reseau_yed.graphml");
    QVERIFY(yed.open(QIODevice::ReadOnly));
    const QByteArray forme = yed.readAll();
    QTest::newRow("yed, places et etiquettes")
        << g << forme << "0(0,200):3 1(200,100): 2(100,170):0,1 3(100,0): puits 2 | -"
                                               << QStringList{"  -> Puits : capteur 2 (nœud « n0 », le premier : aucun "
                                                              "nœud n'a sink à vrai)"};
    QTest::newRow("yed, etiquettes repetees : ordre du document")
        << g << QByteArray(forme).replace(">3<y:LabelModel>", ">2<y:LabelModel>")
        << "0(100,170):1,2 1(0,200):3 2(200,100): 3(100,0): puits 0 | -"
        << QStringList{"  -> Puits : capteur 0 (nœud « n0 », le premier : aucun nœud n'a sink à vrai)"};

    // Gephi's and networkx's GEXF: viz:position, a directed edge among
    // undirected ones, a mutual one, the roles as attributes.
    const QString x = QStringLiteral("reseau.gexf");
    const QByteArray attributs = "<graph defaultedgetype=\"undirected\">\n<attributes class=\"node\">"
                                 "<attribute id=\"0\" title=\"sink\" type=\"boolean\"/>"
                                 "<attribute id=\"1\" title=\"ma\" type=\"boolean\"><default>false</default></attribute>"
                                 "</attributes>";
    const QByteArray vrai = "<attvalues><attvalue for=\"0\" value=\"true\"/><attvalue for=\"1\" value=\"1\"/>"
                            "</attvalues>";
    QTest::newRow("gexf")
        << x
        << gexf(noeud_gexf("a", "0", "0") + "<node id=\"b\">" + vrai + "<viz:position x=\"10\" y=\"5\" z=\"3\"/></node>\n"
                    + noeud_gexf("c", "3", "3"),
                "<edge source=\"a\" target=\"b\" type=\"directed\"/><edge source=\"c\" target=\"b\" type=\"mutual\"/>",
                attributs)
        << "0(0,0):1 1(10,5):2 2(3,3):1 puits 1 | MA 1 SL - BR -" << QStringList{"  -> Puits : capteur 1 (nœud « b »)"};
    QTest::newRow("gexf oriente par defaut, places non entieres")
        << x << gexf(noeud_gexf("a", "-1.5", "0") + noeud_gexf("b", "0.5", "1"), "<edge source=\"b\" target=\"a\"/>",
                     "<graph defaultedgetype=\"directed\">")
        << "0(0,0): 1(10000,5000):0 puits 0 | -"
        << QStringList{"  -> Coordonnées non entières, mises à l'échelle de 0 à 10000 : facteur 5000", premier};

    // Cytoscape's positions, y pointing down; networkx's data.x and data.y,
    // its edges naming nodes by number.
    const QString c = QStringLiteral("reseau.cyjs");
    QTest::newRow("cyjs de Cytoscape")
        << c << cyjs(noeud_cyjs("a", "0", "-5", ", \"sink\": true, \"role\": \"SL\"") + ',' + noeud_cyjs("b", "10", "0"),
                     "{\"data\": {\"source\": \"b\", \"target\": \"a\", \"one_way\": true}}")
        << "0(0,5): 1(10,0):0 puits 0 | MA - SL 0 BR -" << QStringList{"  -> Puits : capteur 0 (nœud « a »)"};
    QTest::newRow("cyjs de networkx")
        << c
        << QByteArray("{\"directed\": true, \"elements\": {\"nodes\": [{\"data\": {\"id\": \"0\", \"x\": 4, \"y\": 2, "
                      "\"sensor\": 1}}, {\"data\": {\"id\": \"1\", \"x\": 6, \"y\": 8, \"sensor\": 0}}], "
                      "\"edges\": [{\"data\": {\"source\": 0, \"target\": 1}}]}}")
        << "0(6,8): 1(4,2):0 puits 1 | -"
        << QStringList{"  -> Puits : capteur 1 (nœud « 0 », le premier : aucun nœud n'a sink à vrai)"};
}

void tst_lecture_reseau::lecture()
{
    QFETCH(QString, nom);
    QFETCH(QByteArray, contenu);
    QFETCH(QString, records);
    QFETCH(QStringList, console);
    const lecture_capturee l(nom, contenu);
    QVERIFY2(l.f.lu, qPrintable(l.f.raison));
    QCOMPARE(decrire(*l.f.contenu), records);
    QCOMPARE(l.f.contenu->instance->nom_fichier(), l.chemin);
    QCOMPARE(l.sortie.lignes().mid(1), console);
    QCOMPARE(l.erreurs.texte(), std::string());
}

void tst_lecture_reseau::invalides_data()
{
    table_reseaux_invalides();
}

void tst_lecture_reseau::invalides()
{
    QFETCH(QString, nom);
    QFETCH(QByteArray, contenu);
    QFETCH(QString, raison);
    const lecture_capturee l(nom, contenu);
    QVERIFY(!l.f.lu);
    QVERIFY(!l.f.contenu);
    QCOMPARE(l.f.raison, raison);
    QCOMPARE(QString::fromLocal8Bit(l.erreurs.texte().c_str()), raison + '\n');
    QCOMPARE(l.sortie.texte(), std::string());
}

void tst_lecture_reseau::format_reseau_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<int>("format");
    const QByteArray racine = "<?xml version=\"1.0\"?>\n<graphml/>";
    const int graphml = int(format_reseau::graphml), aucun = int(format_reseau::aucun);
    QTest::newRow("nom en .graphml, contenu quelconque") << "r.GraphML" << QByteArray("x") << graphml;
    QTest::newRow("nom en .gexf") << "r.GEXF" << QByteArray() << int(format_reseau::gexf);
    QTest::newRow("racine graphml, autre nom") << "r.xml" << racine << graphml;
    QTest::newRow("racine gexf, autre nom") << "r.xml" << QByteArray("<gexf>") << int(format_reseau::gexf);
    QTest::newRow("objet JSON avec elements.nodes") << "r.json" << QByteArray(" {\"elements\": {\"nodes\": []}}")
                                                    << int(format_reseau::cyjs);
    QTest::newRow("autre JSON") << "r.json" << QByteArray("{\"nodes\": []}") << aucun;
    QTest::newRow("racine graphml, nom en .vga") << "r.vga" << racine << aucun;
    QTest::newRow("session") << "r.xml" << QByteArray("<visual_graphe/>") << aucun;
    QTest::newRow("absent") << "absent.xml" << QByteArray() << aucun;
}

void tst_lecture_reseau::format_reseau()
{
    QFETCH(QString, nom);
    QFETCH(QByteArray, contenu);
    QFETCH(int, format);
    QTemporaryDir dossier;
    if (!contenu.isNull())
        QVERIFY(ecrire(dossier.filePath(nom), contenu));
    QCOMPARE(int(format_reseau_du_fichier(dossier.filePath(nom))), format);
}

QTEST_MAIN(tst_lecture_reseau)
#include "tst_lecture_reseau.moc"
