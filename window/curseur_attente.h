#ifndef CURSEUR_ATTENTE_H
#define CURSEUR_ATTENTE_H

// Shows the wait cursor over the whole application while it lives, so that
// long work on the GUI thread is seen as work; gives the cursor back on
// every way out of the scope. Nested ones stack.
class curseur_attente
{
public:
    curseur_attente();
    ~curseur_attente();
    curseur_attente(const curseur_attente &) = delete;
    curseur_attente &operator=(const curseur_attente &) = delete;
};

#endif
