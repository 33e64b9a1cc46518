#include "capture_flux.h"

#include "graphe_solution.h"
#include "session_graphe.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <iostream>


namespace
{

QString liste(const graphe_solution::liste_capteurs &l)
{
    QStringList nombres;
    for (std::uint16_t v : l)
        nombres << QString::number(v);
    return nombres.join(QLatin1Char(','));
}

// "ma=... sl=... br=... inst=<name>", line breaks of the name shown as \n.
QString decrire(graphe_solution &s)
{
    QString nom = s.nom_instance();
    nom.replace(QLatin1Char('\r'), QLatin1String("\\r")).replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return QStringLiteral("ma=%1 sl=%2 br=%3 inst=%4").arg(liste(s.liste_ma()), liste(s.liste_sl()),
                                                           liste(s.liste_br()), nom);
}

const char *const hors_section = "Erreur : format du fichier instance ..\n";

} // namespace

class tst_lecture_solution : public QObject
{
    Q_OBJECT

private slots:
    void lecture_data();
    void lecture();

private:
    QTemporaryDir _dossier;
    int _fichiers = 0;
};

void tst_lecture_solution::lecture_data()
{
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<bool>("reussite");
    QTest::addColumn<QString>("sortie");
    QTest::addColumn<QString>("etat");
    // The failure's line on std::cerr after the file's name, for one row of
    // each failure; every other failing row writes one line too.
    QTest::addColumn<QString>("raison");

    // With crlf set, the row runs again with CR LF line ends to the same result.
    auto ligne = [](const char *nom, const QByteArray &contenu, bool reussite, const char *sortie,
                    const char *etat, bool crlf = true, const char *raison = "") {
        QTest::newRow(nom) << contenu << reussite << QString::fromLatin1(sortie) << QString::fromLatin1(etat)
                           << QString::fromUtf8(raison);
        if (!crlf)
            return;
        QByteArray autre = contenu;
        autre.replace("\n", "\r\n");
        QTest::newRow(QByteArray(nom).append(" crlf").constData())
            << autre << reussite << QString::fromLatin1(sortie) << QString::fromLatin1(etat)
            << QString::fromUtf8(raison);
    };

    ligne("vide", "", true, "", "ma= sl= br= inst=");
    ligne("exemple", "INSTANCE_NAME:trois.txt\nNB_MA\t\t2\n4\t1\t5\n7\nNB_SL\t\t3\n1 5 6\nNB_BR\t\t1\n2\n", true,
          "", "ma=4,7 sl=1,5,6 br=2 inst=trois.txt\\n");
    ligne("sans MA", "NB_SL\t\t2\n3 4\n", true, "", "ma= sl=3,4 br= inst=");
    ligne("MA incomplet", "NB_MA\t\t3\n1\n2\n", false, "", "ma=1,2 sl= br= inst=", true,
          " : 2 lignes MA pour 3 annoncées");
    ligne("deux sections MA", "NB_MA\t\t1\n1\nNB_SL\t\t0\nNB_MA\t\t1\n2\n", false, "", "ma=1,2 sl= br= inst=");
    ligne("deux sections MA, le dernier compte", "NB_MA\t\t1\n1\nNB_SL\t\t0\nNB_MA\t\t3\n2\n3\n", true, "",
          "ma=1,2,3 sl= br= inst=");
    ligne("MA sans tabulation", "NB_MA\t\t1\n42\n", true, "", "ma=42 sl= br= inst=");
    ligne("MA premier champ non numerique", "NB_MA\t\t2\n4x\t5\n7 8\n", true, "", "ma=0,0 sl= br= inst=");
    ligne("MA blancs autour", "NB_MA\t\t1\n7 \t1\n", true, "", "ma=7 sl= br= inst=");
    ligne("MA jusqu'au prochain SL ou BR", "NB_MA\t\t2\n1\nINST\n2\n", true, "", "ma=1,2 sl= br= inst=");
    ligne("seconde ligne SL", "NB_SL\t\t1\n5\n6\n", false, hors_section, "ma= sl=5 br= inst=", true,
          ":3 : ligne de nombres hors de toute section");
    ligne("nombre hors section", "5\n", false, hors_section, "ma= sl= br= inst=");
    ligne("SL de zero puis entete", "NB_SL\t\t0\nNB_BR\t\t1\n3\n", true, "", "ma= sl= br=3 inst=");
    ligne("SL de zero puis nombre", "NB_SL\t\t0\n5\n", false, "", "ma= sl= br= inst=");
    ligne("SL puis BR avant les donnees", "NB_SL\t\t2\nNB_BR\t\t1\n9\n", true, "", "ma= sl= br=9 inst=");
    ligne("BR puis SL avant les donnees", "NB_BR\t\t1\nNB_SL\t\t2\n8 9\n", true, "", "ma= sl=8,9 br= inst=");
    ligne("SL compte different", "NB_SL\t\t2\n1 2 3\n", false, "", "ma= sl= br= inst=", true,
          ":2 : 3 nombres pour 2 annoncés (ligne SL)");
    ligne("SL suites de chiffres", "NB_SL\t\t3\n1a2-3\n", true, "", "ma= sl=1,2,3 br= inst=");
    ligne("entete a une tabulation", "NB_MA\t2\n", false, "", "ma= sl= br= inst=", true,
          ":1 : en-tête « NB_MA » sans double tabulation");
    ligne("entete a trois champs", "NB_MA\t\t2\t\t3\n", false, "", "ma= sl= br= inst=", true,
          ":1 : en-tête « NB_MA » de 3 champs, il en faut 2");
    ligne("entete a trois tabulations", "NB_MA\t\t\t1\n5\n", true, "", "ma=5 sl= br= inst=");
    ligne("entete a quatre tabulations", "NB_MA\t\t\t\t1\n", false, "", "ma= sl= br= inst=");
    ligne("entete compte non numerique", "NB_SL\t\tx\nNB_MA\t\t 1 \n5\n", true, "", "ma=5 sl= br= inst=");
    ligne("entete compte signe", "NB_MA\t\t+1\n5\n", true, "", "ma=5 sl= br= inst=");
    ligne("troisieme caractere libre", "NBxMA\t\t1\n5\n", true, "", "ma=5 sl= br= inst=");
    ligne("entete inconnue", "NB_XY\t\t1\nNBMA\t\t1\n", true, "", "ma= sl= br= inst=");
    ligne("nom remplace", "INSTANCE_NAME:a.txt\nINSTANCE_NAME:b.txt\n", true, "", "ma= sl= br= inst=b.txt\\n");
    ligne("nom ligne courte", "INSTANCE_NAME:a\nINST\n", true, "", "ma= sl= br= inst=");
    ligne("nom vide", "INSTANCE_NAME:\n", true, "", "ma= sl= br= inst=\\n");
    ligne("16 bits", "NB_MA\t\t2\n65536\n2147483648\nNB_SL\t\t2\n65536 65537\n", true, "",
          "ma=0,0 sl=0,1 br= inst=");

    // Only the CR just before the line feed goes, and the 4094-byte limit
    // counts it: 4093 characters then CR LF leave the CR in the read.
    ligne("CR interieurs gardes", "INSTANCE_NAME:a\rb\r\r\n", true, "", "ma= sl= br= inst=a\\rb\\r\\n", false);
    const QByteArray a4079(4079, 'a');
    ligne("CR LF sous la limite", "INSTANCE_NAME:" + a4079.left(4078) + "\r\n", true, "",
          qPrintable("ma= sl= br= inst=" + a4079.left(4078) + "\\n"), false);
    ligne("CR LF a cheval sur la limite", "INSTANCE_NAME:" + a4079 + "\r\n", true, "",
          qPrintable("ma= sl= br= inst=" + a4079 + "\\r"), false);
}

void tst_lecture_solution::lecture()
{
    QFETCH(QByteArray, contenu);
    QFETCH(bool, reussite);
    QFETCH(QString, sortie);
    QFETCH(QString, etat);
    QFETCH(QString, raison);

    const QString chemin = _dossier.filePath(QStringLiteral("solution_%1.txt").arg(_fichiers++));
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(contenu), contenu.size());
    f.close();

    session_graphe session;
    bool lu = false;
    std::string console;
    capture_flux cerr(std::cerr);
    {
        capture_flux cout(std::cout);
        lu = session.lire_solution(chemin);
        console = cout.texte();
    }
    QCOMPARE(QString::fromStdString(console), sortie);
    QCOMPARE(cerr.lignes().size(), lu ? 0 : 1);
    QCOMPARE(cerr.lignes().value(0), session.raison_echec());
    if (!raison.isEmpty())
        QCOMPARE(session.raison_echec(), QFileInfo(chemin).fileName() + raison);
    QCOMPARE(lu, reussite);
    QVERIFY(session.solution());
    QCOMPARE(session.solution()->nom_fichier(), chemin);
    QCOMPARE(decrire(*session.solution()), etat);
}

QTEST_MAIN(tst_lecture_solution)
#include "tst_lecture_solution.moc"
