// The facts of a network and its solution: their computation on generated
// networks of 32767 and 65535 sensors (mean degree 8), with its growth, and
// the command's JSON report against its PNG of the same solution drawing;
// then a second solution whose MA differs by about a tenth, compared with
// the first: its picture against the solution's, its JSON against the
// report. Each command is a child process timed from start to exit.
// Medians of 5 runs (--runs N to change).
//
//   bench_faits [--runs N]

#include "faits_instance.h"
#include "faits_solution.h"
#include "generateur_reseau.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "mediane.h"
#include "processus.h"
#include "reseau_bench.h"
#include "session_graphe.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>

namespace {

// Milliseconds to compute both facts, median of the runs.
double millisecondes_faits(session_graphe &session, int essais)
{
    std::vector<double> temps;
    // Results kept so that no run is optimised away.
    qint64 temoin = 0;
    for (int i = 0; i < essais; ++i) {
        const auto debut = std::chrono::steady_clock::now();
        const faits_instance fi = calculer_faits_instance(*session.instance());
        const faits_solution fs = calculer_faits_solution(*session.instance(), *session.solution());
        temps.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut).count());
        temoin += fi.liens + fs.composantes_ma;
    }
    if (temoin < 0)
        std::printf("?\n");
    return mediane(temps);
}

// Solution B: every tenth MA sensor but the sink leaves, as many SL sensors
// join; the SL and BR lists as they were, which the comparison only counts.
bool ecrire_solution_b(graphe_instance &instance, graphe_solution &a, const QString &chemin)
{
    std::vector<std::uint16_t> ma;
    std::size_t partis = 0;
    for (std::size_t i = 0; i < a.liste_ma().size(); ++i) {
        const std::uint16_t s = a.liste_ma()[i];
        if (i % 10 == 9 && s != instance.sink())
            ++partis;
        else
            ma.push_back(s);
    }
    for (std::size_t i = 0; i < a.liste_sl().size() && partis > 0; i += 7, --partis)
        ma.push_back(a.liste_sl()[i]);
    QByteArray texte = "INSTANCE_NAME:" + QFileInfo(instance.nom_fichier()).fileName().toUtf8() + "\n";
    texte += "NB_MA\t\t" + QByteArray::number(qsizetype(ma.size())) + "\n";
    for (std::uint16_t s : ma)
        texte += QByteArray::number(s) + "\n";
    texte += "NB_SL\t\t0\nNB_BR\t\t0\n";
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(texte) == texte.size();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int essais = nombre_d_essais(QCoreApplication::arguments());
    QTemporaryDir dossier;
    if (!dossier.isValid())
        return 1;
    const QString d = dossier.path();
    std::printf("Facts of generated networks, mean degree 8, median of %d runs\n\n", essais);
    std::printf("| Sensors | Facts | JSON report | PNG export | JSON / PNG |\n|---|---|---|---|---|\n");

    double precedent = 0;
    QString comparaisons;
    for (int n : {32767, 65535}) {
        session_graphe session;
        const QString vga = reseau_lu(n, d, session);
        if (vga.isEmpty())
            return 1;
        const double faits = millisecondes_faits(session, essais);
        const mesure json = medianes({VG_EXPORT, "--solution", vga, "-o", d + "/r.json"}, essais);
        const mesure png = medianes({VG_EXPORT, "--solution", vga, "-o", d + "/r.png"}, essais);
        std::printf("| %d | %.1f ms | %.2f s | %.2f s | %.2f |\n", n, faits, json.secondes, png.secondes,
                    json.secondes / png.secondes);
        const QString b = QStringLiteral("%1/reseau_%2_b.txt").arg(d).arg(n);
        if (!ecrire_solution_b(*session.instance(), *session.solution(), b))
            return 1;
        const mesure json_c = medianes({VG_EXPORT, "--compare", b, vga, "-o", d + "/c.json"}, essais);
        const mesure png_c = medianes({VG_EXPORT, "--compare", b, vga, "-o", d + "/c.png"}, essais);
        comparaisons += QStringLiteral("| %1 | %2 s | %3 | %4 s | %5 |\n")
                            .arg(n)
                            .arg(png_c.secondes, 0, 'f', 2)
                            .arg(png_c.secondes / png.secondes, 0, 'f', 2)
                            .arg(json_c.secondes, 0, 'f', 2)
                            .arg(json_c.secondes / json.secondes, 0, 'f', 2);
        if (precedent > 0)
            std::printf("\nFacts from 32767 to 65535 sensors: x%.2f (linear: x2.00)\n", faits / precedent);
        precedent = faits;
        std::fflush(stdout);
    }
    std::printf("\nA second solution, MA differing by a tenth, compared with the first:\n\n"
                "| Sensors | Comparison PNG | / solution PNG | Comparison JSON | / report JSON |\n"
                "|---|---|---|---|---|\n%s",
                qPrintable(comparaisons));
    return 0;
}
