#include "tri_sortie.h"

#include <QtTest>

#include <sstream>

class tst_tri_sortie : public QObject
{
    Q_OBJECT

private slots:
    void tri_data();
    void tri();
};

void tst_tri_sortie::tri_data()
{
    QTest::addColumn<bool>("traces");
    QTest::addColumn<bool>("traces_a_part");
    QTest::addColumn<QByteArray>("sortie");
    QTest::addColumn<QByteArray>("erreurs");
    QTest::addColumn<QByteArray>("a_part");
    // What the readers, the loader and the builder write, last line unended.
    QTest::newRow("sans traces") << false << false << QByteArray() << QByteArray("Erreur : format..\nError: Cannot read file x\nErreur: la fichier\n")
                                 << QByteArray();
    QTest::newRow("traces sur la sortie") << true << false << QByteArray("width=800  height=550\n  -> Charge OK...")
                                          << QByteArray("Erreur : format..\nError: Cannot read file x\nErreur: la fichier\n")
                                          << QByteArray();
    QTest::newRow("traces a part") << true << true << QByteArray()
                                   << QByteArray("Erreur : format..\nError: Cannot read file x\nErreur: la fichier\n")
                                   << QByteArray("width=800  height=550\n  -> Charge OK...");
}

void tst_tri_sortie::tri()
{
    QFETCH(bool, traces);
    QFETCH(bool, traces_a_part);
    QFETCH(QByteArray, sortie);
    QFETCH(QByteArray, erreurs);
    QFETCH(QByteArray, a_part);
    std::ostringstream vers_sortie, vers_erreurs, vers_a_part;
    std::ostream flux(vers_sortie.rdbuf());
    std::ostream flux_erreurs(vers_erreurs.rdbuf());
    std::ostream flux_a_part(vers_a_part.rdbuf());
    {
        const tri_sortie tri(flux, flux_erreurs, traces, traces_a_part ? &flux_a_part : nullptr);
        flux << "width=800  height=550" << std::endl << "Erreur : format.." << std::endl;
        flux << "Error: Cannot read file x\nErreur: la fichier\n" << std::flush;
        flux << "  -> Charge OK...";
    }
    QCOMPARE(QByteArray::fromStdString(vers_sortie.str()), sortie);
    QCOMPARE(QByteArray::fromStdString(vers_erreurs.str()), erreurs);
    QCOMPARE(QByteArray::fromStdString(vers_a_part.str()), a_part);
}

QTEST_APPLESS_MAIN(tst_tri_sortie)
#include "tst_tri_sortie.moc"
