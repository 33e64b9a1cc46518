#include "nombres_texte.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cstdlib>
#include <memory>
#include <vector>

namespace
{

// Every string over the alphabet up to the given length, plus the cases that
// short strings cannot reach.
std::vector<QByteArray> textes_epineux()
{
    const QByteArray alphabet("019+- \t\n\r\v,.ex\x1f");
    std::vector<QByteArray> textes{""};
    for (size_t debut = 0, fin = 1; textes.back().size() < 4; debut = fin, fin = textes.size()) {
        for (size_t i = debut; i < fin; ++i) {
            for (char c : alphabet)
                textes.push_back(textes[i] + c);
        }
    }
    for (const char *t : {"2147483647", "2147483648", "-2147483648", "-2147483649", "+2147483647", " 4294967296 ",
                          "9223372036854775807", "9223372036854775808", "-9223372036854775808",
                          "-9223372036854775809", "99999999999999999999999", "0000000000000000000000042",
                          "\t\n 12\r\n", "12 \n", "\xc2\xa0" "5", "5\xc2\xa0", "\xe2\x88\x92" "5"})
        textes.emplace_back(t);
    return textes;
}

// An exactly sized heap copy, so a read past the end trips the sanitizer.
std::unique_ptr<char[]> copie(const QByteArray &t)
{
    std::unique_ptr<char[]> c(new char[size_t(t.size()) + 1]);
    std::memcpy(c.get(), t.constData(), size_t(t.size()));
    return c;
}

} // namespace

class tst_nombres_texte : public QObject
{
    Q_OBJECT

private slots:
    void entier_qt_comme_toInt();
    void entier_atoi_comme_strtol();
    void suites_de_chiffres_data();
    void suites_de_chiffres();
    void suites_comme_toInt();
};

void tst_nombres_texte::entier_qt_comme_toInt()
{
    for (const QByteArray &t : textes_epineux()) {
        const auto c = copie(t);
        const std::int32_t attendu = QString::fromUtf8(t).toInt();
        if (nombres_texte::entier_qt(c.get(), c.get() + t.size()) != attendu)
            QFAIL(qPrintable(QStringLiteral("%1: toInt gives %2").arg(QString::fromLatin1(t.toHex(' '))).arg(attendu)));
    }
}

void tst_nombres_texte::entier_atoi_comme_strtol()
{
    for (const QByteArray &t : textes_epineux()) {
        // strtol needs a terminator, entier_atoi must not.
        const auto c = copie(t);
        const std::int64_t attendu = std::strtol(t.constData(), nullptr, 10);
        if (nombres_texte::entier_atoi(c.get(), c.get() + t.size()) != attendu)
            QFAIL(qPrintable(QStringLiteral("%1: strtol gives %2").arg(QString::fromLatin1(t.toHex(' '))).arg(attendu)));
    }
}

void tst_nombres_texte::suites_de_chiffres_data()
{
    QTest::addColumn<QByteArray>("texte");
    QTest::addColumn<QList<int>>("nombres");

    QTest::newRow("vide") << QByteArray() << QList<int>{};
    QTest::newRow("sans chiffre") << QByteArray("+- x\t") << QList<int>{};
    QTest::newRow("signes et lettres separent") << QByteArray("12abc-3 +4\n") << QList<int>{12, 3, 4};
    QTest::newRow("trop grand donne 0") << QByteArray("2147483648x2147483647") << QList<int>{0, 2147483647};
    QTest::newRow("zeros en tete") << QByteArray("000000000000000000007 00") << QList<int>{7, 0};
    QTest::newRow("plus de 18 chiffres") << QByteArray("0000000000000000002147483647 99999999999999999999999")
                                         << QList<int>{2147483647, 0};
}

void tst_nombres_texte::suites_de_chiffres()
{
    QFETCH(QByteArray, texte);
    QFETCH(QList<int>, nombres);

    const auto c = copie(texte);
    QList<int> lus;
    nombres_texte::pour_chaque_nombre(c.get(), c.get() + texte.size(), [&lus](std::int32_t v) { lus << v; });
    QCOMPARE(lus, nombres);
}

// Random texts of digits and separators, with runs of every length next to
// every distance from the end, against QString::toInt of each run.
void tst_nombres_texte::suites_comme_toInt()
{
    const QByteArray alphabet("0123456789012345678901234567890123456789 /:-x\xff");
    QRandomGenerator hasard(7);
    for (int essai = 0; essai < 20000; ++essai) {
        QByteArray texte;
        const int longueur = int(hasard.bounded(41));
        for (int i = 0; i < longueur; ++i)
            texte += alphabet[int(hasard.bounded(int(alphabet.size())))];
        QList<int> attendus;
        for (qsizetype i = 0; i < texte.size();) {
            qsizetype j = i;
            while (j < texte.size() && nombres_texte::est_chiffre(texte[j]))
                ++j;
            if (j > i)
                attendus << QString::fromLatin1(texte.mid(i, j - i)).toInt();
            i = j > i ? j : i + 1;
        }
        const auto c = copie(texte);
        QList<int> lus;
        nombres_texte::pour_chaque_nombre(c.get(), c.get() + texte.size(), [&lus](std::int32_t v) { lus << v; });
        if (lus != attendus)
            QFAIL(texte.constData());
    }
}

QTEST_MAIN(tst_nombres_texte)
#include "tst_nombres_texte.moc"
