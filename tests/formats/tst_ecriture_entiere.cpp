#include "ecriture_entiere.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>
#include <QTest>

// Files written together: all of them, or none, with what was there before
// left as it was.

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
    QTest::newRow("trois ecrits") << QStringList{"a.txt", "b.txt", "c.txt"} << -1 << ""
                                  << QStringList{"a.txt=a.txt", "b.txt=b.txt", "c.txt=c.txt"};
    QTest::newRow("le dernier echoue") << QStringList{"a.txt", "b.txt", "c.txt"} << 2
                                       << "c.txt : trop de voisins" << QStringList{"a.txt=avant"};
    QTest::newRow("un seul, dossier absent") << QStringList{"absent/b.txt"} << -1 << "le dossier n'existe pas"
                                             << QStringList{"a.txt=avant"};
}

void tst_ecriture_entiere::tout_ou_rien()
{
    QFETCH(QStringList, noms);
    QFETCH(int, echec);
    QFETCH(QString, raison);
    QFETCH(QStringList, contenus);
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
    QCOMPARE(ecriture_entiere::ecrire(fichiers, &pourquoi), raison.isEmpty());
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
