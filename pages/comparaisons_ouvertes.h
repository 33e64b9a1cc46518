#ifndef COMPARAISONS_OUVERTES_H
#define COMPARAISONS_OUVERTES_H

#include "comparaison_ouverte.h"

#include <functional>
#include <memory>
#include <vector>

class QStandardItem;
class QString;
class session_graphe;

// Every comparison opened so far, each a session's solution with another
// solution file B. Like sessions, only ever added.
class comparaisons_ouvertes
{
public:
    comparaison_ouverte &ajouter(std::unique_ptr<comparaison_ouverte> comparaison);
    // f learns of each comparison added.
    using a_l_ajout = std::function<void(comparaison_ouverte &)>;
    void suivre_ajouts(a_l_ajout f) { _a_l_ajout = std::move(f); }

    comparaison_ouverte *trouver(const session_graphe *session, const QString &chemin_b) const;
    // The comparison behind a tree row; null for any other row.
    comparaison_ouverte *trouver(const QStandardItem *item) const;
    const std::vector<std::unique_ptr<comparaison_ouverte>> &liste() const { return _liste; }
    // They point at their sessions: they go before them.
    void vider() { _liste.clear(); }

private:
    std::vector<std::unique_ptr<comparaison_ouverte>> _liste;
    a_l_ajout _a_l_ajout;
};

#endif
