// A solver's history on the generated network of 65535 sensors (mean
// degree 8): 1000 steps, each the step before with 1 % of the sensors given
// another role, written to the solver's file and read back as the window
// reads it, then added while the window keeps the solution before. Prints
// the resident memory of steps 2 to 1000, what their lists take alone, the
// time of one add (median of the 1000) and of recounting the whole history
// after the instance is read again. Two solutions: every sensor in a list,
// the most a step can hold, and the generator's roles to start with
// (sensors in no list included).
//
//   bench_historique

#include "ecriture_texte.h"
#include "generateur_reseau.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "historique_solutions.h"
#include "lecture_fichier.h"
#include "mediane.h"
#include "memoire.h"
#include "reseau_bench.h"
#include "session_graphe.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <malloc.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <random>

namespace {

enum role : std::uint8_t { aucun, ma, sl, br };

// One role a sensor, from the generator's lists; with tous, the sensors in
// none become SL.
std::vector<role> roles_de(const graphe_instance &instance, const graphe_solution &s, bool tous)
{
    std::vector<role> r(instance.nb_sensors(), tous ? sl : aucun);
    for (std::uint16_t v : s.liste_sl())
        r[v] = sl;
    for (std::uint16_t v : s.liste_br())
        r[v] = br;
    for (std::uint16_t v : s.liste_ma())
        r[v] = ma;
    return r;
}

// The solution of these roles written to the solver's file and read back,
// as the window reads a rewritten file: lists as the reader makes them.
std::shared_ptr<const graphe_solution> solution_de(const std::vector<role> &roles, const QString &chemin)
{
    graphe_solution s;
    graphe_solution::liste_capteurs *listes[] = {nullptr, &s.liste_ma(), &s.liste_sl(), &s.liste_br()};
    for (std::size_t v = 0; v < roles.size(); ++v)
        if (roles[v] != aucun)
            listes[roles[v]]->push_back(std::uint16_t(v));
    QString cause;
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly) || !ecrire_solution(f, s, QStringLiteral("reseau_65535.txt"), cause))
        return nullptr;
    f.close();
    std::cout.setstate(std::ios::failbit);
    fichier_lu<graphe_solution> lu = lire_fichier_solution(chemin);
    std::cout.clear();
    if (!lu.lu)
        return nullptr;
    return std::shared_ptr<const graphe_solution>(std::move(lu.contenu));
}

struct figures
{
    double entrees = 0; // list entries a step, mean
    double memoire_mo = 0;
    double listes_mo = 0;
    double ajout_ms = 0;
    double recalcul_s = 0;
};

figures mesurer(const graphe_instance &instance, std::vector<role> roles, bool tous, const QString &chemin)
{
    std::mt19937 hasard(7);
    std::uniform_int_distribution<std::size_t> capteur(0, roles.size() - 1);
    const std::size_t changes = roles.size() / 100;
    historique_solutions h;
    std::vector<double> ajouts;
    std::shared_ptr<const graphe_solution> affichee;
    double entrees = 0, premiere = 0, avant = 0;
    for (int etape = 0; etape < historique_solutions::capacite; ++etape) {
        if (etape > 0)
            for (std::size_t k = 0; k < changes; ++k) {
                role &r = roles[capteur(hasard)];
                // MA -> SL -> BR -> (none ->) MA.
                r = r == br ? (tous ? ma : aucun) : role((r + 1) % 4);
            }
        std::shared_ptr<const graphe_solution> s = solution_de(roles, chemin);
        if (!s) {
            std::printf("%s could not be written and read\n", qPrintable(chemin));
            return {};
        }
        const double n = double(s->liste_ma().size() + s->liste_sl().size() + s->liste_br().size());
        entrees += n;
        if (etape == 0)
            premiere = n;
        const auto debut = std::chrono::steady_clock::now();
        h.ajouter(instance, s, chemin, QDateTime::currentDateTime());
        ajouts.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut).count());
        // The window keeps showing the solution read until the next one.
        affichee = std::move(s);
        if (etape == 0)
            avant = memoire_mo();
    }
    figures f;
    f.memoire_mo = memoire_mo() - avant;
    f.entrees = entrees / historique_solutions::capacite;
    // Two bytes an entry.
    f.listes_mo = 2.0 * (entrees - premiere) / (1024.0 * 1024.0);
    f.ajout_ms = mediane(ajouts);
    const auto debut = std::chrono::steady_clock::now();
    h.recalculer(instance);
    f.recalcul_s = std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
    if (h.taille() != historique_solutions::capacite)
        std::printf("only %d steps kept\n", h.taille());
    return f;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir dossier;
    session_graphe session;
    if (!dossier.isValid() || reseau_lu(65535, dossier.path(), session).isEmpty())
        return 1;
    const graphe_instance &instance = *session.instance();
    std::printf("A history of %d steps, 65535 sensors, 1 %% of the roles changed a step\n\n",
                historique_solutions::capacite);
    std::printf("| Solution | Entries a step | Memory, steps 2 to %d | Their lists alone | Add (median) | Recount "
                "of all |\n|---|---|---|---|---|---|\n",
                historique_solutions::capacite);
    for (bool tous : {true, false}) {
        const figures f = mesurer(instance, roles_de(instance, *session.solution(), tous), tous,
                                  dossier.filePath(QStringLiteral("solveur_sol.txt")));
        std::printf("| %s | %.0f | %.1f MB | %.1f MB | %.2f ms | %.2f s |\n",
                    tous ? "every sensor in a list" : "the generator's roles", f.entrees, f.memoire_mo, f.listes_mo,
                    f.ajout_ms, f.recalcul_s);
        std::fflush(stdout);
        // What the first history freed is not counted against the second.
        malloc_trim(0);
    }
    return 0;
}
