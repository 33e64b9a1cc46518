#include "liste_dessin.h"

#include "graphic_item_sommet.h"

#include <QFontMetrics>
#include <QGraphicsTextItem>
#include <QImage>

#include <algorithm>

namespace {

// Dots per metre of an image that has `ppp` dots per inch.
constexpr double pouces_par_metre = 1.0 / 0.0254;

// The widest vertex number: sensor numbers have at most five digits.
const QString numero_le_plus_large = QStringLiteral("00000");

QRect debord_sommet(const QFont &police, int ppp)
{
    QImage appareil(1, 1, QImage::Format_RGB32);
    appareil.setDotsPerMeterX(qRound(ppp * pouces_par_metre));
    appareil.setDotsPerMeterY(qRound(ppp * pouces_par_metre));
    const QFontMetrics mesures(police, &appareil);
    const QPointF numero = graphic_item_sommet::origine_numero(100);
    const int droite = std::max(graphic_item_sommet::diametre,
                                int(numero.x()) + mesures.horizontalAdvance(numero_le_plus_large));
    const int haut = std::min(0, int(numero.y()) - mesures.ascent());
    const int bas = std::max(graphic_item_sommet::diametre, int(numero.y()) + mesures.descent());
    // Antialiased glyphs and the outline spill a little past these.
    constexpr int marge = 3;
    return QRect(QPoint(-marge, haut - marge), QPoint(droite + marge, bas + marge));
}

} // namespace

liste_dessin::liste_dessin(const QSize &aire, const QFont &police, int ppp)
    : _aire(aire), _police(police), _ppp(ppp), _debord(debord_sommet(police, ppp)),
      _tuiles(std::size_t(colonnes() * rangees()))
{
}

QRect liste_dessin::rectangle_tuile(const QPoint &tuile)
{
    return QRect(tuile.x() * taille_tuile, tuile.y() * taille_tuile, taille_tuile, taille_tuile);
}

const liste_dessin::contenu_tuile &liste_dessin::contenu(const QPoint &tuile) const
{
    return _tuiles[std::size_t(tuile.y() * colonnes() + tuile.x())];
}

QRect liste_dessin::bornes_ligne(const QLine &ligne)
{
    // The square caps reach half a pixel past each end.
    return QRect(QPoint(std::min(ligne.x1(), ligne.x2()) - 1, std::min(ligne.y1(), ligne.y2()) - 1),
                 QPoint(std::max(ligne.x1(), ligne.x2()) + 1, std::max(ligne.y1(), ligne.y2()) + 1));
}

std::uint16_t liste_dessin::indice_stylo(const QPen &stylo)
{
    // A drawing has a handful of pens; the last one is the likeliest.
    for (std::size_t i = _stylos.size(); i-- > 0;)
        if (_stylos[i] == stylo)
            return std::uint16_t(i);
    _stylos.push_back(stylo);
    _stylos_nets.emplace_back(stylo);
    return std::uint16_t(_stylos.size() - 1);
}

void liste_dessin::ajouter_ligne(const QLine &ligne, const QPen &stylo)
{
    _fond.push_back({false, std::uint32_t(_lignes.size())});
    _lignes.push_back({ligne, indice_stylo(stylo)});
}

void liste_dessin::ajouter_texte(const QGraphicsTextItem &item)
{
    _fond.push_back({true, std::uint32_t(_textes.size())});
    const QRect bornes = item.sceneBoundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
    _textes.push_back({item.toPlainText(), item.pos(), item.defaultTextColor(), bornes});
}

void liste_dessin::ajouter_arc(const QLine &ligne, const QPen &stylo, std::uint32_t source,
                               std::uint32_t destination)
{
    _arcs.push_back({{ligne, indice_stylo(stylo)}, source, destination});
}

std::uint32_t liste_dessin::ajouter_sommet(const QPoint &coin, int id, const QBrush &fond, const QColor &etiquette,
                                           const QPen &contour)
{
    _contour = contour;
    auto indice = [](auto &table, const auto &valeur) {
        const auto trouve = std::find(table.begin(), table.end(), valeur);
        if (trouve != table.end())
            return std::uint16_t(trouve - table.begin());
        table.push_back(valeur);
        return std::uint16_t(table.size() - 1);
    };
    _sommets.push_back({coin, id, indice(_brosses, fond), indice(_etiquettes, etiquette)});
    return std::uint32_t(_sommets.size() - 1);
}

template <typename Fonction>
void liste_dessin::pour_chaque_tuile(const QRect &bornes, Fonction &&f)
{
    const QRect dedans = bornes & QRect(QPoint(0, 0), _aire);
    if (dedans.isEmpty())
        return;
    for (int r = dedans.top() / taille_tuile; r <= dedans.bottom() / taille_tuile; ++r)
        for (int c = dedans.left() / taille_tuile; c <= dedans.right() / taille_tuile; ++c)
            f(_tuiles[std::size_t(r * colonnes() + c)]);
}

void liste_dessin::ranger_arc(std::uint32_t i)
{
    pour_chaque_tuile(bornes_ligne(_arcs[i].trace.ligne), [i](contenu_tuile &t) { t.arcs.push_back(i); });
}

void liste_dessin::terminer()
{
    for (std::uint32_t i = 0; i < _fond.size(); ++i) {
        const element_fond &e = _fond[i];
        const QRect bornes = e.est_texte ? _textes[e.indice].bornes : bornes_ligne(_lignes[e.indice].ligne);
        pour_chaque_tuile(bornes, [i](contenu_tuile &t) { t.fond.push_back(i); });
    }
    for (std::uint32_t i = 0; i < _arcs.size(); ++i)
        ranger_arc(i);
    for (std::uint32_t i = 0; i < _sommets.size(); ++i)
        pour_chaque_tuile(bornes_sommet(_sommets[i].coin), [i](contenu_tuile &t) { t.sommets.push_back(i); });

    // Each vertex's arcs, both ways, for moving them with it.
    _debut_arcs.assign(_sommets.size() + 1, 0);
    for (const arc &a : _arcs) {
        ++_debut_arcs[a.source + 1];
        ++_debut_arcs[a.destination + 1];
    }
    for (std::size_t v = 0; v < _sommets.size(); ++v)
        _debut_arcs[v + 1] += _debut_arcs[v];
    _arcs_de.resize(_debut_arcs.back());
    std::vector<std::uint32_t> suivant(_debut_arcs.begin(), _debut_arcs.end() - 1);
    for (std::uint32_t i = 0; i < _arcs.size(); ++i) {
        _arcs_de[suivant[_arcs[i].source]++] = i;
        _arcs_de[suivant[_arcs[i].destination]++] = i;
    }
}

void liste_dessin::retirer(std::vector<std::uint32_t> contenu_tuile::*liste, const QRect &bornes, std::uint32_t i)
{
    pour_chaque_tuile(bornes, [liste, i](contenu_tuile &t) {
        std::vector<std::uint32_t> &l = t.*liste;
        const auto trouve = std::lower_bound(l.begin(), l.end(), i);
        if (trouve != l.end() && *trouve == i)
            l.erase(trouve);
    });
}

void liste_dessin::inserer(std::vector<std::uint32_t> contenu_tuile::*liste, const QRect &bornes, std::uint32_t i)
{
    // Kept in stacking order, which is the order of the indices.
    pour_chaque_tuile(bornes, [liste, i](contenu_tuile &t) {
        std::vector<std::uint32_t> &l = t.*liste;
        const auto place = std::lower_bound(l.begin(), l.end(), i);
        if (place == l.end() || *place != i)
            l.insert(place, i);
    });
}

std::shared_ptr<liste_dessin> liste_dessin::deplacer(std::uint32_t indice, const QPoint &coin,
                                                     std::vector<QPoint> &touchees) const
{
    auto nouvelle = std::make_shared<liste_dessin>(*this);
    auto toucher = [&touchees, &nouvelle](const QRect &bornes) {
        nouvelle->pour_chaque_tuile(bornes, [&touchees, &nouvelle](contenu_tuile &t) {
            const std::ptrdiff_t n = &t - nouvelle->_tuiles.data();
            touchees.emplace_back(int(n % nouvelle->colonnes()), int(n / nouvelle->colonnes()));
        });
    };
    sommet &s = nouvelle->_sommets[indice];
    toucher(bornes_sommet(s.coin));
    nouvelle->retirer(&contenu_tuile::sommets, bornes_sommet(s.coin), indice);
    s.coin = coin;
    toucher(bornes_sommet(coin));
    nouvelle->inserer(&contenu_tuile::sommets, bornes_sommet(coin), indice);
    constexpr int rayon = graphic_item_sommet::rayon;
    for (std::uint32_t k = _debut_arcs[indice]; k < _debut_arcs[indice + 1]; ++k) {
        const std::uint32_t i = _arcs_de[k];
        arc &a = nouvelle->_arcs[i];
        toucher(bornes_ligne(a.trace.ligne));
        nouvelle->retirer(&contenu_tuile::arcs, bornes_ligne(a.trace.ligne), i);
        // As the arc item lays itself: between both centres.
        const QPoint &p1 = nouvelle->_sommets[a.source].coin;
        const QPoint &p2 = nouvelle->_sommets[a.destination].coin;
        a.trace.ligne = QLine(p1 + QPoint(rayon, rayon), p2 + QPoint(rayon, rayon));
        toucher(bornes_ligne(a.trace.ligne));
        nouvelle->inserer(&contenu_tuile::arcs, bornes_ligne(a.trace.ligne), i);
    }
    std::sort(touchees.begin(), touchees.end(),
              [](const QPoint &a, const QPoint &b) { return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x(); });
    touchees.erase(std::unique(touchees.begin(), touchees.end()), touchees.end());
    return nouvelle;
}
