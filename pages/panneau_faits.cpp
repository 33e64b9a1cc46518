#include "panneau_faits.h"

#include "comparaison_ouverte.h"
#include "comparaison_solutions.h"
#include "coord_sommet.h"
#include "faits_instance.h"
#include "faits_solution.h"
#include "graphe_solution.h"
#include "graphe_instance.h"
#include "graphe_visualisateur.h"
#include "graphique_historique.h"
#include "graphic_view.h"
#include "historique_solutions.h"
#include "pages_graphe.h"
#include "roles_capteurs.h"
#include "session_graphe.h"
#include "sujet_session.h"
#include "texte_faits.h"

#include <QStackedWidget>
#include <QTextBrowser>
#include <QUrl>

panneau_faits::panneau_faits(QTextBrowser *zone, QStackedWidget *pile, pages_graphe &pages,
                             graphique_historique *graphique)
    : QObject(zone), _zone(zone), _pile(pile), _pages(pages), _graphique(graphique)
{
    if (_graphique) {
        _graphique->hide();
        connect(_graphique, &graphique_historique::etape_choisie, this,
                [this](int k) { emit etape_choisie(_pages.page_courante(), k); });
    }
    // Tight margins: the box is a few lines high.
    _zone->document()->setDocumentMargin(2);
    connect(_pile, &QStackedWidget::currentChanged, this, &panneau_faits::suivre);
    connect(_pile, &QStackedWidget::widgetRemoved, this, [this](int) { _textes.clear(); });
    connect(_zone, &QTextBrowser::anchorClicked, this, &panneau_faits::lien);
}

void panneau_faits::lien(const QUrl &adresse)
{
    graphe_visualisateur *page = _pages.page_courante();
    bool nombre = false;
    const int capteur = adresse.path().toInt(&nombre);
    if (page && nombre && adresse.scheme() == texte_faits::schema_capteur)
        page->get_graphic_view()->montrer_capteur(capteur);
}

QString panneau_faits::texte_capteur(QWidget *page)
{
    auto *graphe = qobject_cast<graphe_visualisateur *>(page);
    const int capteur = graphe ? graphe->get_graphic_view()->capteur_choisi() : -1;
    session_graphe *session = _pages.session_de(page);
    const graphe_instance *instance = session ? session->instance().get() : nullptr;
    if (capteur < 0 || !instance || std::size_t(capteur) >= instance->positions().size()
        || !instance->positions()[std::size_t(capteur)])
        return QString();
    // Every role the session gives it, whatever the page draws; on a
    // history page, the roles of the step shown.
    const comparaison_ouverte *c = _pages.comparaison_de(page);
    const historique_ouvert *h = _pages.historique_de(page);
    const roles_capteurs roles = h ? roles_capteurs(*instance, sujet_etape(*session, h->etape).solution)
                                   : roles_capteurs(*instance, session->solution().get(), c ? c->b.get() : nullptr);
    const coord_sommet &place = *instance->positions()[std::size_t(capteur)];
    return texte_faits::capteur_choisi(capteur, place.x(), place.y(), roles_capteurs::texte(roles.masque(capteur)),
                                       capteurs_lies(*instance, std::uint16_t(capteur)));
}

void panneau_faits::oublier(QWidget *page)
{
    _textes.remove(page);
    if (page == _pages.page_courante())
        suivre();
}

void panneau_faits::suivre()
{
    QWidget *page = _pages.page_courante();
    auto existant = _textes.constFind(page);
    const QString faits = existant != _textes.cend() ? *existant : texte_page(page);
    if (existant == _textes.cend() && !faits.isEmpty())
        _textes.insert(page, faits);
    suivre_graphique(page);
    // The chosen sensor first: it is what the user just asked about.
    const QString texte = texte_capteur(page) + faits;
    if (texte == _montre)
        return;
    _montre = texte;
    _zone->setHtml(texte);
}

QString panneau_faits::texte_page(QWidget *page)
{
    QStandardItem *entree = _pages.item_par_fenetre().value(page, nullptr);
    session_graphe *session = _pages.session_de(page);
    if (!entree || !session || !session->instance())
        return QString();
    const graphe_instance &instance = *session->instance();
    if (_pages.historique_de(page))
        return texte_etape(page);
    if (const comparaison_ouverte *c = _pages.comparaison_de(page))
        return session->solution() ? texte_faits::comparaison(comparer_solutions(instance, *session->solution(), *c->b))
                                   : QString();
    const QString texte_instance = texte_faits::instance(calculer_faits_instance(instance));
    if (type_graphe_pour(entree) == 1 || !session->solution())
        return texte_instance;
    return texte_faits::legende_solution() + texte_faits::solution(calculer_faits_solution(instance, *session->solution()))
           + QStringLiteral("<br>") + texte_instance;
}

QString panneau_faits::texte_etape(QWidget *page)
{
    const historique_ouvert *h = _pages.historique_de(page);
    const historique_solutions &historique = h->session->historique();
    if (h->etape >= historique.taille())
        return QString();
    const etape_solution &etape = historique.etape(h->etape);
    return texte_faits::legende_solution()
           + texte_faits::solution(calculer_faits_solution(*h->session->instance(), *etape.solution))
           + texte_faits::difference(etape.difference);
}

void panneau_faits::suivre_graphique(QWidget *page)
{
    if (!_graphique)
        return;
    const historique_ouvert *h = _pages.historique_de(page);
    _graphique->setVisible(h != nullptr);
    if (!h)
        return;
    const historique_solutions &historique = h->session->historique();
    std::vector<graphique_historique::valeurs> valeurs;
    valeurs.reserve(std::size_t(historique.taille()));
    for (int k = 0; k < historique.taille(); ++k) {
        const resume_etape &r = historique.etape(k).resume;
        valeurs.push_back({r.longueurs[0], r.longueurs[1], r.longueurs[2], r.non_couverts, r.composantes_ma});
    }
    _graphique->montrer(valeurs, h->etape + 1);
}
