#include "curseur_attente.h"

#include <QGuiApplication>
#include <QtTest>

#include <stdexcept>

namespace {
Qt::CursorShape forme()
{
    return QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape() : Qt::ArrowCursor;
}
} // namespace

class tst_curseur_attente : public QObject
{
    Q_OBJECT

private slots:
    void rendu_a_chaque_sortie();
};

void tst_curseur_attente::rendu_a_chaque_sortie()
{
    QVERIFY(!QGuiApplication::overrideCursor());
    {
        const curseur_attente dehors;
        QCOMPARE(forme(), Qt::WaitCursor);
        {
            // Nested, as a reload's drawing inside a reload.
            const curseur_attente dedans;
            QCOMPARE(forme(), Qt::WaitCursor);
        }
        QCOMPARE(forme(), Qt::WaitCursor);
    }
    QVERIFY(!QGuiApplication::overrideCursor());
    try {
        const curseur_attente attente;
        throw std::runtime_error("sortie par une exception");
    } catch (const std::runtime_error &) {
    }
    QVERIFY(!QGuiApplication::overrideCursor());
}

QTEST_MAIN(tst_curseur_attente)
#include "tst_curseur_attente.moc"
