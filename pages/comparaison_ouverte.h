#ifndef COMPARAISON_OUVERTE_H
#define COMPARAISON_OUVERTE_H

#include "graphe_solution.h"

#include <QString>

#include <memory>

class QStandardItem;
class session_graphe;

// A session's solution compared with another solution file B: its tree row
// and B's records, which the comparison owns.
struct comparaison_ouverte
{
    session_graphe *session = nullptr;
    QString chemin_b;
    std::unique_ptr<graphe_solution> b;
    QStandardItem *item = nullptr;
};

#endif
