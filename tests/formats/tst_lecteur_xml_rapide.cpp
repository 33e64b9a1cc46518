#include "lecteur_xml_qt.h"
#include "lecteur_xml_rapide.h"

#include <QBuffer>
#include <QTest>

// The quick XML reader takes plain GraphML as QXmlStreamReader reads it, and
// gives up on whatever else, which the other reader then judges.

namespace {

// Element names, the attributes the GraphML reader asks for, data texts.
template <typename Source>
QString parcourir(Source &source)
{
    QString trace;
    for (int ouverts = 0;;) {
        if (!source.suivant()) {
            trace += '>';
            if (--ouverts <= 0)
                break;
            continue;
        }
        trace += '<' + source.nom().toString() + ':' + source.attribut("id").toString();
        if (source.nom_est("data"))
            trace += '=' + source.texte().toString();
        else
            ++ouverts;
    }
    source.finir();
    return trace;
}

} // namespace

class tst_lecteur_xml_rapide : public QObject
{
    Q_OBJECT

private slots:
    void comme_qxmlstreamreader_data();
    void comme_qxmlstreamreader();
};

void tst_lecteur_xml_rapide::comme_qxmlstreamreader_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<bool>("pris");
    const QByteArray corps = "<graph id='g'>\n<!-- c -->\n<node id=\"a\"><data key=\"x\"> 1.5 </data><port/></node>"
                             "<edge/></graph></graphml>\n";
    const QByteArray racine = "<graphml xmlns=\"http://graphml.graphdrawing.org/xmlns\" xmlns:xsi=\"w\" xsi:s=\"v\">";
    QTest::newRow("comme networkx") << "<?xml version='1.0' encoding='utf-8'?>\n" + racine + corps << true;
    QTest::newRow("entite") << racine + QByteArray(corps).replace("1.5", "&#49;") << false;
    QTest::newRow("fins de ligne CRLF") << racine + QByteArray(corps).replace("\n", "\r\n") << false;
    QTest::newRow("element prefixe, par son nom local") << racine + QByteArray(corps).replace("<port/>", "<xsi:port/>")
                                                       << true;
    QTest::newRow("element de prefixe non declare") << racine + QByteArray(corps).replace("<port/>", "<y:port/>")
                                                    << false;
    QTest::newRow("prefixe non declare") << QByteArray(racine).replace("xmlns:xsi", "xmlns:z") + corps << false;
    QTest::newRow("CDATA") << racine + QByteArray(corps).replace(" 1.5 ", "<![CDATA[1.5]]>") << false;
    QTest::newRow("balise mal fermee") << racine + QByteArray(corps).replace("</node>", "</nod>") << false;
    QTest::newRow("texte apres la racine") << racine + corps + "x" << false;
    QTest::newRow("non ASCII") << racine + QByteArray(corps).replace("'g'", "'\xc3\xa9'") << false;
    // A DTD may declare entities and defaults; XML 1.1 reads otherwise.
    QTest::newRow("DOCTYPE") << "<!DOCTYPE graphml [<!ENTITY u \"1.5\">]>" + racine + QByteArray(corps).replace("1.5", "&u;")
                             << false;
    QTest::newRow("XML 1.1") << "<?xml version='1.1'?>" + racine + corps << false;
}

void tst_lecteur_xml_rapide::comme_qxmlstreamreader()
{
    QFETCH(QByteArray, document);
    QFETCH(bool, pris);
    lecteur_xml_rapide rapide(document);
    const QString vite = parcourir(rapide);
    QCOMPARE(!rapide.en_erreur(), pris);
    QBuffer tampon(&document);
    tampon.open(QIODevice::ReadOnly);
    lecteur_xml_qt qt(tampon);
    const QString lent = parcourir(qt);
    QVERIFY(!qt.en_erreur() || !pris);
    if (pris)
        QCOMPARE(vite, lent);
    if (pris)
        QCOMPARE(vite, QStringLiteral("<graphml:<graph:g<node:a<data:= 1.5 <port:>><edge:>>>"));
}

QTEST_MAIN(tst_lecteur_xml_rapide)
#include "tst_lecteur_xml_rapide.moc"
