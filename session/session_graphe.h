#ifndef SESSION_GRAPHE_H
#define SESSION_GRAPHE_H

#include <QString>

#include <cstdint>
#include <memory>

class QStandardItem;
class graphe_instance;
class graphe_solution;
class historique_solutions;

// One loaded session: the session file's path, its tree row, its number and
// the two contents it owns.
class session_graphe
{
public:
    session_graphe();
    ~session_graphe();
    session_graphe(const session_graphe &) = delete;
    session_graphe &operator=(const session_graphe &) = delete;

    QString &nom_fichier() { return _nom_fichier; }
    QStandardItem *&item() { return _item; }
    std::int32_t &id() { return _id; }
    std::int32_t &orientation_y() { return _orientation_y; }
    std::unique_ptr<graphe_instance> &instance() { return _instance; }
    std::unique_ptr<graphe_solution> &solution() { return _solution; }
    // Why the last read failed, in raison_lecture's form; empty after a
    // read that succeeded.
    QString &raison_echec() { return _raison_echec; }
    // The solutions it was given over time, oldest first.
    historique_solutions &historique() { return *_historique; }

    // For callers that only read.
    const QString &nom_fichier() const { return _nom_fichier; }
    const graphe_instance *instance() const { return _instance.get(); }
    const graphe_solution *solution() const { return _solution.get(); }
    const QString &raison_echec() const { return _raison_echec; }
    const historique_solutions &historique() const { return *_historique; }

    // Readers: each creates its content as soon as the file is open, so a
    // read that fails part-way leaves a partly filled record behind. A
    // failure also writes its reason on std::cerr (an unopened file, its
    // "Cannot read file" line only).
    bool lire_instance(const QString &path);
    bool lire_solution(const QString &path);

private:
    QString _nom_fichier;
    QStandardItem *_item = nullptr;
    std::int32_t _id = 0;
    std::unique_ptr<graphe_instance> _instance;
    std::unique_ptr<graphe_solution> _solution;
    std::int32_t _orientation_y = 2;
    QString _raison_echec;
    std::unique_ptr<historique_solutions> _historique;
};

#endif
