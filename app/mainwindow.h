#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QMainWindow>

#include <memory>

class QLabel;
class QStandardItem;
class QTextEdit;
class graphe_visualisateur;
class graphic_view;
class pages_graphe;
class panneau_faits;
class rechargement;
class suivi_historique;
class choix_figure;
class registre_sessions;
class session_graphe;

namespace Ui {
class MainWindow;
}

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    QTextEdit *get_sortie_application();
    Ui::MainWindow *form() const { return ui.get(); }

    session_graphe *creer_session(const QString &nom, const QString &chemin_instance,
                                  const QString &chemin_solution);
    bool charger_session(const QString &chemin);
    // What "Ouvrir une session" does with the chosen path; start-up opens
    // its arguments through it too.
    bool ouvrir_session(const QString &chemin);
    void dessiner_graphe(graphic_view *vue, session_graphe *session, int type_graphe);

    registre_sessions &registre() { return *_registre; }
    pages_graphe &pages() { return *_pages; }
    rechargement &rechargeur() { return *_rechargement; }
    suivi_historique &historique() { return *_historique; }
    choix_figure &figure() { return *_figure; }

protected:
    void changeEvent(QEvent *e) override;

private slots:
    void on_action_ouvrir_un_fichier_triggered();
    void on_action_save_image_triggered();
    void on_action_zoom_x1_triggered();
    void on_action_zoom_x2_triggered();
    void on_action_zoom_x4_triggered();
    void on_action_zoom_x8_triggered();
    void on_action_zoom_x16_triggered();
    void on_action_comparer_triggered();
    void on_liste_item_triggered(QStandardItem *, QStandardItem *);
    void on_action_rechercher_capteur_triggered();
    void on_action_ouvrir_historique_triggered();
    void on_action_enregistrer_historique_triggered();
    void on_action_exporter_historique_triggered();

private:
    void choisir_zoom(int facteur);
    void appliquer_zoom(int facteur);
    // True when at least one graph page exists; otherwise says so.
    bool verifier_graphe();
    // The status bar, the zoom and the facts box follow the page's view.
    void suivre_page(graphe_visualisateur *page);
    // One step along the menu's zooms (sens 1 in, -1 out), through the
    // menu's own action, keeping what lies under the view's point there.
    void zoomer_d_un_cran(int sens, const QPoint &point);
    void zoomer_au_centre(int sens);
    // The session of the page on screen; null, with the status bar told,
    // when no graph page is shown.
    session_graphe *session_courante();

    std::unique_ptr<Ui::MainWindow> ui;
    std::unique_ptr<registre_sessions> _registre;
    std::unique_ptr<pages_graphe> _pages;
    // Parented to the box it writes in.
    panneau_faits *_panneau = nullptr;
    std::unique_ptr<suivi_historique> _historique;
    std::unique_ptr<rechargement> _rechargement;
    // A child of the window, which asks its dialogs.
    choix_figure *_figure = nullptr;
    // The pointer's place in the drawing, at the right of the status bar.
    QLabel *_position = nullptr;
};

#endif
