#include "application_test.h"

#include "cadre_page.h"
#include "cote_a_cote.h"
#include "pages_graphe.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QTemporaryDir>

#include <cmath>

namespace {

// The samples, and a second session of the same instance file with the
// other solution.
QTemporaryDir dossier;

QString ouvrir_exemples()
{
    copier_exemple(dossier.path(), QStringLiteral("deploiement_300"));
    copier_exemple(dossier.path(), QStringLiteral("douze_capteurs"));
    QFile::copy(QDir(VG_EXAMPLES_DIR).filePath("deploiement_300_sol_b.txt"),
                dossier.filePath("deploiement_300_sol_b.txt"));
    ecrire(dossier.filePath("deploiement_300_b.vga"),
           "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<visual_graphe name=\"B\">\n  <files>\n"
           "    <param name=\"instance\" path=\"deploiement_300.txt\"/>\n"
           "    <param name=\"solution\" path=\"deploiement_300_sol_b.txt\"/>\n  </files>\n</visual_graphe>\n");
    return dossier.path();
}

QPointF centre(graphic_view *vue)
{
    return vue->viewportTransform().inverted().map(QRectF(vue->viewport()->rect()).center());
}

// Where b's centre is from the place a's centre shows, in b's pixels.
double ecart_centres(graphic_view *a, graphic_view *b)
{
    const QPointF ecart = a->echelle()->vers(*b->echelle(), centre(a)) - centre(b);
    return std::hypot(ecart.x(), ecart.y());
}

// Ctrl+D answered with the row's text, as a user would.
void montrer_a_cote(application &app, const QString &texte)
{
    repondre_modal<QInputDialog>([texte](QInputDialog *dialogue) {
        dialogue->setTextValue(texte);
        dialogue->accept();
    });
    app.ui->action_cote_a_cote->trigger();
}

// Two pages of the samples, the second shown beside the first.
struct paire {
    graphe_visualisateur *a = nullptr;
    graphe_visualisateur *b = nullptr;
};

paire ouvrir_paire(application &app, const QString &vga_a, int ligne_a, const QString &vga_b, int ligne_b)
{
    app.ouvrir(QDir(dossier.path()).filePath(vga_a));
    if (vga_b != vga_a)
        app.ouvrir(QDir(dossier.path()).filePath(vga_b));
    QStandardItem *entree_b = app.session(vga_b != vga_a ? 1 : 0)->child(ligne_b);
    app.double_cliquer(entree_b);
    paire p;
    p.b = app.page();
    app.double_cliquer(app.session(0)->child(ligne_a), true);
    p.a = app.page();
    montrer_a_cote(app, entree_b->text());
    return p;
}

// The picture once its tiles are all painted: two grabs alike.
QImage image_stable(QWidget *zone)
{
    QImage avant;
    for (int i = 0; i < 100; ++i) {
        QImage image = zone->grab().toImage();
        if (image == avant)
            return image;
        avant = image;
        QTest::qWait(20);
    }
    return avant;
}

} // namespace

class tst_cote_a_cote : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(!ouvrir_exemples().isEmpty()); }
    void suivre_data();
    void suivre();
    void croix_sur_l_autre_page();
    void retour_a_une_page();
    void une_page_comme_le_formulaire();
};

void tst_cote_a_cote::suivre_data()
{
    QTest::addColumn<QString>("vga_a");
    QTest::addColumn<int>("ligne_a");
    QTest::addColumn<QString>("vga_b");
    QTest::addColumn<int>("ligne_b");
    QTest::addColumn<bool>("en_phase");
    QTest::newRow("instance et solution") << "deploiement_300.vga" << 0 << "deploiement_300.vga" << 1 << true;
    QTest::newRow("deux solutions") << "deploiement_300.vga" << 1 << "deploiement_300_b.vga" << 1 << true;
    QTest::newRow("deux instances") << "deploiement_300.vga" << 0 << "douze_capteurs.vga" << 0 << false;
}

void tst_cote_a_cote::suivre()
{
    QFETCH(QString, vga_a);
    QFETCH(int, ligne_a);
    QFETCH(QString, vga_b);
    QFETCH(int, ligne_b);
    QFETCH(bool, en_phase);
    application app;
    const paire p = ouvrir_paire(app, vga_a, ligne_a, vga_b, ligne_b);
    cote_a_cote &cote = app.fenetre.cote();
    QVERIFY(cote.ouvert());
    QCOMPARE(cote.en_phase(), en_phase);
    QCOMPARE(app.fenetre.findChild<QLabel *>(QStringLiteral("etat_cote_a_cote"))->isVisible(), !en_phase);
    graphic_view *va = p.a->get_graphic_view();
    graphic_view *vb = p.b->get_graphic_view();

    // A zoom from the menu, then a scroll of either page.
    app.zoomer(4);
    QCOMPARE(va->zoom(), 4);
    QCOMPARE(vb->zoom(), en_phase ? 4 : 1);
    va->horizontalScrollBar()->setValue(300);
    va->verticalScrollBar()->setValue(200);
    if (en_phase)
        QVERIFY(ecart_centres(va, vb) <= 1);
    else
        QCOMPARE(vb->horizontalScrollBar()->value(), 0);
    vb->verticalScrollBar()->setValue(100);
    QCOMPARE(va->verticalScrollBar()->value() != 200, en_phase);

    // The choice, made on either page.
    va->choisir_capteur(7);
    QCOMPARE(vb->capteur_choisi(), en_phase ? 7 : -1);
    vb->choisir_capteur(9);
    QCOMPARE(va->capteur_choisi(), en_phase ? 9 : 7);

    // The focus makes the window's commands act on the second page; the
    // zoom's mark is its own.
    QSignalSpy active(&cote, &cote_a_cote::page_active_change);
    app.fenetre.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&app.fenetre));
    vb->setFocus();
    QTRY_COMPARE(app.fenetre.pages().page_courante(), p.b);
    QCOMPARE(active.count(), 1);
    QVERIFY(cote.cote(1)->actif() && !cote.cote(0)->actif());
    QCOMPARE(app.zoom_coche(), vb->zoom());

    // A reload draws the pages again and leaves them side by side, in step.
    app.ui->action_recharger->trigger();
    QVERIFY(cote.ouvert());
    QVERIFY(!en_phase || ecart_centres(va, vb) <= 1);
    QCOMPARE(va->capteur_choisi(), en_phase ? 9 : 7);
}

void tst_cote_a_cote::croix_sur_l_autre_page()
{
    application app;
    const paire p = ouvrir_paire(app, "deploiement_300.vga", 0, "deploiement_300.vga", 1);
    graphic_view *va = p.a->get_graphic_view();
    graphic_view *vb = p.b->get_graphic_view();
    const QPoint point(120, 90);
    QMouseEvent mouvement(QEvent::MouseMove, point, va->viewport()->mapToGlobal(point), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
    QApplication::sendEvent(va->viewport(), &mouvement);
    QVERIFY(vb->croix());
    QVERIFY(!va->croix());
    QVERIFY(std::hypot(vb->croix()->x() - va->mapToScene(point).x(), vb->croix()->y() - va->mapToScene(point).y()) < 1);

    // On screen, vermilion around the place; in the saved view, nothing.
    const QPoint ici = vb->mapFromScene(*vb->croix());
    const QImage ecran = image_stable(vb->viewport());
    int vermillon = 0;
    for (int dx = -7; dx <= 7; ++dx)
        vermillon += ecran.pixelColor(ici + QPoint(dx, 0)) == QColor(213, 94, 0) ? 1 : 0;
    QVERIFY2(vermillon >= 10, qPrintable(QString::number(vermillon)));
    const QString avec = dossier.filePath("avec_croix.png");
    const QString sans = dossier.filePath("sans_croix.png");
    QVERIFY(p.b->exporter_vue(avec));
    vb->montrer_croix(std::nullopt);
    QVERIFY(p.b->exporter_vue(sans));
    QCOMPARE(QImage(avec), QImage(sans));

    QSignalSpy sorti(va, &graphic_view::pointeur_sorti);
    QApplication::sendEvent(va->viewport(), &mouvement);
    QEvent depart(QEvent::Leave);
    QApplication::sendEvent(va->viewport(), &depart);
    QCOMPARE(sorti.count(), 1);
    QVERIFY(!vb->croix());
}

void tst_cote_a_cote::retour_a_une_page()
{
    application app;
    app.ouvrir(QDir(dossier.path()).filePath("deploiement_300.vga"));
    QStandardItem *solution = app.session(0)->child(1);
    app.double_cliquer(solution);
    graphe_visualisateur *b = app.page();
    app.double_cliquer(app.session(0)->child(0), true);
    graphe_visualisateur *a = app.page();
    app.zoomer(2);
    a->get_graphic_view()->horizontalScrollBar()->setValue(150);
    a->get_graphic_view()->choisir_capteur(12);
    QWidget *zone = app.ui->frame_droit_haut;
    const QImage avant = image_stable(zone);
    const int pages = app.ui->stackedWidget->count();

    montrer_a_cote(app, solution->text());
    QVERIFY(app.fenetre.cote().ouvert());
    QCOMPARE(app.ui->stackedWidget->count(), pages);
    QVERIFY(image_stable(zone) != avant);
    app.ui->action_cote_a_cote->trigger();

    QVERIFY(!app.fenetre.cote().ouvert());
    QCOMPARE(app.ui->stackedWidget->count(), pages);
    QCOMPARE(app.page(), a);
    QCOMPARE(app.ui->stackedWidget->widget(b->get_index_page()), b);
    QCOMPARE(app.fenetre.pages().page_courante(), a);
    QCOMPARE(image_stable(zone), avant);
    // Its row brings the second page back in the stack.
    app.double_cliquer(solution, true);
    QCOMPARE(app.page(), b);
}

// With one page, the graph area is the form's own, to the pixel: the
// splitter takes the stack's room in its layout.
void tst_cote_a_cote::une_page_comme_le_formulaire()
{
    application app;
    QMainWindow nue;
    Ui::MainWindow formulaire;
    formulaire.setupUi(&nue);
    formulaire.frame_left->setMaximumWidth(9000);
    formulaire.splitter_horizontal_gauche->setSizes({200, 600});
    formulaire.splitter_vertical->setSizes({600, 180});
    nue.show();
    QVERIFY(QTest::qWaitForWindowExposed(&nue));
    for (Ui::MainWindow *ui : {app.ui, &formulaire}) {
        ui->stackedWidget->setCurrentIndex(ui->stackedWidget->addWidget(new QLabel(QStringLiteral("page"))));
    }
    for (const QSize taille : {QSize(1200, 900), QSize(700, 500)}) {
        app.fenetre.resize(taille);
        nue.resize(taille);
        QCoreApplication::processEvents();
        QCOMPARE(app.ui->frame_droit_haut->grab().toImage(), formulaire.frame_droit_haut->grab().toImage());
    }
}

QTEST_MAIN(tst_cote_a_cote)
#include "tst_cote_a_cote.moc"
