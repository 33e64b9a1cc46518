#include "chargeur_session.h"

#include "fichier_session.h"
#include "format_reseau.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "lecture_fichier.h"
#include "registre_sessions.h"
#include "session_graphe.h"

#include <QString>

#include <iostream>

namespace {

// A network file read whole makes a session of its own; one that does not
// read makes none.
bool charger_reseau(registre_sessions &registre, liste_graphe *arbre, const QString &chemin, format_reseau format)
{
    fichier_lu<reseau_fichier> f = lire_fichier_reseau(chemin);
    if (!f.lu) {
        const QString ligne =
            QStringLiteral("Erreur : le fichier %1 n'a pas pu être lu : %2").arg(nom_format(format), f.raison);
        std::cout << ligne.toLocal8Bit().constData() << std::endl;
        return false;
    }
    session_graphe *session = registre.creer_session_reseau(arbre, chemin, std::move(*f.contenu));
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

    if (const format_reseau format = format_reseau_du_fichier(chemin); format != format_reseau::aucun)
        return charger_reseau(registre, arbre, chemin, format);

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
