#include "ordre_naturel.h"

#include <QtTest>

class tst_ordre_naturel : public QObject
{
    Q_OBJECT

private slots:
    void ordre_data();
    void ordre();
};

void tst_ordre_naturel::ordre_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    // a comes strictly before b.
    QTest::newRow("nombres, pas caracteres") << "run_2_sol.txt" << "run_10_sol.txt";
    QTest::newRow("nombre le plus long") << "r9" << "r10000";
    QTest::newRow("meme longueur, chiffre par chiffre") << "r19" << "r21";
    QTest::newRow("zeros de tete ignores") << "r002" << "r10";
    QTest::newRow("a egalite, moins de zeros d'abord") << "r2" << "r002";
    QTest::newRow("apres le nombre, le texte") << "r2a" << "r2b";
    QTest::newRow("prefixe d'abord") << "run" << "run_1";
    QTest::newRow("lettres") << "a10" << "b2";
}

void tst_ordre_naturel::ordre()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QVERIFY(avant_naturel(a, b));
    QVERIFY(!avant_naturel(b, a));
    QVERIFY(!avant_naturel(a, a));
}

QTEST_MAIN(tst_ordre_naturel)
#include "tst_ordre_naturel.moc"
