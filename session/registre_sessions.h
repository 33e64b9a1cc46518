#ifndef REGISTRE_SESSIONS_H
#define REGISTRE_SESSIONS_H

#include <QHash>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QStandardItem;
class liste_graphe;
class session_graphe;

// Every loaded session, in creation order, and the session behind each
// session row of the tree. Sessions are only ever added.
class registre_sessions
{
public:
    registre_sessions();
    ~registre_sessions();
    registre_sessions(const registre_sessions &) = delete;
    registre_sessions &operator=(const registre_sessions &) = delete;

    // Creates, numbers and lists a session, then reads both of its files;
    // a file that fails to read gets no row but the session stays.
    session_graphe *creer_session(liste_graphe *arbre, const QString &nom,
                                  const QString &chemin_instance, const QString &chemin_solution);
    // Deletes every session, from the first one on.
    void liberer();
    // f learns of each new session and its two paths before they are read,
    // so that a change made while they are read is not missed.
    using a_la_creation = std::function<void(session_graphe &, const QString &chemin_instance,
                                             const QString &chemin_solution)>;
    void suivre_creations(a_la_creation f) { _a_la_creation = std::move(f); }

    std::vector<std::unique_ptr<session_graphe>> &sessions() { return _sessions; }
    QHash<QStandardItem *, session_graphe *> &session_par_item() { return _session_par_item; }
    int &compteur_sessions() { return _compteur_sessions; }

private:
    std::vector<std::unique_ptr<session_graphe>> _sessions;
    QHash<QStandardItem *, session_graphe *> _session_par_item;
    int _compteur_sessions = 0;
    a_la_creation _a_la_creation;
};

#endif
