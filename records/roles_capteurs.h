#ifndef ROLES_CAPTEURS_H
#define ROLES_CAPTEURS_H

#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

class graphe_instance;
class graphe_solution;

// The part each sensor plays: the instance's sink and the solution's MA, SL
// and BR lists, one mask per sensor, made once from the records and then
// read at every look-up.
class roles_capteurs
{
public:
    // ma_b: an MA sensor of the other solution of a comparison.
    enum role : std::uint8_t { puits = 1, ma = 2, sl = 4, br = 8, ma_b = 16 };

    roles_capteurs() = default;
    // Without a solution only the sink is known. Numbers not below the
    // instance's sensor count play no part.
    roles_capteurs(const graphe_instance &instance, const graphe_solution *solution,
                   const graphe_solution *solution_b = nullptr);

    std::uint8_t masque(std::size_t capteur) const
    {
        return capteur < _masques.size() ? _masques[capteur] : 0;
    }
    bool joue(std::size_t capteur, role r) const { return (masque(capteur) & r) != 0; }

    // "puits, MA" in that order (puits, MA, SL, BR, MA de B); "aucun" for none.
    static QString texte(std::uint8_t masque);

private:
    std::vector<std::uint8_t> _masques;
};

#endif
