#ifndef GRAPHE_VISUALISATEUR_H
#define GRAPHE_VISUALISATEUR_H

#include "ui_graphe_visualisateur.h"

#include <QDialog>

#include <functional>

class QStandardItem;
class graphic_view;

// Holds one drawn graph as a page of the main window and exports it.
class graphe_visualisateur : public QDialog, public Ui::graphe_visualisateur
{
    Q_OBJECT

public:
    explicit graphe_visualisateur(QWidget *parent = nullptr);
    ~graphe_visualisateur() override;

    graphic_view *get_graphic_view();
    QStandardItem *&get_item_session() { return item_session; }
    // Places a widget (a history's bar) under the drawing; the page owns it.
    void ajouter_sous_le_dessin(QWidget *widget);
    int &get_index_page() { return index_page; }

    // Asks for a file name, then exports; false when the chosen file could
    // not be written, which the console is told with the reason. Cancelling
    // is no failure.
    bool sauvegarder_image();
    // Writes the whole drawing in the format named by the file's suffix:
    // an image of one pixel per unit, an SVG or PDF drawing, a DOT graph,
    // or with .graphml, .gexf or .cyjs the records drawn. When it cannot,
    // `raison` says why.
    bool exporter_image(const QString &nom_fichier, QString *raison = nullptr);
    // What the view shows at its zoom, in the format the name asks for.
    bool exporter_vue(const QString &nom_fichier, QString *raison = nullptr);
    // Asks for a file and writes what the view shows; false when it fails.
    bool sauvegarder_vue();

    // Writes what the page draws as a network file; given by whoever knows
    // the records behind the drawing.
    using ecriture_reseau = std::function<bool(const QString &nom_fichier, QString *raison)>;
    void set_ecriture_reseau(ecriture_reseau ecriture) { _ecriture_reseau = std::move(ecriture); }

protected:
    void changeEvent(QEvent *e) override;
    // A file name from the save dialog, given its filter's suffix when typed without one.
    QString demander_nom(const QString &filtres);

private:
    QStandardItem *item_session = nullptr;
    int index_page = 0;
    ecriture_reseau _ecriture_reseau;
};

#endif
