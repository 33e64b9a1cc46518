#include "suivi_historique.h"

#include "barre_historique.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "graphe_visualisateur.h"
#include "historique_ouvert.h"
#include "historique_solutions.h"
#include "lecture_fichier.h"
#include "liste_graphe.h"
#include "ordre_naturel.h"
#include "pages_graphe.h"
#include "panneau_faits.h"
#include "registre_sessions.h"
#include "session_graphe.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <iostream>
#include <memory>
#include <vector>

namespace {

void dire(const QString &ligne)
{
    std::cout << ligne.toLocal8Bit().constData() << std::endl;
}

// run_2 before run_10, whatever the locale.
void trier_naturellement(QStringList &chemins)
{
    std::stable_sort(chemins.begin(), chemins.end(), [](const QString &a, const QString &b) {
        return avant_naturel(QFileInfo(a).fileName(), QFileInfo(b).fileName());
    });
}

// A chosen folder stands for its solution files: those whose names end in
// "_sol.txt", as the sessions name them, or failing that its text files.
QStringList fichiers_choisis(const QStringList &chemins)
{
    QStringList fichiers;
    for (const QString &chemin : chemins) {
        if (!QFileInfo(chemin).isDir()) {
            fichiers << chemin;
            continue;
        }
        const QDir dossier(chemin);
        QStringList trouves = dossier.entryList({QStringLiteral("*_sol.txt")}, QDir::Files);
        if (trouves.isEmpty())
            trouves = dossier.entryList({QStringLiteral("*.txt")}, QDir::Files);
        for (const QString &nom : trouves)
            fichiers << dossier.filePath(nom);
    }
    trier_naturellement(fichiers);
    return fichiers;
}

} // namespace

suivi_historique::suivi_historique(registre_sessions &registre, pages_graphe &pages, panneau_faits &panneau,
                                   liste_graphe *arbre)
    : _registre(registre), _pages(pages), _panneau(panneau), _arbre(arbre)
{
    _registre.suivre_lectures([this](session_graphe &session, const QString &fichier) { enregistrer(session, fichier); });
    _pages.suivre_pages_historique(
        [this](graphe_visualisateur *page, historique_ouvert &historique) { nouvelle_page(page, historique); });
}

suivi_historique::~suivi_historique()
{
    _registre.suivre_lectures(nullptr);
    _pages.suivre_pages_historique(nullptr);
}

void suivi_historique::enregistrer(session_graphe &session, const QString &fichier)
{
    if (!_garder || !session.solution())
        return;
    // The history keeps its own copy: the session's records are replaced
    // at the next reload.
    if (ajouter(session, std::make_shared<const graphe_solution>(*session.solution()), fichier))
        etapes_ajoutees(session, true);
}

bool suivi_historique::ajouter(session_graphe &session, std::shared_ptr<const graphe_solution> solution,
                               const QString &fichier)
{
    if (!session.instance())
        return false;
    const historique_solutions::ajout a = session.historique().ajouter(
        *session.instance(), std::move(solution), QFileInfo(fichier).absoluteFilePath(), QDateTime::currentDateTime());
    if (a == historique_solutions::ajout::ajoutee_en_oubliant)
        dire(QStringLiteral("Historique : plus de %1 étapes, les plus anciennes sont oubliées")
                 .arg(historique_solutions::capacite));
    return a != historique_solutions::ajout::identique;
}

void suivi_historique::instance_relue(session_graphe &session)
{
    if (!session.instance())
        return;
    session.historique().recalculer(*session.instance());
    if (historique_ouvert *h = _pages.historique_de_la_session(&session))
        for (QWidget *page : _pages.pages_de(session.item()))
            if (_pages.historique_de(page) == h)
                montrer_barre(page);
}

bool suivi_historique::ajouter_fichiers(session_graphe &session, const QStringList &chemins)
{
    std::vector<std::pair<QString, std::shared_ptr<const graphe_solution>>> lues;
    for (const QString &chemin : fichiers_choisis(chemins)) {
        fichier_lu<graphe_solution> f = lire_fichier_solution(chemin);
        if (!f.lu) {
            dire(QStringLiteral("Erreur : historique non ouvert, %1").arg(f.raison));
            return false;
        }
        lues.emplace_back(chemin, std::shared_ptr<const graphe_solution>(std::move(f.contenu)));
    }
    bool ajoutee = false;
    for (auto &[chemin, solution] : lues)
        ajoutee = ajouter(session, std::move(solution), chemin) || ajoutee;
    if (ajoutee)
        etapes_ajoutees(session, true);
    return true;
}

void suivi_historique::etapes_ajoutees(session_graphe &session, bool au_bout)
{
    const int n = session.historique().taille();
    historique_ouvert *h = _pages.historique_de_la_session(&session);
    if (!h && n >= 2) {
        const QString fichier = session.historique().etape(n - 1).fichier;
        _pages.ajouter_historique(&session, _arbre->ajouter_historique(session.item(), fichier));
        return;
    }
    if (!h)
        return;
    for (QWidget *page : _pages.pages_de(session.item())) {
        if (_pages.historique_de(page) != h)
            continue;
        // A page on the last step follows the steps as they come.
        barre_historique *barre = barre_de(page);
        if (au_bout && barre && barre->etape() == barre->nombre())
            aller(page, n);
        else
            montrer_barre(page);
    }
}

void suivi_historique::nouvelle_page(graphe_visualisateur *page, historique_ouvert &historique)
{
    auto *barre = new barre_historique(page);
    page->ajouter_sous_le_dessin(barre);
    _barres.insert(page, barre);
    connect(barre, &barre_historique::etape_demandee, this, [this, page](int k) { aller(page, k); });
    connect(page, &QObject::destroyed, this, [this, page] { _barres.remove(page); });
    // A new page shows the last step.
    const int derniere = historique.session->historique().taille() - 1;
    if (historique.etape != derniere)
        _pages.montrer_etape(page, derniere);
    montrer_barre(page);
}

void suivi_historique::aller(QWidget *page, int k)
{
    historique_ouvert *h = _pages.historique_de(page);
    if (!h || k < 1 || k > h->session->historique().taille())
        return;
    if (k - 1 != h->etape)
        _pages.montrer_etape(page, k - 1);
    montrer_barre(page);
    _panneau.oublier(page);
}

void suivi_historique::montrer_barre(QWidget *page)
{
    const historique_ouvert *h = _pages.historique_de(page);
    barre_historique *barre = barre_de(page);
    if (!h || !barre)
        return;
    barre->montrer(h->etape + 1, h->session->historique().taille(), texte_etape(*h->session, h->etape));
}

QString suivi_historique::texte_etape(const session_graphe &session, int etape)
{
    const historique_solutions &historique = session.historique();
    if (etape < 0 || etape >= historique.taille())
        return QString();
    const etape_solution &e = historique.etape(etape);
    return tr("Étape %1 / %2 — %3, %4")
        .arg(etape + 1)
        .arg(historique.taille())
        .arg(QFileInfo(e.fichier).fileName(), QLocale().toString(e.lue_le.time(), QStringLiteral("HH:mm:ss")));
}
