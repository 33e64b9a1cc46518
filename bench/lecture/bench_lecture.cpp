// Reads the instance and the solution of the largest network several times
// and compares the time with two plain scans of the same bytes: through a
// large buffer, and line by line as the readers cut them.

#include "generateur_reseau.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "mediane.h"
#include "session_graphe.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <vector>

namespace
{

bool ecrire(const QString &chemin, const QByteArray &contenu)
{
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(contenu) == contenu.size();
}

// The least any reader must do: open the file, read every byte through a
// reused buffer and look at each one.
long long balayer(const QString &chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    std::vector<char> tampon(64 * 1024);
    long long sauts = 0;
    for (qint64 lus; (lus = f.read(tampon.data(), qint64(tampon.size()))) > 0;)
        sauts += std::count(tampon.data(), tampon.data() + lus, '\n');
    return sauts;
}

// The plain scan the readers are held to: the same files line by line with
// QFile::readLine and the readers' own line limit, every byte looked at.
long long balayer_lignes(const QString &chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    char ligne[4096];
    long long somme = 0;
    for (qint64 lus; (lus = f.readLine(ligne, 4095)) > 0;)
        for (qint64 i = 0; i < lus; ++i)
            somme += static_cast<unsigned char>(ligne[i]);
    return somme;
}

double millisecondes(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;

    parametres_reseau p;
    p.nb_capteurs = 65535;
    p.degre_moyen = 8.0;
    p.graine = 1;
    const reseau_genere reseau = generer_reseau(p);
    if (reseau.instance.isEmpty()) {
        std::fprintf(stderr, "generation refused\n");
        return 1;
    }

    QTemporaryDir dossier;
    const QString instance = dossier.filePath(QStringLiteral("reseau_65535.txt"));
    const QString solution = dossier.filePath(QStringLiteral("reseau_65535_sol.txt"));
    if (!dossier.isValid() || !ecrire(instance, reseau.instance) || !ecrire(solution, reseau.solution)) {
        std::fprintf(stderr, "cannot write the files\n");
        return 1;
    }
    const double octets = double(reseau.instance.size() + reseau.solution.size());

    std::vector<double> t_instance, t_solution, t_total, t_liberation, t_balayage, t_lignes;
    std::size_t aretes = 0, ma = 0;
    for (int i = 0; i < repetitions; ++i) {
        // The reader's trace line would otherwise flood the terminal.
        std::ostringstream trace;
        std::streambuf *ancien = std::cout.rdbuf(trace.rdbuf());
        auto session = std::make_unique<session_graphe>();
        QElapsedTimer t;
        t.start();
        const bool ok_instance = session->lire_instance(instance);
        const double d_instance = millisecondes(t);
        t.restart();
        const bool ok_solution = session->lire_solution(solution);
        const double d_solution = millisecondes(t);
        std::cout.rdbuf(ancien);
        if (!ok_instance || !ok_solution) {
            std::fprintf(stderr, "read failed (instance %d, solution %d): %s\n", ok_instance, ok_solution,
                         trace.str().c_str());
            return 1;
        }
        aretes = 0;
        for (auto &liste : session->instance()->voisins())
            aretes += liste->size();
        ma = session->solution()->liste_ma().size();
        t.restart();
        session.reset();
        t_liberation.push_back(millisecondes(t));

        t_instance.push_back(d_instance);
        t_solution.push_back(d_solution);
        t_total.push_back(d_instance + d_solution);

        t.restart();
        const long long sauts = balayer(instance) + balayer(solution);
        t_balayage.push_back(millisecondes(t));
        if (sauts < 0)
            return 1;

        t.restart();
        const long long somme = balayer_lignes(instance) + balayer_lignes(solution);
        t_lignes.push_back(millisecondes(t));
        if (somme < 0)
            return 1;
    }

    const double lecture = mediane(t_total);
    const double balayage = mediane(t_balayage);
    const double lignes = mediane(t_lignes);
    std::printf("network: %d sensors, %zu neighbour entries, %zu MA sensors\n", p.nb_capteurs, aretes, ma);
    std::printf("files: instance %lld bytes, solution %lld bytes\n", static_cast<long long>(reseau.instance.size()),
                static_cast<long long>(reseau.solution.size()));
    std::printf("median of %d runs:\n", repetitions);
    std::printf("  lire_instance   %8.2f ms\n", mediane(t_instance));
    std::printf("  lire_solution   %8.2f ms\n", mediane(t_solution));
    std::printf("  both            %8.2f ms  %8.1f MB/s\n", lecture, octets / 1e6 / (lecture / 1e3));
    std::printf("  byte scan       %8.2f ms  %8.1f MB/s  (64 KiB reads, line feeds counted)\n", balayage,
                octets / 1e6 / (balayage / 1e3));
    std::printf("  line scan       %8.2f ms  %8.1f MB/s  (QFile::readLine, 4095, every byte summed)\n", lignes,
                octets / 1e6 / (lignes / 1e3));
    std::printf("  read / byte scan %7.2f\n", lecture / balayage);
    std::printf("  read / line scan %7.2f  (goal: at most 2)\n", lecture / lignes);
    std::printf("  session release %8.2f ms\n", mediane(t_liberation));
    return 0;
}
