#include "liste_graphe.h"

#include "graphe_instance.h"
#include "graphe_solution.h"

#include <QFileInfo>
#include <QIcon>
#include <QItemSelectionModel>
#include <QStandardItemModel>

static void initialiser_icones()
{
    // The icons live in this static library; without an explicit init the
    // linker would drop them.
    Q_INIT_RESOURCE(liste);
}

liste_graphe::liste_graphe(QWidget *parent)
    : QTreeView(parent)
{
    initialiser_icones();
    // Parented to the view so nothing outlives it.
    _modele = new QStandardItemModel(this);

    _racine = new QStandardItem(tr("Sessions"));
    _racine->setEditable(false);
    _racine->setIcon(QIcon(QStringLiteral(":/liste/image/root.png")));
    _modele->appendRow(_racine);

    _modele->setHorizontalHeaderItem(0, new QStandardItem(tr("List :")));

    setModel(_modele);
    setHeaderHidden(true);

    connect(this, &QTreeView::doubleClicked, this, &liste_graphe::item_selected_slot);
}

liste_graphe::~liste_graphe() = default;

QStandardItem *liste_graphe::ajouter_session(const QString &nom)
{
    QString texte = nom;
    if (texte.isEmpty()) {
        texte = QStringLiteral("Session_") + QString::number(_numero_session);
        ++_numero_session;
    }

    auto *item = new QStandardItem(texte);
    item->setIcon(QIcon(QStringLiteral(":/liste/image/session.png")));
    item->setData(QStringLiteral("fichier"), Qt::AccessibleTextRole);
    _racine->appendRow(item);

    rendre_courant(item);
    if (!isExpanded(_racine->index()))
        expand(_racine->index());
    expand(item->index());
    return item;
}

QStandardItem *liste_graphe::ajouter_instance(QStandardItem *item_session, graphe_instance *instance)
{
    return ajouter_fichier(item_session, QStringLiteral("i:") + QFileInfo(instance->nom_fichier()).fileName(),
                           QStringLiteral(":/liste/image/inst.png"), instance->nom_fichier());
}

QStandardItem *liste_graphe::ajouter_solution(QStandardItem *item_session, graphe_solution *solution)
{
    return ajouter_fichier(item_session, QStringLiteral("s:") + QFileInfo(solution->nom_fichier()).fileName(),
                           QStringLiteral(":/liste/image/sol.png"), solution->nom_fichier());
}

QStandardItem *liste_graphe::ajouter_comparaison(QStandardItem *item_session, const QString &chemin_a,
                                                 const QString &chemin_b)
{
    const QString texte =
        QStringLiteral("c:") + QFileInfo(chemin_a).fileName() + QStringLiteral(" / ") + QFileInfo(chemin_b).fileName();
    return ajouter_fichier(item_session, texte, QStringLiteral(":/liste/image/comp.png"), chemin_b);
}

QStandardItem *liste_graphe::ajouter_historique(QStandardItem *item_session, const QString &chemin_solution)
{
    return ajouter_fichier(item_session, QStringLiteral("h:") + QFileInfo(chemin_solution).fileName(),
                           QStringLiteral(":/liste/image/sol.png"), chemin_solution);
}

QStandardItem *liste_graphe::ajouter_fichier(QStandardItem *item_session, const QString &texte,
                                             const QString &icone, const QString &chemin)
{
    QStandardItem *parent = _racine->child(item_session->row(), 0);

    auto *item = new QStandardItem(texte);
    item->setToolTip(tr("id : ") + texte);
    item->setIcon(QIcon(icone));
    item->setEditable(false);
    parent->appendRow(item);
    item->setData(chemin, Qt::AccessibleTextRole);

    rendre_courant(item);
    if (!isExpanded(_racine->index()))
        expand(_racine->index());
    if (!isExpanded(parent->index()))
        expand(parent->index());
    return item;
}

void liste_graphe::rendre_courant(QStandardItem *item)
{
    selectionModel()->clearSelection();
    selectionModel()->select(item->index(), QItemSelectionModel::Select);
    setCurrentIndex(item->index());
}

int liste_graphe::trouver_item_session(QStandardItem *item, QStandardItem *&resultat)
{
    if (!_racine->hasChildren())
        return -1;
    if (item->parent() == _racine) {
        resultat = item;
        return 1;
    }
    if (item == _racine) {
        resultat = _racine->child(0, 0);
        return 0;
    }
    QStandardItem *courant = item;
    while (courant->parent() && courant->parent() != _racine)
        courant = courant->parent();
    resultat = courant;
    return 1;
}

void liste_graphe::item_selected_slot(QModelIndex _idx)
{
    QStandardItem *item = _modele->itemFromIndex(_idx);
    if (!item || item->data(Qt::AccessibleTextRole).toString().isEmpty())
        return;

    const QModelIndex index_racine = _racine->index();
    QModelIndex idx = _idx;
    while (idx.parent().isValid() && idx.parent() != index_racine)
        idx = idx.parent();

    emit item_selected(_modele->itemFromIndex(idx), item);
}
