#include "registre_sessions.h"

#include "graphe_instance.h"
#include "graphe_solution.h"
#include "lecture_fichier.h"
#include "liste_graphe.h"
#include "session_graphe.h"

#include <QFileInfo>

#include <iostream>

registre_sessions::registre_sessions() = default;

registre_sessions::~registre_sessions()
{
    liberer();
}

session_graphe *registre_sessions::enregistrer(liste_graphe *arbre, const QString &nom,
                                               const sources_session &sources)
{
    auto session = std::make_unique<session_graphe>();
    session_graphe *s = session.get();
    s->item() = arbre->ajouter_session(nom);
    s->id() = _compteur_sessions;
    ++_compteur_sessions;
    _sessions.push_back(std::move(session));
    _session_par_item.insert(s->item(), s);
    if (_a_la_creation)
        _a_la_creation(*s, sources);
    return s;
}

session_graphe *registre_sessions::creer_session(liste_graphe *arbre, const QString &nom,
                                                 const QString &chemin_instance,
                                                 const QString &chemin_solution)
{
    session_graphe *s = enregistrer(arbre, nom, {chemin_instance, chemin_solution});

    if (s->lire_instance(chemin_instance))
        arbre->ajouter_instance(s->item(), s->instance().get());
    else
        std::cout << "Erreur : le format du fichier d'instance.." << std::endl;

    if (s->lire_solution(chemin_solution)) {
        arbre->ajouter_solution(s->item(), s->solution().get());
        if (_a_la_lecture)
            _a_la_lecture(*s, chemin_solution);
    } else {
        std::cout << "Erreur : le format du fichier de solution.." << std::endl;
    }

    return s;
}

session_graphe *registre_sessions::creer_session_reseau(liste_graphe *arbre, const QString &chemin,
                                                        reseau_fichier reseau)
{
    session_graphe *s = enregistrer(arbre, QFileInfo(chemin).completeBaseName(), {chemin, chemin, true});
    s->instance() = std::move(reseau.instance);
    s->solution() = std::move(reseau.solution);
    arbre->ajouter_instance(s->item(), s->instance().get());
    if (s->solution()) {
        arbre->ajouter_solution(s->item(), s->solution().get());
        if (_a_la_lecture)
            _a_la_lecture(*s, chemin);
    }
    return s;
}

void registre_sessions::liberer()
{
    for (auto &session : _sessions)
        session.reset();
    _sessions.clear();
    _session_par_item.clear();
}
