#ifndef GRAPHML_INVALIDES_H
#define GRAPHML_INVALIDES_H

#include <QByteArray>
#include <QString>
#include <QTest>

// Bad GraphML files, each saved as reseau.graphml, with the reason its
// reader gives: the main window's test opens them through the window, the
// export command's test through the command; neither may make a session
// or leave a file.

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

inline void table_graphml_invalides()
{
    QTest::addColumn<QByteArray>("contenu");
    // The reason, as standard error and the console give it.
    QTest::addColumn<QString>("raison");

    const QByteArray deux = noeud("a", "0", "0") + noeud("b", "10", "5");
    QTest::newRow("pas du XML") << QByteArray("x,y\n1,2\n")
                                << "reseau.graphml:1 : XML mal formé : Start tag expected.";
    QTest::newRow("sans graph") << QByteArray("<graphml><key id=\"d0\" for=\"node\"/></graphml>\n")
                                << "reseau.graphml:2 : aucun élément graph";
    QTest::newRow("deux noeuds d'un id") << graphml(deux + noeud("a", "1", "1"))
                                         << "reseau.graphml:8 : deux nœuds ont l'id « a »";
    QTest::newRow("arete vers un noeud inconnu")
        << graphml(deux + "    <edge source=\"a\" target=\"c\"/>\n")
        << "reseau.graphml:8 : arête vers le nœud inconnu « c »";
    QTest::newRow("noeud sans coordonnees") << graphml(deux + "    <node id=\"c\"><data key=\"d0\">3</data></node>\n")
                                            << "reseau.graphml:8 : nœud « c » sans coordonnées (x et y, ou pos_x et pos_y)";
    // Every node at the keys' default place.
    QByteArray trop = "<graphml><key id=\"x\" attr.name=\"x\"><default>1</default></key>"
                      "<key id=\"y\" attr.name=\"y\"><default>2</default></key><graph>\n";
    for (int k = 0; k <= 65535; ++k)
        trop += "<node id=\"" + QByteArray::number(k) + "\"/>";
    QTest::newRow("plus de 65535 noeuds") << trop + "\n</graph></graphml>\n"
                                          << "reseau.graphml:2 : plus de 65535 nœuds";
    QTest::newRow("coordonnee hors du format")
        << graphml(deux + noeud("c", "-4", "7")) << "reseau.graphml:8 : nœud « c » : x = -4 hors de ce que tient le "
                                                    "format d'instance (0 à 2147483647)";
}

#endif
