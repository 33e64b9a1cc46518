#include "tampon_lignes.h"

#include <QtTest>

#include <sstream>

namespace {

// Every line handed over, "+" for one that had its line break, "-" for the
// last, unended one.
class lignes_recues : public tampon_lignes
{
public:
    using tampon_lignes::tampon_lignes;
    ~lignes_recues() override { terminer(); }
    QStringList *vers = nullptr;

protected:
    void ligne(const std::string &texte, bool finie) override
    {
        *vers << QString::fromStdString(texte) + (finie ? "+" : "-");
    }
};

} // namespace

class tst_tampon_lignes : public QObject
{
    Q_OBJECT

private slots:
    void lignes_data();
    void lignes();
};

void tst_tampon_lignes::lignes_data()
{
    QTest::addColumn<QStringList>("ecritures");
    QTest::addColumn<QStringList>("attendues");
    // An element of one character goes through put(), any other through write().
    QTest::newRow("une ligne") << QStringList{"abc\n"} << QStringList{"abc+"};
    QTest::newRow("plusieurs lignes d'un coup") << QStringList{"a\nb\nc"} << QStringList{"a+", "b+", "c-"};
    QTest::newRow("caractere par caractere") << QStringList{"x", "y", "\n"} << QStringList{"xy+"};
    QTest::newRow("ligne vide") << QStringList{"\n", "\n"} << QStringList{"+", "+"};
    QTest::newRow("morceaux d'une ligne") << QStringList{"de", "but", " fin\nsuite"}
                                          << QStringList{"debut fin+", "suite-"};
    QTest::newRow("rien") << QStringList{} << QStringList{};
}

void tst_tampon_lignes::lignes()
{
    QFETCH(QStringList, ecritures);
    QFETCH(QStringList, attendues);
    std::ostringstream destination;
    std::ostream flux(destination.rdbuf());
    QStringList recues;
    {
        lignes_recues tampon(flux);
        tampon.vers = &recues;
        for (const QString &e : ecritures) {
            const std::string octets = e.toStdString();
            if (octets.size() == 1)
                flux.put(octets[0]);
            else
                flux.write(octets.data(), std::streamsize(octets.size()));
        }
        // A flush hands nothing over and never fails.
        flux.flush();
        QVERIFY(flux.good());
    }
    QCOMPARE(recues, attendues);
    // The stream has its own buffer back.
    flux << "apres";
    QCOMPARE(destination.str(), std::string("apres"));
}

QTEST_APPLESS_MAIN(tst_tampon_lignes)
#include "tst_tampon_lignes.moc"
