#include "rechargement.h"

#include "comparaison_ouverte.h"
#include "curseur_attente.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "graphe_visualisateur.h"
#include "graphic_view.h"
#include "lecture_fichier.h"
#include "liste_graphe.h"
#include "pages_graphe.h"
#include "panneau_faits.h"
#include "registre_sessions.h"
#include "session_graphe.h"
#include "suivi_historique.h"

#include <QStandardItem>

#include <iostream>
#include <memory>

namespace {

const char *const echec_rechargement = "Erreur : rechargement impossible, le dessin précédent reste affiché";

bool a_une_ligne(QStandardItem *item_session, const QString &prefixe)
{
    for (int i = 0; i < item_session->rowCount(); ++i) {
        if (item_session->child(i)->text().startsWith(prefixe))
            return true;
    }
    return false;
}

// Reads a file again into records of its own, so that one that fails
// leaves what was drawn from alone, and writes the reload's lines; null
// when it did not read.
template <typename Enregistrement>
std::unique_ptr<Enregistrement> relu(const QString &chemin, fichier_lu<Enregistrement> (*lire)(const QString &))
{
    std::cout << "Recharger le fichier : " << chemin.toLocal8Bit().constData() << std::endl;
    fichier_lu<Enregistrement> f = lire(chemin);
    if (!f.lu) {
        std::cout << QString::fromUtf8(echec_rechargement).toLocal8Bit().constData() << std::endl;
        return nullptr;
    }
    std::cout << "  -> Charge OK..." << std::endl;
    return std::move(f.contenu);
}

} // namespace

rechargement::rechargement(registre_sessions &registre, pages_graphe &pages, panneau_faits &panneau,
                           liste_graphe *arbre, suivi_historique &historique)
    : _registre(registre), _pages(pages), _panneau(panneau), _arbre(arbre), _historique(historique)
{
    _registre.suivre_creations(
        [this](session_graphe &session, const sources_session &sources) { suivre(session, sources); });
    _pages.comparaisons().suivre_ajouts([this](comparaison_ouverte &comparaison) { suivre_b(comparaison); });
}

rechargement::~rechargement()
{
    _registre.suivre_creations(nullptr);
    _pages.comparaisons().suivre_ajouts(nullptr);
}

void rechargement::suivre_b(comparaison_ouverte &comparaison)
{
    comparaison_ouverte *c = &comparaison;
    // B was just read: only a change from now on reads it again.
    _surveillance.surveiller(c->chemin_b, [this, c] { b_change(*c); });
}

void rechargement::b_change(comparaison_ouverte &comparaison)
{
    curseur_attente attente;
    std::unique_ptr<graphe_solution> b = relu(comparaison.chemin_b, lire_fichier_solution);
    if (!b)
        return;
    comparaison.b = std::move(b);
    if (QWidget *page = _pages.item_par_fenetre().key(comparaison.item, nullptr))
        redessiner_page(page);
}

void rechargement::suivre(session_graphe &session, const sources_session &sources)
{
    _chemins.insert(&session, {sources.instance, sources.solution, sources.reseau});
    session_graphe *s = &session;
    if (sources.reseau) {
        _surveillance.surveiller(sources.instance, [this, s] { fichier_change(*s, fichier::reseau); });
        return;
    }
    _surveillance.surveiller(sources.instance, [this, s] { fichier_change(*s, fichier::instance); });
    _surveillance.surveiller(sources.solution, [this, s] { fichier_change(*s, fichier::solution); });
}

void rechargement::recharger_page_courante()
{
    session_graphe *session = _pages.session_de(_pages.page_courante());
    if (!session || !_chemins.contains(session)) {
        _pages.dire_aucun_graphe();
        return;
    }
    curseur_attente attente;
    const chemins c = _chemins.value(session);
    // Read now: the watch need not read them again.
    _surveillance.marquer_vu(c.instance);
    _surveillance.marquer_vu(c.solution);
    if (c.reseau) {
        if (relire(*session, fichier::reseau))
            redessiner(*session, true);
        return;
    }
    const bool instance = relire(*session, fichier::instance);
    const bool solution = relire(*session, fichier::solution);
    if (instance || solution)
        redessiner(*session, instance);
}

void rechargement::fichier_change(session_graphe &session, fichier quoi)
{
    curseur_attente attente;
    if (relire(session, quoi))
        redessiner(session, quoi != fichier::solution);
}

bool rechargement::relire(session_graphe &session, fichier quoi)
{
    const chemins c = _chemins.value(&session);
    if (quoi == fichier::reseau) {
        std::unique_ptr<reseau_fichier> reseau = relu(c.instance, lire_fichier_reseau);
        if (!reseau)
            return false;
        session.instance() = std::move(reseau->instance);
        session.solution() = std::move(reseau->solution);
        lister(session, fichier::instance);
        _historique.instance_relue(session);
        if (session.solution()) {
            lister(session, fichier::solution);
            _historique.enregistrer(session, c.instance);
        }
        return true;
    }
    if (quoi == fichier::instance) {
        std::unique_ptr<graphe_instance> instance = relu(c.instance, lire_fichier_instance);
        if (!instance)
            return false;
        session.instance() = std::move(instance);
        _historique.instance_relue(session);
    } else {
        std::unique_ptr<graphe_solution> solution = relu(c.solution, lire_fichier_solution);
        if (!solution)
            return false;
        session.solution() = std::move(solution);
        _historique.enregistrer(session, c.solution);
    }
    lister(session, quoi);
    return true;
}

void rechargement::lister(session_graphe &session, fichier quoi)
{
    if (quoi == fichier::instance) {
        if (!a_une_ligne(session.item(), QStringLiteral("i:")))
            _arbre->ajouter_instance(session.item(), session.instance().get());
    } else if (!a_une_ligne(session.item(), QStringLiteral("s:"))) {
        _arbre->ajouter_solution(session.item(), session.solution().get());
    }
}

void rechargement::redessiner(session_graphe &session, bool instance_changee)
{
    for (QWidget *page : _pages.pages_de(session.item())) {
        // An instance drawing does not show the solution; a comparison does.
        QStandardItem *entree = _pages.item_par_fenetre().value(page);
        if (!instance_changee && type_graphe_pour(entree) == 1 && !_pages.comparaison_de(page))
            continue;
        redessiner_page(page);
    }
}

void rechargement::redessiner_page(QWidget *page)
{
    auto *graphe = qobject_cast<graphe_visualisateur *>(page);
    _pages.redessiner(page, graphe->get_graphic_view()->zoom(), pages_graphe::cadrage::meme_centre);
    _panneau.oublier(page);
}
