#ifndef EXPORT_HISTORIQUE_H
#define EXPORT_HISTORIQUE_H

#include <QFont>
#include <QString>

#include <vector>

class graphe_instance;
class historique_solutions;

// What a history is written as, from the output's name: an animation of a
// frame a step (.gif, .mp4), its facts (.json), or with a strip of steps
// asked for, one picture in any drawing format.
enum class genre_historique { inconnu, gif, mp4, json, bande };

genre_historique genre_historique_du_nom(const QString &sortie, int bande);

struct options_historique
{
    int zoom = 1;
    int images_par_seconde = 2;
    // The steps a strip shows; 0 for none.
    int bande = 0;
    // The font the drawings' texts take, and the resolution that sizes it.
    QFont police;
    int ppp = 96;
};

// The steps a strip of k shows, from 0: spread evenly, the first and the
// last included; every step when there are no more than k.
std::vector<int> etapes_de_la_bande(int nombre, int k);

// Writes the history whole or not at all, each step drawn as a history
// page draws it and labelled; false with why, in a few French words.
bool exporter_historique(const graphe_instance &instance, const historique_solutions &historique,
                         const QString &sortie, const options_historique &options, QString *raison = nullptr);

#endif
