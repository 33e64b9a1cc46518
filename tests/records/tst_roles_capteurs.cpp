#include "graphe_instance.h"
#include "graphe_solution.h"
#include "roles_capteurs.h"

#include <QtTest>

class tst_roles_capteurs : public QObject
{
    Q_OBJECT

private slots:
    void roles_data();
    void roles();
};

void tst_roles_capteurs::roles_data()
{
    QTest::addColumn<int>("puits");
    QTest::addColumn<bool>("avec_solution");
    QTest::addColumn<int>("capteur");
    QTest::addColumn<QString>("texte");
    // Four sensors; MA 1 2, SL 2 9, BR 2 3 (9 is past the instance).
    QTest::newRow("puits sans solution") << 1 << false << 1 << "puits";
    QTest::newRow("listes sans solution") << 1 << false << 2 << "aucun";
    QTest::newRow("puits et MA") << 1 << true << 1 << "puits, MA";
    QTest::newRow("tous les roles") << 2 << true << 2 << "puits, MA, SL, BR";
    QTest::newRow("sans role") << 1 << true << 0 << "aucun";
    QTest::newRow("numero hors de l'instance") << 9 << true << 9 << "aucun";
}

void tst_roles_capteurs::roles()
{
    QFETCH(int, puits);
    QFETCH(bool, avec_solution);
    QFETCH(int, capteur);
    QFETCH(QString, texte);
    graphe_instance instance;
    instance.nb_sensors() = 4;
    instance.sink() = std::uint16_t(puits);
    graphe_solution solution;
    solution.liste_ma() = {1, 2};
    solution.liste_sl() = {2, 9};
    solution.liste_br() = {2, 3};
    const roles_capteurs roles(instance, avec_solution ? &solution : nullptr);
    QCOMPARE(roles_capteurs::texte(roles.masque(std::size_t(capteur))), texte);
}

QTEST_APPLESS_MAIN(tst_roles_capteurs)
#include "tst_roles_capteurs.moc"
