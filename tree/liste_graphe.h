#ifndef LISTE_GRAPHE_H
#define LISTE_GRAPHE_H

#include <QModelIndex>
#include <QTreeView>

class QStandardItem;
class QStandardItemModel;
class graphe_instance;
class graphe_solution;

// Tree of the loaded sessions under one root row; a double-click on a
// selectable row reports the row and its session row.
class liste_graphe : public QTreeView
{
    Q_OBJECT

public:
    explicit liste_graphe(QWidget *parent = nullptr);
    ~liste_graphe() override;

    QStandardItem *ajouter_session(const QString &nom);
    QStandardItem *ajouter_instance(QStandardItem *item_session, graphe_instance *instance);
    QStandardItem *ajouter_solution(QStandardItem *item_session, graphe_solution *solution);
    // "c:" + A's file name + " / " + B's, B's path in the accessible text.
    QStandardItem *ajouter_comparaison(QStandardItem *item_session, const QString &chemin_a,
                                       const QString &chemin_b);
    // "h:" + the followed solution's file name: its history of steps.
    QStandardItem *ajouter_historique(QStandardItem *item_session, const QString &chemin_solution);
    // 1: resultat is the session row holding item; 0: item is the root and
    // resultat the first session row; -1: no session yet.
    int trouver_item_session(QStandardItem *item, QStandardItem *&resultat);

    QStandardItemModel *modele() const { return _modele; }
    QStandardItem *racine() const { return _racine; }
    int numero_session() const { return _numero_session; }

signals:
    void item_selected(QStandardItem *, QStandardItem *);

public slots:
    void item_selected_slot(QModelIndex _idx);

private:
    QStandardItem *ajouter_fichier(QStandardItem *item_session, const QString &texte,
                                   const QString &icone, const QString &chemin);
    void rendre_courant(QStandardItem *item);

    QStandardItemModel *_modele;
    QStandardItem *_racine;
    int _numero_session = 1;
};

#endif
