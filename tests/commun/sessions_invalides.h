#ifndef SESSIONS_INVALIDES_H
#define SESSIONS_INVALIDES_H

#include <QByteArray>
#include <QStringList>
#include <QTest>

#include <cstddef>

// Bad sessions, each with what the main window makes of it: the GUI test
// opens them through the window and the export command's test through the
// command.

inline const QByteArray instance_3 = "NB_SENSORS 3\nID\n0 10 20 1 1\n1 30 40 2 0 2\n2 50 60 1 1\nSINK\n0\nEND\n";
inline const QByteArray solution_3 = "INSTANCE_NAME:i.txt\nNB_MA\t\t2\n0\n1\nNB_SL\t\t0\nNB_BR\t\t1\n2\n";

inline QByteArray session_xml(const QByteArray &nom, const QByteArray &instance = "i.txt",
                              const QByteArray &solution = "s.txt")
{
    return "<?xml version=\"1.0\"?>\n<visual_graphe name=\"" + nom + "\"><files><param name=\"instance\" path=\""
           + instance + "\"/><param name=\"solution\" path=\"" + solution + "\"/></files></visual_graphe>\n";
}

// The whole literal, zero bytes included.
template <std::size_t N>
inline QByteArray octets(const char (&texte)[N])
{
    return QByteArray(texte, N - 1);
}

// Adds the columns and one row per bad session to the current test's data.
inline void table_sessions_invalides()
{
    QTest::addColumn<QByteArray>("session");
    QTest::addColumn<QByteArray>("instance");
    QTest::addColumn<QByteArray>("solution");
    // Console lines after "Ouvrir le fichier : "; %D is the session's folder.
    QTest::addColumn<QStringList>("sortie");
    // What std::cerr starts with, or nothing at all when empty.
    QTest::addColumn<QString>("erreur");
    QTest::addColumn<bool>("cree");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QStringList>("fichiers");
    // The session row's own drawing at x1: its "_ecart" line (none when
    // empty), vertices, arcs, "NULL" lines and information text.
    QTest::addColumn<QString>("ecart");
    QTest::addColumn<int>("sommets");
    QTest::addColumn<int>("arcs");
    QTest::addColumn<int>("nuls");
    QTest::addColumn<QString>("info");

    const QString ok = "  -> Charge OK...";
    const QString nb3 = "  -> Nb_SENSORS = 3";
    const QString inst_ko = "Erreur : le format du fichier d'instance..";
    const QString sol_ko = "Erreur : le format du fichier de solution..";
    const QStringList deux{"i:i.txt", "s:s.txt"};
    const QString lu_dossier = "Error: Cannot read file %D/";
    const QString info3 = "Graphe [instance], non oriente, 3 sommets [i.txt]";
    const QString ecart3 = "_ecart_x = 17   _ecart_y = 10.75";

    QTest::newRow("instance arretee avant son compte")
        << session_xml("Arret") << QByteArray("NB_SENSORS 5\nID\n0 0 0 1 1\n1 100 50 1 0\n") << solution_3
        << QStringList{"  -> Nb_SENSORS = 5", "Erreur : format du fichier instance..", inst_ko, ok}
        << "i.txt : 2 lignes capteur pour 5 annoncées"
        << true << "Arret" << QStringList{"s:s.txt"} << "_ecart_x = 6.8   _ecart_y = 8.6" << 2 << 2 << 0
        << "Graphe [instance], non oriente, 5 sommets [i.txt]";
    // The failing line's position and neighbours stay; its neighbour 2 was
    // never read.
    QTest::newRow("instance arretee sur nb voisin")
        << session_xml("Voisins") << QByteArray("NB_SENSORS 3\nID\n0 0 0 1 1\n1 10 10 3 0 2\n") << solution_3
        << QStringList{nb3, "Erreur : format du fichier instance [nb voisin]..", inst_ko, ok}
        << "i.txt:4 : capteur 1 : 3 voisins annoncés, 2 listés" << true
        << "Voisins" << QStringList{"s:s.txt"} << "_ecart_x = 68   _ecart_y = 43" << 2 << 2 << 1 << info3;
    QTest::newRow("instance tronquee")
        << session_xml("Tronquee") << QByteArray("NB_SENSORS 3\nID\n0 10 20 1 1\n1 30 4") << solution_3
        << QStringList{nb3, "Erreur : format du fichier instance ..", inst_ko, ok}
        << "i.txt:4 : ligne capteur de 3 nombres, il en faut au moins 4" << true << "Tronquee"
        << QStringList{"s:s.txt"} << "_ecart_x = 0   _ecart_y = 0" << 1 << 0 << 1 << info3;
    QTest::newRow("instance qui est un dossier")
        << session_xml("Dossier", "sous") << QByteArray() << solution_3 << QStringList{inst_ko, ok}
        << lu_dossier + "sous: " << true << "Dossier" << QStringList{"s:s.txt"} << "" << 0 << 0 << 0 << "";
    QTest::newRow("instance absente")
        << session_xml("Absente", "absente.txt") << QByteArray() << solution_3
        << QStringList{"Erreur : le fichier d'instance '%D/absente.txt' n'existe pas.."} << "" << false << ""
        << QStringList{} << "" << 0 << 0 << 0 << "";
    // A name that begins with a lower-case s draws the solution from the
    // session row; its sensors 7 and 65535 have no neighbour list.
    QTest::newRow("solution de capteurs inconnus")
        << session_xml("sinconnus") << instance_3
        << QByteArray("NB_MA\t\t3\n0\n7\n65535\nNB_SL\t\t1\n100\nNB_BR\t\t2\n2 9\n")
        << QStringList{nb3, ok} << "" << true << "sinconnus" << deux << ecart3 << 3 << 1 << 0
        << "Graphe [solution], non oriente, 3 sommets [i.txt]";
    QTest::newRow("solution arretee en route")
        << session_xml("solution coupee") << instance_3 << QByteArray("NB_MA\t\t1\n0\nNB_SL\t\t3\n1 2\n")
        << QStringList{nb3, sol_ko, ok} << "s.txt:4 : 2 nombres pour 3 annoncés (ligne SL)" << true
        << "solution coupee" << QStringList{"i:i.txt"} << ecart3
        << 3 << 1 << 0 << "Graphe [solution], non oriente, 3 sommets [i.txt]";
    QTest::newRow("solution qui est un dossier")
        << session_xml("sans solution", "i.txt", "sous") << instance_3 << QByteArray()
        << QStringList{nb3, sol_ko, ok} << lu_dossier + "sous: " << true << "sans solution"
        << QStringList{"i:i.txt"} << "" << 0 << 0 << 0 << "";
    QTest::newRow("voisins inexistants")
        << session_xml("Fantomes") << QByteArray("NB_SENSORS 2\nID\n0 0 0 2 1 5\n1 10 10 1 65535\nSINK\n9\nEND\n")
        << QByteArray("NB_MA\t\t2\n0\n1\n") << QStringList{"  -> Nb_SENSORS = 2", ok} << "" << true
        << "Fantomes" << deux << "_ecart_x = 68   _ecart_y = 43" << 2 << 1 << 2
        << "Graphe [instance], non oriente, 2 sommets [i.txt]";
    QTest::newRow("un capteur")
        << session_xml("Seul") << QByteArray("NB_SENSORS 1\nID\n0 42 42 0\nSINK\n0\nEND\n")
        << QByteArray("NB_MA\t\t1\n0\nNB_BR\t\t1\n0\n") << QStringList{"  -> Nb_SENSORS = 1", ok} << "" << true
        << "Seul" << deux << "_ecart_x = 0   _ecart_y = 0" << 1 << 0 << 0
        << "Graphe [instance], non oriente, 1 sommets [i.txt]";
    QTest::newRow("capteurs sur une ligne")
        << session_xml("Ligne")
        << QByteArray("NB_SENSORS 4\nID\n0 0 7 1 1\n1 10 7 2 0 2\n2 20 7 2 1 3\n3 30 7 1 2\nSINK\n3\nEND\n")
        << QByteArray("NB_MA\t\t2\n1\n2\n") << QStringList{"  -> Nb_SENSORS = 4", ok} << "" << true << "Ligne"
        << deux << "_ecart_x = 22.6667   _ecart_y = 0" << 4 << 6 << 0
        << "Graphe [instance], non oriente, 4 sommets [i.txt]";
    // 2147483648 and beyond do not fit a signed 32-bit number and read as 0.
    QTest::newRow("coordonnees pres de 2^31")
        << session_xml("Loin")
        << QByteArray("NB_SENSORS 4\nID\n0 2147483647 0 1 1\n1 0 2147483647 1 2\n2 2147483646 2147483646 1 0\n"
                      "3 2147483648 99999999999 0\nSINK\n2\nEND\n")
        << QByteArray("NB_MA\t\t3\n0\n1\n2\n") << QStringList{"  -> Nb_SENSORS = 4", ok} << "" << true << "Loin"
        << deux << "_ecart_x = 3.1665e-07   _ecart_y = 2.00234e-07" << 4 << 3 << 0
        << "Graphe [instance], non oriente, 4 sommets [i.txt]";
    // No line of either file begins with a digit or a keyword.
    QByteArray binaire;
    for (int i = 0; i < 1024; ++i)
        binaire.append(char((i * 37) % 256));
    QTest::newRow("fichiers binaires")
        << session_xml("Binaire") << binaire << QByteArray(binaire).replace('\n', '\t')
        << QStringList{ok} << "" << true << "Binaire" << deux
        << "_ecart_x = -0.0103769   _ecart_y = -0.00656188" << 0 << 0 << 0
        << "Graphe [instance], non oriente, 0 sommets [i.txt]";
    QTest::newRow("octets nuls")
        << session_xml("Nuls") << octets("NB_SENSORS 2\nID\n0 1 1 0\0 7 7 7\n1 5 5 0\nSINK\n1\0 2\nEND\n")
        << octets("NB_MA\t\t1\0\t\t5\n0\0 9\n") << QStringList{"  -> Nb_SENSORS = 2", ok} << "" << true
        << "Nuls" << deux << "_ecart_x = 170   _ecart_y = 107.5" << 2 << 0 << 0
        << "Graphe [instance], non oriente, 2 sommets [i.txt]";
    QTest::newRow("fins de ligne CRLF")
        << QByteArray(session_xml("Windows")).replace("\n", "\r\n") << QByteArray(instance_3).replace("\n", "\r\n")
        << QByteArray(solution_3).replace("\n", "\r\n") << QStringList{nb3, ok} << "" << true << "Windows" << deux
        << ecart3 << 3 << 4 << 0 << info3;
    QTest::newRow("session binaire")
        << binaire << instance_3 << solution_3
        << QStringList{"Erreur: le fichier session n'est pas un document XML valide [ligne 1] : "
                       "Encountered incorrectly encoded content.",
                       inst_ko, sol_ko, ok}
        << "session.vga:1 : XML mal formé : Encountered incorrectly encoded content.\n" + lu_dossier << true
        << "Session_1" << QStringList{} << "" << 0 << 0 << 0 << "";
    QTest::newRow("session avec un octet nul")
        << octets("<visual_graphe name=\"a\0b\"><files><param name=\"instance\" path=\"i.txt\"/></files>"
                  "</visual_graphe>")
        << instance_3 << solution_3
        << QStringList{"Erreur: le fichier session n'est pas un document XML valide [ligne 1] : "
                       "Unexpected ''.",
                       inst_ko, sol_ko, ok}
        << "session.vga:1 : XML mal formé : Unexpected ''.\n" + lu_dossier << true << "Session_1" << QStringList{} << "" << 0 << 0 << 0 << "";
    QTest::newRow("session tronquee")
        << session_xml("Coupee").left(120) << instance_3 << solution_3
        << QStringList{"Erreur: le fichier session n'est pas un document XML valide [ligne 2] : "
                       "Premature end of document.",
                       nb3, sol_ko, ok}
        << "session.vga:2 : XML mal formé : Premature end of document.\n" + lu_dossier << true << "Coupee" << QStringList{"i:i.txt"} << ecart3 << 3 << 4 << 0 << info3;
}

#endif
