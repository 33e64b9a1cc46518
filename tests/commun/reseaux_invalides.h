#ifndef RESEAUX_INVALIDES_H
#define RESEAUX_INVALIDES_H

#include <QByteArray>
#include <QString>
#include <QTest>

// Bad network files (GraphML, GEXF, Cytoscape.js), each saved under its
// name, with the reason its reader gives: the reader's test reads them, the
// main window's test opens them through the window, the export command's
// test through the command; neither may make a session or leave a file.

inline QByteArray graphml(const QByteArray &corps, const QByteArray &cles = {})
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<graphml xmlns=\"http://graphml.graphdrawing.org/xmlns\">\n"
           "  <key id=\"d0\" for=\"node\" attr.name=\"x\" attr.type=\"double\"/>\n"
           "  <key id=\"d1\" for=\"node\" attr.name=\"y\" attr.type=\"double\"/>\n"
           + cles + "  <graph edgedefault=\"undirected\">\n" + corps + "  </graph>\n</graphml>\n";
}

inline QByteArray noeud(const QByteArray &id, const QByteArray &x, const QByteArray &y)
{
    return "    <node id=\"" + id + "\"><data key=\"d0\">" + x + "</data><data key=\"d1\">" + y + "</data></node>\n";
}

inline QByteArray gexf(const QByteArray &noeuds, const QByteArray &aretes = {},
                       const QByteArray &graphe = "<graph defaultedgetype=\"undirected\">")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<gexf xmlns=\"http://www.gexf.net/1.2draft\" xmlns:viz=\"http://www.gexf.net/1.2draft/viz\" version=\"1.2\">\n  "
           + graphe + "\n    <nodes>\n" + noeuds + "    </nodes>\n    <edges>\n" + aretes
           + "    </edges>\n  </graph>\n</gexf>\n";
}

inline QByteArray noeud_gexf(const QByteArray &id, const QByteArray &x, const QByteArray &y,
                             const QByteArray &plus = {})
{
    return "      <node id=\"" + id + "\"" + plus + "><viz:position x=\"" + x + "\" y=\"" + y + "\"/></node>\n";
}

inline QByteArray cyjs(const QByteArray &noeuds, const QByteArray &aretes = {})
{
    return "{\"elements\": {\n  \"nodes\": [" + noeuds + "],\n  \"edges\": [" + aretes + "]\n}}\n";
}

inline QByteArray noeud_cyjs(const QByteArray &id, const QByteArray &x, const QByteArray &y,
                             const QByteArray &donnees = {})
{
    return "\n    {\"data\": {\"id\": \"" + id + "\"" + donnees + "}, \"position\": {\"x\": " + x + ", \"y\": " + y
           + "}}";
}

inline void table_reseaux_invalides()
{
    // The file's name, which chooses its reader.
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QByteArray>("contenu");
    // The reason, as standard error and the console give it.
    QTest::addColumn<QString>("raison");

    const QByteArray deux = noeud("a", "0", "0") + noeud("b", "10", "5");
    const QString g = QStringLiteral("reseau.graphml");
    QTest::newRow("pas du XML") << g << QByteArray("x,y\n1,2\n")
                                << "reseau.graphml:1 : XML mal formé : Start tag expected.";
    QTest::newRow("sans graph") << g << QByteArray("<graphml><key id=\"d0\" for=\"node\"/></graphml>\n")
                                << "reseau.graphml:2 : aucun élément graph";
    QTest::newRow("deux noeuds d'un id") << g << graphml(deux + noeud("a", "1", "1"))
                                         << "reseau.graphml:8 : deux nœuds ont l'id « a »";
    QTest::newRow("arete vers un noeud inconnu")
        << g << graphml(deux + "    <edge source=\"a\" target=\"c\"/>\n")
        << "reseau.graphml:8 : arête vers le nœud inconnu « c »";
    QTest::newRow("noeud sans coordonnees") << g << graphml(deux + "    <node id=\"c\"><data key=\"d0\">3</data></node>\n")
                                            << "reseau.graphml:8 : nœud « c » sans coordonnées (x et y, ou pos_x et pos_y)";
    // Every node at the keys' default place.
    QByteArray trop = "<graphml><key id=\"x\" attr.name=\"x\"><default>1</default></key>"
                      "<key id=\"y\" attr.name=\"y\"><default>2</default></key><graph>\n";
    for (int k = 0; k <= 65535; ++k)
        trop += "<node id=\"" + QByteArray::number(k) + "\"/>";
    QTest::newRow("plus de 65535 noeuds") << g << trop + "\n</graph></graphml>\n"
                                          << "reseau.graphml:2 : plus de 65535 nœuds";
    QTest::newRow("coordonnee hors du format")
        << g << graphml(deux + noeud("c", "-4", "7")) << "reseau.graphml:8 : nœud « c » : x = -4 hors de ce que tient le "
                                                    "format d'instance (0 à 2147483647)";

    const QString x = QStringLiteral("reseau.gexf");
    const QByteArray ab = noeud_gexf("a", "0", "0") + noeud_gexf("b", "10", "5");
    const QString statique = QStringLiteral(" : seuls les graphes statiques sont lus");
    QTest::newRow("gexf dynamique") << x << gexf(ab, {}, "<graph mode=\"dynamic\">")
                                    << "reseau.gexf:3 : GEXF dynamique (mode=\"dynamic\")" + statique;
    QTest::newRow("gexf noeud date") << x << gexf(ab + noeud_gexf("c", "1", "1", " start=\"2001\""))
                                     << "reseau.gexf:7 : GEXF dynamique (start)" + statique;
    QTest::newRow("gexf spells")
        << x << gexf(ab, "      <edge source=\"a\" target=\"b\"><spells><spell start=\"1\"/></spells></edge>\n")
        << "reseau.gexf:9 : GEXF dynamique (spells)" + statique;
    QTest::newRow("gexf noeud sans position") << x << gexf(ab + "      <node id=\"c\"/>\n")
                                              << "reseau.gexf:7 : nœud « c » sans position (viz:position, ou "
                                                 "attributs x et y)";
    QTest::newRow("gexf arete vers un noeud inconnu") << x << gexf(ab, "      <edge source=\"a\" target=\"z\"/>\n")
                                                      << "reseau.gexf:9 : arête vers le nœud inconnu « z »";
    QTest::newRow("gexf type d'arete inconnu")
        << x << gexf(ab, "      <edge source=\"a\" target=\"b\" type=\"curved\"/>\n")
        << "reseau.gexf:9 : type d'arête « curved » inconnu (directed, undirected ou mutual)";
    QTest::newRow("gexf racine autre") << x << QByteArray("<graphml/>\n")
                                       << "reseau.gexf:1 : l'élément racine est « graphml », pas gexf";

    const QString c = QStringLiteral("reseau.cyjs");
    const QByteArray ab_cyjs = noeud_cyjs("a", "0", "0") + ',' + noeud_cyjs("b", "10", "5");
    QTest::newRow("json mal forme") << c << cyjs(ab_cyjs + ',') << "reseau.cyjs:4 : JSON mal formé : object is missing after a comma";
    QTest::newRow("cyjs sans elements.nodes") << c << QByteArray("{\"data\": {}}")
                                              << "reseau.cyjs : aucun tableau elements.nodes";
    QTest::newRow("cyjs noeud sans id") << c << cyjs(ab_cyjs + ",{\"position\": {\"x\": 1, \"y\": 1}}")
                                        << "reseau.cyjs : le nœud 2 de elements.nodes n'a pas de data.id";
    QTest::newRow("cyjs noeud sans position") << c << cyjs(ab_cyjs + ",{\"data\": {\"id\": \"c\"}}")
                                              << "reseau.cyjs : nœud « c » sans position (position.x et "
                                                 "position.y, ou data.x et data.y)";
    QTest::newRow("cyjs role qui n'est pas un booleen")
        << c << cyjs(noeud_cyjs("a", "0", "0", ", \"ma\": \"oui\""))
        << "reseau.cyjs : nœud « a » : ma = « oui » n'est pas un booléen (true ou false)";
    QTest::newRow("cyjs arete vers un noeud inconnu")
        << c << cyjs(ab_cyjs, "{\"data\": {\"source\": \"a\", \"target\": 7}}")
        << "reseau.cyjs : arête vers le nœud inconnu « 7 »";
}

#endif
