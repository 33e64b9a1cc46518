#include "graphe_instance.h"
#include "graphe_solution.h"
#include "liste_graphe.h"

#include <QHeaderView>
#include <QImage>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>

Q_DECLARE_METATYPE(QStandardItem *)

class tst_liste_graphe : public QObject
{
    Q_OBJECT

private slots:
    void vue_neuve();
    void icones_data();
    void icones();
    void noms_par_defaut_data();
    void noms_par_defaut();
    void lignes_de_fichiers();
    void trouver_item_session();
    void double_clic_data();
    void double_clic();

private:
    struct arbre_rempli {
        liste_graphe vue;
        graphe_instance instance;
        graphe_solution solution;
        QStandardItem *session = nullptr;
        QStandardItem *inst = nullptr;
        QStandardItem *sol = nullptr;
    };
    static void remplir(arbre_rempli &a);
};

void tst_liste_graphe::remplir(arbre_rempli &a)
{
    a.instance.nom_fichier() = QStringLiteral("/donnees/essais/inst12.txt");
    a.solution.nom_fichier() = QStringLiteral("/donnees/essais/sol12.txt");
    a.session = a.vue.ajouter_session(QStringLiteral("Reseau 12 noeuds"));
    a.inst = a.vue.ajouter_instance(a.session, &a.instance);
    a.sol = a.vue.ajouter_solution(a.session, &a.solution);
}

void tst_liste_graphe::vue_neuve()
{
    // What a user sees of an empty tree: one fixed root row, no header.
    liste_graphe vue;
    QCOMPARE(vue.modele()->rowCount(), 1);
    QCOMPARE(vue.racine()->text(), QStringLiteral("Sessions"));
    QVERIFY(!vue.racine()->isEditable());
    QVERIFY(vue.isHeaderHidden());
}

void tst_liste_graphe::icones_data()
{
    QTest::addColumn<QString>("chemin");
    QTest::newRow("racine") << ":/liste/image/root.png";
    QTest::newRow("session") << ":/liste/image/session.png";
    QTest::newRow("instance") << ":/liste/image/inst.png";
    QTest::newRow("solution") << ":/liste/image/sol.png";
}

void tst_liste_graphe::icones()
{
    QFETCH(QString, chemin);
    liste_graphe vue; // registers the resources
    QImage image(chemin);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), QSize(16, 16));
    QVERIFY(!image.hasAlphaChannel());

    // Each icon must differ from the three others.
    const QStringList toutes{":/liste/image/root.png", ":/liste/image/session.png",
                             ":/liste/image/inst.png", ":/liste/image/sol.png"};
    for (const QString &autre : toutes) {
        if (autre != chemin)
            QVERIFY2(QImage(autre).convertToFormat(image.format()) != image, qPrintable(autre));
    }
}

void tst_liste_graphe::noms_par_defaut_data()
{
    QTest::addColumn<QStringList>("noms");
    QTest::addColumn<QStringList>("textes");

    QTest::newRow("deux sans nom") << QStringList{"", ""} << QStringList{"Session_1", "Session_2"};
    QTest::newRow("nommee au milieu") << QStringList{"", "Reseau", ""}
                                      << QStringList{"Session_1", "Reseau", "Session_2"};
    QTest::newRow("nommees") << QStringList{"a", "b"} << QStringList{"a", "b"};
}

void tst_liste_graphe::noms_par_defaut()
{
    QFETCH(QStringList, noms);
    QFETCH(QStringList, textes);

    liste_graphe vue;
    for (const QString &nom : noms) {
        QStandardItem *item = vue.ajouter_session(nom);
        QCOMPARE(item->parent(), vue.racine());
        QCOMPARE(item->data(Qt::AccessibleTextRole).toString(), QStringLiteral("fichier"));
        QVERIFY(item->isEditable());
        QVERIFY(!item->icon().isNull());
        QVERIFY(item->toolTip().isEmpty());
        QCOMPARE(vue.currentIndex(), item->index());
        QCOMPARE(vue.selectionModel()->selectedIndexes(), QModelIndexList{item->index()});
        QVERIFY(vue.isExpanded(vue.racine()->index()));
    }
    QStringList lus;
    for (int i = 0; i < vue.racine()->rowCount(); ++i)
        lus << vue.racine()->child(i)->text();
    QCOMPARE(lus, textes);
}

void tst_liste_graphe::lignes_de_fichiers()
{
    arbre_rempli a;
    remplir(a);

    QCOMPARE(a.session->rowCount(), 2);
    QCOMPARE(a.session->child(0), a.inst);
    QCOMPARE(a.session->child(1), a.sol);
    QCOMPARE(a.inst->text(), QStringLiteral("i:inst12.txt"));
    QCOMPARE(a.sol->text(), QStringLiteral("s:sol12.txt"));
    QCOMPARE(a.inst->toolTip(), QStringLiteral("id : i:inst12.txt"));
    QCOMPARE(a.sol->toolTip(), QStringLiteral("id : s:sol12.txt"));
    QCOMPARE(a.inst->data(Qt::AccessibleTextRole).toString(), QStringLiteral("/donnees/essais/inst12.txt"));
    QCOMPARE(a.sol->data(Qt::AccessibleTextRole).toString(), QStringLiteral("/donnees/essais/sol12.txt"));
    QVERIFY(!a.inst->isEditable());
    QVERIFY(!a.sol->isEditable());
    QVERIFY(a.inst->icon().cacheKey() != a.sol->icon().cacheKey());
    QVERIFY(a.vue.isExpanded(a.session->index()));
    QCOMPARE(a.vue.currentIndex(), a.sol->index());
    QCOMPARE(a.vue.selectionModel()->selectedIndexes(), QModelIndexList{a.sol->index()});
}

void tst_liste_graphe::trouver_item_session()
{
    liste_graphe vide;
    QStandardItem *inchange = reinterpret_cast<QStandardItem *>(0x1);
    QStandardItem *resultat = inchange;
    QCOMPARE(vide.trouver_item_session(vide.racine(), resultat), -1);
    QCOMPARE(resultat, inchange);

    arbre_rempli a;
    remplir(a);
    QStandardItem *deuxieme = a.vue.ajouter_session(QString());

    resultat = nullptr;
    QCOMPARE(a.vue.trouver_item_session(a.sol, resultat), 1);
    QCOMPARE(resultat, a.session);
    resultat = nullptr;
    QCOMPARE(a.vue.trouver_item_session(a.inst, resultat), 1);
    QCOMPARE(resultat, a.session);
    resultat = nullptr;
    QCOMPARE(a.vue.trouver_item_session(deuxieme, resultat), 1);
    QCOMPARE(resultat, deuxieme);
    resultat = nullptr;
    QCOMPARE(a.vue.trouver_item_session(a.vue.racine(), resultat), 0);
    QCOMPARE(resultat, a.session);
}

void tst_liste_graphe::double_clic_data()
{
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<bool>("emis");
    QTest::addColumn<QString>("ligne_emise");

    QTest::newRow("instance") << "inst" << true << "inst";
    QTest::newRow("solution") << "sol" << true << "sol";
    QTest::newRow("session") << "session" << true << "session";
    QTest::newRow("racine") << "racine" << false << "";
}

void tst_liste_graphe::double_clic()
{
    QFETCH(QString, ligne);
    QFETCH(bool, emis);
    QFETCH(QString, ligne_emise);

    arbre_rempli a;
    remplir(a);
    a.vue.resize(300, 300);
    a.vue.show();
    QVERIFY(QTest::qWaitForWindowExposed(&a.vue));

    const QHash<QString, QStandardItem *> lignes{
        {"inst", a.inst}, {"sol", a.sol}, {"session", a.session}, {"racine", a.vue.racine()}};
    qRegisterMetaType<QStandardItem *>();
    QSignalSpy spy(&a.vue, &liste_graphe::item_selected);

    const QRect zone = a.vue.visualRect(lignes.value(ligne)->index());
    QVERIFY(zone.isValid());
    // A user's double-click is a click followed by the double-click event;
    // QTest::mouseDClick sends only the latter.
    QTest::mouseClick(a.vue.viewport(), Qt::LeftButton, {}, zone.center());
    QTest::mouseDClick(a.vue.viewport(), Qt::LeftButton, {}, zone.center());

    QCOMPARE(spy.count(), emis ? 1 : 0);
    if (emis) {
        QCOMPARE(spy.at(0).at(0).value<QStandardItem *>(), a.session);
        QCOMPARE(spy.at(0).at(1).value<QStandardItem *>(), lignes.value(ligne_emise));
    }
}

QTEST_MAIN(tst_liste_graphe)
#include "tst_liste_graphe.moc"
