// A user's path from a session file to the picture, through the real main
// window on the offscreen platform, its view about 1200 x 900: open the
// session, open a page as a double-click does and paint it, repaint it,
// click a vertex, drag one, find one, zoom to x2 and scroll, zoom to x16
// and find one there, export at x1 and at x16. Each run is a child process
// of its own, so that its peak memory is its own; figures are medians over
// the runs. With --avant, the 65535-sensor runs alternate with those of an
// earlier build of this program, and each figure is given against it.
//
//   bench_chemin_complet [--runs N] [--avant <earlier bench_chemin_complet>]
//   bench_chemin_complet --mesurer <session.vga> <instance|solution> <workers>

#include "compteur_peintures.h"
#include "debug_stream.h"
#include "figures_enfants.h"
#include "generateur_reseau.h"
#include "graphe_visualisateur.h"
#include "graphic_item_sommet.h"
#include "graphic_view.h"
#include "liste_graphe.h"
#include "mainwindow.h"
#include "mesures.h"
#include "processus.h"
#include "tuiles_dessin.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QScrollBar>
#include <QStandardItem>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <vector>

namespace {

// What one run drives.
struct banc
{
    MainWindow &fenetre;
    graphic_view *vue = nullptr;
    QWidget *zone = nullptr;
    compteur_peintures *peintures = nullptr;

    // Runs the event loop until the view has been painted again; what the
    // loop does after that paint is not counted.
    double jusqu_a_peint(const std::function<void()> &action)
    {
        const int avant = peintures->nombre();
        QElapsedTimer t;
        t.start();
        action();
        peintures->attendre(avant);
        const double ms = millisecondes(t);
        peintures->attendre_tout(avant);
        return ms;
    }
};

// Waits for the first paint of any graph view's viewport, counting one
// that happened before the wait.
class premiere_peinture : public QObject
{
public:
    premiere_peinture() { qApp->installEventFilter(this); }
    ~premiere_peinture() override { qApp->removeEventFilter(this); }
    bool attendre()
    {
        QDeadlineTimer limite(600000);
        while (!_peinte && !limite.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return _peinte;
    }

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override
    {
        if (evenement->type() == QEvent::Paint && qobject_cast<graphic_view *>(objet->parent()))
            _peinte = true;
        return false;
    }

private:
    bool _peinte = false;
};

// Opens the session and the page, until its first picture; false when the
// session has no such page.
bool ouvrir(MainWindow &fenetre, const QString &session_vga, const QString &page, banc &b)
{
    Ui::MainWindow *ui = fenetre.form();
    QElapsedTimer t;
    t.start();
    if (!fenetre.charger_session(session_vga))
        return false;
    const double ouverture = millisecondes(t);
    QStandardItem *item_session = ui->treeView->racine()->child(0);
    QStandardItem *entree = nullptr;
    const QString prefixe = page == QLatin1String("instance") ? QStringLiteral("i:") : QStringLiteral("s:");
    for (int i = 0; item_session && i < item_session->rowCount(); ++i)
        if (item_session->child(i)->text().startsWith(prefixe))
            entree = item_session->child(i);
    if (!entree)
        return false;
    // The page's view is made by the double-click: any graph view's first
    // paint, wherever it happens, ends the first picture.
    premiere_peinture premiere;
    t.restart();
    emit ui->treeView->item_selected(item_session, entree);
    auto *visualisateur = qobject_cast<graphe_visualisateur *>(ui->stackedWidget->currentWidget());
    if (!visualisateur || !premiere.attendre())
        return false;
    publier("ouverture", ouverture);
    publier("premiere_image", ouverture + millisecondes(t));
    b.vue = visualisateur->get_graphic_view();
    b.zone = b.vue->viewport();
    b.peintures = new compteur_peintures(b.zone);
    publier("items", b.vue->scene()->items().size());
    publier("vue_largeur", b.zone->width());
    publier("vue_hauteur", b.zone->height());
    return true;
}

// Until nothing is rendered ahead any more: the user has looked a moment.
void laisser_au_repos(banc &b)
{
    b.vue->tuiles().attendre();
    QCoreApplication::processEvents();
}

void repeindre(banc &b)
{
    laisser_au_repos(b);
    std::vector<double> fois;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        b.zone->repaint();
        fois.push_back(millisecondes(t));
    }
    publier("repeinture", mediane(fois));
}

// A click on the vertex in the middle chooses it; then a press, ten drag
// steps and a release on it.
void cliquer_et_glisser(banc &b)
{
    QPoint pointeur = b.vue->mapFromScene(sommet_au_milieu(b.vue)->pos() + QPointF(11, 11));
    publier("clic", b.jusqu_a_peint([&] {
        QTest::mousePress(b.zone, Qt::LeftButton, {}, pointeur);
        QTest::mouseRelease(b.zone, Qt::LeftButton, {}, pointeur);
    }));
    QTest::mousePress(b.zone, Qt::LeftButton, {}, pointeur);
    QCoreApplication::processEvents();
    std::vector<double> pas;
    for (int i = 0; i < 10; ++i) {
        pointeur += QPoint(4, 3);
        pas.push_back(b.jusqu_a_peint([&] { QTest::mouseMove(b.zone, pointeur); }));
    }
    publier("glisser", mediane(pas));
    const std::int64_t avant = b.vue->tuiles().chiffres().rendues;
    publier("relacher", b.jusqu_a_peint([&] { QTest::mouseRelease(b.zone, Qt::LeftButton, {}, pointeur); }));
    publier("relacher_tuiles", double(b.vue->tuiles().chiffres().rendues - avant));
}

// Finds the sensor farthest from what is shown: the view centres on it.
void trouver(banc &b, const char *cle)
{
    laisser_au_repos(b);
    const int loin = int(b.vue->liste_sommets().size()) - 1;
    publier(cle, b.jusqu_a_peint([&] { b.vue->montrer_capteur(loin); }));
}

void zoomer(banc &b, QAction *action, const char *cle)
{
    publier(cle, b.jusqu_a_peint([&] { action->trigger(); }));
}

void defiler(banc &b)
{
    laisser_au_repos(b);
    QScrollBar *barre = b.vue->horizontalScrollBar();
    publier("defilement_x2",
            b.jusqu_a_peint([&] { barre->setValue(barre->value() + b.zone->width() / 3); }));
}

int mesurer(const QString &session_vga, const QString &page, int fils)
{
    QTemporaryDir dossier;
    MainWindow fenetre;
    debug_stream console(std::cout, fenetre.get_sortie_application());
    Ui::MainWindow *ui = fenetre.form();
    // A view of about 1200 x 900 beside the tree, above the console.
    fenetre.resize(1460, 1230);
    fenetre.show();
    if (!QTest::qWaitForWindowExposed(&fenetre))
        return 1;
    QCoreApplication::processEvents();
    banc b{fenetre};
    if (!ouvrir(fenetre, session_vga, page, b))
        return 1;
    b.vue->tuiles().regler_fils(fils);
    repeindre(b);
    cliquer_et_glisser(b);
    trouver(b, "trouver_x1");
    QElapsedTimer t;
    t.start();
    qobject_cast<graphe_visualisateur *>(ui->stackedWidget->currentWidget())
        ->exporter_image(dossier.filePath(QStringLiteral("x1.png")));
    publier("export_x1", millisecondes(t));
    zoomer(b, ui->action_zoom_x2, "zoom_x2");
    defiler(b);
    zoomer(b, ui->action_zoom_x16, "zoom_x16");
    trouver(b, "trouver_x16");

    laisser_au_repos(b);
    const tuiles_dessin::bilan &chiffres = b.vue->tuiles().chiffres();
    publier("tuiles_rendues", double(chiffres.rendues));
    publier("tuiles_trouvees", double(chiffres.trouvees));
    publier("tuiles_manquantes", double(chiffres.manquantes));
    publier("tuiles_mo", double(chiffres.octets) / (1024.0 * 1024.0));
    publier("memoire", double(pic_memoire_mo()));
    // Last: its image alone is 127 MB, which the peak above leaves out.
    t.restart();
    qobject_cast<graphe_visualisateur *>(ui->stackedWidget->currentWidget())
        ->exporter_image(dossier.filePath(QStringLiteral("x16.png")));
    publier("export_x16", millisecondes(t));
    return 0;
}

struct figure
{
    const char *cle;
    const char *libelle;
    const char *unite;
    double objectif; // at 65535 sensors; 0 when there is none
};

const figure figures[] = {
    {"premiere_image", "first picture", "ms", 500},
    {"repeinture", "full repaint, nothing invalidated", "ms", 10},
    {"clic", "click choosing a vertex, painted", "ms", 15},
    {"glisser", "drag step (median)", "ms", 6},
    {"relacher", "release, painted", "ms", 0},
    {"relacher_tuiles", "tiles rendered by the release", "", 0},
    {"trouver_x1", "find at x1, painted", "ms", 30},
    {"export_x1", "export x1 (PNG)", "ms", 0},
    {"zoom_x2", "zoom x2, painted", "ms", 0},
    {"defilement_x2", "scroll a third at x2, painted", "ms", 30},
    {"zoom_x16", "zoom x16, painted", "ms", 300},
    {"trouver_x16", "find at x16, painted", "ms", 30},
    {"export_x16", "export x16 (PNG)", "ms", 0},
    {"memoire", "peak memory", "MB", 0},
    {"items", "scene items", "", 0},
    {"tuiles_rendues", "tiles rendered", "", 0},
    {"tuiles_trouvees", "tiles found kept", "", 0},
    {"tuiles_manquantes", "tiles missing when painted", "", 0},
    {"tuiles_mo", "tile cache at the end", "MB", 0},
};

QString valeur(const resultats &r, const char *cle)
{
    const double m = mediane_de(r, cle);
    return std::isnan(m) ? QStringLiteral("-") : QString::number(m, 'f', m < 100 ? 1 : 0);
}

void imprimer(const QString &titre, const resultats &r, int essais, bool objectifs)
{
    std::printf("\n%s (median of %d runs)\n", qPrintable(titre), essais);
    for (const figure &f : figures) {
        const QString but = objectifs && f.objectif > 0 ? QStringLiteral("<= %1").arg(f.objectif) : QString();
        std::printf("  %-36s %9s %-9s %s\n", f.libelle, qPrintable(valeur(r, f.cle)), qPrintable(but), f.unite);
    }
}

// The runs of one page, alternating with an earlier build's when there is
// one, so that both meet the same state of the machine.
std::pair<resultats, resultats> executer_alternes(const QString &programme, const QString &avant,
                                                  const QStringList &arguments, int essais, const QString &etiquette,
                                                  QStringList *notes)
{
    std::pair<resultats, resultats> r;
    for (int essai = 0; essai < essais; ++essai) {
        for (const auto &[resultat, chemin] : {std::pair{&r.first, programme}, std::pair{&r.second, avant}}) {
            if (chemin.isEmpty())
                continue;
            const resultats un = executer_enfants(chemin, arguments, 1, 240, etiquette, notes);
            for (auto it = un.begin(); it != un.end(); ++it)
                (*resultat)[it.key()].insert((*resultat)[it.key()].end(), it->begin(), it->end());
        }
    }
    return r;
}

void imprimer_contre_avant(const QString &titre, const resultats &maintenant, const resultats &avant, int essais)
{
    std::printf("\n%s against the earlier build (median of %d runs each, alternated)\n", qPrintable(titre), essais);
    std::printf("  %-36s %9s %9s %7s\n", "", "now", "before", "ratio");
    for (const figure &f : figures) {
        const double a = mediane_de(maintenant, f.cle), b = mediane_de(avant, f.cle);
        std::printf("  %-36s %9s %9s %7.2f %s\n", f.libelle, qPrintable(valeur(maintenant, f.cle)),
                    qPrintable(valeur(avant, f.cle)), a / b, f.unite);
    }
}

int orchestrer(const QString &programme, const QString &avant, int essais)
{
    QTemporaryDir dossier;
    QMap<int, QString> sessions;
    for (int n : {10000, 32767, 65535}) {
        parametres_reseau p;
        p.nb_capteurs = n;
        const QString nom = QStringLiteral("reseau_%1").arg(n);
        sessions[n] = ecrire_session(p, dossier.path(), nom, nom);
        if (sessions[n].isEmpty())
            return 1;
    }
    QStringList notes;
    auto executer = [&](int n, const char *page, int fils) {
        return executer_enfants(programme,
                                {QStringLiteral("--mesurer"), sessions[n], QLatin1String(page), QString::number(fils)},
                                essais, 240, QStringLiteral("%1 sensors, %2 page").arg(n).arg(QLatin1String(page)),
                                &notes);
    };
    // A worker beside the thread that paints: both cores; none: one.
    const int aides = std::max(1, QThread::idealThreadCount() - 1);
    const resultats r10 = executer(10000, "solution", aides);
    const resultats r32 = executer(32767, "solution", aides);
    auto executer_65535 = [&](const char *page) {
        return executer_alternes(programme, avant,
                                 {QStringLiteral("--mesurer"), sessions[65535], QLatin1String(page),
                                  QString::number(aides)},
                                 essais, QStringLiteral("65535 sensors, %1 page").arg(QLatin1String(page)), &notes);
    };
    const auto [r65, r65_avant] = executer_65535("solution");
    const auto [i65, i65_avant] = executer_65535("instance");
    const resultats un65 = executer(65535, "solution", 0);

    std::printf("Path from the session file to the picture, offscreen platform, mean degree 8\n");
    imprimer(QStringLiteral("10000 sensors, solution page"), r10, essais, false);
    imprimer(QStringLiteral("32767 sensors, solution page"), r32, essais, false);
    imprimer(QStringLiteral("65535 sensors, solution page"), r65, essais, true);
    imprimer(QStringLiteral("65535 sensors, instance page"), i65, essais, true);
    imprimer(QStringLiteral("65535 sensors, solution page, the painting thread alone"), un65, essais, false);
    std::printf("\ngrowth from 32767 to 65535 sensors (2.0 is linear); at 65535, one thread against %d\n",
                aides + 1);
    for (const figure &f : figures) {
        const double a = mediane_de(r32, f.cle), b = mediane_de(r65, f.cle), un = mediane_de(un65, f.cle);
        std::printf("  %-36s %8.2f %8.2f\n", f.libelle, b / a, un / b);
    }
    if (!avant.isEmpty()) {
        imprimer_contre_avant(QStringLiteral("65535 sensors, solution page"), r65, r65_avant, essais);
        imprimer_contre_avant(QStringLiteral("65535 sensors, instance page"), i65, i65_avant, essais);
    }
    for (const QString &note : notes)
        std::printf("note: %s\n", qPrintable(note));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 5 && arguments[1] == QLatin1String("--mesurer"))
        return mesurer(arguments[2], arguments[3], arguments[4].toInt());
    const qsizetype avant = arguments.indexOf(QStringLiteral("--avant"));
    return orchestrer(QCoreApplication::applicationFilePath(),
                      avant >= 0 && avant + 1 < arguments.size() ? arguments.at(avant + 1) : QString(),
                      nombre_d_essais(arguments));
}
