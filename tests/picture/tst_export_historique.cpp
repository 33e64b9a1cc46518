#include "capture_flux.h"
#include "export_historique.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "historique_solutions.h"
#include "lecture_fichier.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// Three steps of the twelve-sensor example, each MA one sensor longer.
historique_solutions trois_etapes(const graphe_instance &instance)
{
    historique_solutions h;
    auto solution = std::make_shared<graphe_solution>();
    for (std::uint16_t s : {6, 1, 2}) {
        solution->liste_ma().push_back(s);
        h.ajouter(instance, std::make_shared<const graphe_solution>(*solution), QStringLiteral("run.txt"),
                  QDateTime::currentDateTime());
    }
    return h;
}

} // namespace

class tst_export_historique : public QObject
{
    Q_OBJECT

private slots:
    void etapes_de_la_bande_data();
    void etapes_de_la_bande();
    void sorties_data();
    void sorties();
};

void tst_export_historique::etapes_de_la_bande_data()
{
    QTest::addColumn<int>("nombre");
    QTest::addColumn<int>("k");
    QTest::addColumn<std::vector<int>>("etapes");
    QTest::newRow("reparties, les deux bouts") << 10 << 4 << std::vector<int>{0, 3, 6, 9};
    QTest::newRow("arrondies") << 6 << 4 << std::vector<int>{0, 2, 3, 5};
    QTest::newRow("plus de cellules que d'etapes") << 3 << 5 << std::vector<int>{0, 1, 2};
    QTest::newRow("une cellule, la derniere") << 5 << 1 << std::vector<int>{4};
    QTest::newRow("aucune etape") << 0 << 3 << std::vector<int>{};
}

void tst_export_historique::etapes_de_la_bande()
{
    QFETCH(int, nombre);
    QFETCH(int, k);
    QFETCH(std::vector<int>, etapes);
    QCOMPARE(::etapes_de_la_bande(nombre, k), etapes);
}

void tst_export_historique::sorties_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<int>("bande");
    // GIF: its frames; strip: the labels its SVG holds; JSON: its steps.
    QTest::addColumn<QStringList>("attendu");
    QTest::newRow("gif, une image par etape") << "h.gif" << 0 << QStringList{"3", "200"};
    QTest::newRow("bande de 2 sur 3") << "h.svg" << 2 << QStringList{"Étape 1", "Étape 3"};
    QTest::newRow("bande de 5 sur 3") << "h.svg" << 5 << QStringList{"Étape 1", "Étape 2", "Étape 3"};
    QTest::newRow("json") << "h.json" << 0 << QStringList{"3"};
    QTest::newRow("image sans bande refusee") << "h.png" << 0 << QStringList{};
    QTest::newRow("bande en dot refusee") << "h.dot" << 2 << QStringList{};
}

void tst_export_historique::sorties()
{
    QFETCH(QString, nom);
    QFETCH(int, bande);
    QFETCH(QStringList, attendu);
    fichier_lu<graphe_instance> instance = lire_fichier_instance(QStringLiteral(VG_EXAMPLES_DIR "/douze_capteurs.txt"));
    QVERIFY(instance.lu);
    const historique_solutions h = trois_etapes(*instance.contenu);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(nom);
    options_historique options;
    options.images_par_seconde = 5;
    options.bande = bande;
    QString raison;
    capture_flux console;
    const bool ecrit = exporter_historique(*instance.contenu, h, chemin, options, &raison);
    QCOMPARE(ecrit, !attendu.isEmpty());
    QCOMPARE(QFileInfo::exists(chemin), ecrit);
    if (!ecrit) {
        QVERIFY(!raison.isEmpty());
        return;
    }
    QFile fichier(chemin);
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    const QByteArray contenu = fichier.readAll();
    if (nom.endsWith(".gif")) {
        QImageReader lecteur(chemin);
        QCOMPARE(QString::number(lecteur.imageCount()), attendu[0]);
        QVERIFY(lecteur.read().size() == QSize(800, 550));
        QCOMPARE(QString::number(lecteur.nextImageDelay()), attendu[1]);
    } else if (nom.endsWith(".svg")) {
        const QString texte = QString::fromUtf8(contenu);
        QCOMPARE(texte.count(QStringLiteral("Étape ")), attendu.size());
        for (const QString &etiquette : attendu)
            QVERIFY2(texte.contains(QStringLiteral(">%1<").arg(etiquette)), qPrintable(etiquette));
    } else {
        const QJsonArray etapes = QJsonDocument::fromJson(contenu).object().value("steps").toArray();
        QCOMPARE(QString::number(etapes.size()), attendu[0]);
    }
}

QTEST_MAIN(tst_export_historique)
#include "tst_export_historique.moc"
