#include "traceur_lignes.h"


#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

// One 26.6 fixed-point unit a pixel, and half of one.
constexpr int un = 64;
constexpr int demi = 32;

// a * x / 255 on the four bytes of x at once, rounded to nearest.
std::uint32_t multiplier(std::uint32_t x, std::uint32_t a)
{
    std::uint32_t t = (x & 0xff00ff) * a;
    t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
    t &= 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = (x + ((x >> 8) & 0xff00ff) + 0x800080);
    x &= 0xff00ff00;
    return x | t;
}

// Quotient in 16.16 fixed point of two 26.6 values; products rather than
// shifts, which a negative value may not take.
int quotient_16_16(int x, int y)
{
    constexpr int un_16_16 = 1 << 16;
    if (std::abs(x) > 0x7fff)
        return int(qint64(x) * un_16_16 / y);
    return x * un_16_16 / y;
}

// The pixels a line steps through: along its longer axis, from the first
// pixel centre past its start to the last before its end, square caps
// taking half a pixel more at each end.
struct pas_ligne
{
    int debut = 0;
    int nombre = 0;
    int mineur = 0;
    int increment = 0;
    bool inverse = false;
    bool vertical = false;
};

pas_ligne pas(const QLine &l)
{
    int a1 = l.x1() * un, b1 = l.y1() * un, a2 = l.x2() * un, b2 = l.y2() * un;
    pas_ligne p;
    p.vertical = std::abs(a2 - a1) < std::abs(b2 - b1);
    if (p.vertical) {
        std::swap(a1, b1);
        std::swap(a2, b2);
    }
    if (a1 > a2) {
        p.inverse = true;
        std::swap(a1, a2);
        std::swap(b1, b2);
    }
    p.increment = quotient_16_16(b2 - b1, a2 - a1);
    int mineur = b1 * (1 << 10) - (p.increment >> 1);
    a1 -= demi;
    a2 += demi;
    const int debut = (a1 + demi) >> 6;
    const int fin = (a2 + demi) >> 6;
    const int arrondi = p.increment > 0 ? demi : 0;
    p.mineur = mineur + ((debut * un + arrondi - a1) * p.increment >> 6);
    p.debut = debut;
    p.nombre = fin - debut;
    return p;
}

} // namespace

traceur_lignes::stylo::stylo(const QPen &pen)
{
    // A thinner pen paints with less than its colour; a wider one is a shape.
    const bool mince = pen.widthF() == 0.0 || pen.widthF() == 1.0;
    const bool bouts = pen.capStyle() != Qt::FlatCap;
    if (!mince || !bouts || pen.style() == Qt::NoPen || pen.brush().style() != Qt::SolidPattern)
        return;
    const QList<qreal> motif = pen.dashPattern();
    if (motif.size() > tirets_max || motif.size() % 2 != 0)
        return;
    _couleur = qPremultiply(pen.color().rgba());
    _tirete = !motif.isEmpty();
    _nombre = int(motif.size());
    int somme = 0;
    for (int i = 0; i < _nombre; ++i) {
        somme += int(std::max(1.0, motif.at(i) * un));
        _fins[std::size_t(i)] = somme;
    }
    _longueur = somme;
    somme = 0;
    for (int i = 0; i < _nombre; ++i) {
        somme += int(std::max(1.0, motif.at(_nombre - 1 - i) * un));
        _fins_inverses[std::size_t(i)] = somme;
    }
    _utilisable = pen.dashOffset() == 0;
}

traceur_lignes::traceur_lignes(QImage &image, const QPoint &origine)
    : _pixels(reinterpret_cast<std::uint32_t *>(image.bits())), _par_ligne(int(image.bytesPerLine() / 4)),
      _zone(origine, image.size())
{
}

template <typename Pixel>
void traceur_lignes::parcourir(const QLine &ligne, const stylo &s, Pixel &&pixel) const
{
    const pas_ligne p = pas(ligne);
    // Only the steps whose pixels can fall in the tile along the longer axis.
    const int premier = p.vertical ? _zone.top() : _zone.left();
    const int dernier = p.vertical ? _zone.bottom() : _zone.right();
    const int k0 = std::max(0, premier - p.debut);
    const int k1 = std::min(p.nombre, dernier - p.debut + 1);
    if (k0 >= k1)
        return;
    const int *fins = p.inverse ? s._fins_inverses.data() : s._fins.data();
    // Dashes start from the line's first step, or its last when drawn backward.
    int decalage = p.inverse ? s._longueur - p.nombre * un : 0;
    if (s._tirete) {
        decalage = (decalage + demi + k0 * un) % s._longueur;
        if (decalage < 0)
            decalage += s._longueur;
    }
    int mineur = p.mineur + k0 * p.increment;
    for (int k = k0; k < k1; ++k, mineur += p.increment) {
        if (s._tirete) {
            int indice = 0;
            while (decalage >= fins[indice])
                ++indice;
            const bool trace = ((indice + (p.inverse ? 0 : 1)) & 1) != 0;
            decalage = (decalage + un) % s._longueur;
            if (!trace)
                continue;
        }
        const int majeur = p.debut + k;
        const int autre = mineur >> 16;
        pixel(p.vertical ? autre : majeur, p.vertical ? majeur : autre);
    }
}

void traceur_lignes::tracer(const QLine &ligne, const stylo &s)
{
    if (ligne.p1() == ligne.p2()) {
        if (_zone.contains(ligne.p1())) {
            std::uint32_t &d = _pixels[(ligne.y1() - _zone.top()) * _par_ligne + ligne.x1() - _zone.left()];
            d = s._couleur + multiplier(d, qAlpha(~s._couleur));
        }
        return;
    }
    const std::uint32_t couleur = s._couleur;
    const std::uint32_t reste = qAlpha(~couleur);
    parcourir(ligne, s, [this, couleur, reste](int x, int y) {
        if (!_zone.contains(x, y))
            return;
        std::uint32_t &d = _pixels[(y - _zone.top()) * _par_ligne + x - _zone.left()];
        d = couleur + multiplier(d, reste);
    });
}
