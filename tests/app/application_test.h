#ifndef APPLICATION_TEST_H
#define APPLICATION_TEST_H

#include "debug_stream.h"
#include "graphe_visualisateur.h"
#include "graphic_item_sommet.h"
#include "graphic_view.h"
#include "liste_graphe.h"
#include "mainwindow.h"
#include "repondre_dialogue.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QBrush>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QWheelEvent>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QStandardItem>
#include <QTest>

#include <iostream>
#include <memory>
#include <sstream>

// A main window whose console receives std::cout, as at start-up; std::cerr
// is kept apart, since the console does not show it.
struct application {
    std::ostringstream erreurs;
    std::streambuf *ancienne_erreur = std::cerr.rdbuf(erreurs.rdbuf());
    MainWindow fenetre;
    Ui::MainWindow *ui = fenetre.form();
    std::unique_ptr<debug_stream> console =
        std::make_unique<debug_stream>(std::cout, fenetre.get_sortie_application());

    application() { fenetre.show(); }
    ~application()
    {
        console.reset();
        std::cerr.rdbuf(ancienne_erreur);
    }
    application(const application &) = delete;
    application &operator=(const application &) = delete;

    QStringList lignes() const { return ui->sortie_application->toPlainText().split('\n'); }
    QStringList lignes_depuis(int debut) const { return lignes().mid(debut); }
    int nombre_lignes() const { return ui->sortie_application->toPlainText().isEmpty() ? 0 : lignes().size(); }
    int compter(const QString &debut) const
    {
        int n = 0;
        for (const QString &l : lignes())
            n += l.startsWith(debut) ? 1 : 0;
        return n;
    }
    QString texte_erreurs() const { return QString::fromLocal8Bit(erreurs.str().c_str()); }
    QStandardItem *session(int i) const { return ui->treeView->racine()->child(i); }

    void ouvrir(const QString &chemin)
    {
        repondre_dialogue(chemin);
        ui->action_ouvrir_un_fichier->trigger();
    }
    // A user's double-click is a click followed by the double-click event.
    // QTest's mouse clock does not follow real time: a click on the root row
    // first keeps two double-clicks on one row from merging.
    void double_cliquer(QStandardItem *item, bool racine_avant = false)
    {
        QWidget *zone = ui->treeView->viewport();
        const QPoint centre = ui->treeView->visualRect(item->index()).center();
        if (racine_avant)
            QTest::mouseClick(zone, Qt::LeftButton, {},
                              ui->treeView->visualRect(ui->treeView->racine()->index()).center());
        QTest::mouseClick(zone, Qt::LeftButton, {}, centre);
        QTest::mouseDClick(zone, Qt::LeftButton, {}, centre);
    }
    graphe_visualisateur *page() const
    {
        return qobject_cast<graphe_visualisateur *>(ui->stackedWidget->currentWidget());
    }
    graphic_view *vue() const { return page()->get_graphic_view(); }
    // Ctrl+F answered with this number as a user would; what the dialog
    // asked, as "title|label|minimum|maximum".
    QString rechercher(int capteur)
    {
        auto demande = std::make_shared<QString>();
        repondre_modal<QInputDialog>([demande, capteur](QInputDialog *dialogue) {
            *demande = QStringLiteral("%1|%2|%3|%4")
                           .arg(dialogue->windowTitle(), dialogue->labelText())
                           .arg(dialogue->intMinimum())
                           .arg(dialogue->intMaximum());
            dialogue->setIntValue(capteur);
            dialogue->accept();
        });
        ui->action_rechercher_capteur->trigger();
        return *demande;
    }
    // One notch of the wheel with Ctrl held, over a point of the drawing.
    void molette(const QPoint &point, int crans)
    {
        QWidget *zone = vue()->viewport();
        QWheelEvent roue(point, zone->mapToGlobal(point), QPoint(), QPoint(0, crans * 120), Qt::NoButton,
                         Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(zone, &roue);
    }
    // The pointer's place as the status bar shows it.
    QString position() const { return fenetre.findChild<QLabel *>(QStringLiteral("position_pointeur"))->text(); }
    void zoomer(int facteur)
    {
        fenetre.findChild<QAction *>(QStringLiteral("action_zoom_x%1").arg(facteur))->trigger();
    }
    // The checked zoom factor, or minus the number of checked marks when
    // there is not exactly one.
    int zoom_coche() const
    {
        const QList<QAction *> zooms{ui->action_zoom_x1, ui->action_zoom_x2, ui->action_zoom_x4,
                                     ui->action_zoom_x8, ui->action_zoom_x16};
        int coche = 0;
        int nombre = 0;
        for (int i = 0; i < zooms.size(); ++i) {
            if (zooms.at(i)->isChecked()) {
                coche = 1 << i;
                ++nombre;
            }
        }
        return nombre == 1 ? coche : -nombre;
    }
};

// The drawing's information line, empty without one.
inline QString texte_info(graphic_view *vue)
{
    for (QGraphicsItem *item : vue->scene()->items()) {
        if (auto *texte = qgraphicsitem_cast<QGraphicsTextItem *>(item)) {
            if (texte->toPlainText().startsWith(QLatin1String("Graphe [")))
                return texte->toPlainText();
        }
    }
    return QString();
}

inline bool ecrire(const QString &chemin, const QByteArray &contenu)
{
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(contenu) == contenu.size();
}

// Copies the sample session <nom>.vga with its two files into a folder;
// returns the copy's session path.
inline QString copier_exemple(const QString &dossier, const QString &nom)
{
    for (const QString &fichier : {nom + ".vga", nom + ".txt", nom + "_sol.txt"})
        QFile::copy(QDir(VG_EXAMPLES_DIR).filePath(fichier), QDir(dossier).filePath(fichier));
    return QDir(dossier).filePath(nom + ".vga");
}

inline int nombre_de_fond(graphic_view *vue, const QColor &fond)
{
    int n = 0;
    for (graphic_item_sommet *sommet : vue->liste_sommets())
        n += sommet->brush().color() == fond ? 1 : 0;
    return n;
}

inline QPointF centre_vue(graphic_view *vue)
{
    return vue->mapToScene(vue->viewport()->rect().center());
}

#endif
