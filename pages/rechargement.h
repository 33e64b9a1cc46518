#ifndef RECHARGEMENT_H
#define RECHARGEMENT_H

#include "surveillance_fichiers.h"

#include <QHash>
#include <QString>

class liste_graphe;
class pages_graphe;
class panneau_faits;
class registre_sessions;
class session_graphe;
class suivi_historique;
struct comparaison_ouverte;
struct sources_session;

// Keeps every loaded session in step with its files. A file that changes is
// read again into new records: when it reads, the session takes them and
// its open pages are drawn again as they were seen (zoom, centre); when it
// does not, records and drawings stay as they were. The current page's
// session can also be read again on request.
class rechargement
{
public:
    rechargement(registre_sessions &registre, pages_graphe &pages, panneau_faits &panneau, liste_graphe *arbre,
                 suivi_historique &historique);
    ~rechargement();
    rechargement(const rechargement &) = delete;
    rechargement &operator=(const rechargement &) = delete;

    // A network file holds both records: they are read again together.
    enum class fichier { instance, solution, reseau };

    // Both files of the page on screen, now; the status bar says so when no
    // graph page is shown.
    void recharger_page_courante();
    surveillance_fichiers &surveillance() { return _surveillance; }

private:
    struct chemins
    {
        QString instance;
        QString solution;
        bool reseau = false;
    };

    void suivre(session_graphe &session, const sources_session &sources);
    // A comparison's B file: read again, its page drawn again.
    void suivre_b(comparaison_ouverte &comparaison);
    void b_change(comparaison_ouverte &comparaison);
    void fichier_change(session_graphe &session, fichier quoi);
    // True when the session took the new records.
    bool relire(session_graphe &session, fichier quoi);
    // A file that did not read when the session was opened has no row yet.
    void lister(session_graphe &session, fichier quoi);
    void redessiner(session_graphe &session, bool instance_changee);
    void redessiner_page(QWidget *page);

    registre_sessions &_registre;
    pages_graphe &_pages;
    panneau_faits &_panneau;
    liste_graphe *_arbre;
    suivi_historique &_historique;
    QHash<const session_graphe *, chemins> _chemins;
    surveillance_fichiers _surveillance;
};

#endif
