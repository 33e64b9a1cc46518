#include "lecteur_lignes.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QtTest>

namespace
{

struct ligne_attendue
{
    QByteArray octets;
    qsizetype texte;  // bytes before the first zero byte
    qint64 numero;    // line breaks before it, plus one
};

// The line cutting written the slow, obvious way.
std::vector<ligne_attendue> couper(const QByteArray &donnees)
{
    std::vector<ligne_attendue> lignes;
    qint64 numero = 1;
    for (qsizetype debut = 0; debut < donnees.size();) {
        QByteArray l = donnees.mid(debut, 4094);
        const qsizetype saut = l.indexOf('\n');
        if (saut >= 0)
            l.truncate(saut + 1);
        debut += l.size();
        if (l.endsWith("\r\n"))
            l.remove(l.size() - 2, 1);
        const qsizetype zero = l.indexOf('\0');
        lignes.push_back({l, zero >= 0 ? zero : l.size(), numero});
        numero += l.endsWith('\n');
    }
    return lignes;
}

} // namespace

class tst_lecteur_lignes : public QObject
{
    Q_OBJECT

private slots:
    void comme_la_decoupe_simple_data();
    void comme_la_decoupe_simple();
};

void tst_lecteur_lignes::comme_la_decoupe_simple_data()
{
    QTest::addColumn<QByteArray>("donnees");

    // The readers' tests pin the cutting rules on small files; these rows
    // add the ends of the data and the seams between buffer fills.
    QTest::newRow("vide") << QByteArray();
    QTest::newRow("sans saut final") << QByteArray("a\nbc");
    QTest::newRow("lignes vides") << QByteArray("\n\n\r\n\r");
    QRandomGenerator aleatoire(7);
    QByteArray melange;
    const char octets[] = {'a', '1', ' ', '\r', '\n', '\0'};
    while (melange.size() < 600 * 1024) {
        const int longueur = aleatoire.bounded(aleatoire.bounded(8) == 0 ? 9000 : 80);
        for (int i = 0; i < longueur; ++i)
            melange += octets[aleatoire.bounded(i % 50 == 0 ? 6 : 4)];
        melange += aleatoire.bounded(2) ? "\r\n" : "\n";
    }
    QTest::newRow("melange") << melange;
}

void tst_lecteur_lignes::comme_la_decoupe_simple()
{
    QFETCH(QByteArray, donnees);

    QBuffer source(&donnees);
    QVERIFY(source.open(QIODevice::ReadOnly));
    lecteur_lignes lecteur(source);
    lecteur_lignes::ligne l;
    const std::vector<ligne_attendue> attendues = couper(donnees);
    size_t n = 0;
    for (; lecteur.suivante(l); ++n) {
        QVERIFY2(n < attendues.size(), "too many lines");
        QCOMPARE(QByteArray(l.debut, l.longueur), attendues[n].octets);
        QCOMPARE(l.fin - l.debut, attendues[n].texte);
        QCOMPARE(l.numero, attendues[n].numero);
    }
    QCOMPARE(n, attendues.size());
}

QTEST_MAIN(tst_lecteur_lignes)
#include "tst_lecteur_lignes.moc"
