#ifndef LECTURE_FICHIER_H
#define LECTURE_FICHIER_H

#include <QString>

#include <memory>

class graphe_instance;
class graphe_solution;

// One file read into a record of its own. Every reading of an instance or
// a solution file goes through here: a session's, a reload's, a compared
// solution's, the export command's.
template <typename Enregistrement>
struct fichier_lu
{
    // Made as soon as the file opened and filled as far as it read; null
    // when the file did not open.
    std::unique_ptr<Enregistrement> contenu;
    // Read whole.
    bool lu = false;
    // Why not, in raison_lecture's form; empty when it was.
    QString raison;
};

// A network file's records (GraphML, GEXF, Cytoscape.js): the network and,
// when any node has a role, its solution; both name the file.
struct reseau_fichier
{
    std::unique_ptr<graphe_instance> instance;
    std::unique_ptr<graphe_solution> solution;
};

// Each writes the reader's console lines, and its reason on std::cerr when
// the file does not read.
fichier_lu<graphe_instance> lire_fichier_instance(const QString &chemin);
fichier_lu<graphe_solution> lire_fichier_solution(const QString &chemin);
// A network file is read whole or not at all: its record is null unless
// it read.
fichier_lu<reseau_fichier> lire_fichier_graphml(const QString &chemin);
fichier_lu<reseau_fichier> lire_fichier_gexf(const QString &chemin);
fichier_lu<reseau_fichier> lire_fichier_cyjs(const QString &chemin);
// Any of the three, by what format_reseau_du_fichier says it is.
fichier_lu<reseau_fichier> lire_fichier_reseau(const QString &chemin);

#endif
