#ifndef PROCESSUS_H
#define PROCESSUS_H

#include "mediane.h"

#include <QByteArray>
#include <QStringList>

#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <vector>

// A program run as a script runs it, timed from start to exit.
struct mesure {
    bool reussie = false;
    double secondes = 0;
    double mo = 0;  // peak resident memory
};

// No run is let go on for more than this.
constexpr unsigned limite_processus_s = 900;

// Runs a program with its output thrown away; its wall time and peak memory.
inline mesure lancer(const QStringList &commande)
{
    std::vector<QByteArray> octets;
    for (const QString &a : commande)
        octets.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &a : octets)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    mesure m;
    const auto debut = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int nul = open("/dev/null", O_WRONLY);
        dup2(nul, 1);
        dup2(nul, 2);
        // A pending alarm survives exec: a run that never ends is stopped.
        alarm(limite_processus_s);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    if (pid < 0)
        return m;
    int statut = 0;
    rusage usage{};
    if (wait4(pid, &statut, 0, &usage) != pid)
        return m;
    m.secondes = std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
    m.mo = double(usage.ru_maxrss) / 1024.0;
    m.reussie = WIFEXITED(statut) && WEXITSTATUS(statut) == 0;
    return m;
}

// The runs a benchmark makes of each figure: --runs N on its command line,
// defaut otherwise.
inline int nombre_d_essais(const QStringList &arguments, int defaut = 5)
{
    const qsizetype i = arguments.indexOf(QStringLiteral("--runs"));
    if (i >= 0 && i + 1 < arguments.size())
        return std::max(1, arguments.at(i + 1).toInt());
    return defaut;
}

// Median figures of several runs of one command line; failed runs count
// only as failures.
inline mesure medianes(const QStringList &commande, int essais)
{
    std::vector<double> temps, memoire;
    for (int i = 0; i < essais; ++i) {
        const mesure m = lancer(commande);
        if (!m.reussie)
            return m;
        temps.push_back(m.secondes);
        memoire.push_back(m.mo);
    }
    return {true, mediane(temps), mediane(memoire)};
}

#endif
