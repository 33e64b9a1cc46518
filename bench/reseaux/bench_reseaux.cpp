// GEXF and Cytoscape.js JSON on a generated network of 65535 sensors (mean
// degree 8), medians of 5 runs (--runs N to change), each run a child
// process:
// - out: the command writing the solution's .gexf and .cyjs, against its
//   JSON report of the same session (goal: at most 1.5 times);
// - in: those files, from charger_session to the solution page's first
//   paint in the real main window, against the .vga session's (goal: at
//   most 1.5 times).
//
//   bench_reseaux [--runs N]

#include "figures_enfants.h"
#include "processus.h"
#include "reseau_bench.h"
#include "session_graphe.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

namespace {

constexpr int capteurs = 65535;

double premiere_image(const QString &session, int essais, QStringList &notes)
{
    const resultats r = executer_enfants(
        QStringLiteral(VG_CHEMIN_COMPLET),
        {QStringLiteral("--mesurer"), session, QStringLiteral("solution"),
         QString::number(std::max(1, QThread::idealThreadCount() - 1))},
        essais, 300, session, &notes);
    return mediane_de(r, "premiere_image") / 1000.0;
}

void ligne(const char *quoi, double t, const char *contre, double reference)
{
    std::printf("| %s | %.2f s | %s | %.2f s | %.2f | <= 1.5 |\n", quoi, t, contre, reference, t / reference);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int essais = nombre_d_essais(QCoreApplication::arguments());
    QTemporaryDir dossier;
    session_graphe session;
    const QString vga = dossier.isValid() ? reseau_lu(capteurs, dossier.path(), session) : QString();
    if (vga.isEmpty())
        return 1;
    const QString d = dossier.path();
    std::printf("GEXF and Cytoscape.js, %d sensors, mean degree 8, median of %d runs\n\n", capteurs, essais);
    std::printf("| Figure | Time | Against | Its time | Ratio | Goal |\n|---|---|---|---|---|---|\n");

    const mesure json = medianes({VG_EXPORT, "--solution", vga, "-o", d + "/r.json"}, essais);
    const mesure gexf = medianes({VG_EXPORT, "--solution", vga, "-o", d + "/r.gexf"}, essais);
    const mesure cyjs = medianes({VG_EXPORT, "--solution", vga, "-o", d + "/r.cyjs"}, essais);
    ligne("GEXF out (command)", gexf.secondes, "JSON report", json.secondes);
    ligne("Cytoscape.js out (command)", cyjs.secondes, "JSON report", json.secondes);

    QStringList notes;
    const double par_vga = premiere_image(vga, essais, notes);
    ligne("GEXF in, to the first picture", premiere_image(d + "/r.gexf", essais, notes), ".vga session", par_vga);
    ligne("Cytoscape.js in, to the first picture", premiere_image(d + "/r.cyjs", essais, notes), ".vga session",
          par_vga);
    std::printf("\nGEXF written: %.1f MB; Cytoscape.js written: %.1f MB\n", QFile(d + "/r.gexf").size() / 1e6,
                QFile(d + "/r.cyjs").size() / 1e6);
    for (const QString &n : notes)
        std::printf("note: %s\n", qPrintable(n));
    return json.reussie && gexf.reussie && cyjs.reussie && notes.isEmpty() ? 0 : 1;
}
