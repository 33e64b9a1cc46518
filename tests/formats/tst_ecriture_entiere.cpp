#include "ecriture_entiere.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

// Files written together: all of them, or none, with what was there before
// left as it was.

namespace {

// A soft limit of open files for one test (0: as it is).
class limite_fichiers_ouverts
{
public:
    explicit limite_fichiers_ouverts(int limite)
    {
        getrlimit(RLIMIT_NOFILE, &_avant);
        rlimit l = _avant;
        if (limite > 0)
            l.rlim_cur = rlim_t(limite);
        setrlimit(RLIMIT_NOFILE, &l);
    }
    ~limite_fichiers_ouverts() { setrlimit(RLIMIT_NOFILE, &_avant); }
    limite_fichiers_ouverts(const limite_fichiers_ouverts &) = delete;
    limite_fichiers_ouverts &operator=(const limite_fichiers_ouverts &) = delete;

private:
    rlimit _avant{};
};

} // namespace

class tst_ecriture_entiere : public QObject
{
    Q_OBJECT

private slots:
    void tout_ou_rien_data();
    void tout_ou_rien();
};

void tst_ecriture_entiere::tout_ou_rien_data()
{
    QTest::addColumn<QStringList>("noms");
    // The file whose writer fails; -1 for none.
    QTest::addColumn<int>("echec");
    QTest::addColumn<QString>("raison");
    // The folder afterwards: a.txt was there with "avant".
    QTest::addColumn<QStringList>("contenus");
    QTest::addColumn<int>("limite_ouverts");
    QTest::newRow("trois ecrits") << QStringList{"a.txt", "b.txt", "c.txt"} << -1 << ""
                                  << QStringList{"a.txt=a.txt", "b.txt=b.txt", "c.txt=c.txt"} << 0;
    QTest::newRow("le dernier echoue") << QStringList{"a.txt", "b.txt", "c.txt"} << 2
                                       << "c.txt : trop de voisins" << QStringList{"a.txt=avant"} << 0;
    QTest::newRow("un seul, dossier absent") << QStringList{"absent/b.txt"} << -1 << "le dossier n'existe pas"
                                             << QStringList{"a.txt=avant"} << 0;
    // More files than may be open at once: a solver's history on a desktop
    // (1000 files, 1024 open at most).
    QStringList noms{"a.txt"}, contenus{"a.txt=a.txt"};
    for (int i = 1; i < 300; ++i) {
        noms << QStringLiteral("f%1.txt").arg(i, 3, 10, QLatin1Char('0'));
        contenus << noms.last() + '=' + noms.last();
    }
    QTest::newRow("plus de fichiers que d'ouverts permis") << noms << -1 << "" << contenus << 128;
}

void tst_ecriture_entiere::tout_ou_rien()
{
    QFETCH(QStringList, noms);
    QFETCH(int, echec);
    QFETCH(QString, raison);
    QFETCH(QStringList, contenus);
    QFETCH(int, limite_ouverts);
    QTemporaryDir dossier;
    QFile avant(dossier.filePath("a.txt"));
    QVERIFY(avant.open(QIODevice::WriteOnly) && avant.write("avant") == 5);
    avant.close();

    std::vector<ecriture_entiere::fichier> fichiers;
    for (int i = 0; i < noms.size(); ++i)
        fichiers.push_back({dossier.filePath(noms[i]), [i, echec, nom = noms[i]](QIODevice &sortie, QString &cause) {
                                cause = QStringLiteral("trop de voisins");
                                return i != echec && sortie.write(nom.toUtf8()) == nom.size();
                            }});
    QString pourquoi;
    {
        const limite_fichiers_ouverts limite(limite_ouverts);
        QCOMPARE(ecriture_entiere::ecrire(fichiers, &pourquoi), raison.isEmpty());
    }
    QCOMPARE(pourquoi, raison);
    QStringList trouves;
    for (const QString &nom : QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        QFile f(dossier.filePath(nom));
        QVERIFY(f.open(QIODevice::ReadOnly));
        trouves << nom + '=' + QString::fromUtf8(f.readAll());
    }
    QCOMPARE(trouves, contenus);
}

QTEST_MAIN(tst_ecriture_entiere)
#include "tst_ecriture_entiere.moc"
