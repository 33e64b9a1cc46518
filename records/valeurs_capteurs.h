#ifndef VALEURS_CAPTEURS_H
#define VALEURS_CAPTEURS_H

#include <QString>

#include <optional>
#include <utility>
#include <vector>

class graphe_instance;

// One number per sensor, read from a file or computed from the network,
// that a figure shows as a colour; a sensor may have none.
struct valeurs_capteurs
{
    // What the numbers are: a column's name, "sauts", "degré".
    QString nom;
    std::vector<std::optional<double>> valeur;

    // The smallest and largest value; none when no sensor has one.
    std::optional<std::pair<double, double>> etendue() const;
    int nb_sans_valeur() const;
};

// Hops from the sink over the links (either end's list makes one); the
// sensors the sink cannot reach have none. Linear in sensors and entries.
valeurs_capteurs sauts_au_puits(const graphe_instance &instance);
// Links at each sensor, each other sensor counted once.
valeurs_capteurs degres(const graphe_instance &instance);

#endif
