#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "chargeur_session.h"
#include "constructeur_scene.h"
#include "curseur_attente.h"
#include "graphe_visualisateur.h"
#include "graphic_view.h"
#include "pages_graphe.h"
#include "registre_sessions.h"

#include <QFileDialog>
#include <QIcon>
#include <QStandardItem>
#include <QScrollBar>

#include <iostream>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent),
      ui(std::make_unique<Ui::MainWindow>()),
      _registre(std::make_unique<registre_sessions>())
{
    Q_INIT_RESOURCE(icone_application);
    ui->setupUi(this);
    // The desktop entry's icon, so the window matches the menu.
    QIcon icone;
    for (int taille : {16, 32, 48, 64, 128, 256})
        icone.addFile(QStringLiteral(":/icones/%1.png").arg(taille), QSize(taille, taille));
    setWindowIcon(icone);
    // The form caps the left pane at 250; let the splitter widen it freely.
    ui->frame_left->setMaximumWidth(9000);
    ui->splitter_horizontal_gauche->setSizes({200, 600});
    ui->splitter_vertical->setSizes({600, 180});

    _pages = std::make_unique<pages_graphe>(
        ui->stackedWidget, ui->statusBar,
        pages_graphe::actions_zoom{ui->action_zoom_x1, ui->action_zoom_x2, ui->action_zoom_x4,
                                   ui->action_zoom_x8, ui->action_zoom_x16});
    _registre->compteur_sessions() = 0;

    // "Exit" closes the only window, which ends the event loop normally.
    connect(ui->actionExit_2, &QAction::triggered, this, &QWidget::close);
    connect(ui->treeView, &liste_graphe::item_selected, this, &MainWindow::on_liste_item_triggered);
}

MainWindow::~MainWindow()
{
    // Sessions go before the pages that show them.
    _registre->liberer();
    ui.reset();
}

QTextEdit *MainWindow::get_sortie_application()
{
    return ui->sortie_application;
}

void MainWindow::changeEvent(QEvent *e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

session_graphe *MainWindow::creer_session(const QString &nom, const QString &chemin_instance,
                                          const QString &chemin_solution)
{
    return _registre->creer_session(ui->treeView, nom, chemin_instance, chemin_solution);
}

bool MainWindow::charger_session(const QString &chemin)
{
    const curseur_attente attente;
    return ::charger_session(*_registre, ui->treeView, chemin);
}

void MainWindow::dessiner_graphe(graphic_view *vue, session_graphe *session, int type_graphe)
{
    construire_scene(vue, session, type_graphe);
}

void MainWindow::on_action_ouvrir_un_fichier_triggered()
{
    const QString chemin = QFileDialog::getOpenFileName(
        this, tr("Ouvrir une instance"), QString(),
        tr("visualisation du graphe XXX(*.vga);;Tous les fichiers (*)"));
    if (chemin.isEmpty())
        return;
    ouvrir_session(chemin);
}

bool MainWindow::ouvrir_session(const QString &chemin)
{
    std::cout << "Ouvrir le fichier : " << chemin.toLocal8Bit().constData() << std::endl;
    return charger_session(chemin);
}

void MainWindow::on_liste_item_triggered(QStandardItem *item_session, QStandardItem *entree)
{
    _pages->ouvrir(*_registre, item_session, entree);
}

bool MainWindow::verifier_graphe()
{
    if (ui->stackedWidget->count() > 2)
        return true;
    std::cout << std::endl << "Erreur : non graphe..." << std::endl;
    ui->statusBar->showMessage(tr("Erreur : non graphe.."), 1500);
    return false;
}

void MainWindow::on_action_save_image_triggered()
{
    if (!verifier_graphe())
        return;
    if (auto *page = qobject_cast<graphe_visualisateur *>(ui->stackedWidget->currentWidget())) {
        if (!page->sauvegarder_image())
            ui->statusBar->showMessage(tr("Image non enregistrée"), 1500);
    }
}

void MainWindow::on_action_zoom_x1_triggered() { choisir_zoom(1); }
void MainWindow::on_action_zoom_x2_triggered() { choisir_zoom(2); }
void MainWindow::on_action_zoom_x4_triggered() { choisir_zoom(4); }
void MainWindow::on_action_zoom_x8_triggered() { choisir_zoom(8); }
void MainWindow::on_action_zoom_x16_triggered() { choisir_zoom(16); }

void MainWindow::choisir_zoom(int facteur)
{
    // The marks change first, even when there is nothing to zoom.
    _pages->cocher_zoom(facteur);
    appliquer_zoom(facteur);
}

void MainWindow::appliquer_zoom(int facteur)
{
    if (!verifier_graphe())
        return;
    auto *page = qobject_cast<graphe_visualisateur *>(ui->stackedWidget->currentWidget());
    if (!page)
        return;
    graphic_view *vue = page->get_graphic_view();
    if (vue->zoom() == facteur)
        return;

    const curseur_attente attente;
    vue->vider();
    vue->set_zoom(facteur);

    QStandardItem *entree = _pages->item_par_fenetre().value(page, nullptr);
    QStandardItem *item_session = nullptr;
    if (!entree || ui->treeView->trouver_item_session(entree, item_session) != 1) {
        std::cout << "Erreur : obtenir le idx session" << std::endl;
        return;
    }
    session_graphe *session = _registre->session_par_item().value(item_session, nullptr);
    if (!session)
        return;

    dessiner_graphe(vue, session, type_graphe_pour(entree));
    vue->verticalScrollBar()->setValue(0);
    vue->horizontalScrollBar()->setValue(0);
}
