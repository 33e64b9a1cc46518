#include "chargeur_session.h"

#include "fichier_session.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "lecture_fichier.h"
#include "registre_sessions.h"
#include "session_graphe.h"

#include <QString>

#include <iostream>

namespace {

// A GraphML file read whole makes a session of its own; one that does not
// read makes none.
bool charger_graphml(registre_sessions &registre, liste_graphe *arbre, const QString &chemin)
{
    fichier_lu<reseau_graphml> f = lire_fichier_graphml(chemin);
    if (!f.lu) {
        const QString ligne = QStringLiteral("Erreur : le fichier GraphML n'a pas pu être lu : ") + f.raison;
        std::cout << ligne.toLocal8Bit().constData() << std::endl;
        return false;
    }
    session_graphe *session = registre.creer_session_graphml(arbre, chemin, std::move(*f.contenu));
    session->nom_fichier() = chemin;
    std::cout << "  -> Charge OK..." << std::endl;
    return true;
}

} // namespace

bool charger_session(registre_sessions &registre, liste_graphe *arbre, const QString &chemin)
{
    for (const auto &session : registre.sessions()) {
        if (session && session->nom_fichier() == chemin) {
            std::cout << "Erreur: la fichier '" << chemin.toLocal8Bit().constData()
                      << "' est deja ouvert." << std::endl;
            return false;
        }
    }

    if (est_fichier_graphml(chemin))
        return charger_graphml(registre, arbre, chemin);

    const fichier_session fichier = lire_fichier_session(chemin);
    if (!fichier.ouvert)
        return false;
    // Only the instance's line when both files are missing.
    if (!instance_presente(fichier) || !solution_presente(fichier))
        return false;

    session_graphe *session = registre.creer_session(arbre, fichier.nom, fichier.chemin_instance,
                                                     fichier.chemin_solution);
    session->nom_fichier() = chemin;
    std::cout << "  -> Charge OK..." << std::endl;
    return fichier.conforme;
}
