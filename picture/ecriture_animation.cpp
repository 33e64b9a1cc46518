#include "ecriture_animation.h"

#include <QIODevice>
#include <QString>

#include <gif_lib.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

namespace {

// A GIF palette's entries.
constexpr std::size_t couleurs_gif = 256;
// GIF's sizes are 16-bit.
constexpr int cote_gif_max = 65535;
// What gathers output before it goes to the device, for both writers.
constexpr int taille_tampon = 1 << 16;
// A video's key frames, where a player can start.
constexpr int secondes_entre_cles = 10;

// ---------------------------------------------------------------------------
// What both writers share

bool verifier(const QIODevice &sortie, const animation &a, QString &cause)
{
    if (!sortie.isOpen() || !sortie.isWritable())
        cause = QStringLiteral("la sortie n'est pas ouverte en écriture");
    else if (a.nb_images <= 0)
        cause = QStringLiteral("l'animation n'a aucune image");
    else if (a.images_par_seconde <= 0)
        cause = QStringLiteral("la cadence doit être d'au moins une image par seconde");
    else if (!a.image)
        cause = QStringLiteral("l'animation ne fournit pas ses images");
    else
        return true;
    return false;
}

QString raison_sortie(const QIODevice &sortie)
{
    const QString s = sortie.errorString();
    return s.isEmpty() || s == QLatin1String("Unknown error") ? QStringLiteral("la sortie refuse l'écriture")
                                                               : QStringLiteral("la sortie refuse l'écriture : ") + s;
}

// Frame i as opaque RGB32 (what has an alpha channel laid on white), of the
// first frame's size.
bool image_opaque(const animation &a, int i, QSize &taille, QImage &image, QString &cause)
{
    QImage im = a.image(i);
    if (im.isNull()) {
        cause = QStringLiteral("l'image %1 est vide").arg(i + 1);
        return false;
    }
    if (i == 0)
        taille = im.size();
    else if (im.size() != taille) {
        cause = QStringLiteral("l'image %1 n'a pas la taille de la première").arg(i + 1);
        return false;
    }
    if (im.format() == QImage::Format_RGB32) {
        image = std::move(im);
        return true;
    }
    if (!im.hasAlphaChannel()) {
        image = im.convertToFormat(QImage::Format_RGB32);
        return !image.isNull();
    }
    if (im.format() != QImage::Format_ARGB32_Premultiplied)
        im.convertTo(QImage::Format_ARGB32_Premultiplied);
    // Premultiplied over white: each channel gains what alpha leaves.
    const int largeur = im.width(), hauteur = im.height();
    for (int y = 0; y < hauteur; ++y) {
        auto *l = reinterpret_cast<std::uint32_t *>(im.scanLine(y));
        for (int x = 0; x < largeur; ++x) {
            const std::uint32_t p = l[x];
            const std::uint32_t reste = 255 - (p >> 24);
            if (reste)
                l[x] = 0xff000000u | ((p & 0xffffffu) + reste * 0x010101u);
        }
    }
    im.reinterpretAsFormat(QImage::Format_RGB32);
    image = std::move(im);
    return !image.isNull();
}

// ---------------------------------------------------------------------------
// GIF

// giflib's output, gathered in blocks for the device.
struct sortie_gif
{
    QIODevice *appareil;
    std::vector<char> tampon;
    bool refus = false;

    bool vider()
    {
        if (!refus && !tampon.empty() &&
            appareil->write(tampon.data(), qint64(tampon.size())) != qint64(tampon.size()))
            refus = true;
        tampon.clear();
        return !refus;
    }
};

int ecrire_octets_gif(GifFileType *gif, const GifByteType *octets, int n)
{
    auto *s = static_cast<sortie_gif *>(gif->UserData);
    if (s->refus)
        return 0;
    s->tampon.insert(s->tampon.end(), octets, octets + n);
    if (s->tampon.size() >= std::size_t(taille_tampon) && !s->vider())
        return 0;
    return n;
}

// How many pixels of each colour a frame's rectangle has. Colours are keyed
// whole, or to 6 bits a channel once there are too many of them to count.
class histogramme
{
public:
    static constexpr std::uint32_t vide = 0xffffffffu;
    static constexpr std::uint32_t masque_entier = 0xffffffu;
    static constexpr std::uint32_t masque_reduit = 0xfcfcfcu;
    struct entree
    {
        std::uint32_t cle = vide;
        std::uint32_t nb = 0;
        int index = -1;
    };

    void recommencer(std::uint32_t masque)
    {
        masque_ = masque;
        bits_ = 10;
        cases_.assign(std::size_t(1) << bits_, entree{});
        n_ = 0;
    }
    std::uint32_t masque() const { return masque_; }
    std::size_t taille() const { return n_; }
    std::vector<entree> &cases() { return cases_; }
    // The colour a key stands for: itself, or the middle of its cell.
    std::uint32_t couleur(std::uint32_t cle) const { return masque_ == masque_entier ? cle : cle | 0x020202u; }

    entree &trouver(std::uint32_t cle)
    {
        const std::size_t m = cases_.size() - 1;
        for (std::size_t i = (cle * 0x9e3779b1u) >> (32 - bits_);; i = (i + 1) & m) {
            entree &e = cases_[i];
            if (e.cle == cle)
                return e;
            if (e.cle == vide) {
                if (2 * (n_ + 1) > cases_.size()) {
                    grandir();
                    return trouver(cle);
                }
                e.cle = cle;
                ++n_;
                return e;
            }
        }
    }

private:
    void grandir()
    {
        std::vector<entree> anciennes;
        anciennes.swap(cases_);
        ++bits_;
        cases_.assign(std::size_t(1) << bits_, entree{});
        n_ = 0;
        for (const entree &e : anciennes) {
            if (e.cle != vide) {
                entree &n = trouver(e.cle);
                n.nb = e.nb;
                n.index = e.index;
            }
        }
    }

    std::vector<entree> cases_;
    std::uint32_t masque_ = masque_entier;
    int bits_ = 10;
    std::size_t n_ = 0;
};

// Past this many colours in one frame, they are counted to 6 bits a channel.
constexpr std::size_t couleurs_comptees_max = 1 << 18;

int rouge(std::uint32_t c) { return int(c >> 16 & 255); }
int vert(std::uint32_t c) { return int(c >> 8 & 255); }
int bleu(std::uint32_t c) { return int(c & 255); }

int plus_proche(const std::vector<std::uint32_t> &palette, std::uint32_t c)
{
    int meilleur = 0;
    int distance = 1 << 30;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int r = rouge(palette[i]) - rouge(c), v = vert(palette[i]) - vert(c), b = bleu(palette[i]) - bleu(c);
        const int d = 2 * r * r + 4 * v * v + 3 * b * b;
        if (d < distance) {
            distance = d;
            meilleur = int(i);
            if (d == 0)
                break;
        }
    }
    return meilleur;
}

struct element
{
    std::uint8_t c[3];
    std::uint32_t nb;
};

struct boite
{
    std::size_t debut, fin;
    int canal, etendue;
    std::uint64_t nb;
};

boite mesurer(const std::vector<element> &e, std::size_t debut, std::size_t fin)
{
    int bas[3] = {255, 255, 255}, haut[3] = {0, 0, 0};
    std::uint64_t nb = 0;
    for (std::size_t i = debut; i < fin; ++i) {
        for (int k = 0; k < 3; ++k) {
            bas[k] = std::min(bas[k], int(e[i].c[k]));
            haut[k] = std::max(haut[k], int(e[i].c[k]));
        }
        nb += e[i].nb;
    }
    int canal = 0;
    for (int k = 1; k < 3; ++k)
        if (haut[k] - bas[k] > haut[canal] - bas[canal])
            canal = k;
    return {debut, fin, canal, haut[canal] - bas[canal], nb};
}

// Median cut of the colours into at most `nombre` boxes, each given by the
// mean of its colours weighted by their pixels.
void couper(std::vector<element> &e, std::size_t nombre, std::vector<std::uint32_t> &palette)
{
    std::vector<boite> boites{mesurer(e, 0, e.size())};
    while (boites.size() < nombre) {
        std::size_t k = boites.size();
        double score = 0;
        for (std::size_t i = 0; i < boites.size(); ++i) {
            const double s = double(boites[i].etendue) * double(boites[i].nb);
            if (boites[i].etendue > 0 && s > score) {
                score = s;
                k = i;
            }
        }
        if (k == boites.size())
            break;
        const boite b = boites[k];
        std::sort(e.begin() + std::ptrdiff_t(b.debut), e.begin() + std::ptrdiff_t(b.fin),
                  [c = b.canal](const element &x, const element &y) { return x.c[c] < y.c[c]; });
        std::uint64_t cumul = 0;
        std::size_t coupe = b.debut + 1;
        for (std::size_t i = b.debut; i < b.fin; ++i) {
            cumul += e[i].nb;
            if (2 * cumul >= b.nb) {
                coupe = i + 1;
                break;
            }
        }
        coupe = std::clamp(coupe, b.debut + 1, b.fin - 1);
        boites[k] = mesurer(e, b.debut, coupe);
        boites.push_back(mesurer(e, coupe, b.fin));
    }
    for (const boite &b : boites) {
        std::uint64_t somme[3] = {0, 0, 0};
        for (std::size_t i = b.debut; i < b.fin; ++i)
            for (int k = 0; k < 3; ++k)
                somme[k] += std::uint64_t(e[i].c[k]) * e[i].nb;
        std::uint32_t c = 0;
        for (int k = 0; k < 3; ++k)
            c = c << 8 | std::uint32_t((somme[k] + b.nb / 2) / std::max<std::uint64_t>(b.nb, 1));
        palette.push_back(c);
    }
}

// A palette of at most `maximum` colours for the counted ones, each entry
// of the histogram given its index: the colours themselves when they fit;
// otherwise the most frequent colours (flat fills) exact, up to half the
// palette, and a median cut of the others.
void faire_palette(histogramme &h, std::size_t maximum, std::vector<std::uint32_t> &palette)
{
    std::vector<histogramme::entree *> entrees;
    for (histogramme::entree &e : h.cases())
        if (e.cle != histogramme::vide)
            entrees.push_back(&e);
    if (entrees.size() <= maximum) {
        for (histogramme::entree *e : entrees) {
            e->index = int(palette.size());
            palette.push_back(h.couleur(e->cle));
        }
        return;
    }
    std::sort(entrees.begin(), entrees.end(), [](const histogramme::entree *x, const histogramme::entree *y) {
        return x->nb != y->nb ? x->nb > y->nb : x->cle < y->cle;
    });
    std::uint64_t total = 0;
    for (const histogramme::entree *e : entrees)
        total += e->nb;
    const std::uint64_t seuil = std::max<std::uint64_t>(16, total / 2048);
    std::size_t plates = 0;
    while (plates < maximum / 2 && entrees[plates]->nb >= seuil) {
        entrees[plates]->index = int(palette.size());
        palette.push_back(h.couleur(entrees[plates]->cle));
        ++plates;
    }
    std::vector<element> autres;
    autres.reserve(entrees.size() - plates);
    for (std::size_t i = plates; i < entrees.size(); ++i) {
        const std::uint32_t c = h.couleur(entrees[i]->cle);
        autres.push_back({{std::uint8_t(rouge(c)), std::uint8_t(vert(c)), std::uint8_t(bleu(c))}, entrees[i]->nb});
    }
    couper(autres, maximum - plates, palette);
    for (std::size_t i = plates; i < entrees.size(); ++i)
        entrees[i]->index = plus_proche(palette, h.couleur(entrees[i]->cle));
}

// The rectangle where two frames differ; empty when they do not.
QRect difference(const QImage &avant, const QImage &apres)
{
    const int largeur = apres.width();
    const std::size_t octets = std::size_t(largeur) * 4;
    int haut = -1, bas = -1, gauche = largeur, droite = -1;
    for (int y = 0; y < apres.height(); ++y) {
        const auto *a = reinterpret_cast<const std::uint32_t *>(avant.constScanLine(y));
        const auto *b = reinterpret_cast<const std::uint32_t *>(apres.constScanLine(y));
        if (std::memcmp(a, b, octets) == 0)
            continue;
        if (haut < 0)
            haut = y;
        bas = y;
        int x = 0;
        while (x < gauche && a[x] == b[x])
            ++x;
        gauche = std::min(gauche, x);
        x = largeur - 1;
        while (x > droite && a[x] == b[x])
            --x;
        droite = std::max(droite, x);
    }
    return haut < 0 ? QRect() : QRect(QPoint(gauche, haut), QPoint(droite, bas));
}

struct liberer_gif
{
    void operator()(GifFileType *gif) const { EGifCloseFile(gif, nullptr); }
};
struct liberer_carte
{
    void operator()(ColorMapObject *carte) const { GifFreeMapObject(carte); }
};

class ecrivain_gif
{
public:
    ecrivain_gif(QIODevice &sortie, QString &cause) : sortie_{&sortie, {}, false}, cause_(cause) {}

    bool ecrire(const animation &a)
    {
        int erreur = 0;
        gif_.reset(EGifOpen(&sortie_, ecrire_octets_gif, &erreur));
        if (!gif_)
            return echec_giflib(erreur);
        EGifSetGifVersion(gif_.get(), true);
        const int centiemes = std::max(2, int(std::lround(100.0 / a.images_par_seconde)));
        QSize taille;
        QImage avant, image;
        for (int i = 0; i < a.nb_images; ++i) {
            if (!image_opaque(a, i, taille, image, cause_))
                return false;
            if (i == 0 && !commencer(taille))
                return false;
            if (!ecrire_image(avant, image, centiemes))
                return false;
            avant = std::move(image);
            image = QImage();
        }
        // The trailer's write is not checked by giflib: the device says.
        GifFileType *gif = gif_.release();
        if (EGifCloseFile(gif, &erreur) == GIF_ERROR)
            return echec_giflib(erreur);
        if (!sortie_.vider()) {
            cause_ = raison_sortie(*sortie_.appareil);
            return false;
        }
        return true;
    }

private:
    bool echec_giflib(int erreur)
    {
        if (sortie_.refus)
            cause_ = raison_sortie(*sortie_.appareil);
        else {
            const char *texte = GifErrorString(erreur);
            cause_ = QStringLiteral("giflib a échoué : ") + QString::fromLatin1(texte ? texte : "?");
        }
        return false;
    }
    bool verifier_gif(int resultat) { return resultat != GIF_ERROR || echec_giflib(gif_->Error); }

    bool commencer(QSize taille)
    {
        if (taille.width() > cote_gif_max || taille.height() > cote_gif_max) {
            cause_ = QStringLiteral("une image GIF a au plus %1 pixels de côté").arg(cote_gif_max);
            return false;
        }
        if (!verifier_gif(EGifPutScreenDesc(gif_.get(), taille.width(), taille.height(), 8, 0, nullptr)))
            return false;
        // Looping forever: NETSCAPE2.0, sub-block 1, loop count 0.
        static const GifByteType netscape[] = "NETSCAPE2.0";
        static const GifByteType boucle[] = {1, 0, 0};
        return verifier_gif(EGifPutExtensionLeader(gif_.get(), APPLICATION_EXT_FUNC_CODE)) &&
               verifier_gif(EGifPutExtensionBlock(gif_.get(), 11, netscape)) &&
               verifier_gif(EGifPutExtensionBlock(gif_.get(), 3, boucle)) &&
               verifier_gif(EGifPutExtensionTrailer(gif_.get()));
    }

    // Counts the colours of the rectangle's pixels, only those that differ
    // from `avant` when it is given; the number of those that do not.
    std::size_t compter(const QImage &avant, const QImage &image, QRect r, bool tous)
    {
        std::size_t pareils = 0;
        const bool comparer = !avant.isNull() && !tous;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const auto *l = reinterpret_cast<const std::uint32_t *>(image.constScanLine(y)) + r.left();
            const auto *p = comparer ? reinterpret_cast<const std::uint32_t *>(avant.constScanLine(y)) + r.left()
                                     : nullptr;
            const std::uint32_t masque = histo_.masque();
            std::uint32_t derniere = histogramme::vide, suite = 0;
            for (int x = 0; x < r.width(); ++x) {
                if (p && p[x] == l[x]) {
                    ++pareils;
                    continue;
                }
                const std::uint32_t cle = l[x] & masque;
                if (cle == derniere) {
                    ++suite;
                    continue;
                }
                if (suite)
                    histo_.trouver(derniere).nb += suite;
                derniere = cle;
                suite = 1;
            }
            if (suite)
                histo_.trouver(derniere).nb += suite;
            if (histo_.taille() > couleurs_comptees_max && masque == histogramme::masque_entier) {
                histo_.recommencer(histogramme::masque_reduit);
                return compter(avant, image, r, tous);
            }
        }
        return pareils;
    }

    // The palette of a frame's rectangle; the transparent index for the
    // pixels left as they were, or NO_TRANSPARENT_COLOR.
    int choisir_palette(const QImage &avant, const QImage &image, QRect r, bool inchangee)
    {
        histo_.recommencer(histogramme::masque_entier);
        const std::size_t pareils = compter(avant, image, r, inchangee);
        // Those pixels are transparent, unless that index would cost an
        // exact palette its last entry.
        bool transparence = pareils > 0;
        if (transparence && histo_.taille() == couleurs_gif) {
            histo_.recommencer(histogramme::masque_entier);
            compter(avant, image, r, true);
            transparence = histo_.taille() > couleurs_gif;
        }
        palette_.clear();
        faire_palette(histo_, transparence ? couleurs_gif - 1 : couleurs_gif, palette_);
        return transparence ? int(palette_.size()) : NO_TRANSPARENT_COLOR;
    }

    // The palette as giflib takes it: a power of two of entries, at least 2.
    std::unique_ptr<ColorMapObject, liberer_carte> carte(int transparent)
    {
        int entrees = 2;
        while (entrees < int(palette_.size()) + (transparent != NO_TRANSPARENT_COLOR ? 1 : 0))
            entrees *= 2;
        std::vector<GifColorType> couleurs(std::size_t(entrees), GifColorType{0, 0, 0});
        for (std::size_t i = 0; i < palette_.size(); ++i)
            couleurs[i] = {GifByteType(rouge(palette_[i])), GifByteType(vert(palette_[i])),
                           GifByteType(bleu(palette_[i]))};
        return std::unique_ptr<ColorMapObject, liberer_carte>(GifMakeMapObject(entrees, couleurs.data()));
    }

    bool ecrire_image(const QImage &avant, const QImage &image, int centiemes)
    {
        QRect r = image.rect();
        bool inchangee = false;
        if (!avant.isNull()) {
            r = difference(avant, image);
            // An unchanged frame is still a frame: one pixel, as it is.
            if (r.isEmpty()) {
                r = QRect(0, 0, 1, 1);
                inchangee = true;
            }
        }
        const int transparent = choisir_palette(avant, image, r, inchangee);
        const std::unique_ptr<ColorMapObject, liberer_carte> c = carte(transparent);
        if (!c) {
            cause_ = QStringLiteral("giflib n'a pas pu faire la palette");
            return false;
        }
        GraphicsControlBlock gcb{DISPOSE_DO_NOT, false, centiemes, transparent};
        GifByteType extension[4];
        EGifGCBToExtension(&gcb, extension);
        return verifier_gif(EGifPutExtension(gif_.get(), GRAPHICS_EXT_FUNC_CODE, 4, extension)) &&
               verifier_gif(EGifPutImageDesc(gif_.get(), r.left(), r.top(), r.width(), r.height(), false, c.get())) &&
               ecrire_pixels(transparent == NO_TRANSPARENT_COLOR ? QImage() : avant, image, r, transparent);
    }

    // The rectangle's palette indices, line by line; with `avant`, its
    // pixels that did not change are transparent.
    bool ecrire_pixels(const QImage &avant, const QImage &image, QRect r, int transparent)
    {
        ligne_.resize(std::size_t(r.width()));
        const std::uint32_t masque = histo_.masque();
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const auto *l = reinterpret_cast<const std::uint32_t *>(image.constScanLine(y)) + r.left();
            const auto *p = avant.isNull() ? nullptr
                                           : reinterpret_cast<const std::uint32_t *>(avant.constScanLine(y)) + r.left();
            std::uint32_t derniere = histogramme::vide;
            GifPixelType index = 0;
            for (int x = 0; x < r.width(); ++x) {
                if (p && p[x] == l[x]) {
                    ligne_[std::size_t(x)] = GifPixelType(transparent);
                    continue;
                }
                const std::uint32_t cle = l[x] & masque;
                if (cle != derniere) {
                    derniere = cle;
                    index = GifPixelType(histo_.trouver(cle).index);
                }
                ligne_[std::size_t(x)] = index;
            }
            if (!verifier_gif(EGifPutLine(gif_.get(), ligne_.data(), r.width())))
                return false;
        }
        return true;
    }

    sortie_gif sortie_;
    QString &cause_;
    std::unique_ptr<GifFileType, liberer_gif> gif_;
    histogramme histo_;
    std::vector<std::uint32_t> palette_;
    std::vector<GifPixelType> ligne_;
};

// ---------------------------------------------------------------------------
// MP4

struct sortie_av
{
    QIODevice *appareil;
    qint64 debut; // where the file starts on the device
    bool refus = false;
};

#if LIBAVFORMAT_VERSION_MAJOR < 61
int ecrire_octets_av(void *opaque, std::uint8_t *octets, int n)
#else
int ecrire_octets_av(void *opaque, const std::uint8_t *octets, int n)
#endif
{
    auto *s = static_cast<sortie_av *>(opaque);
    if (!s->refus && s->appareil->write(reinterpret_cast<const char *>(octets), n) == n)
        return n;
    s->refus = true;
    return AVERROR(EIO);
}

std::int64_t chercher_av(void *opaque, std::int64_t decalage, int depuis)
{
    auto *s = static_cast<sortie_av *>(opaque);
    QIODevice &d = *s->appareil;
    qint64 cible = 0;
    switch (depuis & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE:
        return d.size() - s->debut;
    case SEEK_SET:
        cible = s->debut + decalage;
        break;
    case SEEK_CUR:
        cible = d.pos() + decalage;
        break;
    case SEEK_END:
        cible = d.size() + decalage;
        break;
    default:
        return AVERROR(EINVAL);
    }
    if (cible < s->debut || !d.seek(cible))
        return AVERROR(EIO);
    return cible - s->debut;
}

struct liberer_codec
{
    void operator()(AVCodecContext *c) const { avcodec_free_context(&c); }
};
struct liberer_format
{
    void operator()(AVFormatContext *f) const { avformat_free_context(f); }
};
struct liberer_io
{
    // The buffer is the context's now: libavformat may have replaced it.
    void operator()(AVIOContext *io) const
    {
        av_freep(&io->buffer);
        avio_context_free(&io);
    }
};
struct liberer_trame
{
    void operator()(AVFrame *t) const { av_frame_free(&t); }
};
struct liberer_paquet
{
    void operator()(AVPacket *p) const { av_packet_free(&p); }
};
struct liberer_sws
{
    void operator()(SwsContext *s) const { sws_freeContext(s); }
};
struct liberer_dictionnaire
{
    AVDictionary *d = nullptr;
    ~liberer_dictionnaire() { av_dict_free(&d); }
};

QString texte_av(int code)
{
    char texte[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, texte, sizeof texte);
    return QString::fromLocal8Bit(texte);
}

class ecrivain_mp4
{
public:
    ecrivain_mp4(QIODevice &sortie, QString &cause) : sortie_{&sortie, sortie.pos(), false}, cause_(cause) {}

    bool ecrire(const animation &a)
    {
        QSize taille;
        QImage image;
        for (int i = 0; i < a.nb_images; ++i) {
            if (!image_opaque(a, i, taille, image, cause_))
                return false;
            if (i == 0 && !commencer(taille, a.images_par_seconde))
                return false;
            if (!coder(image, i))
                return false;
        }
        if (!envoyer(nullptr))
            return false;
        const int r = av_write_trailer(format_.get());
        avio_flush(io_.get());
        if (r < 0 || io_->error < 0)
            return echec(QStringLiteral("la fin de la vidéo n'a pas pu être écrite"), r < 0 ? r : io_->error);
        return true;
    }

private:
    bool echec(const QString &quoi, int code)
    {
        cause_ = sortie_.refus ? raison_sortie(*sortie_.appareil) : quoi + QStringLiteral(" : ") + texte_av(code);
        return false;
    }

    bool commencer(QSize taille, int ips)
    {
        // yuv420p halves the chroma both ways: an even size, padded.
        const QSize paire((taille.width() + 1) & ~1, (taille.height() + 1) & ~1);
        int r = avformat_alloc_output_context2(&format_brut_, nullptr, "mp4", nullptr);
        format_.reset(format_brut_);
        if (r < 0 || !format_)
            return echec(QStringLiteral("FFmpeg n'écrit pas le format MP4"), r);
        if (!ouvrir_codeur(paire, ips) || !ouvrir_conversion(taille, paire))
            return false;
        return ouvrir_sortie();
    }

    bool ouvrir_codeur(QSize taille, int ips)
    {
        const AVCodec *codec = avcodec_find_encoder_by_name("libx264");
        if (!codec)
            codec = avcodec_find_encoder(AV_CODEC_ID_H264);
        if (!codec) {
            cause_ = QStringLiteral("FFmpeg n'a pas d'encodeur H.264");
            return false;
        }
        codec_.reset(avcodec_alloc_context3(codec));
        if (!codec_) {
            cause_ = QStringLiteral("mémoire insuffisante pour l'encodeur");
            return false;
        }
        AVCodecContext &c = *codec_;
        c.width = taille.width();
        c.height = taille.height();
        c.pix_fmt = AV_PIX_FMT_YUV420P;
        c.time_base = AVRational{1, ips};
        c.framerate = AVRational{ips, 1};
        c.gop_size = secondes_entre_cles * ips;
        c.color_range = AVCOL_RANGE_MPEG;
        c.colorspace = AVCOL_SPC_BT709;
        c.color_primaries = AVCOL_PRI_BT709;
        c.color_trc = AVCOL_TRC_BT709;
        if (format_->oformat->flags & AVFMT_GLOBALHEADER)
            c.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        // Options other encoders do not know stay in the dictionary, unused.
        liberer_dictionnaire options;
        av_dict_set(&options.d, "preset", "veryfast", 0);
        av_dict_set(&options.d, "crf", "20", 0);
        av_dict_set(&options.d, "tune", "stillimage", 0);
        // Fewer frames held at once: 500 MB rather than 800 at 3200 x 2200,
        // in as much time and no larger a file.
        av_dict_set(&options.d, "x264-params", "sliced-threads=1:rc-lookahead=5", 0);
        const int r = avcodec_open2(&c, codec, &options.d);
        if (r < 0)
            return echec(QStringLiteral("l'encodeur H.264 « %1 » refuse la vidéo").arg(QLatin1String(codec->name)), r);
        return true;
    }

    // The picture the encoder takes and what fills it from a frame.
    bool ouvrir_conversion(QSize taille, QSize paire)
    {
        trame_.reset(av_frame_alloc());
        paquet_.reset(av_packet_alloc());
        if (!trame_ || !paquet_) {
            cause_ = QStringLiteral("mémoire insuffisante pour l'encodeur");
            return false;
        }
        trame_->format = codec_->pix_fmt;
        trame_->width = paire.width();
        trame_->height = paire.height();
        const int r = av_frame_get_buffer(trame_.get(), 0);
        if (r < 0)
            return echec(QStringLiteral("mémoire insuffisante pour une image"), r);
        sws_.reset(sws_getContext(paire.width(), paire.height(), AV_PIX_FMT_RGB32, paire.width(), paire.height(),
                                  AV_PIX_FMT_YUV420P, SWS_BILINEAR | SWS_ACCURATE_RND, nullptr, nullptr, nullptr));
        if (!sws_) {
            cause_ = QStringLiteral("la conversion en YUV n'a pas pu commencer");
            return false;
        }
        // Full-range RGB to limited-range BT.709, as the stream says.
        constexpr int unite = 1 << 16; // brightness, contrast, saturation unchanged
        sws_setColorspaceDetails(sws_.get(), sws_getCoefficients(SWS_CS_DEFAULT), 1, sws_getCoefficients(SWS_CS_ITU709),
                                 0, 0, unite, unite);
        if (paire != taille) {
            cadre_ = QImage(paire, QImage::Format_RGB32);
            cadre_.fill(Qt::white);
        }
        return true;
    }

    // The MP4 muxer on the device, its one video stream and its header.
    bool ouvrir_sortie()
    {
        auto *tampon = static_cast<unsigned char *>(av_malloc(taille_tampon));
        if (!tampon) {
            cause_ = QStringLiteral("mémoire insuffisante pour la sortie");
            return false;
        }
        const bool sequentielle = sortie_.appareil->isSequential();
        io_.reset(avio_alloc_context(tampon, taille_tampon, 1, &sortie_, nullptr, ecrire_octets_av,
                                     sequentielle ? nullptr : chercher_av));
        if (!io_) {
            av_free(tampon);
            cause_ = QStringLiteral("mémoire insuffisante pour la sortie");
            return false;
        }
        format_->pb = io_.get();
        format_->flags |= AVFMT_FLAG_CUSTOM_IO;
        flux_ = avformat_new_stream(format_.get(), nullptr);
        if (!flux_) {
            cause_ = QStringLiteral("mémoire insuffisante pour le flux vidéo");
            return false;
        }
        flux_->time_base = codec_->time_base;
        flux_->avg_frame_rate = codec_->framerate;
        int r = avcodec_parameters_from_context(flux_->codecpar, codec_.get());
        if (r < 0)
            return echec(QStringLiteral("les paramètres de la vidéo n'ont pas pu être copiés"), r);
        liberer_dictionnaire options;
        // Without going back to the start, the index goes in fragments.
        if (sequentielle)
            av_dict_set(&options.d, "movflags", "frag_keyframe+empty_moov", 0);
        r = avformat_write_header(format_.get(), &options.d);
        if (r < 0)
            return echec(QStringLiteral("l'en-tête MP4 n'a pas pu être écrit"), r);
        return true;
    }

    bool coder(const QImage &image, int i)
    {
        const QImage *source = &image;
        if (!cadre_.isNull()) {
            const std::size_t octets = std::size_t(image.width()) * 4;
            for (int y = 0; y < image.height(); ++y)
                std::memcpy(cadre_.scanLine(y), image.constScanLine(y), octets);
            source = &cadre_;
        }
        // The encoder may still hold the previous picture.
        int r = av_frame_make_writable(trame_.get());
        if (r < 0)
            return echec(QStringLiteral("mémoire insuffisante pour une image"), r);
        const std::uint8_t *plans[1] = {source->constBits()};
        const int pas[1] = {int(source->bytesPerLine())};
        sws_scale(sws_.get(), plans, pas, 0, source->height(), trame_->data, trame_->linesize);
        trame_->pts = i;
        return envoyer(trame_.get());
    }

    // Gives the encoder a picture (none at the end) and writes the packets
    // it has ready.
    bool envoyer(const AVFrame *trame)
    {
        int r = avcodec_send_frame(codec_.get(), trame);
        if (r < 0)
            return echec(QStringLiteral("l'encodeur H.264 refuse une image"), r);
        for (;;) {
            r = avcodec_receive_packet(codec_.get(), paquet_.get());
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
                return true;
            if (r < 0)
                return echec(QStringLiteral("l'encodeur H.264 a échoué"), r);
            if (paquet_->duration == 0)
                paquet_->duration = 1;
            av_packet_rescale_ts(paquet_.get(), codec_->time_base, flux_->time_base);
            paquet_->stream_index = flux_->index;
            r = av_interleaved_write_frame(format_.get(), paquet_.get());
            if (r < 0)
                return echec(QStringLiteral("la vidéo n'a pas pu être écrite"), r);
        }
    }

    sortie_av sortie_;
    QString &cause_;
    // Freed in the reverse order: the muxer before its output.
    std::unique_ptr<AVIOContext, liberer_io> io_;
    AVFormatContext *format_brut_ = nullptr;
    std::unique_ptr<AVFormatContext, liberer_format> format_;
    std::unique_ptr<AVCodecContext, liberer_codec> codec_;
    std::unique_ptr<AVFrame, liberer_trame> trame_;
    std::unique_ptr<AVPacket, liberer_paquet> paquet_;
    std::unique_ptr<SwsContext, liberer_sws> sws_;
    AVStream *flux_ = nullptr;
    QImage cadre_;
};

} // namespace

bool ecrire_gif(QIODevice &sortie, const animation &a, QString &cause)
{
    if (!verifier(sortie, a, cause))
        return false;
    ecrivain_gif ecrivain(sortie, cause);
    return ecrivain.ecrire(a);
}

bool ecrire_mp4(QIODevice &sortie, const animation &a, QString &cause)
{
    if (!verifier(sortie, a, cause))
        return false;
    // libav speaks on standard error otherwise; the cause says what failed.
    static std::once_flag silence;
    std::call_once(silence, [] { av_log_set_level(AV_LOG_QUIET); });
    ecrivain_mp4 ecrivain(sortie, cause);
    return ecrivain.ecrire(a);
}
