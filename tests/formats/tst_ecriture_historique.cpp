#include "capture_flux.h"
#include "coord_sommet.h"
#include "ecriture_historique.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "historique_solutions.h"
#include "lecture_fichier.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

// A history as JSON and as files: one solution file a step and the JSON
// naming them, all written or none, read back into the same lists.

namespace {

// n sensors in a row, each hearing the next.
std::unique_ptr<graphe_instance> rangee(int n)
{
    auto g = std::make_unique<graphe_instance>();
    g->nb_sensors() = std::uint16_t(n);
    for (int k = 0; k < n; ++k) {
        g->positions().push_back(std::make_unique<coord_sommet>(k, 0));
        g->voisins().push_back(std::make_unique<graphe_instance::liste_voisins>());
        if (k + 1 < n)
            g->voisins().back()->push_back(std::uint16_t(k + 1));
    }
    return g;
}

// Step k: MA k and k + 2, SL k + 1, BR every third step; read at date.
void remplir(historique_solutions &h, const graphe_instance &instance, int etapes, const QDateTime &date)
{
    for (int k = 0; k < etapes; ++k) {
        auto s = std::make_shared<graphe_solution>();
        s->liste_ma() = {std::uint16_t(k), std::uint16_t(k + 2)};
        s->liste_sl() = {std::uint16_t(k + 1)};
        if (k % 3 == 0)
            s->liste_br() = {std::uint16_t(k + 3)};
        // As the reader keeps it, line break included.
        s->nom_instance() = QStringLiteral("rangee.txt\n");
        h.ajouter(instance, s, QStringLiteral("/calculs/run_sol.txt"), date);
    }
}

} // namespace

class tst_ecriture_historique : public QObject
{
    Q_OBJECT

private slots:
    void json_data();
    void json();
    void enregistrer_data();
    void enregistrer();
    void nom_historique_data();
    void nom_historique();
};

void tst_ecriture_historique::json_data()
{
    QTest::addColumn<int>("etapes");
    QTest::addColumn<QString>("lue_le");
    QTest::addColumn<QJsonValue>("read_at");
    QTest::newRow("aucune etape") << 0 << "" << QJsonValue();
    QTest::newRow("decalage positif") << 4 << "2024-05-01T13:45:07.250+02:00" << QJsonValue("2024-05-01T13:45:07.250+02:00");
    QTest::newRow("decalage negatif") << 2 << "2024-05-01T08:15:07.000-03:30" << QJsonValue("2024-05-01T08:15:07.000-03:30");
    QTest::newRow("UTC ecrit +00:00") << 2 << "2024-05-01T11:45:07.250Z" << QJsonValue("2024-05-01T11:45:07.250+00:00");
    QTest::newRow("date inconnue") << 2 << "" << QJsonValue();
}

void tst_ecriture_historique::json()
{
    QFETCH(int, etapes);
    QFETCH(QString, lue_le);
    QFETCH(QJsonValue, read_at);
    historique_solutions h;
    remplir(h, *rangee(20), etapes, QDateTime::fromString(lue_le, Qt::ISODateWithMs));
    const QJsonArray pas = json_historique(h).value("steps").toArray();
    QCOMPARE(pas.size(), etapes);
    for (int i = 0; i < etapes; ++i) {
        const etape_solution &e = h.etape(i);
        const QJsonObject o = pas[i].toObject();
        const QJsonObject faits = o.value("facts").toObject();
        const QJsonObject d = o.value("difference").toObject();
        QCOMPARE(o.value("step").toInt(), i + 1);
        QCOMPARE(o.value("file").toString(), QStringLiteral("run_sol.txt"));
        QCOMPARE(o.value("read_at"), read_at);
        QCOMPARE(faits.value("ma").toInt(), e.resume.longueurs[0]);
        QCOMPARE(faits.value("sl").toInt(), e.resume.longueurs[1]);
        QCOMPARE(faits.value("br").toInt(), e.resume.longueurs[2]);
        QCOMPARE(faits.value("not_covered").toInt(), e.resume.non_couverts);
        QCOMPARE(faits.value("ma_components").toInt(), e.resume.composantes_ma);
        const char *listes[] = {"ma", "sl", "br"};
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(d.value(QString(listes[k]) + "_joined").toInt(), e.difference.entres[k]);
            QCOMPARE(d.value(QString(listes[k]) + "_left").toInt(), e.difference.sortis[k]);
        }
        QCOMPARE(d.value("jaccard_ma").toDouble(), std::round(e.difference.jaccard * 10000.0) / 10000.0);
    }
}

void tst_ecriture_historique::enregistrer_data()
{
    QTest::addColumn<int>("etapes");
    QTest::addColumn<QString>("nom");
    // A folder made where a file would go, or the folder itself absent.
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<QString>("raison");
    QTest::newRow("trois etapes") << 3 << "run" << "" << "";
    QTest::newRow("dossier absent") << 3 << "run" << "absent" << "run_0001_sol.txt : le dossier n'existe pas";
    QTest::newRow("nom pris par un dossier") << 3 << "run" << "run_0003_sol.txt" << "run_0003_sol.txt : ";
    QTest::newRow("nom menant hors du dossier") << 3 << "../run" << ""
                                                << "le nom « ../run » ne peut pas nommer un fichier";
}

void tst_ecriture_historique::enregistrer()
{
    QFETCH(int, etapes);
    QFETCH(QString, nom);
    QFETCH(QString, obstacle);
    QFETCH(QString, raison);
    QTemporaryDir parent;
    const QString dossier = parent.filePath("h");
    QVERIFY(QDir().mkpath(dossier));
    if (!obstacle.isEmpty())
        QVERIFY(obstacle == "absent" ? QDir(dossier).removeRecursively() : QDir(dossier).mkdir(obstacle));
    historique_solutions h;
    remplir(h, *rangee(etapes + 10), etapes, QDateTime::currentDateTime());

    QString pourquoi;
    QCOMPARE(enregistrer_historique(h, dossier, nom, &pourquoi), raison.isEmpty());
    QVERIFY2(raison.isEmpty() ? pourquoi.isEmpty() : pourquoi.startsWith(raison), qPrintable(pourquoi));
    const QStringList ecrits = QDir(dossier).entryList(QDir::Files | QDir::Hidden);
    if (!raison.isEmpty()) {
        QCOMPARE(ecrits, QStringList());
        QCOMPARE(QFileInfo::exists(parent.filePath("run_0001_sol.txt")), false);
        return;
    }
    QCOMPARE(ecrits.size(), etapes + 1);
    QFile f(QDir(dossier).filePath("historique.json"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QJsonArray json = QJsonDocument::fromJson(f.readAll()).object().value("steps").toArray();
    const QJsonArray attendu = json_historique(h).value("steps").toArray();
    QCOMPARE(json.size(), etapes);
    capture_flux console;
    for (int i = 0; i < etapes; ++i) {
        const QString fichier = QStringLiteral("run_%1_sol.txt").arg(i + 1, 4, 10, QLatin1Char('0'));
        QJsonObject o = json[i].toObject();
        QCOMPARE(o.value("file").toString(), fichier);
        o.insert("file", QStringLiteral("run_sol.txt"));
        QCOMPARE(o, attendu[i].toObject());
        const fichier_lu<graphe_solution> lu = lire_fichier_solution(QDir(dossier).filePath(fichier));
        QVERIFY2(lu.lu, qPrintable(lu.raison));
        const graphe_solution &s = *h.etape(i).solution;
        QCOMPARE(lu.contenu->liste_ma(), s.liste_ma());
        QCOMPARE(lu.contenu->liste_sl(), s.liste_sl());
        QCOMPARE(lu.contenu->liste_br(), s.liste_br());
        QCOMPARE(lu.contenu->nom_instance(), s.nom_instance());
    }
}

void tst_ecriture_historique::nom_historique_data()
{
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<QString>("nom");
    QTest::newRow("solution") << "run_sol.txt" << "run";
    QTest::newRow("sans _sol") << "b.txt" << "b";
    QTest::newRow("chemin et majuscules") << "/calculs/RUN_SOL.TXT" << "RUN";
    QTest::newRow("point dans le nom") << "essai.2_sol.txt" << "essai.2";
    QTest::newRow("sans extension") << "resultat" << "resultat";
    QTest::newRow("rien d'autre que _sol") << "_sol.txt" << "historique";
}

void tst_ecriture_historique::nom_historique()
{
    QFETCH(QString, fichier);
    QFETCH(QString, nom);
    QCOMPARE(::nom_historique(fichier), nom);
}

QTEST_MAIN(tst_ecriture_historique)
#include "tst_ecriture_historique.moc"
