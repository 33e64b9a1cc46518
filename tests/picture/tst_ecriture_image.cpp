#include "aire_dessin.h"
#include "ecriture_image.h"
#include "liste_dessin.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtTest>

class tst_ecriture_image : public QObject
{
    Q_OBJECT

private slots:
    void raisons_data();
    void raisons();
};

void tst_ecriture_image::raisons_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("raison");
    QTest::newRow("ecrit") << "g.png" << "";
    QTest::newRow("dossier absent") << "absent/g.png" << "le dossier n'existe pas";
    QTest::newRow("dossier qui est un fichier") << "existant.png/g.png" << "le dossier est un fichier";
    QTest::newRow("format inconnu") << "g.xyz" << "le format « .xyz » est inconnu";
    QTest::newRow("sans suffixe") << "g" << "le nom ne dit pas le format";
}

void tst_ecriture_image::raisons()
{
    QFETCH(QString, nom);
    QFETCH(QString, raison);
    QTemporaryDir dossier;
    const QString existant = dossier.filePath("existant.png");
    QFile f(existant);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write("avant") == 5);
    f.close();
    const liste_dessin vide(aire_dessin::taille(1), QGuiApplication::font(), 96);
    QString pourquoi;
    const bool ecrit = ecrire_image(vide, dossier.filePath(nom), 1, &pourquoi);
    QCOMPARE(pourquoi, raison);
    QCOMPARE(ecrit, raison.isEmpty());
    QCOMPARE(QFile::exists(dossier.filePath(nom)), ecrit);
    // Nothing is left beside the file either.
    QCOMPARE(QDir(dossier.path()).entryList(QDir::Files).size(), ecrit ? 2 : 1);
}

QTEST_MAIN(tst_ecriture_image)
#include "tst_ecriture_image.moc"
