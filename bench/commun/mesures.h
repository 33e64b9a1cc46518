#ifndef MESURES_H
#define MESURES_H

// What the benchmarks that drive the real window share: timings, figures
// written as they are known, paint counting, peak memory, the vertex in the
// middle of a view, and runs in child processes of their own.

#include "graphic_item_sommet.h"
#include "graphic_view.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEvent>
#include <QMap>
#include <QProcess>
#include <QStringList>
#include <QWidget>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

inline double millisecondes(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// One figure of a run, written as soon as it is known so that a run stopped
// by its time limit still reports what it reached.
inline void publier(const char *cle, double valeur)
{
    std::printf("figure %s %.3f\n", cle, valeur);
    std::fflush(stdout);
}

// Counts the paint events of one widget.
class compteur_peintures : public QObject
{
public:
    explicit compteur_peintures(QWidget *cible) : _cible(cible) { cible->installEventFilter(this); }
    int nombre() const { return _nombre; }

    // Runs the event loop until the widget has been painted once more.
    bool attendre(int avant, int limite_ms = 600000)
    {
        QDeadlineTimer limite(limite_ms);
        while (_nombre == avant && !limite.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return _nombre != avant;
    }

    // Same, then until nothing is left to paint: a change can be painted in
    // more than one go.
    bool attendre_tout(int avant, int limite_ms = 600000)
    {
        if (!attendre(avant, limite_ms))
            return false;
        for (int peintes = -1; peintes != _nombre;) {
            peintes = _nombre;
            QCoreApplication::processEvents();
        }
        return true;
    }

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override
    {
        if (objet == _cible && evenement->type() == QEvent::Paint)
            ++_nombre;
        return false;
    }

private:
    QWidget *_cible;
    int _nombre = 0;
};

// Resident memory now, in MB.
inline double memoire_mo()
{
    long pages = 0, residentes = 0;
    std::FILE *statm = std::fopen("/proc/self/statm", "r");
    if (!statm)
        return 0;
    if (std::fscanf(statm, "%ld %ld", &pages, &residentes) != 2)
        residentes = 0;
    std::fclose(statm);
    return double(residentes) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

inline long pic_memoire_mo()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024; // kilobytes on Linux
}

// The vertex nearest the middle of the viewport, so that presses and drag
// steps stay clear of the edges where the view scrolls by itself.
inline graphic_item_sommet *sommet_au_milieu(graphic_view *vue)
{
    const QPointF milieu = vue->mapToScene(vue->viewport()->rect().center());
    graphic_item_sommet *meilleur = nullptr;
    qreal distance = 1e18;
    for (graphic_item_sommet *sommet : vue->liste_sommets()) {
        const QPointF d = sommet->pos() + QPointF(11, 11) - milieu;
        const qreal d2 = d.x() * d.x() + d.y() * d.y();
        if (d2 < distance) {
            distance = d2;
            meilleur = sommet;
        }
    }
    return meilleur;
}

using resultats = QMap<QString, std::vector<double>>;

// Runs the program with these arguments `essais` times, one child after the
// other, and gathers the figures each one wrote; a child stopped by its time
// limit counts only for the figures it reached.
inline resultats executer(const QString &programme, const QStringList &arguments, int essais, int limite_s,
                          const QString &nom, QStringList *notes)
{
    resultats r;
    for (int essai = 0; essai < essais; ++essai) {
        QProcess enfant;
        enfant.start(programme, arguments);
        const bool fini = enfant.waitForFinished(limite_s * 1000);
        if (!fini) {
            enfant.kill();
            enfant.waitForFinished();
            notes->append(QStringLiteral("%1: run %2 stopped after %3 s").arg(nom).arg(essai + 1).arg(limite_s));
        } else if (enfant.exitStatus() != QProcess::NormalExit || enfant.exitCode() != 0) {
            notes->append(QStringLiteral("%1: run %2 failed: %3")
                              .arg(nom)
                              .arg(essai + 1)
                              .arg(QString::fromLocal8Bit(enfant.readAllStandardError()).trimmed()));
        }
        for (const QByteArray &ligne : enfant.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> champs = ligne.split(' ');
            if (champs.size() == 3 && champs[0] == "figure")
                r[QString::fromLatin1(champs[1])].push_back(champs[2].toDouble());
        }
        if (!fini)
            break;
    }
    return r;
}

#endif
