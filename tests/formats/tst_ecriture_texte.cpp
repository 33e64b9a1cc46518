#include "capture_flux.h"
#include "coord_sommet.h"
#include "ecriture_texte.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "lecture_fichier.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

// The instance and solution text formats written from records and read
// back by their own readers into the same records, or refused with why.

namespace {

// n sensors on a line, sensor 0 listing n - 1 numbers of five digits.
std::unique_ptr<graphe_instance> etoile(int n, std::int32_t x0)
{
    auto i = std::make_unique<graphe_instance>();
    i->nb_sensors() = std::uint16_t(n);
    for (int k = 0; k < n; ++k) {
        i->positions().push_back(std::make_unique<coord_sommet>(k == 0 ? x0 : k, 3));
        i->voisins().push_back(std::make_unique<graphe_instance::liste_voisins>());
        if (k > 0)
            i->voisins()[0]->push_back(std::uint16_t(65535 - k));
    }
    i->sink() = std::uint16_t(n - 1);
    return i;
}

std::unique_ptr<graphe_solution> listes(int sl, int br)
{
    auto s = std::make_unique<graphe_solution>();
    s->liste_ma() = {4, 0, 2};
    for (int k = 0; k < sl; ++k)
        s->liste_sl().push_back(std::uint16_t(k * 7 % 65536));
    for (int k = 0; k < br; ++k)
        s->liste_br().push_back(std::uint16_t(65535 - k));
    return s;
}

bool ecrire(const QString &chemin, const QByteArray &texte)
{
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(texte) == texte.size();
}

} // namespace

class tst_ecriture_texte : public QObject
{
    Q_OBJECT

private slots:
    void aller_retour_data();
    void aller_retour();
};

void tst_ecriture_texte::aller_retour_data()
{
    QTest::addColumn<int>("capteurs");
    QTest::addColumn<int>("x0");
    QTest::addColumn<int>("sl");
    QTest::addColumn<int>("br");
    // Why the instance is refused; empty when both files read back.
    QTest::addColumn<QString>("refus");
    QTest::newRow("listes vides") << 1 << 0 << 0 << 0 << "";
    QTest::newRow("SL et BR sur plusieurs sections") << 12 << 2147483647 << 1201 << 500 << "";
    QTest::newRow("capteur de 660 voisins") << 661 << 0 << 3 << 3 << "";
    QTest::newRow("capteur de 700 voisins")
        << 701 << 0 << 0 << 0
        << "le capteur 0 a 700 voisins : sa ligne dépasserait les 4094 caractères qu'une ligne d'instance peut avoir";
    QTest::newRow("coordonnee negative") << 3 << -1 << 0 << 0 << "le capteur 0 a une coordonnée négative";
}

void tst_ecriture_texte::aller_retour()
{
    QFETCH(int, capteurs);
    QFETCH(int, x0);
    QFETCH(int, sl);
    QFETCH(int, br);
    QFETCH(QString, refus);
    const std::unique_ptr<graphe_instance> instance = etoile(capteurs, x0);
    const std::unique_ptr<graphe_solution> solution = listes(sl, br);
    QBuffer texte_instance, texte_solution;
    texte_instance.open(QIODevice::WriteOnly);
    texte_solution.open(QIODevice::WriteOnly);
    QString cause;
    QCOMPARE(ecrire_instance(texte_instance, *instance, cause), refus.isEmpty());
    QCOMPARE(cause, refus);
    if (!refus.isEmpty())
        return;
    QVERIFY(ecrire_solution(texte_solution, *solution, QStringLiteral("i.txt"), cause));

    QTemporaryDir dossier;
    QVERIFY(ecrire(dossier.filePath("i.txt"), texte_instance.data()));
    QVERIFY(ecrire(dossier.filePath("s.txt"), texte_solution.data()));
    capture_flux console;
    const fichier_lu<graphe_instance> i = lire_fichier_instance(dossier.filePath("i.txt"));
    const fichier_lu<graphe_solution> s = lire_fichier_solution(dossier.filePath("s.txt"));
    QVERIFY2(i.lu && s.lu, qPrintable(i.raison + s.raison));
    QCOMPARE(i.contenu->nb_sensors(), instance->nb_sensors());
    QCOMPARE(i.contenu->sink(), instance->sink());
    for (int k = 0; k < capteurs; ++k) {
        QCOMPARE(i.contenu->positions()[k]->x(), instance->positions()[k]->x());
        QCOMPARE(*i.contenu->voisins()[k], *instance->voisins()[k]);
    }
    QCOMPARE(s.contenu->liste_ma(), solution->liste_ma());
    QCOMPARE(s.contenu->liste_sl(), solution->liste_sl());
    QCOMPARE(s.contenu->liste_br(), solution->liste_br());
    QCOMPARE(s.contenu->nom_instance().trimmed(), QStringLiteral("i.txt"));
}

QTEST_MAIN(tst_ecriture_texte)
#include "tst_ecriture_texte.moc"
