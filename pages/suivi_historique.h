#ifndef SUIVI_HISTORIQUE_H
#define SUIVI_HISTORIQUE_H

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class barre_historique;
class graphe_solution;
class graphe_visualisateur;
class liste_graphe;
class pages_graphe;
class panneau_faits;
class registre_sessions;
class session_graphe;
struct historique_ouvert;

// Keeps each session's history of solutions while recording is on: a step
// for the first solution read whole and for every reload or chosen file
// that differs from the last step. From two steps on, the history has its
// tree row, whose page shows one step at a time under its bar.
class suivi_historique : public QObject
{
    Q_OBJECT

public:
    suivi_historique(registre_sessions &registre, pages_graphe &pages, panneau_faits &panneau, liste_graphe *arbre);
    ~suivi_historique() override;

    bool garde() const { return _garder; }
    // A solution the session took, read whole from `fichier`.
    void enregistrer(session_graphe &session, const QString &fichier);
    // The session's instance was read again: the steps' counts follow it.
    void instance_relue(session_graphe &session);
    // Solution files chosen by the user, or the solution files of chosen
    // folders, added as steps in the natural order of their names; a chosen
    // file that does not read adds none of them, and the console says why.
    bool ajouter_fichiers(session_graphe &session, const QStringList &chemins);
    // The bar of a history page, null for any other page.
    barre_historique *barre_de(QWidget *page) const { return _barres.value(page, nullptr); }
    // The text the bar shows for step `etape` (from 0).
    static QString texte_etape(const session_graphe &session, int etape);

public slots:
    void garder(bool oui) { _garder = oui; }
    // Step k, from 1, on the page.
    void aller(QWidget *page, int k);

private:
    bool ajouter(session_graphe &session, std::shared_ptr<const graphe_solution> solution,
                 const QString &fichier);
    void etapes_ajoutees(session_graphe &session, bool au_bout);
    void nouvelle_page(graphe_visualisateur *page, historique_ouvert &historique);
    void montrer_barre(QWidget *page);

    registre_sessions &_registre;
    pages_graphe &_pages;
    panneau_faits &_panneau;
    liste_graphe *_arbre;
    bool _garder = true;
    QHash<QWidget *, barre_historique *> _barres;
};

#endif
