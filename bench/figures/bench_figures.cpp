// Figures from the command line against Graphviz: visual_graphe-export
// renders generated networks of 10000 and 65535 sensors (mean degree 8),
// instance and solution, to PNG, SVG and PDF; Graphviz's neato -n2 renders
// the same networks with positions pinned where the viewer puts them and
// vertex numbers, at the same image size (800 x 550). Every run is a child
// process, timed from start to exit, its peak memory read through wait4.
// Medians of 5 runs (--runs N to change); the command's SVG and PDF of the
// largest network are then opened with rsvg-convert and pdftoppm, and a
// figure for a paper (legend, scale bar, hops as colours) is timed against
// the plain PNG. With
// --avant, an earlier build of the command runs in turn with this one, and
// its figures stand beside.
//
//   bench_figures [--runs N] [--avant <earlier visual_graphe-export>]

#include "coord_sommet.h"
#include "generateur_reseau.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "mediane.h"
#include "processus.h"
#include "reseau_bench.h"
#include "session_graphe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <cstdio>
#include <iostream>
#include <vector>

namespace {

constexpr int largeur = 800;
constexpr int hauteur = 550;

// The same drawing for neato -n2: each vertex at the centre of the viewer's
// circle (y upward), a 22-unit circle with its number, the solution's
// colours, one line per edge drawn; one point a pixel, 800 x 550.
QByteArray graphe_dot(session_graphe &session, bool solution)
{
    graphe_instance &inst = *session.instance();
    const int n = inst.nb_sensors();
    int min_x = 65530, min_y = 65530, max_x = 0, max_y = 0;
    for (int i = 0; i < n; ++i) {
        min_x = std::min(min_x, inst.positions()[i]->x());
        max_x = std::max(max_x, inst.positions()[i]->x());
        min_y = std::min(min_y, inst.positions()[i]->y());
        max_y = std::max(max_y, inst.positions()[i]->y());
    }
    const float ecart_x = float(largeur - 120) / float(std::max(1, max_x - min_x));
    const float ecart_y = float(hauteur - 120) / float(std::max(1, max_y - min_y));

    QSet<int> ma;
    QSet<int> br;
    if (solution) {
        for (auto v : session.solution()->liste_ma())
            ma.insert(v);
        for (auto v : session.solution()->liste_br())
            br.insert(v);
    }
    QByteArray dot = "graph G {\n"
                     "graph [dpi=72, size=\"" + QByteArray::number(largeur / 72.0, 'f', 4) + ","
                     + QByteArray::number(hauteur / 72.0, 'f', 4) + "!\", ratio=fill, pad=0, outputorder=edgesfirst];\n"
                     "node [shape=circle, fixedsize=true, width=0.3056, fontsize=9, style=filled, "
                     "fillcolor=\"#f4f4f4\", color=\"#003366\", fontcolor=\"#003366\"];\n"
                     "edge [color=\"#aaaaaa\"];\n";
    dot.reserve(n * 80);
    for (int i = 0; i < n; ++i) {
        const int sx = int(ecart_x * float(inst.positions()[i]->x() - min_x)) + 60;
        const int sy = (hauteur - 120) - int(ecart_y * float(inst.positions()[i]->y() - min_y)) + 60;
        dot += QByteArray::number(i) + " [pos=\"" + QByteArray::number(sx) + ',' + QByteArray::number(hauteur - sy)
               + "!\"";
        if (solution && i == inst.sink())
            dot += ", fillcolor=\"#008000\"";
        else if (ma.contains(i))
            dot += ", fillcolor=\"#adff2f\"";
        else if (br.contains(i))
            dot += ", fillcolor=\"#fa8072\"";
        dot += "];\n";
    }
    QSet<quint64> aretes;
    for (int s = 0; s < n; ++s) {
        if (solution && !ma.contains(s))
            continue;
        for (auto t : *inst.voisins()[s]) {
            const quint64 cle = (quint64(std::min<int>(s, t)) << 32) | quint64(std::max<int>(s, t));
            if (t < n && !aretes.contains(cle)) {
                aretes.insert(cle);
                dot += QByteArray::number(s) + " -- " + QByteArray::number(t) + ";\n";
            }
        }
    }
    dot += "}\n";
    return dot;
}

struct ligne {
    QString reseau;
    QString format;
    mesure commande;
    mesure avant;
    qint64 taille_commande = 0;
    mesure graphviz;
    qint64 taille_graphviz = 0;
};

QString texte(double v, int decimales)
{
    return std::isnan(v) ? QStringLiteral("-") : QString::number(v, 'f', decimales);
}

QString mo(qint64 octets)
{
    return octets <= 0 ? QStringLiteral("-") : QString::number(double(octets) / 1e6, 'f', octets < 10000000 ? 2 : 1);
}

// Medians of two commands run in turn, A B A B..., so that both meet the
// same state of the machine.
std::pair<mesure, mesure> medianes_alternees(const QStringList &a, const QStringList &b, int essais)
{
    std::vector<double> temps_a, memoire_a, temps_b, memoire_b;
    for (int i = 0; i < essais; ++i) {
        const mesure ma = lancer(a);
        const mesure mb = lancer(b);
        if (!ma.reussie || !mb.reussie)
            return {ma, mb};
        temps_a.push_back(ma.secondes);
        memoire_a.push_back(ma.mo);
        temps_b.push_back(mb.secondes);
        memoire_b.push_back(mb.mo);
    }
    return {{true, mediane(temps_a), mediane(memoire_a)}, {true, mediane(temps_b), mediane(memoire_b)}};
}

void imprimer_contre_avant(const std::vector<ligne> &lignes)
{
    std::printf("\n| Sensors, drawing | Format | Time | Time before | Ratio | Peak | Peak before | Ratio |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    for (const ligne &l : lignes) {
        const bool deux = l.commande.reussie && l.avant.reussie;
        std::printf("| %s | %s | %s s | %s s | %s | %s MB | %s MB | %s |\n", qPrintable(l.reseau),
                    qPrintable(l.format.toUpper()), qPrintable(texte(l.commande.secondes, 2)),
                    qPrintable(texte(l.avant.reussie ? l.avant.secondes : NAN, 2)),
                    qPrintable(texte(deux ? l.commande.secondes / l.avant.secondes : NAN, 2)),
                    qPrintable(texte(l.commande.mo, 0)), qPrintable(texte(l.avant.reussie ? l.avant.mo : NAN, 0)),
                    qPrintable(texte(deux ? l.commande.mo / l.avant.mo : NAN, 2)));
    }
}

void ouvrir_vectoriel(const QString &dossier, const QString &nom)
{
    const QString chemin = dossier + '/' + nom;
    QStringList lecteur;
    if (nom.endsWith(".svg"))
        lecteur = {"rsvg-convert", "-o", chemin + ".png", chemin};
    else
        lecteur = {"pdftoppm", "-png", "-r", "72", "-singlefile", chemin, chemin};
    if (QStandardPaths::findExecutable(lecteur.front()).isEmpty()) {
        std::printf("  %s: %s not installed\n", qPrintable(nom), qPrintable(lecteur.front()));
        return;
    }
    const mesure m = lancer(lecteur);
    std::printf("  %s opened by %s: %s, %.1f s, %.0f MB\n", qPrintable(nom), qPrintable(lecteur.front()),
                m.reussie ? "yes" : "NO", m.secondes, m.mo);
}

// A figure for a paper costs little more than the page: the solution of
// 65535 sensors to PNG, plain and with a legend, a scale bar and the hops
// to the sink as colours, in turn.
void mesurer_figure_papier(const QString &commande, const QString &vga, const QString &d, int essais)
{
    const QStringList simple{commande, "--solution", vga, "-o", d + "/simple.png"};
    const QStringList figure{commande, "--solution", "--legend", "--scale-bar", "--color-by", "hops", vga,
                             "-o", d + "/figure.png"};
    const auto [a, b] = medianes_alternees(simple, figure, essais);
    std::printf("\nA figure for a paper, 65535 sensors, solution to PNG, median of %d runs:\n"
                "  plain %.2f s, %.0f MB; --legend --scale-bar --color-by hops %.2f s, %.0f MB; "
                "ratio %.2f (goal at most 1.2)\n",
                essais, a.secondes, a.mo, b.secondes, b.mo, b.secondes / a.secondes);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int essais = nombre_d_essais(QCoreApplication::arguments());

    const QString commande = QStringLiteral(VG_EXPORT);
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype i_avant = arguments.indexOf(QStringLiteral("--avant"));
    const QString avant = i_avant >= 0 && i_avant + 1 < arguments.size() ? arguments.at(i_avant + 1) : QString();
    const QString neato = QStandardPaths::findExecutable(QStringLiteral("neato"));
    QTemporaryDir dossier;
    if (!dossier.isValid())
        return 1;
    const QString d = dossier.path();
    std::printf("visual_graphe-export against Graphviz %s, %dx%d, median of %d runs\n",
                neato.isEmpty() ? "(neato not installed)" : "neato -n2", largeur, hauteur, essais);

    std::vector<ligne> lignes;
    QString vga_65535;
    for (int n : {10000, 65535}) {
        const QString nom = QStringLiteral("reseau_%1").arg(n);
        session_graphe session;
        const QString vga = reseau_lu(n, d, session);
        if (vga.isEmpty())
            return 1;
        vga_65535 = vga;
        for (const bool solution : {false, true}) {
            const QString dessin = solution ? QStringLiteral("solution") : QStringLiteral("instance");
            const QString gv = QStringLiteral("%1/%2_%3.gv").arg(d, nom, dessin);
            QFile f(gv);
            if (!f.open(QIODevice::WriteOnly) || f.write(graphe_dot(session, solution)) < 0)
                return 1;
            f.close();
            for (const QString format : {"png", "svg", "pdf"}) {
                ligne l;
                l.reseau = QStringLiteral("%1 %2").arg(n).arg(dessin);
                l.format = format;
                const QString sortie = QStringLiteral("%1/%2_%3.%4").arg(d, nom, dessin, format);
                const QStringList appel{commande, "--" + dessin, vga, "-o", sortie};
                if (avant.isEmpty()) {
                    l.commande = medianes(appel, essais);
                } else {
                    QStringList appel_avant = appel;
                    appel_avant.first() = avant;
                    appel_avant.last() = sortie + ".avant." + format;
                    std::tie(l.commande, l.avant) = medianes_alternees(appel, appel_avant, essais);
                }
                l.taille_commande = QFileInfo(sortie).size();
                if (!neato.isEmpty()) {
                    const QString sortie_gv = sortie + ".neato." + format;
                    l.graphviz = medianes({neato, "-n2", "-T" + format, "-o", sortie_gv, gv}, essais);
                    l.taille_graphviz = QFileInfo(sortie_gv).size();
                }
                std::printf("  %s %s: %.2f s, %.0f MB / Graphviz %.2f s, %.0f MB\n", qPrintable(l.reseau),
                            qPrintable(format), l.commande.secondes, l.commande.mo, l.graphviz.secondes,
                            l.graphviz.mo);
                std::fflush(stdout);
                lignes.push_back(l);
            }
        }
    }

    std::printf("\n| Sensors, drawing | Format | Command time | Graphviz time | Time ratio | Command peak "
                "| Graphviz peak | Memory ratio | Command file | Graphviz file |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|\n");
    for (const ligne &l : lignes) {
        const bool deux = l.commande.reussie && l.graphviz.reussie;
        std::printf("| %s | %s | %s s | %s s | %s | %s MB | %s MB | %s | %s MB | %s MB |\n", qPrintable(l.reseau),
                    qPrintable(l.format.toUpper()), qPrintable(texte(l.commande.reussie ? l.commande.secondes : NAN, 2)),
                    qPrintable(texte(l.graphviz.reussie ? l.graphviz.secondes : NAN, 2)),
                    qPrintable(texte(deux ? l.commande.secondes / l.graphviz.secondes : NAN, 2)),
                    qPrintable(texte(l.commande.reussie ? l.commande.mo : NAN, 0)),
                    qPrintable(texte(l.graphviz.reussie ? l.graphviz.mo : NAN, 0)),
                    qPrintable(texte(deux ? l.commande.mo / l.graphviz.mo : NAN, 2)),
                    qPrintable(mo(l.taille_commande)), qPrintable(mo(l.taille_graphviz)));
    }
    if (!avant.isEmpty())
        imprimer_contre_avant(lignes);
    mesurer_figure_papier(commande, vga_65535, d, essais);
    std::printf("\nThe command's vector files of 65535 sensors, opened:\n");
    for (const QString dessin : {"instance", "solution"})
        for (const QString format : {"svg", "pdf"})
            ouvrir_vectoriel(d, QStringLiteral("reseau_65535_%1.%2").arg(dessin, format));
    return 0;
}
