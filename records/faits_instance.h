#ifndef FAITS_INSTANCE_H
#define FAITS_INSTANCE_H

#include <QString>

#include <cstdint>
#include <vector>

class graphe_instance;

// What an instance's records say about its network. A link is an unordered
// pair of distinct sensors below nb_sensors where either lists the other.
struct faits_instance
{
    QString fichier;
    int capteurs = 0;
    qint64 entrees = 0;
    qint64 liens = 0;
    // a lists b, b does not list a.
    qint64 entrees_sens_unique = 0;
    // Naming a number >= nb_sensors.
    qint64 entrees_hors_limites = 0;
    qint64 entrees_soi_meme = 0;
    // Occurrences past the first of a number within one list.
    qint64 entrees_repetees = 0;
    std::vector<std::uint16_t> isoles;
    // An isolated sensor is a component of its own.
    int composantes = 0;
    int puits = 0;
    bool puits_valide = false;
    int taille_composante_puits = 0;
    int degre_min = 0;
    double degre_moyen = 0;
    int degre_max = 0;
    // The coordinates' bounds; meaningless without any position.
    bool bornes_valides = false;
    std::int32_t min_x = 0, max_x = 0, min_y = 0, max_y = 0;
};

// One pass over the records, linear in sensors plus entries. Records left
// part-way by a failed read are read as far as they go.
faits_instance calculer_faits_instance(const graphe_instance &instance);

// The distinct sensors linked to sensor k, in increasing order; one scan of
// every list, for the one sensor a user looks at.
std::vector<std::uint16_t> capteurs_lies(const graphe_instance &instance, std::uint16_t k);

#endif
