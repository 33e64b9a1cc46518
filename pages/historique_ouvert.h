#ifndef HISTORIQUE_OUVERT_H
#define HISTORIQUE_OUVERT_H

class QStandardItem;
class session_graphe;

// A session's history listed in the tree: its row, and the step (from 0)
// its page shows.
struct historique_ouvert
{
    session_graphe *session = nullptr;
    QStandardItem *item = nullptr;
    int etape = 0;
};

#endif
