#include "debug_stream.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <iostream>
#include <memory>
#include <sstream>

// Each operation is one byte of kind followed by its payload:
// 'w' write the payload, 'p' put its single character, 'e' std::endl,
// 'f' std::flush.
using operations = QList<QByteArray>;

static const char marqueur[] = "#";

static QStringList paragraphes(QTextEdit &pane)
{
    QStringList lignes;
    for (QTextBlock b = pane.document()->begin(); b.isValid(); b = b.next())
        lignes << b.text();
    // The first paragraph is the marker that keeps every append a new one.
    lignes.removeFirst();
    return lignes;
}

static void jouer(std::ostream &os, const operations &ops)
{
    for (const QByteArray &op : ops) {
        const QByteArray corps = op.mid(1);
        switch (op.at(0)) {
        case 'w': os.write(corps.constData(), corps.size()); break;
        case 'p': os.put(corps.at(0)); break;
        case 'e': os << std::endl; break;
        case 'f': os << std::flush; break;
        }
    }
}

class tst_debug_stream : public QObject
{
    Q_OBJECT

private slots:
    void paragraphes_data();
    void paragraphes();
    void restaure_le_tampon();
    void cerr_non_redirige();
    void flux_jamais_en_echec();
};

void tst_debug_stream::paragraphes_data()
{
    QTest::addColumn<operations>("ops");
    QTest::addColumn<QStringList>("avant_fin");
    QTest::addColumn<QStringList>("apres_fin");
    QTest::addColumn<int>("ajouts");

    const QByteArray accent = QStringLiteral("Ouvrir le fichier : /tmp/données/séance.vga").toUtf8();

    QTest::newRow("texte puis endl") << operations{"wbonjour", "e"}
                                     << QStringList{"bonjour"} << QStringList{"bonjour"} << 1;
    QTest::newRow("endl texte endl") << operations{"e", "wtexte", "e"}
                                     << QStringList{"", "texte"} << QStringList{"", "texte"} << 2;
    QTest::newRow("une ecriture trois mots") << operations{"wa\nb\nc"}
                                             << QStringList{"a", "b"} << QStringList{"a", "b", "c"} << 3;
    QTest::newRow("caractere seul retenu") << operations{"px"} << QStringList{} << QStringList{"x"} << 1;
    QTest::newRow("caractere puis saut") << operations{"px", "p\n"} << QStringList{"x"} << QStringList{"x"} << 1;
    QTest::newRow("flush sans saut") << operations{"wattente", "f"} << QStringList{} << QStringList{"attente"} << 1;
    // The stream keeps a carriage return inside its line: one append, which
    // the pane itself then shows on two lines.
    QTest::newRow("retour chariot garde") << operations{"wa\rb", "e"}
                                          << QStringList{"a", "b"} << QStringList{"a", "b"} << 1;
    QTest::newRow("octet nul coupe") << operations{QByteArray("wavant\0apres", 12), "e"}
                                     << QStringList{"avant"} << QStringList{"avant"} << 1;
    QTest::newRow("chemin accentue") << operations{"w" + accent, "e"}
                                     << QStringList{QString::fromUtf8(accent)}
                                     << QStringList{QString::fromUtf8(accent)} << 1;
    QTest::newRow("saut entre deux ecritures") << operations{"wdebut ", "wfin\nsuite"}
                                               << QStringList{"debut fin"}
                                               << QStringList{"debut fin", "suite"} << 2;
    QTest::newRow("rien d'ecrit") << operations{} << QStringList{} << QStringList{} << 0;
}

void tst_debug_stream::paragraphes()
{
    QFETCH(operations, ops);
    QFETCH(QStringList, avant_fin);
    QFETCH(QStringList, apres_fin);
    QFETCH(int, ajouts);

    QTextEdit pane;
    pane.append(QString::fromLatin1(marqueur));
    QSignalSpy spy(&pane, &QTextEdit::textChanged);
    std::ostringstream cible;
    {
        debug_stream console(cible, &pane);
        jouer(cible, ops);
        QCOMPARE(::paragraphes(pane), avant_fin);
    }
    QCOMPARE(::paragraphes(pane), apres_fin);
    QCOMPARE(spy.count(), ajouts);
    QVERIFY(cible.str().empty());
}

void tst_debug_stream::restaure_le_tampon()
{
    QTextEdit pane;
    std::streambuf *avant = std::cout.rdbuf();
    {
        debug_stream console(std::cout, &pane);
        QCOMPARE(std::cout.rdbuf(), static_cast<std::streambuf *>(&console));
    }
    QCOMPARE(std::cout.rdbuf(), avant);

    std::ostringstream capture;
    std::streambuf *ancien = std::cout.rdbuf(capture.rdbuf());
    {
        debug_stream console(std::cout, &pane);
        std::cout << "dans la console" << std::endl;
    }
    std::cout << "apres" << std::endl;
    std::cout.rdbuf(ancien);
    QCOMPARE(capture.str(), std::string("apres\n"));
    QVERIFY(pane.toPlainText().contains("dans la console"));
}

void tst_debug_stream::cerr_non_redirige()
{
    QTextEdit pane;
    std::ostringstream capture;
    std::streambuf *ancien = std::cerr.rdbuf(capture.rdbuf());
    {
        debug_stream console(std::cout, &pane);
        std::cerr << "Error: Cannot read file x" << std::endl;
    }
    std::cerr.rdbuf(ancien);
    QVERIFY(pane.toPlainText().isEmpty());
    QCOMPARE(capture.str(), std::string("Error: Cannot read file x\n"));
}

void tst_debug_stream::flux_jamais_en_echec()
{
    QTextEdit pane;
    std::ostringstream cible;
    debug_stream console(cible, &pane);
    cible << "ligne" << std::endl << 42 << ' ' << 3.5 << std::flush;
    QVERIFY(cible.good());
}

QTEST_MAIN(tst_debug_stream)
#include "tst_debug_stream.moc"
