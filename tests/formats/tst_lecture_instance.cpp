#include "capture_flux.h"

#include "coord_sommet.h"
#include "graphe_instance.h"
#include "session_graphe.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <iostream>


namespace
{

// "n=<count> sink=<sink> p=(x,y)... v=[a,b]..." so a failing row shows the
// whole record at once.
QString decrire(graphe_instance &g)
{
    QString texte = QStringLiteral("n=%1 sink=%2 p=").arg(g.nb_sensors()).arg(g.sink());
    for (auto &p : g.positions())
        texte += QStringLiteral("(%1,%2)").arg(p->x()).arg(p->y());
    texte += QStringLiteral(" v=");
    for (auto &liste : g.voisins()) {
        QStringList nombres;
        for (std::uint16_t v : *liste)
            nombres << QString::number(v);
        texte += QLatin1Char('[') + nombres.join(QLatin1Char(',')) + QLatin1Char(']');
    }
    return texte;
}

const char *const exemple = "NB_SENSORS 3\nID\n0 10 20 1 1\n1 30 40 2 0 2\n2 50 60 1 1\nSINK\n0\nEND\n";
const char *const format = "Erreur : format du fichier instance ..\n";
const char *const nb_voisin = "Erreur : format du fichier instance [nb voisin]..\n";
const char *const compte = "Erreur : format du fichier instance..\n";

} // namespace

class tst_lecture_instance : public QObject
{
    Q_OBJECT

private slots:
    void lecture_data();
    void lecture();
    void session_neuve();
    void reseau_maximal();
    void au_dela_de_65535_capteurs();

private:
    QString ecrire(const QByteArray &contenu);

    QTemporaryDir _dossier;
    int _fichiers = 0;
};

QString tst_lecture_instance::ecrire(const QByteArray &contenu)
{
    const QString chemin = _dossier.filePath(QStringLiteral("instance_%1.txt").arg(_fichiers++));
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly) || f.write(contenu) != contenu.size())
        qFatal("cannot write %s", qPrintable(chemin));
    return chemin;
}

void tst_lecture_instance::lecture_data()
{
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<bool>("reussite");
    QTest::addColumn<QString>("sortie");
    QTest::addColumn<QString>("etat");
    // The failure's line on std::cerr after the file's name, for one row of
    // each failure; every other failing row writes one line too.
    QTest::addColumn<QString>("raison");

    // Every row also runs with CR LF line ends, which must change nothing.
    auto ligne = [](const char *nom, const QByteArray &contenu, bool reussite, const QString &sortie,
                    const char *etat, const char *raison = "") {
        QTest::newRow(nom) << contenu << reussite << sortie << QString::fromLatin1(etat) << QString::fromUtf8(raison);
        QByteArray crlf = contenu;
        crlf.replace("\n", "\r\n");
        QTest::newRow(QByteArray(nom).append(" crlf").constData())
            << crlf << reussite << sortie << QString::fromLatin1(etat) << QString::fromUtf8(raison);
    };
    const QString trois = QStringLiteral("  -> Nb_SENSORS = 3\n");
    const QString un = QStringLiteral("  -> Nb_SENSORS = 1\n");

    ligne("vide", "", true, "", "n=0 sink=0 p= v=");
    ligne("lignes inconnues", "# 12\nNOTE\nIx\nSORT\nEN\nNB_X 4\n E\n", true, "", "n=0 sink=0 p= v=");
    ligne("exemple", exemple, true, trois, "n=3 sink=0 p=(10,20)(30,40)(50,60) v=[1][0,2][1]");
    ligne("sans ligne de compte", "ID\n0 1 2 0\n", false, compte, "n=0 sink=0 p=(1,2) v=[]");
    ligne("plusieurs comptes, le dernier decide", "NB_SENSORS 5\nNB_SENSORS 1\nID\n0 1 1 0\n", true,
          "  -> Nb_SENSORS = 5\n" + un, "n=1 sink=0 p=(1,1) v=[]");
    ligne("compte apres les capteurs", "ID\n0 1 1 0\nSINK\n0\nNB_SENSORS 1\n", true, un, "n=1 sink=0 p=(1,1) v=[]");
    ligne("compte sans valeur", "NB_SENSORS\n", true, "  -> Nb_SENSORS = 0\n", "n=0 sink=0 p= v=");
    ligne("compte ligne courte", "NB_xE\n", true, "  -> Nb_SENSORS = 0\n", "n=0 sink=0 p= v=");
    // A count without its sensors also fails at the end.
    ligne("compte en colonne 11", "NB_SENSORS912\n", false, "  -> Nb_SENSORS = 12\n" + QString(compte),
          "n=12 sink=0 p= v=", " : 0 ligne capteur pour 12 annoncées");
    ligne("compte atoi", "NB_SENSORS \t +7x 3\n", false, "  -> Nb_SENSORS = 7\n" + QString(compte),
          "n=7 sink=0 p= v=");
    ligne("compte 16 bits", "NB_SENSORS 65537\nID\n0 1 1 0\n", true, un, "n=1 sink=0 p=(1,1) v=[]");
    ligne("compte negatif", "NB_SENSORS -1\n", false, "  -> Nb_SENSORS = 65535\n" + QString(compte),
          "n=65535 sink=0 p= v=");
    ligne("texte apres END", "NB_SENSORS 1\nID\n0 1 1 0\nEND\n7 x\nNB_SENSORS 9\n", true, un,
          "n=1 sink=0 p=(1,1) v=[]");
    ligne("chiffre final sans saut", "SINK\n5", true, "", "n=0 sink=0 p= v=");
    ligne("chiffre final avec saut", "SINK\n5\n", true, "", "n=0 sink=5 p= v=");
    ligne("ID dans la section", "NB_SENSORS 2\nID\n0 0 0 0\nID\n1 0 0 0\n", true, "  -> Nb_SENSORS = 2\n",
          "n=2 sink=0 p=(0,0)(0,0) v=[][]");
    ligne("deux SINK", "SINK\n3\nSINK\n4\n", true, "", "n=0 sink=4 p= v=");
    ligne("seule la premiere ligne apres SINK", "SINK\n3\n4\n", false, format, "n=0 sink=3 p= v=");
    ligne("ID entre SINK et son nombre", "NB_SENSORS 1\nSINK\nID\n0 5 6 0\nSINK\n9\n", true, un,
          "n=1 sink=9 p=(5,6) v=[]");
    ligne("tout ID ouvre la section", "NB_SENSORS 1\nIDENTIFIANTS x\n0 1 1 0\n", true, un, "n=1 sink=0 p=(1,1) v=[]");
    ligne("signes moins", "NB_SENSORS 1\nID\n0 -10 -20 0\n", true, un, "n=1 sink=0 p=(10,20) v=[]");
    ligne("2 annonces 3 donnes", "NB_SENSORS 1\nID\n0 0 0 2 1 2 3\n", false, un + nb_voisin,
          "n=1 sink=0 p=(0,0) v=[1,2,3]", ":3 : capteur 0 : 2 voisins annoncés, 3 listés");
    ligne("moins de quatre nombres", "NB_SENSORS 1\nID\n0 1 2\n", false, un + format, "n=1 sink=0 p= v=",
          ":3 : ligne capteur de 3 nombres, il en faut au moins 4");
    ligne("nombre hors section", "NB_SENSORS 0\n5 5\n", false, "  -> Nb_SENSORS = 0\n" + QString(format),
          "n=0 sink=0 p= v=", ":2 : ligne de nombres hors de toute section");
    ligne("arret a la premiere erreur", "ID\n0 1\n0 1 1 0\n", false, format, "n=0 sink=0 p= v=");
    ligne("sink 12abc", "SINK\n12abc\n", true, "", "n=0 sink=12 p= v=");
    ligne("sink 65536", "SINK\n65536\n", true, "", "n=0 sink=0 p= v=");
    ligne("sink au-dela de long", "SINK\n99999999999999999999\n", true, "", "n=0 sink=65535 p= v=");
    ligne("toInt et 16 bits", "NB_SENSORS 1\nID\n65536 2147483648 2147483647 1 65537\n", true, un,
          "n=1 sink=0 p=(0,2147483647) v=[1]");
    ligne("numero repete accepte", "NB_SENSORS 2\nID\n0 1 1 0\n0 2 2 1 5\n", true, "  -> Nb_SENSORS = 2\n",
          "n=2 sink=0 p=(1,1)(2,2) v=[5][]");
    ligne("numero repete refuse", "NB_SENSORS 2\nID\n0 1 1 1 4\n0 2 2 1 5\n", false,
          "  -> Nb_SENSORS = 2\n" + QString(nb_voisin), "n=2 sink=0 p=(1,1)(2,2) v=[4,5][]");
    ligne("numero en avance", "NB_SENSORS 2\nID\n1 7 7 0\n", false, "  -> Nb_SENSORS = 2\n" + QString(nb_voisin),
          "n=2 sink=0 p=(7,7) v=[]", ":3 : numéro de capteur 1 en avance : 1 ligne capteur lue");
    ligne("octet nul", QByteArray("NB_SENSORS 1\nID\n0 1 1 0\0 9 9\n", 29), true, un, "n=1 sink=0 p=(1,1) v=[]");

    // Read 1 is the first 4094 bytes (sensor 0, neighbour 3), read 2 the
    // rest (sensor 1); one byte more or less either way breaks the count.
    QByteArray longue = "NB_SENSORS 2\nID\n";
    longue += "0 5 5 1 3" + QByteArray(4094 - 9, ' ') + "1 6 6 0" + QByteArray(900, ' ') + "\n";
    ligne("ligne de 5000 caracteres", longue, true, "  -> Nb_SENSORS = 2\n", "n=2 sink=0 p=(5,5)(6,6) v=[3][]");
}

void tst_lecture_instance::lecture()
{
    QFETCH(QByteArray, contenu);
    QFETCH(bool, reussite);
    QFETCH(QString, sortie);
    QFETCH(QString, etat);
    QFETCH(QString, raison);

    const QString chemin = ecrire(contenu);
    session_graphe session;
    bool lu = false;
    std::string console;
    capture_flux cerr(std::cerr);
    {
        capture_flux cout(std::cout);
        lu = session.lire_instance(chemin);
        console = cout.texte();
    }
    QCOMPARE(QString::fromStdString(console), sortie);
    QCOMPARE(cerr.lignes().size(), lu ? 0 : 1);
    QCOMPARE(cerr.lignes().value(0), session.raison_echec());
    if (!raison.isEmpty())
        QCOMPARE(session.raison_echec(), QFileInfo(chemin).fileName() + raison);
    QCOMPARE(lu, reussite);
    QVERIFY(session.instance());
    QCOMPARE(session.instance()->nom_fichier(), chemin);
    QCOMPARE(decrire(*session.instance()), etat);
}

void tst_lecture_instance::session_neuve()
{
    // The drawing and the tree tell an unread file by its missing record.
    session_graphe session;
    QVERIFY(!session.instance());
    QVERIFY(!session.solution());
}

void tst_lecture_instance::reseau_maximal()
{
    // A ring of 65535 sensors: every one read, every one released (the
    // sanitizer build checks the release).
    const int n = 65535;
    QByteArray contenu = "NB_SENSORS 65535\nID\n";
    for (int k = 0; k < n; ++k)
        contenu += QByteArray::number(k) + ' ' + QByteArray::number(k % 1000) + ' ' + QByteArray::number(k / 1000)
                   + " 2 " + QByteArray::number((k + n - 1) % n) + ' ' + QByteArray::number((k + 1) % n) + '\n';
    contenu += "SINK\n65534\nEND\n";

    auto session = std::make_unique<session_graphe>();
    capture_flux cout(std::cout);
    QVERIFY(session->lire_instance(ecrire(contenu)));
    graphe_instance &g = *session->instance();
    QCOMPARE(g.sink(), std::uint16_t(65534));
    QCOMPARE(int(g.positions().size()), n);
    QCOMPARE(int(g.voisins().size()), n);
    QCOMPARE(g.positions()[1234]->x(), 234);
    QCOMPARE(*g.voisins()[0], (graphe_instance::liste_voisins{65534, 1}));
    QCOMPARE(*g.voisins()[n - 1], (graphe_instance::liste_voisins{65533, 0}));
    session.reset();
}

void tst_lecture_instance::au_dela_de_65535_capteurs()
{
    // 65536 sensor lines wrapped the 16-bit line count back to the announced
    // 0 and read as a success; the line past the 65535th fails instead.
    QByteArray contenu = "NB_SENSORS 0\nID\n";
    for (int k = 0; k <= 65535; ++k)
        contenu += QByteArray::number(k) + " 1 1 0\n";

    session_graphe session;
    bool lu = true;
    std::string console;
    {
        capture_flux cout(std::cout);
        capture_flux cerr(std::cerr);
        lu = session.lire_instance(ecrire(contenu));
        console = cout.texte();
    }
    QVERIFY(!lu);
    QCOMPARE(QString::fromStdString(console), "  -> Nb_SENSORS = 0\n" + QString(format));
    QVERIFY(session.raison_echec().endsWith(":65538 : plus de 65535 lignes capteur"));
    QCOMPARE(int(session.instance()->positions().size()), 65535);
    QCOMPARE(int(session.instance()->voisins().size()), 65535);
}

QTEST_MAIN(tst_lecture_instance)
#include "tst_lecture_instance.moc"
