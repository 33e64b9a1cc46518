#include "capture_flux.h"
#include "constructeur_scene.h"
#include "fichier_session.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "faits_solution.h"
#include "lecture_fichier.h"
#include "graphe_visualisateur.h"
#include "graphic_view.h"
#include "networkx.h"
#include "reseaux_invalides.h"
#include "session_graphe.h"
#include "sessions_invalides.h"
#include "sujet_session.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonArray>
#include <QJsonObject>
#include <QPainter>
#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

// visual_graphe-export run as a script runs it, in a folder holding a copy
// of the 300-sensor sample: its options (options_export), the run
// (export_figure), the JSON report (rapport_json), the parser's French
// (traduction_ligne_commande), and the writers of pictures as a user gets
// them (ecriture_image, ecriture_svg, ecriture_dot, ecriture_tikz), and
// what a figure for a paper adds (legende_figure, barre_echelle,
// palette_figure, the values and faults it shows).

namespace {

const QString exemple = QStringLiteral("deploiement_300");
const QString prefixe = QStringLiteral("visual_graphe-export : ");

struct execution {
    int statut = -1;
    QByteArray sortie;
    QStringList erreurs;
};

execution lancer(const QString &dossier, const QStringList &arguments)
{
    QProcess commande;
    commande.setWorkingDirectory(dossier);
    commande.start(QStringLiteral(VG_EXPORT), arguments);
    execution resultat;
    // A crash is no status at all.
    if (!commande.waitForFinished(300000) || commande.exitStatus() != QProcess::NormalExit)
        return resultat;
    resultat.statut = commande.exitCode();
    resultat.sortie = commande.readAllStandardOutput();
    resultat.erreurs = QString::fromLocal8Bit(commande.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    return resultat;
}

bool copier_exemple(const QString &dossier)
{
    for (const QString &nom : {exemple + ".vga", exemple + ".txt", exemple + "_sol.txt"})
        if (!QFile::copy(QStringLiteral(VG_EXAMPLES_DIR "/") + nom, dossier + '/' + nom))
            return false;
    return true;
}

bool ecrire_fichier(const QString &chemin, const QByteArray &contenu)
{
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(contenu) == contenu.size();
}

QStringList contenu_dossier(const QString &dossier)
{
    return QDir(dossier).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

const QString base_exemple = QStringLiteral(VG_EXAMPLES_DIR "/") + exemple;
// The sample's second solution, which the comparisons lay over the first.
const QString solution_b = base_exemple + "_sol_b.txt";

// The sample drawn in a graph window, as a page of the viewer shows it; a
// comparison with solution b when given.
void dessiner_exemple(graphe_visualisateur &fenetre, session_graphe &session, int type_graphe, int zoom,
                      graphe_solution *b = nullptr)
{
    capture_flux console;
    QVERIFY(session.lire_instance(base_exemple + ".txt"));
    QVERIFY(session.lire_solution(base_exemple + "_sol.txt"));
    fenetre.get_graphic_view()->set_zoom(zoom);
    if (b)
        construire_scene(fenetre.get_graphic_view(), sujet_de(&session, 2, b));
    else
        construire_scene(fenetre.get_graphic_view(), sujet_de(&session, type_graphe));
}

// Every stream of a PDF, inflated where Qt compressed it.
QByteArray contenu_pdf(const QByteArray &pdf)
{
    QByteArray texte;
    const QByteArray debut_flux = "\nstream\n";
    for (qsizetype debut = pdf.indexOf(debut_flux); debut >= 0; debut = pdf.indexOf(debut_flux, debut)) {
        debut += debut_flux.size();
        const qsizetype fin = pdf.indexOf("endstream", debut);
        if (fin < 0)
            break;
        const QByteArray donnees = pdf.mid(debut, fin - debut);
        if (pdf.lastIndexOf("/FlateDecode", debut) < pdf.lastIndexOf("endstream", debut)) {
            texte += donnees;
            continue;
        }
        // qUncompress wants the size first; it grows its buffer when short.
        texte += qUncompress(QByteArray("\0\0\x10\0", 4) + donnees);
    }
    return texte;
}

// Share of the pixels of two pictures of the drawing that differ by more
// than an eighth of the grey range, each averaged over squares of 4 x 4:
// a vector drawing rendered back smooths what the raster one draws sharp.
double part_differente(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_Grayscale8);
    const QImage y = b.convertToFormat(QImage::Format_Grayscale8);
    constexpr int cote = 4;
    int differents = 0, carres = 0;
    for (int j = 0; j + cote <= x.height(); j += cote)
        for (int i = 0; i + cote <= x.width(); i += cote, ++carres) {
            int somme = 0;
            for (int v = j; v < j + cote; ++v)
                for (int u = i; u < i + cote; ++u)
                    somme += qGray(x.pixel(u, v)) - qGray(y.pixel(u, v));
            differents += std::abs(somme) > 32 * cote * cote;
        }
    return carres ? double(differents) / carres : 1.0;
}

// A vector drawing rendered back at one pixel a unit; null when it cannot be.
QImage rendu_vectoriel(const QString &chemin, const QSize &taille)
{
    QImage image(taille, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (chemin.endsWith(".svg")) {
        QSvgRenderer rendu(chemin);
        QPainter peintre(&image);
        rendu.render(&peintre);
        return image;
    }
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        return QImage();
    QProcess poppler;
    poppler.start(pdftoppm, {"-r", "72", "-png", "-singlefile", chemin, chemin});
    if (!poppler.waitForFinished(120000) || poppler.exitCode() != 0)
        return QImage();
    return QImage(chemin + ".png").convertToFormat(QImage::Format_RGB32);
}

} // namespace

class tst_visual_graphe_export : public QObject
{
    Q_OBJECT

private slots:
    void statuts_data();
    void statuts();
    void memes_pixels_que_la_fenetre_data();
    void memes_pixels_que_la_fenetre();
    void tailles_data();
    void tailles();
    void vectoriel_data();
    void vectoriel();
    void vectoriel_comme_l_image_data() { vectoriel_data(); }
    void vectoriel_comme_l_image();
    void rapport_json();
    void sessions_invalides_data();
    void sessions_invalides();
    void conversion();
    void reseaux_invalides_data();
    void reseaux_invalides();
    void networkx_data();
    void networkx();
    void figures_data();
    void figures();
    void figures_compilees_data();
    void figures_compilees();
};

void tst_visual_graphe_export::statuts_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("statut");
    // The last line on standard error, after the command's name; empty on
    // success, where nothing at all may be written.
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("sortie");

    const QString s = exemple + ".vga";
    QTest::newRow("instance par defaut") << QStringList{s, "-o", "f.png"} << 0 << "" << "f.png";
    QTest::newRow("solution, suffixe en capitales")
        << QStringList{"--solution", s, "--output", "f.PDF"} << 0 << "" << "f.PDF";
    QTest::newRow("solution seule absente, instance demandee")
        << QStringList{"--instance", "sans_solution.vga", "-o", "f.svg"} << 0 << "" << "f.svg";
    QTest::newRow("option inconnue") << QStringList{"--couleur", s, "-o", "f.png"} << 1
                                     << "option inconnue « couleur » (voir --help)" << "f.png";
    QTest::newRow("zoom hors de la liste") << QStringList{"--zoom", "3", s, "-o", "f.png"} << 1
                                           << "le zoom vaut 1, 2, 4, 8 ou 16, pas « 3 » (voir --help)" << "f.png";
    QTest::newRow("echelle nulle") << QStringList{"--scale", "0", s, "-o", "f.png"} << 1
                                   << "l'échelle est un entier de 1 à 8, pas « 0 » (voir --help)" << "f.png";
    QTest::newRow("echelle trop grande") << QStringList{"--scale", "9", s, "-o", "f.png"} << 1
                                         << "l'échelle est un entier de 1 à 8, pas « 9 » (voir --help)" << "f.png";
    QTest::newRow("sans sortie") << QStringList{s} << 1
                                 << "aucun fichier de sortie : indiquez-le avec -o SORTIE (voir --help)" << "";
    QTest::newRow("suffixe inconnu")
        << QStringList{s, "-o", "f.txt"} << 1
        << "format inconnu pour « f.txt » : le nom finit par .png, .jpg, .jpeg, .bmp, .tif, .tiff, .svg, .pdf, "
           ".dot, .tex, .graphml, .gexf, .cyjs, .vga ou .json (voir --help)"
        << "f.txt";
    QTest::newRow("graphml de la solution") << QStringList{"--solution", s, "-o", "f.graphml"} << 0 << "" << "f.graphml";
    QTest::newRow("dot d'un graphml") << QStringList{"simple.graphml", "-o", "f.dot"} << 0 << "" << "f.dot";
    QTest::newRow("comparaison en graphml") << QStringList{"--compare", "b.txt", s, "-o", "f.graphml"} << 1
                                            << "--compare ne s'écrit qu'en dessin ou en JSON (voir --help)" << "";
    QTest::newRow("conversion d'une session")
        << QStringList{s, "-o", "f.vga"} << 1
        << "une sortie .vga convertit un fichier GraphML, GEXF ou Cytoscape.js, pas « deploiement_300.vga » (voir "
           "--help)"
        << "";
    QTest::newRow("conversion sur l'entree") << QStringList{"c.txt", "-o", "c.vga"} << 1
                                             << "la sortie « ./c.txt » est un fichier d'entrée : elle ne le remplace pas"
                                             << "";
    QTest::newRow("graphml sans solution, solution demandee")
        << QStringList{"--solution", "simple.graphml", "-o", "f.png"} << 2
        << "la solution « simple.graphml » n'a pas pu être lue : simple.graphml : aucun nœud n'a de rôle (ma, sl, "
           "br ou role)"
        << "f.png";
    QTest::newRow("rapport, suffixe en capitales") << QStringList{"--solution", s, "-o", "f.JSON"} << 0 << ""
                                                   << "f.JSON";
    QTest::newRow("rapport, solution absente") << QStringList{"--solution", "sans_solution.vga", "-o", "f.json"}
                                               << 2 << "la solution « %D/absente.txt » n'a pas pu être lue : "
                                                       "absente.txt : le fichier n'existe pas"
                                               << "f.json";
    QTest::newRow("rapport, dossier absent") << QStringList{s, "-o", "nulle_part/f.json"} << 3
                                             << "la sortie « nulle_part/f.json » n'a pas pu être écrite" << "";
    QTest::newRow("comparaison et instance") << QStringList{"--instance", "--compare", "b.txt", s, "-o", "f.png"}
                                             << 1 << "--compare compare deux solutions : il exclut --instance (voir --help)"
                                             << "f.png";
    QTest::newRow("solution a comparer absente") << QStringList{"--compare", "absente.txt", s, "-o", "f.json"} << 2
                                                 << "la solution à comparer « absente.txt » n'a pas pu être lue : absente.txt : le fichier n'existe pas"
                                                 << "f.json";
    QTest::newRow("instance et solution") << QStringList{"--instance", "--solution", s, "-o", "f.png"} << 1
                                          << "--instance et --solution s'excluent (voir --help)" << "f.png";
    QTest::newRow("deux sessions") << QStringList{s, s, "-o", "f.png"} << 1
                                   << "un seul fichier de session, pas 2 (voir --help)" << "f.png";
    QTest::newRow("image trop grande")
        << QStringList{"--zoom", "16", "--scale", "8", s, "-o", "f.png"} << 1
        << "image de 54400 x 37400 pixels trop grande (au plus 32767 de côté et 536870911 pixels) : "
           "réduisez --zoom ou --scale"
        << "f.png";
    QTest::newRow("sortie sur la session") << QStringList{"copie.svg", "-o", "./copie.svg"} << 1
                                           << "la sortie « ./copie.svg » est un fichier d'entrée : elle ne le remplace pas"
                                           << "";
    QTest::newRow("sortie sur l'instance, sans son suffixe d'image")
        << QStringList{s, "-o", "lien.png"} << 1
        << "la sortie « lien.png » est un fichier d'entrée : elle ne le remplace pas" << "";
    QTest::newRow("session absente") << QStringList{"absente.vga", "-o", "f.png"} << 2
                                     << "la session « absente.vga » n'a pas pu être lue : absente.vga : "
                                        "No such file or directory" << "f.png";
    QTest::newRow("solution absente, solution demandee")
        << QStringList{"--solution", "sans_solution.vga", "-o", "f.png"} << 2
        << "la solution « %D/absente.txt » n'a pas pu être lue : absente.txt : le fichier n'existe pas" << "f.png";
    QTest::newRow("solution illisible")
        << QStringList{"--solution", "tabulation.vga", "-o", "f.png"} << 2
        << "la solution « %D/tab_sol.txt » n'a pas pu être lue : tab_sol.txt:2 : en-tête « NB_MA » sans double "
           "tabulation" << "f.png";
    const QString etape = exemple + "_sol.txt";
    QTest::newRow("historique en gif") << QStringList{"--history", etape, etape, s, "-o", "h.gif"} << 0 << "" << "h.gif";
    QTest::newRow("historique en bande pdf")
        << QStringList{"--history", "--strip", "2", etape, s, "-o", "h.pdf"} << 0 << "" << "h.pdf";
    QTest::newRow("historique, etape illisible")
        << QStringList{"--history", etape, "tab_sol.txt", s, "-o", "h.gif"} << 2
        << "l'étape « tab_sol.txt » n'a pas pu être lue : tab_sol.txt:2 : en-tête « NB_MA » sans double tabulation"
        << "h.gif";
    QTest::newRow("historique sans etape") << QStringList{"--history", s, "-o", "h.gif"} << 1
                                           << "--history attend au moins un fichier de solution puis la session (voir --help)"
                                           << "h.gif";
    QTest::newRow("historique en image sans bande")
        << QStringList{"--history", etape, s, "-o", "h.png"} << 1
        << "--history écrit .gif, .mp4 ou .json, ou avec --strip K une image (.png, .jpg, .bmp, .tif, .svg, .pdf), "
           "pas « h.png » (voir --help)"
        << "h.png";
    QTest::newRow("bande sans historique") << QStringList{"--strip", "3", s, "-o", "f.png"} << 1
                                           << "--strip va avec --history (voir --help)" << "f.png";
    QTest::newRow("dossier de sortie absent") << QStringList{s, "-o", "nulle_part/f.png"} << 3
                                              << "la sortie « nulle_part/f.png » n'a pas pu être écrite"
                                              << "nulle_part/f.png";
    QTest::newRow("sortie qui est un dossier") << QStringList{s, "-o", "dossier.pdf"} << 3
                                               << "la sortie « dossier.pdf » n'a pas pu être écrite" << "";
    QTest::newRow("figure en tikz") << QStringList{"--solution", "--legend", s, "-o", "f.tex"} << 0 << "" << "f.tex";
    QTest::newRow("tikz de plus de 5000 capteurs") << QStringList{"grand.graphml", "-o", "f.tex"} << 1
        << "5001 capteurs dans le dessin : TeX n'en tient pas plus de 5000 ; choisissez une région (--region) ou "
           "écrivez un PDF" << "";
    QTest::newRow("tikz d'une region de plus de 5000") << QStringList{"--region", "0,0,4,4", "grand.graphml", "-o", "f.tex"}
                                                       << 0 << "" << "f.tex";
    QTest::newRow("valeurs pas un nombre") << QStringList{"--values", "v.csv:faux", s, "-o", "f.png"} << 2
        << "les valeurs n'ont pas pu être lues : v.csv:3 : « x » n'est pas un nombre" << "";
    QTest::newRow("valeurs d'un capteur inconnu") << QStringList{"--values", "v.csv:inconnu", s, "-o", "f.png"} << 2
        << "les valeurs n'ont pas pu être lues : v.csv:4 : capteur inconnu « 300 »" << "";
    QTest::newRow("colonne de valeurs absente") << QStringList{"--values", "v.csv:absente", s, "-o", "f.png"} << 2
        << "les valeurs n'ont pas pu être lues : v.csv:1 : colonne « absente » absente" << "";
    QTest::newRow("valeurs et valeur calculee") << QStringList{"--values", "v.csv", "--color-by", "hops", s, "-o", "f.png"}
        << 1 << "--values et --color-by s'excluent (voir --help)" << "";
    QTest::newRow("valeur calculee inconnue") << QStringList{"--color-by", "energie", s, "-o", "f.png"} << 1
        << "--color-by vaut hops ou degree, pas « energie » (voir --help)" << "";
    QTest::newRow("region vide") << QStringList{"--region", "5,5,5,9", s, "-o", "f.png"} << 1
        << "--region attend X0,Y0,X1,Y1 avec X0 < X1 et Y0 < Y1, pas « 5,5,5,9 » (voir --help)" << "";
    QTest::newRow("largeur en cm d'une image") << QStringList{"--width", "8cm", s, "-o", "f.png"} << 1
        << "--width en cm, mm, in ou pt va avec .svg, .pdf ou .tex ; une image a des pixels (voir --help)" << "";
    QTest::newRow("corps tikz d'un pdf") << QStringList{"--tikz-body", s, "-o", "f.pdf"} << 1
        << "--tikz-body va avec une sortie .tex (voir --help)" << "";
    QTest::newRow("legende d'un rapport") << QStringList{"--legend", s, "-o", "f.json"} << 1
        << "les options de figure vont avec un dessin (image, SVG, PDF, DOT ou .tex) (voir --help)" << "";
    QTest::newRow("style inconnu") << QStringList{"--style", "gris", s, "-o", "f.png"} << 1
        << "--style vaut daltonien ou habituel, pas « gris » (voir --help)" << "";
}

void tst_visual_graphe_export::statuts()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, statut);
    QFETCH(QString, message);
    QFETCH(QString, sortie);
    QTemporaryDir dossier;
    const QString d = QDir(dossier.path()).canonicalPath();
    QVERIFY(copier_exemple(d));
    QVERIFY(ecrire_fichier(d + "/sans_solution.vga", session_xml("Sans solution", (exemple + ".txt").toUtf8(), "absente.txt")));
    QVERIFY(ecrire_fichier(d + "/tabulation.vga", session_xml("Tab", (exemple + ".txt").toUtf8(), "tab_sol.txt")));
    QVERIFY(ecrire_fichier(d + "/tab_sol.txt", "INSTANCE_NAME:x\nNB_MA\t2\n"));
    QVERIFY(QFile::copy(d + '/' + exemple + ".vga", d + "/copie.svg"));
    QVERIFY(QFile::link(exemple + ".txt", d + "/lien.png"));
    QVERIFY(QDir(d).mkdir("dossier.pdf"));
    QVERIFY(ecrire_fichier(d + "/simple.graphml", graphml(noeud("a", "0", "0") + noeud("b", "3", "4"))));
    QVERIFY(ecrire_fichier(d + "/c.txt", graphml(noeud("a", "0", "0"))));
    QVERIFY(ecrire_fichier(d + "/v.csv", "id,faux,inconnu,vraie\n0,1,1,1\n1,x,2,2\n300,,3,3\n"));
    QByteArray grand;
    for (int k = 0; k < 5001; ++k)
        grand += noeud(QByteArray::number(k), QByteArray::number(k % 100), QByteArray::number(k / 100));
    QVERIFY(ecrire_fichier(d + "/grand.graphml", graphml(grand)));
    const QStringList avant = contenu_dossier(d);

    const execution e = lancer(d, arguments);
    QCOMPARE(e.statut, statut);
    // Quiet: the drawing's trace lines stay out of standard output.
    QCOMPARE(e.sortie, QByteArray());
    if (statut == 0) {
        QCOMPARE(e.erreurs, QStringList());
        QVERIFY(QFileInfo(d + '/' + sortie).size() > 0);
        QCOMPARE(contenu_dossier(d).size(), avant.size() + 1);
        return;
    }
    QVERIFY(!e.erreurs.isEmpty());
    QCOMPARE(e.erreurs.last(), prefixe + QString(message).replace("%D", d));
    // Nothing written, not even a partial file; the inputs are untouched.
    QCOMPARE(contenu_dossier(d), avant);
    QCOMPARE(QFileInfo(d + '/' + exemple + ".txt").size(), QFileInfo(VG_EXAMPLES_DIR "/" + exemple + ".txt").size());
    QCOMPARE(QFileInfo(d + '/' + exemple + ".vga").size(), QFileInfo(VG_EXAMPLES_DIR "/" + exemple + ".vga").size());
}

void tst_visual_graphe_export::rapport_json()
{
    QTemporaryDir dossier;
    const QString session = VG_EXAMPLES_DIR "/" + exemple + ".vga";
    const execution fichier = lancer(dossier.path(), {"--solution", "--verbose", session, "-o", "r.json"});
    const execution flux = lancer(dossier.path(), {"--verbose", "--solution", session, "-o", "-"});
    QCOMPARE(fichier.statut, 0);
    QCOMPARE(flux.statut, 0);
    // With -o - standard output holds the JSON alone, traces or not.
    QFile ecrit(dossier.filePath("r.json"));
    QVERIFY(ecrit.open(QIODevice::ReadOnly));
    QCOMPARE(flux.sortie, ecrit.readAll());

    const QJsonObject rapport = QJsonDocument::fromJson(flux.sortie).object();
    const QJsonObject instance = rapport.value("instance").toObject();
    const QJsonObject solution = rapport.value("solution").toObject();
    QCOMPARE(rapport.keys(), QStringList({"instance", "session", "solution"}));
    QCOMPARE(instance.keys(), QStringList({"bounds", "components", "degree", "entries", "file", "isolated", "links",
                                           "one_way_entries", "out_of_range_entries", "repeated_entries",
                                           "self_entries", "sensors", "sink", "sink_component_size",
                                           "sink_in_range"}));
    QCOMPARE(solution.keys(), QStringList({"br", "file", "in_no_list", "in_several_lists", "instance_name",
                                           "instance_name_matches", "ma", "ma_components", "not_covered",
                                           "out_of_range", "repeated", "sink_in_ma", "sl"}));
    QCOMPARE(instance.value("sensors").toInt(), 300);
    QCOMPARE(instance.value("file").toString(), exemple + ".txt");
    QCOMPARE(solution.value("out_of_range").toObject().keys(), QStringList({"br", "ma", "sl"}));
    QCOMPARE(solution.value("in_several_lists").toObject().keys(), QStringList({"ma_br", "ma_sl", "sl_br"}));

    // The sample's second solution trades ten MA sensors for nine.
    const execution c = lancer(dossier.path(), {"--compare", solution_b, session, "-o", "-"});
    QCOMPARE(c.statut, 0);
    const QJsonObject comparaison = QJsonDocument::fromJson(c.sortie).object().value("compare").toObject();
    auto liste = [&comparaison](const char *cle) { return comparaison.value(cle).toArray().toVariantList(); };
    QCOMPARE(comparaison.value("b").toString(), exemple + "_sol_b.txt");
    QCOMPARE(comparaison.value("ma_both").toInt(), 90);
    QCOMPARE(liste("ma_only_a"), QVariantList({10, 38, 74, 108, 140, 210, 247, 264, 267, 273}));
    QCOMPARE(liste("ma_only_b"), QVariantList({3, 17, 52, 115, 129, 191, 213, 268, 280}));
    QCOMPARE(comparaison.value("jaccard").toDouble(), 0.8257);
    QCOMPARE(liste("not_covered_a"), QVariantList({113, 143}));
    QCOMPARE(liste("br_only_b"), QVariantList({10, 38, 74, 108}));
    QCOMPARE(liste("sl_only_a"), liste("ma_only_b"));
}

void tst_visual_graphe_export::memes_pixels_que_la_fenetre_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("type_graphe");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QString>("nom");
    QTest::newRow("instance x1 png") << "--instance" << 1 << 1 << "f.png";
    QTest::newRow("solution x1 jpeg") << "--solution" << 2 << 1 << "f.jpeg";
    QTest::newRow("solution x2 bmp") << "--solution" << 2 << 2 << "f.bmp";
    QTest::newRow("instance x4 tiff") << "--instance" << 1 << 4 << "f.TIFF";
    QTest::newRow("comparaison x1 png") << "--compare" << 3 << 1 << "f.png";
    QTest::newRow("comparaison x2 png") << "--compare" << 3 << 2 << "f.png";
}

void tst_visual_graphe_export::memes_pixels_que_la_fenetre()
{
    QFETCH(QString, option);
    QFETCH(int, type_graphe);
    QFETCH(int, zoom);
    QFETCH(QString, nom);
    QTemporaryDir dossier;
    QStringList options{option};
    if (type_graphe == 3)
        options << solution_b;
    const execution e = lancer(dossier.path(), options + QStringList{"--zoom", QString::number(zoom),
                                                                     base_exemple + ".vga", "-o", nom});
    QCOMPARE(e.statut, 0);

    graphe_visualisateur fenetre;
    session_graphe session;
    session_graphe lecteur_b;
    if (type_graphe == 3) {
        capture_flux console;
        QVERIFY(lecteur_b.lire_solution(solution_b));
    }
    dessiner_exemple(fenetre, session, type_graphe, zoom, lecteur_b.solution().get());
    const QString chemin = dossier.filePath("fenetre." + QFileInfo(nom).suffix());
    QVERIFY(fenetre.exporter_image(chemin));
    const QImage attendue(chemin);
    QVERIFY(!attendue.isNull());
    QCOMPARE(QImage(dossier.filePath(nom)), attendue);
}

void tst_visual_graphe_export::tailles_data()
{
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("echelle");
    QTest::addColumn<QSize>("taille");
    QTest::newRow("x1") << 1 << 1 << QSize(800, 550);
    QTest::newRow("x2") << 2 << 1 << QSize(1200, 825);
    QTest::newRow("x8") << 8 << 1 << QSize(3600, 2475);
    QTest::newRow("x16") << 16 << 1 << QSize(6800, 4675);
    QTest::newRow("x1 echelle 3") << 1 << 3 << QSize(2400, 1650);
    QTest::newRow("x4 echelle 2") << 4 << 2 << QSize(4000, 2750);
}

void tst_visual_graphe_export::tailles()
{
    QFETCH(int, zoom);
    QFETCH(int, echelle);
    QFETCH(QSize, taille);
    QTemporaryDir dossier;
    const execution e = lancer(dossier.path(), {"--zoom", QString::number(zoom), "--scale", QString::number(echelle),
                                                VG_EXAMPLES_DIR "/" + exemple + ".vga", "-o", "f.png"});
    QCOMPARE(e.statut, 0);
    const QImage image(dossier.filePath("f.png"));
    QCOMPARE(image.size(), taille);
    if (echelle == 1)
        return;
    // The same drawing, each unit N pixels wide: a vertex circle's outline
    // is crossed N times farther from the picture's edge.
    const execution simple = lancer(dossier.path(), {"--zoom", QString::number(zoom),
                                                     VG_EXAMPLES_DIR "/" + exemple + ".vga", "-o", "u.png"});
    QCOMPARE(simple.statut, 0);
    const QImage unite(dossier.filePath("u.png"));
    const QImage reduite = image.scaled(unite.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    int proches = 0;
    for (int y = 0; y < unite.height(); y += 5)
        for (int x = 0; x < unite.width(); x += 5)
            proches += qAbs(qGray(reduite.pixel(x, y)) - qGray(unite.pixel(x, y))) < 64;
    QVERIFY2(proches * 10 > (unite.width() / 5) * (unite.height() / 5) * 9, qPrintable(QString::number(proches)));
}

void tst_visual_graphe_export::vectoriel_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("info");
    const QString instance = "Graphe [instance], non oriente, 300 sommets [deploiement_300.txt]";
    const QString solution = "Graphe [solution], non oriente, 300 sommets [deploiement_300.txt]";
    // Both drawings have more items than one slice of the SVG writer.
    QTest::newRow("instance x1 svg") << "--instance" << 1 << "f.svg" << instance;
    QTest::newRow("solution x2 svg, l'echelle ignoree") << "--solution" << 2 << "f.svg" << solution;
    QTest::newRow("instance x1 pdf") << "--instance" << 1 << "f.pdf" << instance;
    QTest::newRow("solution x4 pdf") << "--solution" << 4 << "f.pdf" << solution;
}

void tst_visual_graphe_export::vectoriel()
{
    QFETCH(QString, option);
    QFETCH(int, zoom);
    QFETCH(QString, nom);
    QFETCH(QString, info);
    QTemporaryDir dossier;
    const execution e = lancer(dossier.path(), {option, "--zoom", QString::number(zoom), "--scale", "4",
                                                VG_EXAMPLES_DIR "/" + exemple + ".vga", "-o", nom});
    QCOMPARE(e.statut, 0);
    QFile fichier(dossier.filePath(nom));
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    const QByteArray contenu = fichier.readAll();
    const double s = (zoom - 1) * 0.5 + 1;
    const int largeur = int(s * 800);
    const int hauteur = int(s * 550);

    if (nom.endsWith(".pdf")) {
        QVERIFY(contenu.startsWith("%PDF-"));
        QVERIFY(contenu.trimmed().endsWith("%%EOF"));
        // One point a unit, and the page nothing but the drawing.
        const QRegularExpression page(QStringLiteral("/MediaBox \\[0 0 %1(\\.0*)? %2(\\.0*)?\\]").arg(largeur).arg(hauteur));
        QVERIFY(page.match(QString::fromLatin1(contenu)).hasMatch());
        const QByteArray flux = contenu_pdf(contenu);
        // Text, with a map from its glyphs back to characters: 300
        // numbers, eleven axis numbers and the information line at least.
        QVERIFY(contenu.contains("/ToUnicode"));
        QVERIFY2(flux.count(" Tj") + flux.count(" TJ") >= 312, qPrintable(QString::number(flux.count(" Tj"))));
        return;
    }
    QXmlStreamReader xml(contenu);
    QStringList textes;
    int cercles = 0;
    QString boite;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("svg"))
            boite = xml.attributes().value("viewBox").toString();
        else if (xml.name() == QLatin1String("circle"))
            ++cercles;
        else if (xml.name() == QLatin1String("text"))
            textes << xml.readElementText().trimmed();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(boite, QStringLiteral("0 0 %1 %2").arg(largeur).arg(hauteur));
    QCOMPARE(cercles, 300);
    for (int k = 0; k < 300; ++k)
        QVERIFY2(textes.contains(QString::number(k)), qPrintable(QString::number(k)));
    QVERIFY2(textes.join(' ').contains(info), qPrintable(textes.join('|').left(300)));

    // And it renders: white where nothing is drawn, and the vertices filled.
    QSvgRenderer rendu(contenu);
    QVERIFY(rendu.isValid());
    QImage image(largeur, hauteur, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter peintre(&image);
    rendu.render(&peintre);
    peintre.end();
    QCOMPARE(image.pixelColor(largeur - 1, hauteur - 1), QColor(Qt::white));
    int remplis = 0;
    for (int y = 0; y < hauteur; ++y)
        for (int x = 0; x < largeur; ++x)
            remplis += image.pixelColor(x, y) != QColor(Qt::white) && image.pixelColor(x, y) != QColor(Qt::black);
    QVERIFY2(remplis > 300 * 100, qPrintable(QString::number(remplis)));
}

// Rendered back, a vector drawing is the raster one, within the smoothing
// of its edges; the SVG holds one element a line of the page and a circle a
// vertex.
void tst_visual_graphe_export::vectoriel_comme_l_image()
{
    QFETCH(QString, option);
    QFETCH(int, zoom);
    QFETCH(QString, nom);
    QTemporaryDir dossier;
    const QString session = VG_EXAMPLES_DIR "/" + exemple + ".vga";
    const QStringList choix{option, "--zoom", QString::number(zoom), session};
    QCOMPARE(lancer(dossier.path(), choix + QStringList{"-o", nom}).statut, 0);
    QCOMPARE(lancer(dossier.path(), choix + QStringList{"-o", "f.png"}).statut, 0);
    const QImage image(dossier.filePath("f.png"));
    const QImage rendu = rendu_vectoriel(dossier.filePath(nom), image.size());
    if (rendu.isNull())
        QSKIP("pdftoppm (poppler-utils) is not installed");
    const double part = part_differente(rendu, image);
    QVERIFY2(part < 0.03, qPrintable(QString::number(part)));
    if (!nom.endsWith(".svg"))
        return;

    graphe_visualisateur fenetre;
    session_graphe lue;
    dessiner_exemple(fenetre, lue, option == "--instance" ? 1 : 2, zoom);
    int lignes_page = 0;
    for (QGraphicsItem *item : fenetre.get_graphic_view()->scene()->items())
        lignes_page += dynamic_cast<QGraphicsLineItem *>(item) != nullptr;
    QFile fichier(dossier.filePath(nom));
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    const QByteArray svg = fichier.readAll();
    QCOMPARE(int(svg.count("<line ")), lignes_page);
    QCOMPARE(int(svg.count("<circle ")), 300);
}

void tst_visual_graphe_export::sessions_invalides_data()
{
    table_sessions_invalides();
}

// The bad sessions of the GUI test through the command: the instance
// drawing needs a whole session file and instance, the solution drawing the
// solution too; whatever cannot be read is status 2 and no file.
void tst_visual_graphe_export::sessions_invalides()
{
    QFETCH(QByteArray, session);
    QFETCH(QByteArray, instance);
    QFETCH(QByteArray, solution);
    QFETCH(QStringList, sortie);
    QFETCH(QStringList, fichiers);
    QTemporaryDir dossier;
    QVERIFY(ecrire_fichier(dossier.filePath("session.vga"), session));
    if (!instance.isNull())
        QVERIFY(ecrire_fichier(dossier.filePath("i.txt"), instance));
    if (!solution.isNull())
        QVERIFY(ecrire_fichier(dossier.filePath("s.txt"), solution));
    QVERIFY(QDir(dossier.path()).mkdir("sous"));

    const bool session_lue = sortie.filter(QRegularExpression("^Erreur: le (format|fichier session)")).isEmpty();
    const bool instance_lue = session_lue && fichiers.contains("i:i.txt");
    const bool solution_lue = instance_lue && fichiers.contains("s:s.txt");
    for (const auto &[option, lue] : {std::pair{QStringLiteral("--instance"), instance_lue},
                                      std::pair{QStringLiteral("--solution"), solution_lue}}) {
        const QString image = dossier.filePath(option.mid(2) + ".png");
        const execution e = lancer(dossier.path(), {option, "session.vga", "-o", image});
        QCOMPARE(e.statut, lue ? 0 : 2);
        QCOMPARE(e.sortie, QByteArray());
        QCOMPARE(QImageReader(image).size(), lue ? QSize(800, 550) : QSize());
        QCOMPARE(e.erreurs.isEmpty(), lue);
        if (!lue)
            QVERIFY2(e.erreurs.last().startsWith(prefixe), qPrintable(e.erreurs.join('\n')));
    }
}

// A GraphML network converted to a session whose two files read (that
// they read back to the same records is the text writer's test).
void tst_visual_graphe_export::conversion()
{
    QTemporaryDir dossier;
    const execution e = lancer(dossier.path(), {VG_GRAPHML_NETWORKX, "-o", "reseau.vga"});
    QCOMPARE(e.statut, 0);
    QCOMPARE(contenu_dossier(dossier.path()), (QStringList{"reseau.txt", "reseau.vga", "reseau_sol.txt"}));
    capture_flux console;
    const fichier_session fichier = lire_fichier_session(dossier.filePath("reseau.vga"));
    session_graphe session;
    QVERIFY(fichier.conforme && session.lire_instance(fichier.chemin_instance)
            && session.lire_solution(fichier.chemin_solution));
    QCOMPARE(int(session.instance()->sink()), 32);
    QCOMPARE(session.solution()->liste_ma().size() + session.solution()->liste_sl().size(), std::size_t(40));
}

void tst_visual_graphe_export::reseaux_invalides_data()
{
    table_reseaux_invalides();
}

// A bad network file is status 2 and no file, whatever was asked of it.
void tst_visual_graphe_export::reseaux_invalides()
{
    QFETCH(QString, nom);
    QFETCH(QByteArray, contenu);
    QFETCH(QString, raison);
    QTemporaryDir dossier;
    QVERIFY(ecrire_fichier(dossier.filePath(nom), contenu));
    for (const char *sortie : {"f.png", "f.vga", "f.gexf"}) {
        const execution e = lancer(dossier.path(), {nom, "-o", sortie});
        QCOMPARE(e.statut, 2);
        QCOMPARE(e.erreurs.value(0), raison);
        QCOMPARE(e.erreurs.last(), prefixe + "la session « " + nom + " » n'a pas pu être lue : " + raison);
        QCOMPARE(contenu_dossier(dossier.path()), QStringList{nom});
    }
}

void tst_visual_graphe_export::networkx_data()
{
    QTest::addColumn<QString>("format");
    // The fill of each role that viz:color gives, as networkx reads it.
    QTest::addColumn<QString>("fonds");
    QTest::newRow("gexf") << "gexf"
                          << "[('BR', '250,128,114'), ('MA', '173,255,47'), ('autres', '244,244,244'), ('puits', "
                             "'0,128,0')]";
    QTest::newRow("cyjs") << "cyjs" << "[]";
}

// A network networkx wrote, converted and written back by the command, which
// networkx reads with the same sensors, links and roles.
void tst_visual_graphe_export::networkx()
{
    QFETCH(QString, format);
    QFETCH(QString, fonds);
    QTemporaryDir dossier;
    const QString d = dossier.path();
    if (!::networkx({"ecrire", d}))
        QSKIP("python3 ou networkx (python3-networkx) absent");
    const QString entree = "reseau_nx." + format;
    QCOMPARE(lancer(d, {entree, "-o", "r.vga"}).statut, 0);
    QCOMPARE(lancer(d, {"--solution", entree, "-o", "r." + format}).statut, 0);
    const QStringList avant = ::networkx({"relire", d + '/' + entree}).value();
    const QStringList apres = ::networkx({"relire", d + "/r." + format}).value();
    QVERIFY2(avant.value(0).startsWith("30 [(0, 1)"), qPrintable(avant.join('\n')));
    QCOMPARE(apres.value(0), avant.value(0));
    QCOMPARE(apres.value(1), fonds);
}

// The sample's solution as the facts box counts it: the rows of its legend.
QStringList legende_des_faits()
{
    const fichier_lu<graphe_instance> i = lire_fichier_instance(base_exemple + ".txt");
    const fichier_lu<graphe_solution> s = lire_fichier_solution(base_exemple + "_sol.txt");
    if (!i.lu || !s.lu)
        return {};
    const faits_solution f = calculer_faits_solution(*i.contenu, *s.contenu);
    return {"puits", QStringLiteral("MA %1").arg(f.longueurs[faits_solution::ma]),
            QStringLiteral("SL %1").arg(f.longueurs[faits_solution::sl]),
            QStringLiteral("BR %1").arg(f.longueurs[faits_solution::br]),
            QStringLiteral("autres %1").arg(f.sans_liste.size())};
}

void tst_visual_graphe_export::figures_data()
{
    QTest::addColumn<QStringList>("options");
    // The SVG's area; a width of -1: wider than the page, for a legend.
    QTest::addColumn<QSize>("taille");
    QTest::addColumn<QStringList>("textes");
    // A piece of SVG and how many times it occurs.
    QTest::addColumn<QString>("motif");
    QTest::addColumn<int>("nombre");
    const QString cercle = QStringLiteral("<circle ");
    QTest::newRow("sans option") << QStringList{} << QSize(800, 550) << QStringList{"10"} << cercle << 300;
    // Five samples in the legend, each a circle as its vertices are.
    QTest::newRow("legende") << QStringList{"--legend"} << QSize(-1, 550) << legende_des_faits() << cercle
                             << 300 + 5;
    QTest::newRow("barre d'echelle") << QStringList{"--scale-bar"} << QSize(800, 590) << QStringList{"2000"} << cercle
                                     << 300;
    QTest::newRow("legende et barre") << QStringList{"--legend", "--scale-bar"} << QSize(-1, 590) << legende_des_faits()
                                      << cercle << 300 + 5;
    // Ticks every tenth of the region, in the instance's units.
    QTest::newRow("region") << QStringList{"--region", "2000,2000,6000,5000", "--width", "900"} << QSize(900, 690)
                            << QStringList{"2000", "2400", "5600", "6000", "2300", "4700", "5000"} << cercle << 41;
    QTest::newRow("sauts, barre de couleurs") << QStringList{"--color-by", "hops", "--legend"} << QSize(-1, 550)
                                              << QStringList{"sauts", "0", "11", "sans valeur 2"} << cercle << 301;
    QTest::newRow("degre") << QStringList{"--color-by", "degree", "--legend"} << QSize(-1, 550)
                           << QStringList{QString::fromUtf8("degré"), "1", "13"} << cercle << 300;
    QTest::newRow("valeurs d'un fichier") << QStringList{"--values", "v.csv:energie", "--legend"} << QSize(-1, 550)
                                          << QStringList{"energie", "-1.5", "7", "sans valeur 297"}
                                          << "fill=\"#dcdcdc\"" << 297 + 1;
    QTest::newRow("defauts") << QStringList{"--faults", "--legend"} << QSize(-1, 550)
                             << QStringList{"non couverts 2", "parties de MA sans le puits 0"}
                             << "stroke=\"#d55e00\" stroke-width=\"2\"" << 2 + 1;
    // A square, a disc, a diamond, a triangle and a small circle, by role.
    QTest::newRow("style daltonien") << QStringList{"--style", "daltonien"} << QSize(800, 550) << QStringList{}
                                     << "<polygon " << 1 + 55 + 143;
    QTest::newRow("largeur sur le papier") << QStringList{"--width", "8cm"} << QSize(800, 550) << QStringList{}
                                           << "width=\"80.000mm\"" << 1;
}

// Each option of a figure through the command, on the sample's solution
// written as SVG, whose texts and elements say what was drawn.
void tst_visual_graphe_export::figures()
{
    QFETCH(QStringList, options);
    QFETCH(QSize, taille);
    QFETCH(QStringList, textes);
    QFETCH(QString, motif);
    QFETCH(int, nombre);
    QTemporaryDir dossier;
    QVERIFY(ecrire_fichier(dossier.filePath("v.csv"), "capteur;energie\n0;-1.5\n7;3\n12;7\n"));
    const execution e = lancer(dossier.path(), QStringList{"--solution"} + options
                                                   + QStringList{base_exemple + ".vga", "-o", "f.svg"});
    QCOMPARE(e.statut, 0);
    QFile fichier(dossier.filePath("f.svg"));
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    const QByteArray contenu = fichier.readAll();
    QXmlStreamReader xml(contenu);
    QStringList lus;
    QSize boite;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("svg")) {
            const QStringList v = xml.attributes().value("viewBox").toString().split(' ');
            boite = QSize(v.value(2).toInt(), v.value(3).toInt());
        } else if (xml.name() == QLatin1String("text")) {
            lus << xml.readElementText().trimmed();
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(boite.height(), taille.height());
    if (taille.width() < 0)
        QVERIFY2(boite.width() > 800, qPrintable(QString::number(boite.width())));
    else
        QCOMPARE(boite.width(), taille.width());
    for (const QString &t : textes)
        QVERIFY2(lus.contains(t), qPrintable(t + " | " + lus.mid(300).join('|')));
    QCOMPARE(int(contenu.count(motif.toUtf8())), nombre);
}

void tst_visual_graphe_export::figures_compilees_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("sortie");
    QTest::newRow("pdf de la commande") << QStringList{"--legend"} << "f.pdf";
    QTest::newRow("tikz autonome") << QStringList{"--legend", "--scale-bar", "--style", "daltonien"} << "f.tex";
    QTest::newRow("corps tikz inclus") << QStringList{"--tikz-body", "--faults", "--width", "12cm"} << "corps.tex";
}

// A figure goes to a publisher: TikZ compiles with pdflatex, and every font
// of a PDF is embedded. Skipped where the tools are absent.
void tst_visual_graphe_export::figures_compilees()
{
    QFETCH(QStringList, options);
    QFETCH(QString, sortie);
    const QString pdflatex = QStandardPaths::findExecutable(QStringLiteral("pdflatex"));
    const QString pdffonts = QStandardPaths::findExecutable(QStringLiteral("pdffonts"));
    if (pdffonts.isEmpty() || (sortie.endsWith(".tex") && pdflatex.isEmpty()))
        QSKIP("pdflatex or pdffonts is not installed");
    QTemporaryDir dossier;
    const execution e = lancer(dossier.path(), QStringList{"--solution"} + options
                                                   + QStringList{base_exemple + ".vga", "-o", sortie});
    QCOMPARE(e.statut, 0);
    QString pdf = dossier.filePath(sortie);
    if (sortie.endsWith(".tex")) {
        QString document = sortie;
        if (options.contains("--tikz-body")) {
            document = "document.tex";
            QVERIFY(ecrire_fichier(dossier.filePath(document),
                                   "\\documentclass{article}\n\\usepackage{graphicx}\n\\usepackage{tikz}\n"
                                   "\\usetikzlibrary{shapes.geometric}\n\\begin{document}\n\\input{corps}\n\\end{document}\n"));
        }
        QProcess latex;
        latex.setWorkingDirectory(dossier.path());
        latex.start(pdflatex, {"-interaction=nonstopmode", "-halt-on-error", document});
        QVERIFY(latex.waitForFinished(120000));
        QVERIFY2(latex.exitCode() == 0, latex.readAllStandardOutput().right(2000).constData());
        pdf = dossier.filePath(QFileInfo(document).completeBaseName() + ".pdf");
    }
    QProcess polices;
    polices.start(pdffonts, {pdf});
    QVERIFY(polices.waitForFinished(60000));
    const QList<QByteArray> lignes = polices.readAllStandardOutput().split('\n');
    // A header of two lines, then a font a line, its "emb" column yes.
    QVERIFY(lignes.size() > 3);
    for (const QByteArray &ligne : lignes.mid(2))
        if (!ligne.trimmed().isEmpty())
            QVERIFY2(ligne.contains(" yes "), ligne.constData());
}

QTEST_MAIN(tst_visual_graphe_export)
#include "tst_visual_graphe_export.moc"
