#include "comparaisons_ouvertes.h"

comparaison_ouverte &comparaisons_ouvertes::ajouter(std::unique_ptr<comparaison_ouverte> comparaison)
{
    _liste.push_back(std::move(comparaison));
    if (_a_l_ajout)
        _a_l_ajout(*_liste.back());
    return *_liste.back();
}

comparaison_ouverte *comparaisons_ouvertes::trouver(const session_graphe *session, const QString &chemin_b) const
{
    for (const auto &c : _liste)
        if (c->session == session && c->chemin_b == chemin_b)
            return c.get();
    return nullptr;
}

comparaison_ouverte *comparaisons_ouvertes::trouver(const QStandardItem *item) const
{
    for (const auto &c : _liste)
        if (c->item == item)
            return c.get();
    return nullptr;
}
