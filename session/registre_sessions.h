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
struct reseau_fichier;

// Where a session's records come from: its two text files, or one network
// file (GraphML, GEXF, Cytoscape.js) that holds both.
struct sources_session
{
    QString instance;
    QString solution;
    bool reseau = false;
};

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
    // A session of the records read from a network file, named after the
    // file, with its instance row and, when it has one, its solution row.
    session_graphe *creer_session_reseau(liste_graphe *arbre, const QString &chemin, reseau_fichier reseau);
    // Deletes every session, from the first one on.
    void liberer();
    // f learns of each new session and of its files before they are read,
    // so that a change made while they are read is not missed.
    using a_la_creation = std::function<void(session_graphe &, const sources_session &)>;
    void suivre_creations(a_la_creation f) { _a_la_creation = std::move(f); }
    // g learns of each solution a new session read whole, and its file.
    using a_la_lecture = std::function<void(session_graphe &, const QString &fichier)>;
    void suivre_lectures(a_la_lecture g) { _a_la_lecture = std::move(g); }

    std::vector<std::unique_ptr<session_graphe>> &sessions() { return _sessions; }
    QHash<QStandardItem *, session_graphe *> &session_par_item() { return _session_par_item; }
    int &compteur_sessions() { return _compteur_sessions; }

private:
    // Creates, numbers, lists and registers a session without records.
    session_graphe *enregistrer(liste_graphe *arbre, const QString &nom, const sources_session &sources);

    std::vector<std::unique_ptr<session_graphe>> _sessions;
    QHash<QStandardItem *, session_graphe *> _session_par_item;
    int _compteur_sessions = 0;
    a_la_creation _a_la_creation;
    a_la_lecture _a_la_lecture;
};

#endif
