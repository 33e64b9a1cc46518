#include "session_graphe.h"

#include "graphe_instance.h"
#include "graphe_solution.h"
#include "historique_solutions.h"
#include "lecture_fichier.h"

session_graphe::session_graphe() : _historique(std::make_unique<historique_solutions>()) {}

session_graphe::~session_graphe()
{
    _instance.reset();
    _solution.reset();
}

bool session_graphe::lire_instance(const QString &path)
{
    fichier_lu<graphe_instance> f = lire_fichier_instance(path);
    _instance = std::move(f.contenu);
    _raison_echec = f.raison;
    return f.lu;
}

bool session_graphe::lire_solution(const QString &path)
{
    fichier_lu<graphe_solution> f = lire_fichier_solution(path);
    _solution = std::move(f.contenu);
    _raison_echec = f.raison;
    return f.lu;
}
