// GraphML on a generated network of 65535 sensors (mean degree 8), medians
// of 5 runs (--runs N to change), each run a child process:
// - GraphML out: the command writing the solution's GraphML, against its
//   JSON report of the same session (goal: at most 1.5 times);
// - GraphML in: the same network as networkx writes it (ids "0".., keys
//   d0.., one data element a line, coordinates as floats), from
//   charger_session to the solution page's first paint in the real main
//   window, against the .vga session's (goal: at most 1.5 times), and the
//   reader alone on that file (lire_fichier_graphml, to the records) with
//   its peak memory;
// - the conversion of that GraphML to a .vga session (goal: at most 1 s).
//
//   bench_graphml [--runs N]
//   bench_graphml --lire <file.graphml>    (one run of the reader alone)

#include "coord_sommet.h"
#include "figures_enfants.h"
#include "generateur_reseau.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "lecture_fichier.h"
#include "processus.h"
#include "reseau_bench.h"
#include "session_graphe.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <iostream>

namespace {

constexpr int capteurs = 65535;

const char *vrai_faux(bool v)
{
    return v ? "True" : "False";
}

// What networkx's write_graphml gives for a graph whose nodes carry x, y,
// sink, ma, sl and br: its keys, its layout, its way with numbers.
bool ecrire_comme_networkx(const session_graphe &s, const QString &chemin)
{
    const graphe_instance &g = *s.instance();
    std::vector<std::uint8_t> roles(g.nb_sensors(), 0);
    for (std::uint16_t k : s.solution()->liste_ma())
        roles[k] |= 1;
    for (std::uint16_t k : s.solution()->liste_sl())
        roles[k] |= 2;
    for (std::uint16_t k : s.solution()->liste_br())
        roles[k] |= 4;
    QByteArray t = "<?xml version='1.0' encoding='utf-8'?>\n<graphml xmlns=\"http://graphml.graphdrawing.org/xmlns\" "
                   "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:schemaLocation=\"http://graphml."
                   "graphdrawing.org/xmlns http://graphml.graphdrawing.org/xmlns/1.0/graphml.xsd\">\n";
    const char *noms[] = {"x", "y", "sink", "ma", "sl", "br"};
    for (int i = 5; i >= 0; --i)
        t += QByteArray("  <key id=\"d") + QByteArray::number(i) + "\" for=\"node\" attr.name=\"" + noms[i]
             + "\" attr.type=\"" + (i < 2 ? "double" : "boolean") + "\" />\n";
    t += "  <graph edgedefault=\"undirected\">\n";
    for (std::size_t k = 0; k < g.nb_sensors(); ++k) {
        const QByteArray valeurs[] = {QByteArray::number(g.positions()[k]->x()) + ".0",
                                      QByteArray::number(g.positions()[k]->y()) + ".0", vrai_faux(k == g.sink()),
                                      vrai_faux(roles[k] & 1), vrai_faux(roles[k] & 2), vrai_faux(roles[k] & 4)};
        t += "    <node id=\"" + QByteArray::number(qulonglong(k)) + "\">\n";
        for (int i = 0; i < 6; ++i)
            t += "      <data key=\"d" + QByteArray::number(i) + "\">" + valeurs[i] + "</data>\n";
        t += "    </node>\n";
    }
    for (std::size_t a = 0; a < g.nb_sensors(); ++a)
        for (std::uint16_t b : *g.voisins()[a])
            if (b > a)
                t += "    <edge source=\"" + QByteArray::number(qulonglong(a)) + "\" target=\""
                     + QByteArray::number(b) + "\" />\n";
    t += "  </graph>\n</graphml>\n";
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(t) == t.size();
}

double premiere_image(const QString &session, int essais)
{
    QStringList notes;
    const resultats r = executer_enfants(
        QStringLiteral(VG_CHEMIN_COMPLET),
        {QStringLiteral("--mesurer"), session, QStringLiteral("solution"), QString::number(std::max(1, QThread::idealThreadCount() - 1))},
        essais, 300, session, &notes);
    for (const QString &n : notes)
        std::printf("note: %s\n", qPrintable(n));
    return mediane_de(r, "premiere_image") / 1000.0;
}

// A child's run: the reader alone, its console lines silenced.
int lire_seul(const QString &chemin)
{
    std::cout.setstate(std::ios::failbit);
    QElapsedTimer t;
    t.start();
    const fichier_lu<reseau_fichier> f = lire_fichier_graphml(chemin);
    const double ms = double(t.nsecsElapsed()) / 1e6;
    std::cout.clear();
    if (!f.lu)
        return 1;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    publier("lecture", ms);
    publier("memoire", double(usage.ru_maxrss) / 1024.0);
    return 0;
}

void ligne(const char *quoi, double t, const char *contre, double reference, const char *but)
{
    std::printf("| %s | %.2f s | %s | %.2f s | %.2f | %s |\n", quoi, t, contre, reference, t / reference, but);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--lire")
        return lire_seul(QString::fromLocal8Bit(argv[2]));
    const int essais = nombre_d_essais(QCoreApplication::arguments());
    QTemporaryDir dossier;
    session_graphe session;
    const QString vga = dossier.isValid() ? reseau_lu(capteurs, dossier.path(), session) : QString();
    const QString nx = dossier.filePath(QStringLiteral("reseau_networkx.graphml"));
    if (vga.isEmpty() || !ecrire_comme_networkx(session, nx))
        return 1;
    std::printf("GraphML, %d sensors, mean degree 8, median of %d runs\n\n", capteurs, essais);
    std::printf("| Figure | Time | Against | Its time | Ratio | Goal |\n|---|---|---|---|---|---|\n");

    const QString d = dossier.path();
    const mesure json = medianes({VG_EXPORT, "--solution", vga, "-o", d + "/r.json"}, essais);
    const mesure sortie = medianes({VG_EXPORT, "--solution", vga, "-o", d + "/r.graphml"}, essais);
    ligne("GraphML out (command)", sortie.secondes, "JSON report", json.secondes, "<= 1.5");

    const double par_vga = premiere_image(vga, essais);
    const double par_graphml = premiere_image(nx, essais);
    ligne("GraphML in, to the first picture", par_graphml, ".vga session", par_vga, "<= 1.5");
    QStringList notes;
    const resultats seul =
        executer_enfants(QCoreApplication::applicationFilePath(), {QStringLiteral("--lire"), nx}, essais, 300, nx, &notes);
    std::printf("| GraphML in, the reader alone | %.2f s | | | | |\n", mediane_de(seul, "lecture") / 1000.0);

    const mesure conversion = medianes({VG_EXPORT, nx, "-o", d + "/converti.vga"}, essais);
    std::printf("| GraphML to .vga (command) | %.2f s | | | | <= 1 s |\n", conversion.secondes);
    std::printf("\nnetworkx-style file: %.1f MB; GraphML written: %.1f MB; the reader alone's peak memory: %.0f MB\n",
                QFile(nx).size() / 1e6, QFile(d + "/r.graphml").size() / 1e6, mediane_de(seul, "memoire"));
    for (const QString &n : notes)
        std::printf("note: %s\n", qPrintable(n));
    return json.reussie && sortie.reussie && conversion.reussie && !seul.isEmpty() ? 0 : 1;
}
