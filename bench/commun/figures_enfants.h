#ifndef FIGURES_ENFANTS_H
#define FIGURES_ENFANTS_H

#include "mediane.h"

#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <cmath>
#include <cstdio>
#include <vector>

// A benchmark's runs are children of its own program: each writes its
// figures on standard output as they become known, so that a run stopped by
// its time limit still reports what it reached.
inline void publier(const char *cle, double valeur)
{
    std::printf("figure %s %.3f\n", cle, valeur);
    std::fflush(stdout);
}

using resultats = QMap<QString, std::vector<double>>;

// Runs the children one after the other and gathers their figures; a child
// stopped or failed is noted, labelled with etiquette.
inline resultats executer_enfants(const QString &programme, const QStringList &arguments, int essais,
                                  int limite_s, const QString &etiquette, QStringList *notes)
{
    resultats r;
    for (int essai = 0; essai < essais; ++essai) {
        QProcess enfant;
        enfant.start(programme, arguments);
        const bool fini = enfant.waitForFinished(limite_s * 1000);
        if (!fini) {
            enfant.kill();
            enfant.waitForFinished();
            notes->append(QStringLiteral("%1: run %2 stopped after %3 s").arg(etiquette).arg(essai + 1).arg(limite_s));
        } else if (enfant.exitStatus() != QProcess::NormalExit || enfant.exitCode() != 0) {
            notes->append(QStringLiteral("%1: run %2 failed: %3")
                              .arg(etiquette)
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

inline double mediane_de(const resultats &r, const char *cle)
{
    const auto it = r.find(QLatin1String(cle));
    return it == r.end() ? NAN : mediane(*it);
}

#endif
