#include "lecture_valeurs.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// A value per sensor read from a CSV file (lecture_valeurs): what reads,
// and each refusal with its line and cause.
class tst_lecture_valeurs : public QObject
{
    Q_OBJECT

private slots:
    void lire_data();
    void lire();
    void demande_data();
    void demande();
};

void tst_lecture_valeurs::lire_data()
{
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QString>("colonne");
    // "k=v" a sensor with a value, or the reason after the file's name.
    QTest::addColumn<QString>("attendu");
    QTest::newRow("deuxieme colonne par defaut") << QByteArray("capteur,energie\n0,1.5\n2,-3\n") << ""
                                                 << "energie 0=1.5 2=-3";
    QTest::newRow("colonne nommee, point-virgule, guillemets")
        << QByteArray("\"id\";\"a\";\"b\"\n1;5;\"7\"\n\n0;;8\n") << "b" << "b 0=8 1=7";
    QTest::newRow("tabulations, cellule vide sans valeur") << QByteArray("id\tv\n0\t\n1\t2e3\n") << "" << "v 1=2000";
    QTest::newRow("pas un nombre") << QByteArray("id,v\n0,1\n1,abc\n") << "" << ":3 : « abc » n'est pas un nombre";
    QTest::newRow("nombre infini") << QByteArray("id,v\n0,inf\n") << "" << ":2 : « inf » n'est pas un nombre";
    QTest::newRow("capteur inconnu") << QByteArray("id,v\n4,1\n") << "" << ":2 : capteur inconnu « 4 »";
    QTest::newRow("capteur qui n'est pas un numero")
        << QByteArray("id,v\nx,1\n") << "" << ":2 : « x » n'est pas un numéro de capteur";
    QTest::newRow("capteur repete") << QByteArray("id,v\n1,1\n1,2\n") << "" << ":3 : capteur « 1 » répété";
    QTest::newRow("colonne absente") << QByteArray("id,v\n1,1\n") << "w" << ":1 : colonne « w » absente";
    QTest::newRow("une seule colonne") << QByteArray("id\n1\n") << "" << ":1 : l'en-tête n'a pas de deuxième colonne";
    QTest::newRow("cellule manquante")
        << QByteArray("id,a,b\n1,2\n") << "b" << ":2 : 2 cellules, la colonne de valeurs est la 3e";
    QTest::newRow("fichier vide") << QByteArray() << "" << ":1 : en-tête absent";
}

void tst_lecture_valeurs::lire()
{
    QFETCH(QByteArray, contenu);
    QFETCH(QString, colonne);
    QFETCH(QString, attendu);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("v.csv");
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(contenu) == contenu.size());
    f.close();
    const fichier_lu<valeurs_capteurs> lu = lire_fichier_valeurs({chemin, colonne}, 4);
    if (!lu.lu) {
        QVERIFY(!lu.contenu);
        QCOMPARE(lu.raison, "v.csv" + attendu);
        return;
    }
    QStringList t{lu.contenu->nom};
    for (std::size_t k = 0; k < lu.contenu->valeur.size(); ++k)
        if (lu.contenu->valeur[k])
            t << QStringLiteral("%1=%2").arg(k).arg(*lu.contenu->valeur[k]);
    QCOMPARE(t.join(' '), attendu);
}

void tst_lecture_valeurs::demande_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<QString>("colonne");
    QTest::newRow("fichier seul") << "v.csv" << "v.csv" << "";
    QTest::newRow("fichier et colonne") << "d/v.csv:energie" << "d/v.csv" << "energie";
    QTest::newRow("deux-points du nom d'un fichier present") << "%D/a:b.csv" << "%D/a:b.csv" << "";
}

void tst_lecture_valeurs::demande()
{
    QFETCH(QString, argument);
    QFETCH(QString, chemin);
    QFETCH(QString, colonne);
    QTemporaryDir dossier;
    QFile present(dossier.filePath("a:b.csv"));
    QVERIFY(present.open(QIODevice::WriteOnly));
    const demande_valeurs d = demande_de(argument.replace("%D", dossier.path()));
    QCOMPARE(d.chemin, chemin.replace("%D", dossier.path()));
    QCOMPARE(d.colonne, colonne);
}

QTEST_APPLESS_MAIN(tst_lecture_valeurs)
#include "tst_lecture_valeurs.moc"
