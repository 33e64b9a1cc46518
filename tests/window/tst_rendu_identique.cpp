#include "capture_flux.h"
#include "constructeur_scene.h"
#include "generateur_reseau.h"
#include "graphe_instance.h"
#include "graphe_visualisateur.h"
#include "graphic_item_arc.h"
#include "graphic_item_sommet.h"
#include "graphic_view.h"
#include "session_graphe.h"
#include "sujet_session.h"

#include <QFile>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QImage>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <typeinfo>

namespace {

const QString exemples = QStringLiteral(VG_EXAMPLES_DIR);

// Everything a test or a user can read of the scene, item by item, in the
// scene's own order.
QStringList decrire(QGraphicsScene *scene)
{
    QStringList lignes;
    for (QGraphicsItem *item : scene->items(Qt::AscendingOrder)) {
        QString ligne = QStringLiteral("%1 %2 pos(%3,%4) z%5 vis%6 op%7 parent%8 br(%9) tip[%10]")
                            .arg(QString::fromLatin1(typeid(*item).name()))
                            .arg(item->type())
                            .arg(item->pos().x())
                            .arg(item->pos().y())
                            .arg(item->zValue())
                            .arg(item->isVisible())
                            .arg(item->opacity())
                            .arg(item->parentItem() ? item->parentItem()->type() : 0)
                            .arg(QStringLiteral("%1 %2 %3 %4")
                                     .arg(item->boundingRect().x())
                                     .arg(item->boundingRect().y())
                                     .arg(item->boundingRect().width())
                                     .arg(item->boundingRect().height()))
                            .arg(item->toolTip());
        if (auto *forme = dynamic_cast<QAbstractGraphicsShapeItem *>(item))
            ligne += QStringLiteral(" pen%1/%2/%3/%4 brush%5/%6")
                         .arg(forme->pen().color().name(QColor::HexArgb))
                         .arg(forme->pen().style())
                         .arg(forme->pen().widthF())
                         .arg(forme->pen().isCosmetic())
                         .arg(forme->brush().color().name(QColor::HexArgb))
                         .arg(forme->brush().style());
        if (auto *ligne_item = dynamic_cast<QGraphicsLineItem *>(item))
            ligne += QStringLiteral(" line(%1,%2,%3,%4) pen%5/%6/%7/%8")
                         .arg(ligne_item->line().x1())
                         .arg(ligne_item->line().y1())
                         .arg(ligne_item->line().x2())
                         .arg(ligne_item->line().y2())
                         .arg(ligne_item->pen().color().name(QColor::HexArgb))
                         .arg(ligne_item->pen().style())
                         .arg(ligne_item->pen().widthF())
                         .arg(ligne_item->pen().isCosmetic());
        if (auto *texte = dynamic_cast<QGraphicsTextItem *>(item))
            ligne += QStringLiteral(" text[%1] %2").arg(texte->toPlainText(), texte->defaultTextColor().name());
        if (auto *sommet = dynamic_cast<graphic_item_sommet *>(item))
            ligne += QStringLiteral(" id%1 in%2 out%3")
                         .arg(sommet->id())
                         .arg(sommet->arcs_entrants().size())
                         .arg(sommet->arcs_sortants().size());
        lignes << ligne;
    }
    return lignes;
}

// What one drawing shows: the view painted again and again, also without
// the view's skipping of the painter's state, and after a drag, the exports
// before and after the drag, the scene and the console.
struct rendu
{
    QImage ecran;
    QImage ecran_repeint;
    QImage ecran_etat_sauve;
    QImage export_avant;
    QImage apres_glisser;
    QImage export_apres;
    // Sensor 5 found and chosen, then cleared: the screen as the partial
    // repaints left it and as a full repaint paints it, and the export.
    QImage vu_choix;
    QImage choix_repeint;
    QImage export_choix;
    QImage vu_apres_choix;
    QImage apres_choix_repeint;
    QStringList scene;
    QStringList console;
    QPointF coin_dernier;
    QColor fond_dernier;
    // Where the viewport showed the drawing: its top-left scene point, at
    // the first paint, once centred on sensor 5, after the drag, and after
    // a zoom to another factor and back.
    QPoint coin_ecran;
    QPoint coin_choix;
    QPoint coin_glisser;
    QImage apres_aller_retour;
    QPoint coin_aller_retour;
};

// What the screen holds of a widget, as its last repaints left it.
QImage vu(QWidget *zone)
{
    QCoreApplication::processEvents();
    const QPoint coin = zone->mapTo(zone->window(), QPoint(0, 0));
    return zone->screen()
        ->grabWindow(zone->window()->winId(), coin.x(), coin.y(), zone->width(), zone->height())
        .toImage();
}

// Every vertex asked for its label, which makes it.
void demander_etiquettes(graphic_view *vue)
{
    for (graphic_item_sommet *sommet : vue->liste_sommets())
        if (!sommet->etiquette())
            qFatal("a vertex of the drawing has no label");
}

// The drawing with its labels left to their first use, or all of them
// asked for as soon as it is built, and again after the drag.
rendu dessiner(session_graphe &session, int type_graphe, int zoom, bool etiquettes)
{
    rendu r;
    QTemporaryDir dossier;
    capture_flux console;
    {
        graphe_visualisateur fenetre;
        fenetre.resize(520, 400);
        graphic_view *vue = fenetre.get_graphic_view();
        vue->set_zoom(zoom);
        construire_scene(vue, sujet_de(&session, type_graphe));
        if (etiquettes)
            demander_etiquettes(vue);
        fenetre.show();
        if (!QTest::qWaitForWindowExposed(&fenetre))
            qFatal("the window was never exposed");
        QWidget *zone = vue->viewport();
        auto coin = [vue] { return vue->mapToScene(0, 0).toPoint(); };
        r.ecran = zone->grab().toImage();
        r.coin_ecran = coin();
        r.ecran_repeint = zone->grab().toImage();
        if (!vue->optimizationFlags().testFlag(QGraphicsView::DontSavePainterState))
            qFatal("the view saves the painter's state around each item");
        vue->setOptimizationFlag(QGraphicsView::DontSavePainterState, false);
        r.ecran_etat_sauve = zone->grab().toImage();
        vue->setOptimizationFlag(QGraphicsView::DontSavePainterState, true);
        const QString avant = dossier.filePath(QStringLiteral("avant.png"));
        fenetre.exporter_image(avant);
        r.export_avant.load(avant);
        vue->montrer_capteur(5);
        r.vu_choix = vu(zone);
        zone->update();
        r.choix_repeint = vu(zone);
        const QString choix = dossier.filePath(QStringLiteral("choix.png"));
        fenetre.exporter_image(choix);
        r.export_choix.load(choix);
        vue->choisir_capteur(-1);
        r.vu_apres_choix = vu(zone);
        zone->update();
        r.apres_choix_repeint = vu(zone);
        r.coin_choix = coin();
        r.coin_dernier = vue->liste_sommets().back()->pos();
        r.fond_dernier = vue->liste_sommets().back()->brush().color();

        // Drag whatever vertex lies on top at vertex 5's centre.
        const QPoint depart = vue->mapFromScene(vue->liste_sommets().at(5)->pos() + QPointF(11, 11));
        QTest::mousePress(zone, Qt::LeftButton, {}, depart);
        QTest::mouseMove(zone, depart + QPoint(17, 9));
        QTest::mouseRelease(zone, Qt::LeftButton, {}, depart + QPoint(17, 9));
        QCoreApplication::processEvents();
        if (etiquettes)
            demander_etiquettes(vue);
        r.apres_glisser = zone->grab().toImage();
        r.coin_glisser = coin();
        const QString apres = dossier.filePath(QStringLiteral("apres.png"));
        fenetre.exporter_image(apres);
        r.export_apres.load(apres);
        r.scene = decrire(vue->scene());

        // Drawn again at another zoom and back, from the records: the drag
        // is undone, the tiles of the other zoom are gone.
        for (int facteur : {zoom == 16 ? 1 : 16, zoom}) {
            vue->vider();
            vue->set_zoom(facteur);
            construire_scene(vue, sujet_de(&session, type_graphe));
            r.apres_aller_retour = zone->grab().toImage();
        }
        r.coin_aller_retour = coin();
    }
    r.console = console.lignes();
    return r;
}

int pixels_de(const QImage &image, QRgb couleur)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            n += rgb.pixel(x, y) == couleur;
    return n;
}

QString differences(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return QStringLiteral("sizes differ");
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    QPoint premier;
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i)
            if (x.pixel(i, j) != y.pixel(i, j) && n++ == 0)
                premier = QPoint(i, j);
    return n ? QStringLiteral("%1 pixels differ, first at (%2, %3)").arg(n).arg(premier.x()).arg(premier.y())
             : QString();
}

// Pixels of the topmost vertex's inside that are not its fill: the glyphs
// of its number, which the comparisons must cover.
int pixels_du_numero(const QImage &image, QPointF coin, const QColor &fond)
{
    const QPoint centre = (coin + QPointF(11, 11)).toPoint();
    int n = 0;
    for (int j = -7; j <= 7; ++j)
        for (int i = -7; i <= 7; ++i)
            n += i * i + j * j <= 49 && image.pixelColor(centre + QPoint(i, j)) != fond;
    return n;
}

std::unique_ptr<session_graphe> lire(const QString &instance, const QString &solution)
{
    capture_flux console;
    auto session = std::make_unique<session_graphe>();
    if (!session->lire_instance(instance) || !session->lire_solution(solution))
        return nullptr;
    return session;
}

} // namespace

class tst_rendu_identique : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void memes_pixels_data();
    void memes_pixels();

private:
    QTemporaryDir _dossier;
};

void tst_rendu_identique::initTestCase()
{
    // A network with five-digit numbers, whose glyphs run past the circles.
    parametres_reseau p;
    p.nb_capteurs = 10500;
    p.degre_moyen = 6.0;
    p.graine = 3;
    const reseau_genere reseau = generer_reseau(p);
    QVERIFY(!reseau.instance.isEmpty());
    QFile instance(_dossier.filePath(QStringLiteral("reseau.txt")));
    QFile solution(_dossier.filePath(QStringLiteral("reseau_sol.txt")));
    QVERIFY(instance.open(QIODevice::WriteOnly) && instance.write(reseau.instance) == reseau.instance.size());
    QVERIFY(solution.open(QIODevice::WriteOnly) && solution.write(reseau.solution) == reseau.solution.size());
}

void tst_rendu_identique::memes_pixels_data()
{
    QTest::addColumn<QString>("instance");
    QTest::addColumn<QString>("solution");
    QTest::addColumn<int>("type_graphe");
    QTest::addColumn<int>("zoom");
    const QString d300 = exemples + QStringLiteral("/deploiement_300");
    const QString d12 = exemples + QStringLiteral("/douze_capteurs");
    const QString grand = _dossier.filePath(QStringLiteral("reseau"));
    for (int zoom : {1, 2}) {
        const QByteArray x = " x" + QByteArray::number(zoom);
        QTest::newRow("300 capteurs, instance" + x) << d300 + ".txt" << d300 + "_sol.txt" << 1 << zoom;
        QTest::newRow("300 capteurs, solution" + x) << d300 + ".txt" << d300 + "_sol.txt" << 2 << zoom;
        QTest::newRow("douze capteurs, instance" + x) << d12 + ".txt" << d12 + "_sol.txt" << 1 << zoom;
        QTest::newRow("douze capteurs, solution" + x) << d12 + ".txt" << d12 + "_sol.txt" << 2 << zoom;
        QTest::newRow("10500 capteurs, solution" + x) << grand + ".txt" << grand + "_sol.txt" << 2 << zoom;
    }
    for (int zoom : {4, 8, 16}) {
        const QByteArray x = " x" + QByteArray::number(zoom);
        QTest::newRow("300 capteurs, solution" + x) << d300 + ".txt" << d300 + "_sol.txt" << 2 << zoom;
    }
}

void tst_rendu_identique::memes_pixels()
{
    QFETCH(QString, instance);
    QFETCH(QString, solution);
    QFETCH(int, type_graphe);
    QFETCH(int, zoom);
    std::unique_ptr<session_graphe> session = lire(instance, solution);
    QVERIFY(session);

    const rendu etiquetees = dessiner(*session, type_graphe, zoom, true);
    const rendu a_la_demande = dessiner(*session, type_graphe, zoom, false);

    // The asked-for labels are the only items more: a drag's ghost copies
    // its vertex's label without making it.
    QCOMPARE(etiquetees.scene.size() - a_la_demande.scene.size(), int(session->instance()->nb_sensors()));
    QCOMPARE(a_la_demande.console, etiquetees.console);
    QVERIFY2(a_la_demande.ecran == a_la_demande.ecran_etat_sauve,
             qPrintable(differences(a_la_demande.ecran, a_la_demande.ecran_etat_sauve)));
    QVERIFY2(etiquetees.ecran == etiquetees.ecran_etat_sauve,
             qPrintable(differences(etiquetees.ecran, etiquetees.ecran_etat_sauve)));
    QVERIFY2(a_la_demande.ecran == etiquetees.ecran, qPrintable(differences(a_la_demande.ecran, etiquetees.ecran)));
    QVERIFY2(a_la_demande.ecran_repeint == etiquetees.ecran_repeint,
             qPrintable(differences(a_la_demande.ecran_repeint, etiquetees.ecran_repeint)));
    QVERIFY2(a_la_demande.export_avant == etiquetees.export_avant,
             qPrintable(differences(a_la_demande.export_avant, etiquetees.export_avant)));
    QVERIFY2(a_la_demande.apres_glisser == etiquetees.apres_glisser,
             qPrintable(differences(a_la_demande.apres_glisser, etiquetees.apres_glisser)));
    QVERIFY2(a_la_demande.export_apres == etiquetees.export_apres,
             qPrintable(differences(a_la_demande.export_apres, etiquetees.export_apres)));
    // The marks are the view's: on screen, repainted where they lie and
    // gone when cleared, never in an export. Five-digit numbers run past
    // their circles, which any partial repaint cuts.
    const bool chiffres_dans_les_cercles = session->instance()->nb_sensors() <= 1000;
    for (const rendu *r : {&etiquetees, &a_la_demande}) {
        QVERIFY(r->vu_choix != r->apres_choix_repeint);
        // Ringed in the palette's reddish purple.
        QVERIFY(pixels_de(r->vu_choix, qRgb(204, 121, 167)) > 0);
        QVERIFY2(r->export_choix == r->export_avant, qPrintable(differences(r->export_choix, r->export_avant)));
        if (!chiffres_dans_les_cercles)
            continue;
        QVERIFY2(r->vu_choix == r->choix_repeint, qPrintable(differences(r->vu_choix, r->choix_repeint)));
        QVERIFY2(r->vu_apres_choix == r->apres_choix_repeint,
                 qPrintable(differences(r->vu_apres_choix, r->apres_choix_repeint)));
    }
    // The screen shows the export's pixels wherever it stands, without marks.
    const rendu &r = a_la_demande;
    const QSize zone = r.ecran.size();
    auto extrait = [&zone](const QImage &image, const QPoint &coin) {
        return image.copy(QRect(coin, zone)).convertToFormat(QImage::Format_RGB32);
    };
    const QImage ecran = r.ecran.convertToFormat(QImage::Format_RGB32);
    QVERIFY2(ecran == extrait(r.export_avant, r.coin_ecran), qPrintable(differences(ecran, extrait(r.export_avant, r.coin_ecran))));
    const QImage centre = r.apres_choix_repeint.convertToFormat(QImage::Format_RGB32);
    QVERIFY2(centre == extrait(r.export_avant, r.coin_choix), qPrintable(differences(centre, extrait(r.export_avant, r.coin_choix))));
    const QImage glisse = r.apres_glisser.convertToFormat(QImage::Format_RGB32);
    QVERIFY2(glisse == extrait(r.export_apres, r.coin_glisser), qPrintable(differences(glisse, extrait(r.export_apres, r.coin_glisser))));
    const QImage retour = r.apres_aller_retour.convertToFormat(QImage::Format_RGB32);
    QVERIFY2(retour == extrait(r.export_avant, r.coin_aller_retour),
             qPrintable(differences(retour, extrait(r.export_avant, r.coin_aller_retour))));

    const double s = (zoom - 1) * 0.5 + 1;
    QCOMPARE(a_la_demande.export_avant.size(), QSize(int(s * 800), int(s * 550)));
    QVERIFY(a_la_demande.console.contains(QStringLiteral("action fini..")));

    QVERIFY(pixels_du_numero(a_la_demande.export_avant, a_la_demande.coin_dernier, a_la_demande.fond_dernier) > 3);
}

QTEST_MAIN(tst_rendu_identique)
#include "tst_rendu_identique.moc"
