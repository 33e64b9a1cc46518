#include "lecteur_xml_qt.h"
#include "lecteur_xml_expat.h"

#include <QBuffer>
#include <QTest>

// The expat reader takes GraphML as QXmlStreamReader reads it, and gives up
// on whatever QXmlStreamReader refuses or might read otherwise, which that
// reader then judges.

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

class tst_lecteur_xml_expat : public QObject
{
    Q_OBJECT

private slots:
    void comme_qxmlstreamreader_data();
    void comme_qxmlstreamreader();
};

void tst_lecteur_xml_expat::comme_qxmlstreamreader_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<bool>("pris");
    const QByteArray corps = "<graph id='g'>\n<!-- c -->\n<node id=\"a\"><data key=\"x\"> 1.5 </data><port/></node>"
                             "<edge/></graph></graphml>\n";
    const QByteArray racine = "<graphml xmlns=\"http://graphml.graphdrawing.org/xmlns\" xmlns:xsi=\"w\" xsi:s=\"v\">";
    QTest::newRow("comme networkx") << "<?xml version='1.0' encoding='utf-8'?>\n" + racine + corps << true;
    QTest::newRow("entites, CDATA") << racine + QByteArray(corps).replace("1.5 ", "&#49;<![CDATA[.5]]> ") << true;
    QTest::newRow("fins de ligne CRLF, Latin-1")
        << "<?xml version='1.0' encoding='ISO-8859-1'?>\n" + racine
               + QByteArray(corps).replace("\n", "\r\n").replace("<!-- c -->", "<!-- \xe9 -->")
        << true;
    // Attributes are asked for by their qualified name.
    QTest::newRow("prefixes") << QByteArray(racine).replace("xmlns=", "xmlns:g=").replace("<graphml", "<g:graphml")
                                     + QByteArray(corps)
                                           .replace("</graphml>", "</g:graphml>")
                                           .replace("<node id", "<node xsi:id=\"b\" id")
                              << true;
    QTest::newRow("prefixe non declare") << QByteArray(racine).replace("xmlns:xsi", "xmlns:z") + corps << false;
    QTest::newRow("balise mal fermee") << racine + QByteArray(corps).replace("</node>", "</nod>") << false;
    QTest::newRow("texte apres la racine") << racine + corps + "x" << false;
    QTest::newRow("DOCTYPE") << "<!DOCTYPE graphml [<!ENTITY u \"1.5\">]>" + racine + QByteArray(corps).replace("1.5", "&u;")
                             << false;
    QTest::newRow("XML 1.1") << "<?xml version='1.1'?>" + racine + corps << false;
}

void tst_lecteur_xml_expat::comme_qxmlstreamreader()
{
    QFETCH(QByteArray, document);
    QFETCH(bool, pris);
    lecteur_xml_expat expat(document);
    const QString vite = parcourir(expat);
    QCOMPARE(!expat.en_erreur(), pris);
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

QTEST_MAIN(tst_lecteur_xml_expat)
#include "tst_lecteur_xml_expat.moc"
