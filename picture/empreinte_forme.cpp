#include "empreinte_forme.h"

#include "forme_sommet.h"

#include <QPainter>

#include <algorithm>

namespace {

// Room around the circle for its outline, which straddles its edge.
constexpr int marge = 2;
constexpr int cote = forme_sommet::diametre + 2 * marge;

} // namespace

empreinte_forme::empreinte_forme(const QPen &contour, const QBrush &fond, forme_sommet::forme f)
    : _contour(contour), _fond(fond), _forme(f)
{
    QImage image(cote, cote, QImage::Format_ARGB32_Premultiplied);
    image.fill(0);
    QPainter peintre(&image);
    peintre.translate(marge, marge);
    peintre.setPen(contour);
    peintre.setBrush(fond);
    forme_sommet::peindre_forme(peintre, f, forme_sommet::boite_sommet);
    peintre.end();
    for (int y = 0; y < cote; ++y) {
        const auto *ligne = reinterpret_cast<const std::uint32_t *>(image.constScanLine(y));
        for (int x = 0; x < cote; ++x) {
            const int alpha = qAlpha(ligne[x]);
            // Translucent, or reaching the room's edge: not for copying.
            if ((alpha != 0 && alpha != 255) || (alpha && (y == 0 || x == 0 || y == cote - 1 || x == cote - 1)))
                return;
            if (!alpha)
                continue;
            if (!_segments.empty() && _segments.back().y == y - marge && _segments.back().couleur == ligne[x]
                && _segments.back().x + _segments.back().longueur == x - marge)
                ++_segments.back().longueur;
            else
                _segments.push_back({y - marge, x - marge, 1, ligne[x]});
        }
    }
    _utilisable = true;
}

void empreinte_forme::poser(QImage &image, const QPoint &coin) const
{
    const int largeur = image.width();
    const int hauteur = image.height();
    const qsizetype par_ligne = image.bytesPerLine() / 4;
    auto *pixels = reinterpret_cast<std::uint32_t *>(image.bits());
    for (const segment &s : _segments) {
        const int y = coin.y() + s.y;
        const int debut = std::max(0, coin.x() + s.x);
        const int fin = std::min(largeur, coin.x() + s.x + s.longueur);
        if (y < 0 || y >= hauteur || debut >= fin)
            continue;
        std::fill(pixels + y * par_ligne + debut, pixels + y * par_ligne + fin, s.couleur);
    }
}
