// Animations: 20 frames of a drawing-like picture (white, a grid of dotted
// lines, 3000 small anti-aliased circles in three colours with their
// numbers, a twentieth of them changing colour each frame, as a solver's
// history does) written to GIF and to MP4 at 800 x 550 and 3200 x 2200 (the
// same drawing at x4). Each run is a child process timed from start to exit,
// its peak memory read through wait4; the frames alone, made and dropped,
// give the writers' share. Medians of 5 runs (--runs N to change).
//
//   bench_animation [--runs N]
//   bench_animation --un rendu|gif|mp4 <width> <height> <file>   one run

#include "ecriture_animation.h"
#include "ecriture_entiere.h"
#include "processus.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int nb_images = 20;
constexpr int nb_cercles = 3000;

struct cercle
{
    QPointF centre; // in 800 x 550 units
    int role;
};

// The circles of every frame: frame k is frame k - 1 with a twentieth of
// the circles in another colour.
std::vector<std::vector<int>> roles_des_images(std::vector<cercle> &cercles)
{
    std::mt19937 alea(7);
    std::uniform_real_distribution<double> x(10, 790), y(10, 540);
    std::uniform_int_distribution<int> role(0, 2), qui(0, nb_cercles - 1);
    for (int i = 0; i < nb_cercles; ++i)
        cercles.push_back({QPointF(x(alea), y(alea)), role(alea)});
    std::vector<std::vector<int>> roles(nb_images);
    for (int k = 0; k < nb_images; ++k) {
        for (const cercle &c : cercles)
            roles[std::size_t(k)].push_back(c.role);
        for (int j = 0; j < nb_cercles / 20; ++j)
            cercles[std::size_t(qui(alea))].role = role(alea);
    }
    return roles;
}

QImage image(QSize taille, const std::vector<cercle> &cercles, const std::vector<int> &roles, const QFont &police)
{
    static const QColor couleurs[3] = {QColor(220, 40, 40), QColor(40, 90, 220), QColor(30, 160, 70)};
    const double e = taille.width() / 800.0;
    QImage im(taille, QImage::Format_ARGB32_Premultiplied);
    im.fill(Qt::white);
    QPainter p(&im);
    p.setPen(QPen(QColor(160, 160, 160), 1, Qt::DotLine));
    for (int x = 0; x < taille.width(); x += int(50 * e))
        p.drawLine(x, 0, x, taille.height());
    for (int y = 0; y < taille.height(); y += int(50 * e))
        p.drawLine(0, y, taille.width(), y);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(police);
    for (std::size_t i = 0; i < cercles.size(); ++i) {
        const QPointF c = cercles[i].centre * e;
        p.setPen(QPen(Qt::black, 0.6 * e));
        p.setBrush(couleurs[roles[i]]);
        p.drawEllipse(c, 4 * e, 4 * e);
        p.setPen(Qt::black);
        p.drawText(c + QPointF(5 * e, -2 * e), QString::number(i));
    }
    return im;
}

int une_fois(const QStringList &args)
{
    const QString mode = args.at(0);
    const QSize taille(args.at(1).toInt(), args.at(2).toInt());
    std::vector<cercle> cercles;
    const std::vector<std::vector<int>> roles = roles_des_images(cercles);
    QFont police(QStringLiteral("DejaVu Sans"));
    police.setPixelSize(std::max(6, 6 * taille.width() / 800));
    const animation a{nb_images, 10, [&](int k) { return image(taille, cercles, roles[std::size_t(k)], police); }};
    if (mode == QLatin1String("rendu")) {
        qint64 temoin = 0;
        for (int k = 0; k < a.nb_images; ++k)
            temoin += a.image(k).constBits()[0];
        return temoin < 0;
    }
    const bool gif = mode == QLatin1String("gif");
    QString raison;
    if (!ecriture_entiere::ecrire({{args.at(3),
                                    [&](QIODevice &s, QString &c) { return gif ? ecrire_gif(s, a, c) : ecrire_mp4(s, a, c); }}},
                                  &raison)) {
        std::fprintf(stderr, "%s\n", qPrintable(raison));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype un = arguments.indexOf(QStringLiteral("--un"));
    if (un >= 0 && un + 4 < arguments.size())
        return une_fois(arguments.mid(un + 1, 4));
    const int essais = nombre_d_essais(arguments);
    QTemporaryDir dossier;
    if (!dossier.isValid())
        return 1;
    std::printf("Animations of %d frames, %d circles, median of %d runs (each a child process)\n\n", nb_images,
                nb_cercles, essais);
    std::printf("| Size | Frames alone | GIF | GIF size | MP4 | MP4 size |\n|---|---|---|---|---|---|\n");
    for (const QSize taille : {QSize(800, 550), QSize(3200, 2200)}) {
        QString ligne = QStringLiteral("| %1 x %2 ").arg(taille.width()).arg(taille.height());
        for (const char *mode : {"rendu", "gif", "mp4"}) {
            const QString chemin = dossier.filePath(QStringLiteral("a.") + mode);
            const mesure m = medianes({application.applicationFilePath(), "--un", mode, QString::number(taille.width()),
                                       QString::number(taille.height()), chemin},
                                      essais);
            if (!m.reussie) {
                ligne += QStringLiteral("| failed ");
                if (qstrcmp(mode, "rendu") != 0)
                    ligne += QStringLiteral("| ");
                continue;
            }
            ligne += QStringLiteral("| %1 s, %2 MB ").arg(m.secondes, 0, 'f', 2).arg(m.mo, 0, 'f', 0);
            if (qstrcmp(mode, "rendu") != 0)
                ligne += QStringLiteral("| %1 kB ").arg(QFileInfo(chemin).size() / 1024);
        }
        std::printf("%s|\n", qPrintable(ligne));
        std::fflush(stdout);
    }
    return 0;
}
