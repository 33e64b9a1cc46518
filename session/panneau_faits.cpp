#include "panneau_faits.h"

#include "comparaison_ouverte.h"
#include "comparaison_solutions.h"
#include "faits_instance.h"
#include "faits_solution.h"
#include "graphe_solution.h"
#include "graphe_visualisateur.h"
#include "pages_graphe.h"
#include "registre_sessions.h"
#include "session_graphe.h"
#include "texte_faits.h"

#include <QStackedWidget>
#include <QTextBrowser>

panneau_faits::panneau_faits(QTextBrowser *zone, QStackedWidget *pile, pages_graphe &pages,
                             registre_sessions &registre)
    : QObject(zone), _zone(zone), _pile(pile), _pages(pages), _registre(registre)
{
    // Tight margins: the box is a few lines high.
    _zone->document()->setDocumentMargin(2);
    connect(_pile, &QStackedWidget::currentChanged, this, &panneau_faits::suivre);
    connect(_pile, &QStackedWidget::widgetRemoved, this, [this](int) { _textes.clear(); });
}

void panneau_faits::oublier(QWidget *page)
{
    _textes.remove(page);
    if (page == _pile->currentWidget())
        suivre();
}

void panneau_faits::suivre()
{
    QWidget *page = _pile->currentWidget();
    auto existant = _textes.constFind(page);
    const QString texte = existant != _textes.cend() ? *existant : texte_page(page);
    if (existant == _textes.cend() && !texte.isEmpty())
        _textes.insert(page, texte);
    if (texte == _montre)
        return;
    _montre = texte;
    _zone->setHtml(texte);
}

QString panneau_faits::texte_page(QWidget *page)
{
    auto *graphe = qobject_cast<graphe_visualisateur *>(page);
    QStandardItem *entree = _pages.item_par_fenetre().value(page, nullptr);
    session_graphe *session = graphe ? _registre.session_par_item().value(graphe->get_item_session(), nullptr) : nullptr;
    if (!entree || !session || !session->instance())
        return QString();
    const graphe_instance &instance = *session->instance();
    if (const comparaison_ouverte *c = _registre.comparaison(entree))
        return session->solution() ? texte_faits::comparaison(comparer_solutions(instance, *session->solution(), *c->b))
                                   : QString();
    const QString texte_instance = texte_faits::instance(calculer_faits_instance(instance));
    if (type_graphe_pour(entree) == 1 || !session->solution())
        return texte_instance;
    return texte_faits::legende_solution() + texte_faits::solution(calculer_faits_solution(instance, *session->solution()))
           + QStringLiteral("<br>") + texte_instance;
}
