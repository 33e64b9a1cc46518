#include "liste_dessin.h"

#include "forme_sommet.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

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
    const QPointF numero = forme_sommet::origine_numero(100);
    const int droite =
        std::max(forme_sommet::diametre, int(numero.x()) + mesures.horizontalAdvance(numero_le_plus_large));
    const int haut = std::min(0, int(numero.y()) - mesures.ascent());
    const int bas = std::max(forme_sommet::diametre, int(numero.y()) + mesures.descent());
    // Antialiased glyphs and the outline spill a little past these.
    constexpr int marge = 3;
    return QRect(QPoint(-marge, haut - marge), QPoint(droite + marge, bas + marge));
}

// Tiles row by row, each once.
void sans_doublons(std::vector<QPoint> &tuiles)
{
    std::sort(tuiles.begin(), tuiles.end(),
              [](const QPoint &a, const QPoint &b) { return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x(); });
    tuiles.erase(std::unique(tuiles.begin(), tuiles.end()), tuiles.end());
}

// Where a line may leave pixels: the square caps reach half a pixel past
// each end.
QRect bornes_trait(const QLine &trait)
{
    return QRect(QPoint(std::min(trait.x1(), trait.x2()) - 1, std::min(trait.y1(), trait.y2()) - 1),
                 QPoint(std::max(trait.x1(), trait.x2()) + 1, std::max(trait.y1(), trait.y2()) + 1));
}

// The box a text lays itself out in, as its text item sizes it.
QRect bornes_texte(const QString &contenu, const QPointF &position, const QFont &police)
{
    QTextDocument document;
    document.setDefaultFont(police);
    document.setPlainText(contenu);
    return QRectF(position, document.size()).toAlignedRect().adjusted(-1, -1, 1, 1);
}

template <typename Table, typename Valeur>
std::uint16_t indice_dans(Table &table, const Valeur &valeur)
{
    const auto trouve = std::find(table.begin(), table.end(), valeur);
    if (trouve != table.end())
        return std::uint16_t(trouve - table.begin());
    table.push_back(valeur);
    return std::uint16_t(table.size() - 1);
}

} // namespace

liste_dessin::liste_dessin(const QSize &aire, const QFont &police, int ppp)
    : _aire(aire), _police(police), _ppp(ppp), _debord(debord_sommet(police, ppp))
{
}

QRect liste_dessin::rectangle_tuile(const QPoint &tuile)
{
    return QRect(tuile.x() * taille_tuile, tuile.y() * taille_tuile, taille_tuile, taille_tuile);
}

std::vector<QPoint> liste_dessin::tuiles(const QRect &zone, const QSize &aire)
{
    std::vector<QPoint> resultat;
    pour_chaque_tuile(zone, aire, [&resultat](const QPoint &t) { resultat.push_back(t); });
    return resultat;
}

std::uint16_t liste_dessin::indice_stylo(const QPen &stylo)
{
    // A drawing has a handful of pens; the last one is the likeliest.
    for (std::size_t i = _stylos.size(); i-- > 0;)
        if (_stylos[i].qt == stylo)
            return std::uint16_t(i);
    _stylos.emplace_back(stylo);
    return std::uint16_t(_stylos.size() - 1);
}

void liste_dessin::ajouter_ligne(const QLine &trait, const QPen &stylo)
{
    _elements.emplace_back(genre::ligne, std::uint32_t(_lignes.size()));
    _lignes.push_back({trait, indice_stylo(stylo)});
}

void liste_dessin::ajouter_texte(const QString &contenu, const QPointF &position, const QColor *couleur)
{
    _elements.emplace_back(genre::texte, std::uint32_t(_textes.size()));
    // A text item without a colour of its own takes the palette's.
    const QColor teinte = couleur ? *couleur : QGuiApplication::palette().color(QPalette::Text);
    _textes.push_back({{contenu, position, teinte}, couleur != nullptr, bornes_texte(contenu, position, _police)});
}

void liste_dessin::ajouter_liste(const liste_dessin &autre, const QPoint &decalage)
{
    const auto premier = std::uint32_t(_sommets.size());
    for (const element &e : autre._elements) {
        switch (e.type()) {
        case genre::ligne: {
            const ligne &l = autre._lignes[e.indice()];
            ajouter_ligne(l.trait.translated(decalage), autre.stylo(l.stylo));
            break;
        }
        case genre::texte: {
            const texte &t = autre._textes[e.indice()];
            ajouter_texte(t.dessine.contenu, t.dessine.position + decalage, t.couleur_donnee ? &t.dessine.couleur : nullptr);
            break;
        }
        case genre::arc: {
            const arc &a = autre._arcs[e.indice()];
            ajouter_arc(premier + a.source, premier + a.destination, autre.stylo(a.stylo));
            break;
        }
        case genre::sommet: {
            const sommet &s = autre._sommets[e.indice()];
            ajouter_sommet(s.coin + decalage, s.id, autre.brosse(s.fond).color(), autre.couleur_etiquette(s.etiquette),
                           autre.contour(), s.forme);
            break;
        }
        case genre::marque: {
            const marque &m = autre._marques[e.indice()];
            const bool liee = m.sommet != aucun;
            ajouter_marque(liee ? m.boite : m.boite.translated(decalage), m.forme, autre.stylo(m.stylo),
                           autre.brosse(m.fond), liee ? premier + m.sommet : aucun);
            break;
        }
        }
    }
}

void liste_dessin::ajouter_arc(std::uint32_t source, std::uint32_t destination, const QPen &stylo)
{
    _elements.emplace_back(genre::arc, std::uint32_t(_arcs.size()));
    _arcs.push_back({source, destination, indice_stylo(stylo)});
}

std::uint16_t liste_dessin::indice_brosse(const QBrush &brosse)
{
    if (brosse.style() != Qt::SolidPattern)
        return indice_dans(_brosses, brosse);
    const auto connue = _brosse_unie.find(brosse.color().rgba());
    if (connue != _brosse_unie.end())
        return connue->second;
    const std::uint16_t indice = indice_dans(_brosses, brosse);
    _brosse_unie.emplace(brosse.color().rgba(), indice);
    return indice;
}

std::uint32_t liste_dessin::ajouter_sommet(const QPoint &coin, int id, const QColor &fond, const QColor &etiquette,
                                           const QPen &contour, forme_sommet::forme forme)
{
    _contour = contour;
    const auto indice = std::uint32_t(_sommets.size());
    _elements.emplace_back(genre::sommet, indice);
    _sommets.push_back({coin, id, indice_brosse(QBrush(fond)), indice_dans(_etiquettes, etiquette), forme});
    if (id >= 0) {
        if (std::size_t(id) >= _sommet_par_id.size())
            _sommet_par_id.resize(std::size_t(id) + 1, aucun);
        // The first vertex of a number is the one found, as in the view.
        if (_sommet_par_id[std::size_t(id)] == aucun)
            _sommet_par_id[std::size_t(id)] = indice;
    }
    return indice;
}

void liste_dessin::ajouter_marque(const QRect &boite, forme_sommet::forme forme, const QPen &contour,
                                  const QBrush &fond, std::uint32_t sommet)
{
    _elements.emplace_back(genre::marque, std::uint32_t(_marques.size()));
    _marques.push_back({boite, sommet, forme, indice_stylo(contour), indice_brosse(fond)});
}

QRect liste_dessin::boite(const marque &m) const
{
    return m.sommet == aucun ? m.boite : m.boite.translated(_sommets[m.sommet].coin);
}

std::uint32_t liste_dessin::indice_sommet(int id) const
{
    return id >= 0 && std::size_t(id) < _sommet_par_id.size() ? _sommet_par_id[std::size_t(id)] : aucun;
}

QLine liste_dessin::trait(const arc &a) const
{
    return forme_sommet::ligne_entre(_sommets[a.source].coin, _sommets[a.destination].coin);
}

QRect liste_dessin::bornes(const element &e) const
{
    switch (e.type()) {
    case genre::ligne:
        return bornes_trait(_lignes[e.indice()].trait);
    case genre::texte:
        return _textes[e.indice()].bornes;
    case genre::arc:
        return bornes_trait(trait(_arcs[e.indice()]));
    case genre::marque: {
        const marque &m = _marques[e.indice()];
        // The outline straddles the box's edge.
        const int bord = int(std::ceil(_stylos[m.stylo].qt.widthF())) + 1;
        return boite(m).adjusted(-bord, -bord, bord, bord);
    }
    case genre::sommet:
        break;
    }
    return _debord.translated(_sommets[e.indice()].coin);
}

void liste_dessin::peindre(const element &e, primitives_dessin &p) const
{
    switch (e.type()) {
    case genre::ligne: {
        const ligne &l = _lignes[e.indice()];
        p.ligne(l.trait, _stylos[l.stylo]);
        break;
    }
    case genre::texte:
        p.texte(_textes[e.indice()].dessine);
        break;
    case genre::arc: {
        const arc &a = _arcs[e.indice()];
        p.ligne(trait(a), _stylos[a.stylo]);
        break;
    }
    case genre::sommet: {
        const sommet &s = _sommets[e.indice()];
        p.sommet(s.coin, _contour, _brosses[s.fond], s.id, _etiquettes[s.etiquette], s.forme);
        break;
    }
    case genre::marque: {
        const marque &m = _marques[e.indice()];
        p.marque(boite(m), m.forme, _stylos[m.stylo].qt, _brosses[m.fond]);
        break;
    }
    }
}

void liste_dessin::parcourir(const QRect &zone, primitives_dessin &p) const
{
    // A tile's own entries when the list is indexed; any other zone looks
    // at every entry.
    const QPoint coin(zone.left() / taille_tuile, zone.top() / taille_tuile);
    if (!_tuiles.empty() && zone == rectangle_tuile(coin) && coin.x() < colonnes()
        && std::size_t(coin.y() * colonnes() + coin.x()) < _tuiles.size()) {
        for (std::uint32_t rang : _tuiles[std::size_t(coin.y() * colonnes() + coin.x())])
            peindre(_elements[rang], p);
        return;
    }
    // A zone that holds the whole area has every entry to paint.
    const bool tout = zone.contains(QRect(QPoint(0, 0), _aire));
    for (const element &e : _elements)
        if (tout || bornes(e).intersects(zone))
            peindre(e, p);
}

void liste_dessin::ranger(std::uint32_t rang)
{
    pour_chaque_tuile(bornes(_elements[rang]), _aire, [this, rang](const QPoint &t) {
        // Kept in stacking order, which is the order of the ranks.
        std::vector<std::uint32_t> &l = contenu(t);
        const auto place = std::lower_bound(l.begin(), l.end(), rang);
        if (place == l.end() || *place != rang)
            l.insert(place, rang);
    });
}

void liste_dessin::retirer(std::uint32_t rang, std::vector<QPoint> &touchees)
{
    pour_chaque_tuile(bornes(_elements[rang]), _aire, [this, rang, &touchees](const QPoint &t) {
        touchees.push_back(t);
        std::vector<std::uint32_t> &l = contenu(t);
        const auto trouve = std::lower_bound(l.begin(), l.end(), rang);
        if (trouve != l.end() && *trouve == rang)
            l.erase(trouve);
    });
}

void liste_dessin::indexer()
{
    const int rangees = (_aire.height() + taille_tuile - 1) / taille_tuile;
    _tuiles.assign(std::size_t(colonnes() * rangees), {});
    _rang_sommet.assign(_sommets.size(), 0);
    _rang_arc.assign(_arcs.size(), 0);
    for (std::uint32_t rang = 0; rang < _elements.size(); ++rang) {
        const element &e = _elements[rang];
        if (e.type() == genre::sommet)
            _rang_sommet[e.indice()] = rang;
        else if (e.type() == genre::arc)
            _rang_arc[e.indice()] = rang;
        pour_chaque_tuile(bornes(e), _aire, [this, rang](const QPoint &t) { contenu(t).push_back(rang); });
    }
    indexer_arcs();
}

void liste_dessin::indexer_arcs()
{
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

std::shared_ptr<liste_dessin> liste_dessin::deplacer(std::uint32_t indice, const QPoint &coin,
                                                     std::vector<QPoint> &touchees) const
{
    auto nouvelle = std::make_shared<liste_dessin>(*this);
    if (_tuiles.empty()) {
        nouvelle->_sommets[indice].coin = coin;
        return nouvelle;
    }
    // What the vertex and its arcs covered, then what they cover.
    std::vector<std::uint32_t> rangs{_rang_sommet[indice]};
    for (std::uint32_t k = _debut_arcs[indice]; k < _debut_arcs[indice + 1]; ++k)
        rangs.push_back(_rang_arc[_arcs_de[k]]);
    for (std::uint32_t rang = 0; rang < _elements.size() && !_marques.empty(); ++rang)
        if (_elements[rang].type() == genre::marque && _marques[_elements[rang].indice()].sommet == indice)
            rangs.push_back(rang);
    for (std::uint32_t rang : rangs)
        nouvelle->retirer(rang, touchees);
    nouvelle->_sommets[indice].coin = coin;
    for (std::uint32_t rang : rangs) {
        nouvelle->ranger(rang);
        pour_chaque_tuile(nouvelle->bornes(_elements[rang]), _aire, [&touchees](const QPoint &t) { touchees.push_back(t); });
    }
    sans_doublons(touchees);
    return nouvelle;
}

bool liste_dessin::meme_cadre(const liste_dessin &autre) const
{
    if (_aire != autre._aire || _lignes.size() != autre._lignes.size() || _textes.size() != autre._textes.size()
        || _sommets.size() != autre._sommets.size() || _tuiles.size() != autre._tuiles.size())
        return false;
    for (std::size_t i = 0; i < _textes.size(); ++i)
        if (_textes[i].dessine.contenu != autre._textes[i].dessine.contenu)
            return false;
    for (std::size_t v = 0; v < _sommets.size(); ++v)
        if (_sommets[v].coin != autre._sommets[v].coin || _sommets[v].id != autre._sommets[v].id
            || _sommets[v].forme != autre._sommets[v].forme)
            return false;
    return memes_marques(autre);
}

bool liste_dessin::memes_marques(const liste_dessin &autre) const
{
    if (_marques.size() != autre._marques.size())
        return false;
    for (std::size_t i = 0; i < _marques.size(); ++i) {
        const marque &a = _marques[i];
        const marque &b = autre._marques[i];
        if (a.boite != b.boite || a.sommet != b.sommet || a.forme != b.forme || stylo(a.stylo) != autre.stylo(b.stylo)
            || brosse(a.fond) != autre.brosse(b.fond))
            return false;
    }
    return true;
}

std::vector<std::uint32_t> liste_dessin::arcs_par_source(std::vector<std::uint32_t> &debut) const
{
    debut.assign(_sommets.size() + 1, 0);
    for (const arc &a : _arcs)
        ++debut[a.source + 1];
    for (std::size_t v = 0; v < _sommets.size(); ++v)
        debut[v + 1] += debut[v];
    std::vector<std::uint32_t> arcs(_arcs.size());
    std::vector<std::uint32_t> suivant(debut.begin(), debut.end() - 1);
    for (std::uint32_t i = 0; i < _arcs.size(); ++i)
        arcs[suivant[_arcs[i].source]++] = i;
    return arcs;
}

bool liste_dessin::memes_arcs(std::uint32_t source, const liste_dessin &avant,
                              const std::vector<std::uint32_t> &debut_avant,
                              const std::vector<std::uint32_t> &arcs_avant, const std::vector<std::uint32_t> &debut,
                              const std::vector<std::uint32_t> &arcs) const
{
    const std::uint32_t n = debut[source + 1] - debut[source];
    if (n != debut_avant[source + 1] - debut_avant[source])
        return false;
    for (std::uint32_t k = 0; k < n; ++k) {
        const arc &a = _arcs[arcs[debut[source] + k]];
        const arc &b = avant._arcs[arcs_avant[debut_avant[source] + k]];
        if (a.destination != b.destination || _stylos[a.stylo].qt != avant._stylos[b.stylo].qt)
            return false;
    }
    return true;
}

liste_dessin::changements liste_dessin::changements_depuis(const liste_dessin &avant) const
{
    changements c;
    if (!meme_cadre(avant))
        return c;
    c.comparables = true;
    auto toucher = [&c, this](const QRect &bornes) {
        pour_chaque_tuile(bornes, _aire, [&c](const QPoint &t) { c.tuiles.push_back(t); });
    };
    std::vector<std::uint32_t> debut_avant, debut;
    const std::vector<std::uint32_t> arcs_avant = avant.arcs_par_source(debut_avant);
    const std::vector<std::uint32_t> arcs = arcs_par_source(debut);
    for (std::uint32_t v = 0; v < _sommets.size(); ++v) {
        const sommet &s = _sommets[v];
        const sommet &t = avant._sommets[v];
        if (_brosses[s.fond] != avant._brosses[t.fond] || _etiquettes[s.etiquette] != avant._etiquettes[t.etiquette]) {
            c.sommets.push_back(v);
            toucher(_debord.translated(s.coin));
        }
        if (memes_arcs(v, avant, debut_avant, arcs_avant, debut, arcs))
            continue;
        c.sources.push_back(v);
        for (std::uint32_t k = debut_avant[v]; k < debut_avant[v + 1]; ++k)
            toucher(bornes_trait(avant.trait(avant._arcs[arcs_avant[k]])));
        for (std::uint32_t k = debut[v]; k < debut[v + 1]; ++k)
            toucher(bornes_trait(trait(_arcs[arcs[k]])));
    }
    sans_doublons(c.tuiles);
    return c;
}
