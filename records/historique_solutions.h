#ifndef HISTORIQUE_SOLUTIONS_H
#define HISTORIQUE_SOLUTIONS_H

#include <QDateTime>
#include <QString>

#include <array>
#include <cstddef>
#include <deque>
#include <memory>

class graphe_instance;
class graphe_solution;

// A step's own counts, kept so that charts and reports need no recount.
struct resume_etape
{
    // MA, SL, BR: distinct sensors below nb_sensors in each list, so that a
    // length is the one before plus those joined minus those left.
    std::array<int, 3> longueurs{};
    int non_couverts = 0;
    int composantes_ma = 0;
};

// What changed from the step before (all zero and jaccard 1 for the first step).
struct difference_etapes
{
    // MA, SL, BR: sensors below nb_sensors in the new list and not the old, and the reverse.
    std::array<int, 3> entres{};
    std::array<int, 3> sortis{};
    // |A ∩ B| / |A ∪ B| of the two MA sets; 1 when both are empty.
    double jaccard = 1.0;
};

struct etape_solution
{
    std::shared_ptr<const graphe_solution> solution;
    // The file it was read from.
    QString fichier;
    // When it was read.
    QDateTime lue_le;
    resume_etape resume;
    difference_etapes difference;
};

// The counts of one solution on its instance.
resume_etape resumer_etape(const graphe_instance &instance, const graphe_solution &solution);

// From avant to apres, over the sensors below nb_capteurs; linear in
// nb_capteurs and the lists' lengths.
difference_etapes difference_solutions(std::size_t nb_capteurs, const graphe_solution &avant,
                                       const graphe_solution &apres);

// A solver's runs on one instance, oldest first: each step a solution read
// whole, shared and never changed, with its counts.
class historique_solutions
{
public:
    static constexpr int capacite = 1000;
    enum class ajout { ajoutee, identique, ajoutee_en_oubliant };

    // Appends a step unless its lists (MA, SL, BR, in order) equal the last step's. Past `capacite` the oldest
    // step goes and the new first step's difference becomes a first step's; ajoutee_en_oubliant is returned the
    // first time only (the console says so once), ajoutee afterwards. A solution whose lists hold spare capacity
    // is kept as a tight copy so that a full history stays within its memory. A null solution adds nothing.
    ajout ajouter(const graphe_instance &instance, std::shared_ptr<const graphe_solution> solution,
                  const QString &fichier, const QDateTime &lue_le);
    int taille() const;
    // 0-based.
    const etape_solution &etape(int i) const;
    // The solution of the step before i, null for the first.
    const graphe_solution *precedente(int i) const;
    // The instance was read again: every step's counts and differences recomputed against it.
    void recalculer(const graphe_instance &instance);
    // Forgets every step; the next step forgotten is announced again.
    void vider();

private:
    std::deque<etape_solution> _etapes;
    bool _oubli_annonce = false;
};

#endif
