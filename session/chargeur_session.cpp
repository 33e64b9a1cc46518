#include "chargeur_session.h"

#include "fichier_session.h"
#include "registre_sessions.h"
#include "session_graphe.h"

#include <QString>

#include <iostream>

bool charger_session(registre_sessions &registre, liste_graphe *arbre, const QString &chemin)
{
    for (const auto &session : registre.sessions()) {
        if (session && session->nom_fichier() == chemin) {
            std::cout << "Erreur: la fichier '" << chemin.toLocal8Bit().constData()
                      << "' est deja ouvert." << std::endl;
            return false;
        }
    }

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
