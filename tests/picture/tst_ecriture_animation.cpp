#include "ecriture_animation.h"
#include "ecriture_entiere.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstdlib>

// Animations written as GIF and read back through Qt, written as MP4 and
// counted by ffprobe; and devices that refuse them.

namespace {

const QColor rouge(200, 30, 30), bleu(30, 120, 200), vert(20, 160, 60);

// White, two flat blocks, a green square, anti-aliased strokes and text,
// all moving every other frame (so that every odd frame repeats the one
// before); with a gradient strip of far more than 256 colours when asked.
QImage image_test(QSize taille, int i, bool degrade)
{
    QImage im(taille, QImage::Format_ARGB32_Premultiplied);
    im.fill(Qt::white);
    const int l = taille.width(), h = taille.height(), k = i / 2;
    QPainter p(&im);
    p.fillRect(QRect(0, 0, l / 4, h / 4), rouge);
    p.fillRect(QRect(l / 2, 0, l / 4, h / 4), bleu);
    p.fillRect(QRect(4 + k * 5 % (l - 12), h / 2, 8, 8), vert);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.drawEllipse(QPointF(l * 0.7, h * 0.6), 9.5, 9.5);
    p.drawLine(QPointF(1, h - 2), QPointF(l - 2, h * 0.3 + k));
    p.drawText(QPointF(l * 0.3, h * 0.9), QString::number(k));
    p.end();
    if (degrade) {
        for (int y = h / 4; y < h / 2; ++y)
            for (int x = 0; x < l; ++x)
                im.setPixel(x, y, qRgb(x * 255 / l, (y * 97 + k * 13) % 256, (x + y) % 256));
    }
    return im;
}

animation faire_animation(int nb, int ips, QSize taille, bool degrade)
{
    return {nb, ips, [=](int i) { return image_test(taille, i, degrade); }};
}

// A device that keeps what it is given up to a number of bytes and refuses
// the rest; sequential, as a pipe is.
class sortie_limitee : public QIODevice
{
public:
    explicit sortie_limitee(qint64 limite) : limite_(limite) { open(QIODevice::WriteOnly); }
    bool isSequential() const override { return true; }
    QByteArray octets;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *donnees, qint64 n) override
    {
        if (octets.size() + n > limite_)
            return -1;
        octets.append(donnees, n);
        return n;
    }

private:
    qint64 limite_;
};

// "width,height,frames" of a video's first stream, by ffprobe.
QString sonder(const QString &ffprobe, const QString &chemin)
{
    QProcess p;
    p.start(ffprobe, {"-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                      "stream=nb_read_frames,width,height", "-of", "csv=p=0", chemin});
    return p.waitForFinished(60000) ? QString::fromLatin1(p.readAllStandardOutput()).trimmed() : QString();
}

} // namespace

class tst_ecriture_animation : public QObject
{
    Q_OBJECT

private slots:
    void gif_data();
    void gif();
    void gif_inchangees();
    void mp4_data() { gif_data(); }
    void mp4();
    void refus_data();
    void refus();
};

void tst_ecriture_animation::gif_data()
{
    QTest::addColumn<int>("nb");
    QTest::addColumn<int>("ips");
    QTest::addColumn<QSize>("taille");
    QTest::addColumn<bool>("degrade");
    QTest::newRow("1 image, 1 ips") << 1 << 1 << QSize(120, 80) << false;
    QTest::newRow("3 images, 10 ips") << 3 << 10 << QSize(120, 80) << false;
    QTest::newRow("10 images, 25 ips, dégradé") << 10 << 25 << QSize(160, 100) << true;
    QTest::newRow("taille impaire") << 3 << 10 << QSize(75, 51) << false;
}

void tst_ecriture_animation::gif()
{
    QFETCH(int, nb);
    QFETCH(int, ips);
    QFETCH(QSize, taille);
    QFETCH(bool, degrade);
    QBuffer tampon;
    tampon.open(QIODevice::WriteOnly);
    QString cause;
    QVERIFY2(ecrire_gif(tampon, faire_animation(nb, ips, taille, degrade), cause), qPrintable(cause));
    tampon.close();
    tampon.open(QIODevice::ReadOnly);
    QImageReader lecteur(&tampon, "gif");
    QCOMPARE(lecteur.imageCount(), nb);
    QCOMPARE(lecteur.size(), taille);
    for (int i = 0; i < nb; ++i) {
        const QImage lue = lecteur.read().convertToFormat(QImage::Format_RGB32);
        QVERIFY2(!lue.isNull(), qPrintable(lecteur.errorString()));
        QCOMPARE(lecteur.nextImageDelay(), 10 * std::max(2, int(std::lround(100.0 / ips))));
        const QImage source = image_test(taille, i, degrade).convertToFormat(QImage::Format_RGB32);
        // Flat colours exact in every frame; the whole frame when it has
        // fewer than 256 colours, close to it otherwise.
        QCOMPARE(lue.pixelColor(taille.width() / 8, taille.height() / 8), rouge);
        QCOMPARE(lue.pixelColor(taille.width() * 5 / 8, taille.height() / 8), bleu);
        if (!degrade) {
            QCOMPARE(lue, source);
            continue;
        }
        qint64 ecart = 0;
        for (int y = 0; y < taille.height(); ++y)
            for (int x = 0; x < taille.width(); ++x) {
                const QRgb a = lue.pixel(x, y), b = source.pixel(x, y);
                ecart += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
            }
        QVERIFY2(ecart < 3 * 3 * taille.width() * taille.height(), qPrintable(QString::number(ecart)));
    }
}

// A frame that repeats the one before costs a few bytes: one pixel.
void tst_ecriture_animation::gif_inchangees()
{
    QByteArray fichiers[2];
    for (int nb : {1, 10}) {
        QBuffer tampon;
        tampon.open(QIODevice::WriteOnly);
        QString cause;
        QVERIFY2(ecrire_gif(tampon, {nb, 5, [](int) { return image_test(QSize(300, 200), 0, true); }}, cause),
                 qPrintable(cause));
        fichiers[nb > 1] = tampon.data();
    }
    QVERIFY2(fichiers[1].size() < fichiers[0].size() + 9 * 40,
             qPrintable(QStringLiteral("%1 %2").arg(fichiers[0].size()).arg(fichiers[1].size())));
    QBuffer lu(&fichiers[1]);
    lu.open(QIODevice::ReadOnly);
    QCOMPARE(QImageReader(&lu, "gif").imageCount(), 10);
}

void tst_ecriture_animation::mp4()
{
    QFETCH(int, nb);
    QFETCH(int, ips);
    QFETCH(QSize, taille);
    QFETCH(bool, degrade);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("a.mp4"), chemin_flux = dossier.filePath("flux.mp4");
    const animation a = faire_animation(nb, ips, taille, degrade);
    QString raison;
    QVERIFY2(ecriture_entiere::ecrire({{chemin, [&](QIODevice &s, QString &c) { return ecrire_mp4(s, a, c); }}},
                                      &raison),
             qPrintable(raison));
    // Through a pipe-like device: a fragmented MP4.
    sortie_limitee flux(1 << 30);
    QVERIFY2(ecrire_mp4(flux, a, raison), qPrintable(raison));
    QFile f(chemin_flux);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(flux.octets) == flux.octets.size());
    f.close();
    for (const QString &c : {chemin, chemin_flux}) {
        QFile lu(c);
        QVERIFY(lu.open(QIODevice::ReadOnly));
        QCOMPARE(lu.read(8).mid(4), QByteArray("ftyp"));
    }
    const QString ffprobe = QStandardPaths::findExecutable("ffprobe");
    if (ffprobe.isEmpty())
        QSKIP("ffprobe (FFmpeg) is not installed");
    const QString attendu = QStringLiteral("%1,%2,%3").arg((taille.width() + 1) & ~1).arg((taille.height() + 1) & ~1).arg(nb);
    QCOMPARE(sonder(ffprobe, chemin), attendu);
    QCOMPARE(sonder(ffprobe, chemin_flux), attendu);
    // The first frame's flat colours, near what they were (4:2:0, lossy).
    const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
    if (ffmpeg.isEmpty())
        return;
    QProcess p;
    p.start(ffmpeg, {"-v", "error", "-i", chemin, "-frames:v", "1", "-f", "image2pipe", "-c:v", "png", "-"});
    QVERIFY(p.waitForFinished(60000));
    const QImage premiere = QImage::fromData(p.readAllStandardOutput(), "PNG");
    QVERIFY(!premiere.isNull());
    for (const auto &[point, couleur] : {std::pair{QPoint(taille.width() / 8, taille.height() / 8), rouge},
                                         std::pair{QPoint(taille.width() * 5 / 8, taille.height() / 8), bleu}}) {
        const QColor c = premiere.pixelColor(point);
        QVERIFY2(std::abs(c.red() - couleur.red()) + std::abs(c.green() - couleur.green()) +
                         std::abs(c.blue() - couleur.blue()) <= 15,
                 qPrintable(c.name()));
    }
}

void tst_ecriture_animation::refus_data()
{
    QTest::addColumn<bool>("gif");
    QTest::addColumn<int>("limite"); // -1: a buffer opened read-only
    QTest::addColumn<bool>("tailles_differentes");
    for (bool gif : {true, false}) {
        const char *f = gif ? "GIF" : "MP4";
        QTest::addRow("%s, lecture seule", f) << gif << -1 << false;
        QTest::addRow("%s, refus dès le début", f) << gif << 0 << false;
        QTest::addRow("%s, refus en cours", f) << gif << 3000 << false;
        QTest::addRow("%s, tailles différentes", f) << gif << (1 << 30) << true;
    }
}

void tst_ecriture_animation::refus()
{
    QFETCH(bool, gif);
    QFETCH(int, limite);
    QFETCH(bool, tailles_differentes);
    animation a = faire_animation(6, 10, QSize(300, 200), true);
    if (tailles_differentes)
        a.image = [](int i) { return image_test(QSize(300, 200 + i), i, false); };
    QBuffer lecture_seule;
    lecture_seule.open(QIODevice::ReadOnly);
    sortie_limitee limitee(limite);
    QIODevice &sortie = limite < 0 ? static_cast<QIODevice &>(lecture_seule) : limitee;
    QString cause;
    QVERIFY(!(gif ? ecrire_gif(sortie, a, cause) : ecrire_mp4(sortie, a, cause)));
    QVERIFY(!cause.isEmpty());
    qInfo() << cause;
}

QTEST_MAIN(tst_ecriture_animation)
#include "tst_ecriture_animation.moc"
