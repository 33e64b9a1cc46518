#include "capture_flux.h"
#include "chargeur_session.h"
#include "liste_graphe.h"
#include "registre_sessions.h"
#include "session_graphe.h"

#include <QDir>
#include <QFile>
#include <QStandardItem>
#include <QTemporaryDir>
#include <QTest>

#include <iostream>
#include <sstream>

#include <sys/stat.h>

namespace {

const QByteArray instance_valide = "NB_SENSORS 3\nID\n0 10 20 1 1\n1 30 40 2 0 2\n2 50 60 1 1\nSINK\n0\nEND\n";
const QByteArray instance_invalide = "NB_SENSORS 3\nID\n0 10 20 2 1\n";
const QByteArray solution_valide = "INSTANCE_NAME:inst.txt\nNB_MA\t\t1\n1\nNB_SL\t\t0\nNB_BR\t\t1\n2\n";

// Captures std::cout and std::cerr for the lifetime of the object.
struct capture_sorties {
    capture_flux sortie{std::cout};
    capture_flux erreur{std::cerr};
    QStringList lignes() const
    {
        return QString::fromLocal8Bit(sortie.texte().c_str()).split('\n', Qt::SkipEmptyParts);
    }
    QString erreurs() const { return QString::fromLocal8Bit(erreur.texte().c_str()); }
};

bool ecrire(const QString &chemin, const QByteArray &contenu)
{
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(contenu) == contenu.size();
}

QByteArray session_xml(const QByteArray &nom, const QByteArray &instance, const QByteArray &solution)
{
    return "<?xml version=\"1.0\"?>\n<visual_graphe name=\"" + nom + "\">\n  <files>\n"
           "    <param name=\"instance\" path=\"" + instance + "\"/>\n"
           "    <param name=\"solution\" path=\"" + solution + "\"/>\n  </files>\n</visual_graphe>\n";
}

QStringList rangees(QStandardItem *item)
{
    QStringList textes;
    for (int i = 0; i < item->rowCount(); ++i)
        textes << item->child(i)->text();
    return textes;
}

} // namespace

// The loader, with the session file's reading (fichier_session) that the
// export command shares.
class tst_chargeur_session : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void charger_data();
    void charger();
    void fichier_illisible();
    void fichier_special_data();
    void fichier_special();
    void instance_tube();
    void deja_ouvert();
    void autre_orthographe();
    void trois_sessions();
    void derniere_occurrence();
    void chemin_accentue();

private:
    QString ecrire_session(const QByteArray &xml, const QString &nom = QStringLiteral("s.vga"));

    std::unique_ptr<QTemporaryDir> dossier;
};

void tst_chargeur_session::init()
{
    dossier = std::make_unique<QTemporaryDir>();
    QVERIFY(dossier->isValid());
    QVERIFY(ecrire(dossier->filePath("inst.txt"), instance_valide));
    QVERIFY(ecrire(dossier->filePath("sol.txt"), solution_valide));
    QVERIFY(ecrire(dossier->filePath("invalide.txt"), instance_invalide));
}

QString tst_chargeur_session::ecrire_session(const QByteArray &xml, const QString &nom)
{
    const QString chemin = dossier->filePath(nom);
    return ecrire(chemin, xml) ? chemin : QString();
}

void tst_chargeur_session::charger_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<bool>("resultat");
    // %D stands for the session file's directory.
    QTest::addColumn<QStringList>("sortie");
    QTest::addColumn<bool>("cree");
    QTest::addColumn<QString>("texte_session");
    QTest::addColumn<QStringList>("fichiers");
    QTest::addColumn<QString>("erreur");

    const QStringList deux{"i:inst.txt", "s:sol.txt"};
    const QString format = "Erreur: le format du fichier session n'est pas correcte [1]";
    const QString nb = "  -> Nb_SENSORS = 3";
    const QString dossier_lu = "Error: Cannot read file %D/: ";

    QTest::newRow("reguliere") << session_xml("Reseau 3", "inst.txt", "sol.txt") << true
                               << QStringList{nb, "  -> Charge OK..."} << true << "Reseau 3" << deux << "";
    QTest::newRow("racine sans nom")
        << QByteArray("<visual_graphe><files><param name=\"instance\" path=\"inst.txt\"/>"
                      "<param name=\"solution\" path=\"sol.txt\"/></files></visual_graphe>")
        << true << QStringList{nb, "  -> Charge OK..."} << true << "Session_1" << deux << "";
    QTest::newRow("instance absente")
        << session_xml("x", "absente.txt", "sol.txt") << false
        << QStringList{"Erreur : le fichier d'instance '%D/absente.txt' n'existe pas.."} << false << ""
        << QStringList{} << "";
    QTest::newRow("deux absents")
        << session_xml("x", "absente.txt", "absente_sol.txt") << false
        << QStringList{"Erreur : le fichier d'instance '%D/absente.txt' n'existe pas.."} << false << ""
        << QStringList{} << "";
    QTest::newRow("solution absente")
        << session_xml("x", "inst.txt", "absente_sol.txt") << false
        << QStringList{"Erreur : le fichier de solution '%D/absente_sol.txt' n'existe pas.."} << false
        << "" << QStringList{} << "";
    QTest::newRow("chemin absolu")
        << session_xml("x", "/tmp/inst.txt", "sol.txt") << false
        << QStringList{"Erreur : le fichier d'instance '%D//tmp/inst.txt' n'existe pas.."} << false << ""
        << QStringList{} << "";
    QTest::newRow("instance illisible")
        << session_xml("x", "invalide.txt", "sol.txt") << true
        << QStringList{"  -> Nb_SENSORS = 3", "Erreur : format du fichier instance [nb voisin]..",
                       "Erreur : le format du fichier d'instance..", "  -> Charge OK..."}
        << true << "x" << QStringList{"s:sol.txt"} << "invalide.txt:3 : capteur 0 : 2 voisins annoncés, 1 listé";
    // The instance path then names the directory itself, which exists.
    QTest::newRow("sans param instance")
        << QByteArray("<visual_graphe name=\"d\"><files><param name=\"solution\" path=\"sol.txt\"/>"
                      "</files></visual_graphe>")
        << true << QStringList{"Erreur : le format du fichier d'instance..", "  -> Charge OK..."} << true
        << "d" << QStringList{"s:sol.txt"} << dossier_lu;
    QTest::newRow("element inconnu apres")
        << QByteArray("<visual_graphe name=\"g\"><files><param name=\"instance\" path=\"inst.txt\"/>"
                      "<param name=\"solution\" path=\"sol.txt\"/><graphe/></files></visual_graphe>")
        << false << QStringList{format, nb, "  -> Charge OK..."} << true << "g" << deux
        << "s.vga:1 : élément « graphe » refusé, seuls visual_graphe, files et param sont admis\n";
    QTest::newRow("element inconnu avant")
        << QByteArray("<visual_graphe name=\"g\"><Files><param name=\"instance\" path=\"inst.txt\"/>"
                      "<param name=\"solution\" path=\"sol.txt\"/></Files></visual_graphe>")
        << false
        << QStringList{format, "Erreur : le format du fichier d'instance..",
                       "Erreur : le format du fichier de solution..", "  -> Charge OK..."}
        << true << "g" << QStringList{} << "s.vga:1 : élément « Files » refusé";
    QTest::newRow("imbrication libre")
        << QByteArray("<param name=\"instance\" path=\"inst.txt\"><files><visual_graphe name=\"n\">"
                      "<param path=\"sol.txt\"/></visual_graphe></files></param>")
        << true << QStringList{nb, "  -> Charge OK..."} << true << "n" << deux << "";
    // Not well-formed: what was read before the error is used, and the load
    // says it was not clean.
    QTest::newRow("xml coupe")
        << QByteArray("<visual_graphe name=\"c\"><files><param name=\"instance\" path=\"inst.txt\"/>"
                      "<param name=\"solution\" path=\"sol.txt\"/><files")
        << false
        << QStringList{"Erreur: le fichier session n'est pas un document XML valide [ligne 1] : "
                       "Premature end of document.",
                       nb, "  -> Charge OK..."}
        << true << "c" << deux << "s.vga:1 : XML mal formé : Premature end of document.\n";
    // The reason counts the lines of the file, as the console line does.
    QTest::newRow("balise fermante manquante a la ligne 6")
        << session_xml("f", "inst.txt", "sol.txt").replace("  </files>\n", "") << false
        << QStringList{"Erreur: le fichier session n'est pas un document XML valide [ligne 6] : "
                       "Opening and ending tag mismatch.",
                       nb, "  -> Charge OK..."}
        << true << "f" << deux << "s.vga:6 : XML mal formé : Opening and ending tag mismatch.\n";
    QTest::newRow("pas du xml")
        << QByteArray("ceci n'est pas du XML\n") << false
        << QStringList{"Erreur: le fichier session n'est pas un document XML valide [ligne 1] : "
                       "Start tag expected.",
                       "Erreur : le format du fichier d'instance..",
                       "Erreur : le format du fichier de solution..", "  -> Charge OK..."}
        << true << "Session_1" << QStringList{} << "s.vga:1 : XML mal formé : Start tag expected.\n" + dossier_lu;
}

void tst_chargeur_session::charger()
{
    QFETCH(QByteArray, xml);
    QFETCH(bool, resultat);
    QFETCH(QStringList, sortie);
    QFETCH(bool, cree);
    QFETCH(QString, texte_session);
    QFETCH(QStringList, fichiers);
    QFETCH(QString, erreur);

    const QString chemin = ecrire_session(xml);
    QVERIFY(!chemin.isEmpty());
    const QString dir = QDir(dossier->path()).absolutePath();

    liste_graphe arbre;
    registre_sessions registre;
    capture_sorties capture;
    QCOMPARE(charger_session(registre, &arbre, chemin), resultat);

    QStringList attendu;
    for (const QString &ligne : sortie)
        attendu << QString(ligne).replace("%D", dir);
    QCOMPARE(capture.lignes(), attendu);
    if (erreur.isEmpty())
        QCOMPARE(capture.erreurs(), QString());
    else
        QVERIFY2(capture.erreurs().startsWith(QString(erreur).replace("%D", dir)), qPrintable(capture.erreurs()));

    QCOMPARE(registre.sessions().size(), size_t(cree ? 1 : 0));
    QCOMPARE(arbre.racine()->rowCount(), cree ? 1 : 0);
    QCOMPARE(registre.session_par_item().size(), cree ? 1 : 0);
    if (!cree)
        return;
    session_graphe *session = registre.sessions().front().get();
    QCOMPARE(session->nom_fichier(), chemin);
    QCOMPARE(session->id(), 0);
    QCOMPARE(session->item(), arbre.racine()->child(0));
    QCOMPARE(registre.session_par_item().value(session->item()), session);
    QCOMPARE(session->item()->text(), texte_session);
    QCOMPARE(rangees(session->item()), fichiers);
    if (!fichiers.isEmpty())
        QCOMPARE(arbre.currentIndex(), session->item()->child(fichiers.size() - 1)->index());
}

void tst_chargeur_session::fichier_illisible()
{
    liste_graphe arbre;
    registre_sessions registre;
    const QString chemin = dossier->filePath("absent.vga");
    capture_sorties capture;
    QVERIFY(!charger_session(registre, &arbre, chemin));
    QVERIFY(capture.lignes().isEmpty());
    QCOMPARE(capture.erreurs(), "Error: Cannot read file " + chemin + ": No such file or directory\n");
    QVERIFY(registre.sessions().empty());
}

void tst_chargeur_session::fichier_special_data()
{
    QTest::addColumn<QString>("chemin");
    // Before they were refused, a pipe blocked the open and /dev/zero was
    // read into memory until it ran out.
    QTest::newRow("tube nomme") << QStringLiteral("tube.vga");
    QTest::newRow("peripherique sans fin") << QStringLiteral("/dev/zero");
}

void tst_chargeur_session::fichier_special()
{
    QFETCH(QString, chemin);
    if (!chemin.startsWith(QLatin1Char('/'))) {
        chemin = dossier->filePath(chemin);
        QCOMPARE(mkfifo(QFile::encodeName(chemin).constData(), 0600), 0);
    }
    liste_graphe arbre;
    registre_sessions registre;
    capture_sorties capture;
    QVERIFY(!charger_session(registre, &arbre, chemin));
    QVERIFY(capture.lignes().isEmpty());
    QCOMPARE(capture.erreurs(), "Error: Cannot read file " + chemin + ": Not a regular file\n");
    QVERIFY(registre.sessions().empty());
}

void tst_chargeur_session::instance_tube()
{
    const QString tube = dossier->filePath("tube.txt");
    QCOMPARE(mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
    const QString chemin = ecrire_session(session_xml("t", "tube.txt", "sol.txt"));
    liste_graphe arbre;
    registre_sessions registre;
    capture_sorties capture;
    QVERIFY(charger_session(registre, &arbre, chemin));
    QCOMPARE(capture.lignes(), (QStringList{"Erreur : le format du fichier d'instance..", "  -> Charge OK..."}));
    QCOMPARE(capture.erreurs(), "Error: Cannot read file " + tube + ": Not a regular file\n");
    QCOMPARE(rangees(arbre.racine()->child(0)), QStringList{"s:sol.txt"});
}

void tst_chargeur_session::deja_ouvert()
{
    const QString chemin = ecrire_session(session_xml("n", "inst.txt", "sol.txt"));
    liste_graphe arbre;
    registre_sessions registre;
    QVERIFY(charger_session(registre, &arbre, chemin));

    capture_sorties capture;
    QVERIFY(!charger_session(registre, &arbre, chemin));
    QCOMPARE(capture.lignes(), QStringList{"Erreur: la fichier '" + chemin + "' est deja ouvert."});
    QCOMPARE(registre.sessions().size(), size_t(1));
    QCOMPARE(arbre.racine()->rowCount(), 1);
}

void tst_chargeur_session::autre_orthographe()
{
    const QString chemin = ecrire_session(session_xml("n", "inst.txt", "sol.txt"));
    liste_graphe arbre;
    registre_sessions registre;
    capture_sorties capture;
    QVERIFY(charger_session(registre, &arbre, chemin));
    QVERIFY(charger_session(registre, &arbre, dossier->path() + "/./s.vga"));
    QCOMPARE(registre.sessions().size(), size_t(2));
}

void tst_chargeur_session::trois_sessions()
{
    liste_graphe arbre;
    registre_sessions registre;
    capture_sorties capture;
    const QStringList noms{"", "Reseau", ""};
    for (int i = 0; i < 3; ++i) {
        const QString chemin = ecrire_session(session_xml(noms.at(i).toUtf8(), "inst.txt", "sol.txt"),
                                              QString("s%1.vga").arg(i));
        QVERIFY(charger_session(registre, &arbre, chemin));
    }
    QCOMPARE(registre.sessions().size(), size_t(3));
    QCOMPARE(registre.compteur_sessions(), 3);
    for (int i = 0; i < 3; ++i) {
        session_graphe *s = registre.sessions().at(i).get();
        QCOMPARE(s->id(), i);
        QCOMPARE(s->item(), arbre.racine()->child(i));
    }
    QCOMPARE(rangees(arbre.racine()), (QStringList{"Session_1", "Reseau", "Session_2"}));
}

void tst_chargeur_session::derniere_occurrence()
{
    QVERIFY(ecrire(dossier->filePath("autre.txt"), instance_valide));
    const QString chemin = ecrire_session(
        "<visual_graphe name=\"premier\"><files><param name=\"instance\" path=\"absente.txt\"/>"
        "<param name=\"instance\" path=\"autre.txt\"/><param name=\"x\" path=\"absente.txt\"/>"
        "<param path=\"sol.txt\"/></files><visual_graphe name=\"dernier\"/></visual_graphe>");
    liste_graphe arbre;
    registre_sessions registre;
    capture_sorties capture;
    QVERIFY(charger_session(registre, &arbre, chemin));
    QStandardItem *session = arbre.racine()->child(0);
    QCOMPARE(session->text(), QStringLiteral("dernier"));
    QCOMPARE(rangees(session), (QStringList{"i:autre.txt", "s:sol.txt"}));
}

void tst_chargeur_session::chemin_accentue()
{
    QVERIFY(QDir(dossier->path()).mkdir(QStringLiteral("séance")));
    const QString sous = dossier->filePath(QStringLiteral("séance"));
    QVERIFY(ecrire(sous + "/inst.txt", instance_valide));
    const QString chemin = sous + QStringLiteral("/réseau.vga");
    QVERIFY(ecrire(chemin, session_xml("n", "inst.txt", "absente.txt")));

    liste_graphe arbre;
    registre_sessions registre;
    capture_sorties capture;
    QVERIFY(!charger_session(registre, &arbre, chemin));
    QCOMPARE(capture.lignes(),
             QStringList{"Erreur : le fichier de solution '" + QDir(sous).absolutePath()
                         + "/absente.txt' n'existe pas.."});
}

QTEST_MAIN(tst_chargeur_session)
#include "tst_chargeur_session.moc"
