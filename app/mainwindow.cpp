#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "chargeur_session.h"
#include "choix_figure.h"
#include "constructeur_scene.h"
#include "curseur_attente.h"
#include "graphe_instance.h"
#include "graphe_visualisateur.h"
#include "barre_historique.h"
#include "ecriture_historique.h"
#include "export_historique.h"
#include "graphique_historique.h"
#include "historique_solutions.h"
#include "graphic_view.h"
#include "pages_graphe.h"
#include "panneau_faits.h"
#include "rechargement.h"
#include "registre_sessions.h"
#include "session_graphe.h"
#include "sujet_session.h"
#include "suivi_historique.h"

#include <QFileDialog>
#include <QBoxLayout>
#include <QGridLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QIcon>
#include <QInputDialog>
#include <QLabel>
#include <QStandardItem>
#include <QScrollBar>

#include <algorithm>
#include <iostream>

namespace {

// A chart that reads at a glance, under the facts.
constexpr int hauteur_graphique = 240;
constexpr int duree_message_ms = 1500;

// The tree's slot keeps the on_..._triggered name the window has always
// given it, though the form has no object "liste" for the automatic
// connection to find; it is connected by hand, and the one warning that
// name draws while the form is set up is dropped. Every other message passes.
QtMessageHandler message_suivant = nullptr;

void taire_slot_de_la_liste(QtMsgType type, const QMessageLogContext &contexte, const QString &message)
{
    if (qstrcmp(contexte.category, "qt.core.qmetaobject.connectslotsbyname") == 0
        && message.contains(QLatin1String("on_liste_item_triggered")))
        return;
    message_suivant(type, contexte, message);
}

void installer_formulaire(Ui::MainWindow &ui, MainWindow *fenetre)
{
    message_suivant = qInstallMessageHandler(taire_slot_de_la_liste);
    ui.setupUi(fenetre);
    qInstallMessageHandler(message_suivant);
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent),
      ui(std::make_unique<Ui::MainWindow>()),
      _registre(std::make_unique<registre_sessions>())
{
    Q_INIT_RESOURCE(icone_application);
    installer_formulaire(*ui, this);
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
        *_registre, ui->treeView, ui->stackedWidget, ui->statusBar,
        pages_graphe::actions_zoom{ui->action_zoom_x1, ui->action_zoom_x2, ui->action_zoom_x4,
                                   ui->action_zoom_x8, ui->action_zoom_x16});
    _registre->compteur_sessions() = 0;
    // The chart of a history's steps under the tree, above the facts box,
    // whose frame is kept a few lines high: shown on a history page only.
    auto *graphique = new graphique_historique(ui->treeView->parentWidget());
    graphique->setObjectName(QStringLiteral("graphique_historique"));
    graphique->setMinimumHeight(hauteur_graphique);
    if (auto *colonne = qobject_cast<QBoxLayout *>(ui->treeView->parentWidget()->layout()))
        colonne->insertWidget(colonne->indexOf(ui->treeView) + 1, graphique);
    _panneau = new panneau_faits(ui->zone_info_boite, ui->stackedWidget, *_pages, graphique);
    _historique = std::make_unique<suivi_historique>(*_registre, *_pages, *_panneau, ui->treeView);
    _rechargement = std::make_unique<rechargement>(*_registre, *_pages, *_panneau, ui->treeView, *_historique);
    connect(ui->action_garder_historique, &QAction::toggled, _historique.get(), &suivi_historique::garder);
    connect(_panneau, &panneau_faits::etape_choisie, _historique.get(), &suivi_historique::aller);
    _figure = new choix_figure(*_pages,
                               {ui->action_legende, ui->action_barre_echelle, ui->action_defauts, ui->action_colorer,
                                ui->action_style_habituel, ui->action_style_daltonien},
                               this);
    connect(ui->action_enregistrer_vue, &QAction::triggered, this, [this] {
        if (graphe_visualisateur *page = _pages->page_courante())
            page->sauvegarder_vue();
        else
            _pages->dire_aucun_graphe();
    });

    _position = new QLabel(this);
    _position->setObjectName(QStringLiteral("position_pointeur"));
    ui->statusBar->addPermanentWidget(_position);
    // Zoom in and out from the keyboard, around the view's centre.
    auto *avant = new QAction(this);
    avant->setObjectName(QStringLiteral("action_zoom_avant"));
    avant->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(avant, &QAction::triggered, this, [this] { zoomer_au_centre(1); });
    auto *arriere = new QAction(this);
    arriere->setObjectName(QStringLiteral("action_zoom_arriere"));
    arriere->setShortcuts(QKeySequence::ZoomOut);
    connect(arriere, &QAction::triggered, this, [this] { zoomer_au_centre(-1); });
    addActions({avant, arriere});

    // "Exit" closes the only window, which ends the event loop normally.
    connect(ui->actionExit_2, &QAction::triggered, this, &QWidget::close);
    connect(ui->action_recharger, &QAction::triggered, this,
            [this] { _rechargement->recharger_page_courante(); });
    connect(ui->action_recharger_auto, &QAction::toggled, this,
            [this](bool actif) { _rechargement->surveillance().activer(actif); });
    connect(ui->treeView, &liste_graphe::item_selected, this, &MainWindow::on_liste_item_triggered);
    // Every graph page, however it came on screen, reports to the window.
    // (A new page comes on screen before the pages know its row.)
    connect(ui->stackedWidget, &QStackedWidget::currentChanged, this, [this] {
        if (auto *page = qobject_cast<graphe_visualisateur *>(ui->stackedWidget->currentWidget()))
            suivre_page(page);
    });
}

MainWindow::~MainWindow()
{
    // Nothing follows the files of sessions that are going; sessions go
    // before the pages that show them.
    _rechargement.reset();
    _historique.reset();
    _pages->oublier_sessions();
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
    construire_scene(vue, sujet_de(session, type_graphe));
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
    _pages->ouvrir(item_session, entree);
    _panneau->suivre();
}

void MainWindow::suivre_page(graphe_visualisateur *page)
{
    graphic_view *vue = page->get_graphic_view();
    connect(vue, &graphic_view::position_pointee, _position, &QLabel::setText, Qt::UniqueConnection);
    connect(vue, &graphic_view::zoom_demande, this, &MainWindow::zoomer_d_un_cran, Qt::UniqueConnection);
    connect(vue, &graphic_view::capteur_choisi_change, _panneau, &panneau_faits::suivre, Qt::UniqueConnection);
}

void MainWindow::on_action_rechercher_capteur_triggered()
{
    graphe_visualisateur *page = _pages->page_courante();
    session_graphe *session = _pages->session_de(page);
    graphe_instance *instance = session ? session->instance().get() : nullptr;
    graphic_view *vue = page ? page->get_graphic_view() : nullptr;
    if (!vue || !instance || vue->liste_sommets().empty()) {
        _pages->dire_aucun_graphe();
        return;
    }
    bool ok = false;
    const int capteur =
        QInputDialog::getInt(this, tr("Rechercher un capteur"), tr("Numéro du capteur :"),
                             std::max(vue->capteur_choisi(), 0), 0, instance->nb_sensors() - 1, 1, &ok);
    // A sensor whose line was never read has no vertex.
    if (ok && !vue->montrer_capteur(capteur))
        ui->statusBar->showMessage(tr("Capteur %1 absent du dessin").arg(capteur), duree_message_ms);
}

void MainWindow::zoomer_au_centre(int sens)
{
    graphe_visualisateur *page = _pages->page_courante();
    zoomer_d_un_cran(sens, page ? page->get_graphic_view()->viewport()->rect().center() : QPoint());
}

void MainWindow::zoomer_d_un_cran(int sens, const QPoint &point)
{
    graphe_visualisateur *page = _pages->page_courante();
    if (!page) {
        _pages->dire_aucun_graphe();
        return;
    }
    graphic_view *vue = page->get_graphic_view();
    const int courant = rang_zoom(vue->zoom());
    const int rang = courant + sens;
    if (courant < 0 || rang < 0 || rang >= int(facteurs_zoom.size()))
        return;
    const QPointF avant = vue->mapToScene(point);
    const QSizeF taille(vue->largeur_scene(), vue->hauteur_scene());
    _pages->zooms()[std::size_t(rang)]->trigger();
    if (vue->zoom() != facteurs_zoom[std::size_t(rang)])
        return;
    // The drawing grew or shrank with its area: the same place, scaled,
    // goes back under the point.
    const QPointF apres(avant.x() * vue->largeur_scene() / taille.width(),
                        avant.y() * vue->hauteur_scene() / taille.height());
    const QPoint ecart = vue->mapFromScene(apres) - point;
    vue->horizontalScrollBar()->setValue(vue->horizontalScrollBar()->value() + ecart.x());
    vue->verticalScrollBar()->setValue(vue->verticalScrollBar()->value() + ecart.y());
}

bool MainWindow::verifier_graphe()
{
    if (ui->stackedWidget->count() > 2)
        return true;
    std::cout << std::endl << "Erreur : non graphe..." << std::endl;
    ui->statusBar->showMessage(tr("Erreur : non graphe.."), duree_message_ms);
    return false;
}

void MainWindow::on_action_save_image_triggered()
{
    if (!verifier_graphe())
        return;
    if (auto *page = qobject_cast<graphe_visualisateur *>(ui->stackedWidget->currentWidget())) {
        if (!page->sauvegarder_image())
            ui->statusBar->showMessage(tr("Image non enregistrée"), duree_message_ms);
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

    _pages->redessiner(page, facteur, pages_graphe::cadrage::haut_gauche);
}

void MainWindow::on_action_comparer_triggered()
{
    QWidget *page = _pages->page_solution();
    if (!page)
        return;
    const QString chemin = QFileDialog::getOpenFileName(this, tr("Choisir la solution à comparer"), QString(),
                                                        tr("Solutions (*.txt);;Tous les fichiers (*)"));
    if (chemin.isEmpty())
        return;
    if (_pages->comparer(page, chemin))
        _panneau->suivre();
}

session_graphe *MainWindow::session_courante()
{
    session_graphe *session = _pages->session_de(_pages->page_courante());
    if (!session)
        _pages->dire_aucun_graphe();
    return session;
}

void MainWindow::on_action_ouvrir_historique_triggered()
{
    session_graphe *session = session_courante();
    if (!session)
        return;
    QFileDialog dialogue(this, tr("Ouvrir un historique"), QString(), tr("Solutions (*.txt);;Tous les fichiers (*)"));
    dialogue.setFileMode(QFileDialog::ExistingFiles);
    // Qt's own dialog, which takes a button of ours: the folder shown
    // stands for its solution files.
    dialogue.setOption(QFileDialog::DontUseNativeDialog);
    QStringList chemins;
    auto *dossier = new QPushButton(tr("Choisir ce dossier"), &dialogue);
    connect(dossier, &QPushButton::clicked, &dialogue, [&dialogue, &chemins] {
        chemins = {dialogue.directory().absolutePath()};
        static_cast<QDialog &>(dialogue).done(QDialog::Accepted);
    });
    if (auto *grille = qobject_cast<QGridLayout *>(dialogue.layout()))
        grille->addWidget(dossier, grille->rowCount(), 0, 1, grille->columnCount());
    if (dialogue.exec() != QDialog::Accepted)
        return;
    if (chemins.isEmpty())
        chemins = dialogue.selectedFiles();
    const curseur_attente attente;
    _historique->ajouter_fichiers(*session, chemins);
}

void MainWindow::on_action_enregistrer_historique_triggered()
{
    session_graphe *session = session_courante();
    if (!session)
        return;
    const historique_solutions &historique = session->historique();
    if (historique.taille() == 0) {
        ui->statusBar->showMessage(tr("Aucun historique"), duree_message_ms);
        return;
    }
    const QString dossier = QFileDialog::getExistingDirectory(this, tr("Enregistrer l'historique dans"));
    if (dossier.isEmpty())
        return;
    const curseur_attente attente;
    QString raison;
    const QString nom = nom_historique(historique.etape(historique.taille() - 1).fichier);
    if (!enregistrer_historique(historique, dossier, nom, &raison))
        std::cout << QStringLiteral("Erreur : historique non enregistré, %1").arg(raison).toLocal8Bit().constData()
                  << std::endl;
}

void MainWindow::on_action_exporter_historique_triggered()
{
    session_graphe *session = session_courante();
    if (!session || !session->instance())
        return;
    if (session->historique().taille() == 0) {
        ui->statusBar->showMessage(tr("Aucun historique"), duree_message_ms);
        return;
    }
    QString filtre = tr("Animation GIF (*.gif)");
    const QString nom = QFileDialog::getSaveFileName(
        this, tr("Exporter l'historique"), QString(),
        tr("Animation GIF (*.gif);;Vidéo MP4 (*.mp4);;Faits JSON (*.json);;Bande d'étapes PNG (*.png);;"
           "Bande d'étapes SVG (*.svg);;Bande d'étapes PDF (*.pdf)"),
        &filtre);
    if (nom.isEmpty())
        return;
    options_historique options;
    graphic_view *vue = _pages->page_courante()->get_graphic_view();
    options.zoom = vue->zoom();
    options.police = vue->viewport()->font();
    options.ppp = vue->viewport()->logicalDpiY();
    if (auto *barre = _historique->barre_de(_pages->page_courante()))
        options.images_par_seconde = barre->vitesse_lecture();
    // A strip for a paper: six steps, or every one of a shorter history.
    constexpr int cellules_bande = 6;
    if (genre_historique_du_nom(nom, 0) == genre_historique::inconnu)
        options.bande = cellules_bande;
    const curseur_attente attente;
    QString raison;
    if (!exporter_historique(*session->instance(), session->historique(), nom, options, &raison))
        std::cout << QStringLiteral("Erreur : historique non exporté, %1").arg(raison).toLocal8Bit().constData()
                  << std::endl;
}
