#include "comparaison_solutions.h"
#include "faits_instance.h"
#include "texte_faits.h"

#include <QTextDocument>
#include <QtTest>

namespace {

// What the box shows of a text: its plain lines.
QString lu(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

std::vector<std::uint16_t> de_0_a(int n)
{
    std::vector<std::uint16_t> v;
    for (int i = 0; i < n; ++i)
        v.push_back(std::uint16_t(i));
    return v;
}

} // namespace

class tst_texte_faits : public QObject
{
    Q_OBJECT

private slots:
    void compte_et_numeros_data();
    void compte_et_numeros();
    void textes_data();
    void textes();
};

void tst_texte_faits::compte_et_numeros_data()
{
    QTest::addColumn<int>("nombre");
    QTest::addColumn<bool>("liens");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("aucun") << 0 << false << "0";
    QTest::newRow("trois") << 3 << false << "3 (0, 1, 2)";
    QTest::newRow("vingt montres") << 20 << false << "20 (0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19)";
    QTest::newRow("vingt et un, le dernier coupe")
        << 21 << false << "21 (0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, …)";
    QTest::newRow("liens") << 2 << true << "2 (<a href=\"capteur:0\">0</a>, <a href=\"capteur:1\">1</a>)";
}

void tst_texte_faits::compte_et_numeros()
{
    QFETCH(int, nombre);
    QFETCH(bool, liens);
    QFETCH(QString, attendu);
    QCOMPARE(texte_faits::compte_et_numeros(de_0_a(nombre), liens), attendu);
}

void tst_texte_faits::textes_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("attendu");

    faits_instance f;
    f.fichier = QStringLiteral("r<1>.txt");
    f.capteurs = 3;
    f.entrees = 4;
    f.liens = 2;
    f.isoles = {2};
    f.composantes = 2;
    f.puits = 7;
    f.degre_max = 1;
    f.degre_moyen = 2.0 / 3.0;
    QTest::newRow("instance, nom a echapper, puits hors limites, sans bornes")
        << texte_faits::instance(f)
        << "Instance r<1>.txt\nCapteurs : 3\nEntrées de voisinage : 4\nLiens : 2\nEntrées à sens unique : 0\n"
           "Entrées hors limites : 0\nEntrées vers soi-même : 0\nEntrées répétées : 0\nIsolés : 1 (2)\n"
           "Composantes : 2\nPuits : 7 (hors limites)\nDegré min / moyen / max : 0 / 0,67 / 1\n";

    comparaison_solutions c;
    c.a.fichier = QStringLiteral("a.txt");
    c.b.fichier = QStringLiteral("b.txt");
    c.ma_a = 2;
    c.ma_b = 1;
    c.ma_deux = {4};
    c.ma_seulement_a = {5};
    c.jaccard = 0.5;
    QTest::newRow("comparaison") << texte_faits::comparaison(c)
                                 << "A a.txt\nB b.txt\nMA de A : 2\nMA de B : 1\nMA des deux : 1\n"
                                    "MA de A seul : 1 (5)\nMA de B seul : 0\nIndice de Jaccard : 0,50\n";
    QTest::newRow("capteur choisi") << texte_faits::capteur_choisi(6, 85, -75, QStringLiteral("puits, MA"), {1, 5})
                                    << "Capteur choisi 6\nCoordonnées : x = 85, y = -75\nRôles : puits, MA\n"
                                       "Degré : 2\nLiés : 2 (1, 5)\n";
}

void tst_texte_faits::textes()
{
    QFETCH(QString, html);
    QFETCH(QString, attendu);
    // After the legend that some texts start with.
    QVERIFY2(lu(html).contains(attendu), qPrintable(lu(html)));
}

QTEST_MAIN(tst_texte_faits)
#include "tst_texte_faits.moc"
