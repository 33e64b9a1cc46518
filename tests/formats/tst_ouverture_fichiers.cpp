#include "capture_flux.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "raison_lecture.h"
#include "session_graphe.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <iostream>

#include <sys/stat.h>

// Both readers open their file the same way: what cannot be opened, or is
// not a regular file, is refused with one line on stderr and no record.
class tst_ouverture_fichiers : public QObject
{
    Q_OBJECT

private slots:
    void ouverture_refusee_data();
    void ouverture_refusee();
    void raisons_data();
    void raisons();

private:
    QTemporaryDir _dossier;
};

void tst_ouverture_fichiers::ouverture_refusee_data()
{
    QTest::addColumn<bool>("instance");
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<QString>("raison");

    const QString absent = _dossier.filePath(QStringLiteral("absent.txt"));
    QFile reference(absent);
    QVERIFY(!reference.open(QIODevice::ReadOnly | QIODevice::Text));
    // Before they were refused, a pipe blocked the open and /dev/zero was
    // read for ever.
    const QString tube = _dossier.filePath(QStringLiteral("tube"));
    QVERIFY(mkfifo(QFile::encodeName(tube).constData(), 0600) == 0);
    for (bool instance : {true, false}) {
        const char *lecteur = instance ? "instance" : "solution";
        QTest::addRow("%s, fichier absent", lecteur) << instance << absent << reference.errorString();
        QTest::addRow("%s, tube nomme", lecteur) << instance << tube << QStringLiteral("Not a regular file");
        QTest::addRow("%s, peripherique sans fin", lecteur)
            << instance << QStringLiteral("/dev/zero") << QStringLiteral("Not a regular file");
    }
}

void tst_ouverture_fichiers::ouverture_refusee()
{
    QFETCH(bool, instance);
    QFETCH(QString, chemin);
    QFETCH(QString, raison);

    session_graphe session;
    bool lu = true;
    std::string console, erreurs;
    {
        capture_flux cout(std::cout);
        capture_flux cerr(std::cerr);
        lu = instance ? session.lire_instance(chemin) : session.lire_solution(chemin);
        console = cout.texte();
        erreurs = cerr.texte();
    }
    QVERIFY(!lu);
    QVERIFY(!session.instance());
    QVERIFY(!session.solution());
    QCOMPARE(console, std::string());
    QCOMPARE(QString::fromStdString(erreurs), "Error: Cannot read file " + chemin + ": " + raison + "\n");
    QCOMPARE(session.raison_echec(), QFileInfo(chemin).fileName() + " : " + raison);
}

// How every reader words why a file did not read.
void tst_ouverture_fichiers::raisons_data()
{
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<int>("ligne");
    QTest::addColumn<QString>("attendue");
    QTest::newRow("a la ligne") << "/d/reseau_sol.txt" << 2 << "reseau_sol.txt:2 : cause";
    QTest::newRow("sans ligne") << "/d/reseau.txt" << 0 << "reseau.txt : cause";
    QTest::newRow("un dossier garde son chemin") << "/d/sous/" << 0 << "/d/sous/ : cause";
    QTest::newRow("un pour-cent n'est pas un repere") << "/d/%1 %2.txt" << 7 << "%1 %2.txt:7 : cause";
}

void tst_ouverture_fichiers::raisons()
{
    QFETCH(QString, chemin);
    QFETCH(int, ligne);
    QFETCH(QString, attendue);
    QCOMPARE(raison_lecture::formater(chemin, ligne, QStringLiteral("cause")), attendue);
    QCOMPARE(raison_lecture::compte(1, "ligne", "lignes") + " / " + raison_lecture::compte(2, "ligne", "lignes"),
             QStringLiteral("1 ligne / 2 lignes"));
}

QTEST_MAIN(tst_ouverture_fichiers)
#include "tst_ouverture_fichiers.moc"
