#include "surveillance_fichiers.h"

#include <QtTest>

#include <cstdio>

namespace {

enum facon { en_deux_morceaux, a_cote, recree, touche, memes_octets, absent_puis_cree };

const QByteArray ancien = "ancien contenu\n";
const QByteArray nouveau = "nouveau contenu, plus long que l'ancien\n";

bool ecrire(const QString &chemin, const QByteArray &contenu)
{
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(contenu) == contenu.size();
}

QByteArray lire(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(illisible)");
}

} // namespace

class tst_surveillance_fichiers : public QObject
{
    Q_OBJECT

private slots:
    void ecritures_data();
    void ecritures();
    void coupee_puis_reprise();
};

void tst_surveillance_fichiers::ecritures_data()
{
    QTest::addColumn<int>("facon");
    QTest::addColumn<int>("calme_ms");
    QTest::addColumn<QList<QByteArray>>("vus");
    // A writer's pause is far shorter than the quiet time: the file is seen
    // once, whole.
    QTest::newRow("en place en deux morceaux") << int(en_deux_morceaux) << 1500 << QList<QByteArray>{nouveau};
    QTest::newRow("a cote puis renomme") << int(a_cote) << 100 << QList<QByteArray>{nouveau};
    QTest::newRow("supprime puis recree") << int(recree) << 100 << QList<QByteArray>{nouveau};
    QTest::newRow("absent puis cree") << int(absent_puis_cree) << 100 << QList<QByteArray>{nouveau};
    // Neither changes the bytes: nothing is called back.
    QTest::newRow("touche") << int(touche) << 100 << QList<QByteArray>{};
    QTest::newRow("memes octets") << int(memes_octets) << 100 << QList<QByteArray>{};
}

void tst_surveillance_fichiers::ecritures()
{
    QFETCH(int, facon);
    QFETCH(int, calme_ms);
    QFETCH(QList<QByteArray>, vus);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("suivi.txt");
    // Changed after the followed file, with the same quiet time: once it is
    // called back, the followed file's own quiet time is over too.
    const QString temoin = dossier.filePath("temoin.txt");
    if (facon != absent_puis_cree)
        QVERIFY(ecrire(chemin, ancien));
    QVERIFY(ecrire(temoin, ancien));

    surveillance_fichiers surveillance(calme_ms);
    QList<QByteArray> contenus;
    int temoin_vu = 0;
    surveillance.surveiller(chemin, [&] { contenus << lire(chemin); });
    surveillance.surveiller(temoin, [&] { ++temoin_vu; });

    switch (facon) {
    case en_deux_morceaux: {
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(nouveau.left(10));
        f.flush();
        QTest::qWait(100);
        f.write(nouveau.mid(10));
        break;
    }
    case a_cote:
        QVERIFY(ecrire(chemin + ".tmp", nouveau));
        QCOMPARE(std::rename(QFile::encodeName(chemin + ".tmp"), QFile::encodeName(chemin)), 0);
        break;
    case recree:
        QVERIFY(QFile::remove(chemin));
        QTRY_VERIFY(surveillance.surveilles().contains(dossier.path()));
        QVERIFY(ecrire(chemin, nouveau));
        break;
    case absent_puis_cree:
        QVERIFY(surveillance.surveilles().contains(dossier.path()));
        QVERIFY(ecrire(chemin, nouveau));
        break;
    case touche:
        QVERIFY(QFile(chemin).open(QIODevice::Append));
        break;
    case memes_octets:
        QVERIFY(ecrire(chemin, ancien));
        break;
    }
    QVERIFY(ecrire(temoin, nouveau));
    QTRY_COMPARE_WITH_TIMEOUT(temoin_vu, 1, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(contenus, vus, 10000);
    // Watched again after it was replaced.
    QVERIFY(surveillance.surveilles().contains(chemin));
}

void tst_surveillance_fichiers::coupee_puis_reprise()
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("suivi.txt");
    QVERIFY(ecrire(chemin, ancien));
    surveillance_fichiers surveillance(100);
    int vus = 0;
    surveillance.surveiller(chemin, [&] { ++vus; });

    surveillance.activer(false);
    QVERIFY(surveillance.surveilles().isEmpty());
    QVERIFY(ecrire(chemin, nouveau));
    // What changed while it was off is seen once it is back on.
    surveillance.activer(true);
    QTRY_COMPARE(vus, 1);
    // Read by other means: the same content is not seen again.
    QVERIFY(ecrire(chemin, ancien));
    surveillance.marquer_vu(chemin);
    QVERIFY(ecrire(chemin + ".autre", ancien));
    surveillance.surveiller(chemin + ".autre", [&] { vus += 10; });
    QVERIFY(ecrire(chemin + ".autre", nouveau));
    QTRY_COMPARE(vus, 11);
}

QTEST_GUILESS_MAIN(tst_surveillance_fichiers)
#include "tst_surveillance_fichiers.moc"
