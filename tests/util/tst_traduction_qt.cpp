#include "traduction_qt.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QTest>

// Qt's dialogs in French, its file errors as the English lines give them.

class tst_traduction_qt : public QObject
{
    Q_OBJECT

private slots:
    void textes_de_qt();
};

void tst_traduction_qt::textes_de_qt()
{
    QVERIFY(traduction_qt::installer(*qApp));
    QDialogButtonBox boutons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Open);
    QCOMPARE(boutons.button(QDialogButtonBox::Cancel)->text().remove('&'), QStringLiteral("Annuler"));
    QCOMPARE(boutons.button(QDialogButtonBox::Open)->text().remove('&'), QStringLiteral("Ouvrir"));
    QCOMPARE(boutons.button(QDialogButtonBox::Ok)->text().remove('&'), QStringLiteral("OK"));
    QFile absent(QStringLiteral("/absent/fichier"));
    QVERIFY(!absent.open(QIODevice::ReadOnly));
    QCOMPARE(absent.errorString(), QStringLiteral("No such file or directory"));
}

QTEST_MAIN(tst_traduction_qt)
#include "tst_traduction_qt.moc"
