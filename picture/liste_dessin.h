#ifndef LISTE_DESSIN_H
#define LISTE_DESSIN_H

#include "forme_sommet.h"
#include "primitives_dessin.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QLine>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

// The drawing itself, compactly: the frame's lines and texts, the arcs
// between vertices and the vertices, in stacking order. The builder makes
// it from the records; every picture is painted from it (rendu_dessin), the
// screen in tiles from any thread, and the window's items are made from its
// entries. Once indexed it is only read: a drag makes a new one.
class liste_dessin
{
public:
    // Tiles are squares of this side, in scene units, from the scene's origin.
    static constexpr int taille_tuile = 256;
    static constexpr std::uint32_t aucun = UINT32_MAX;

    struct ligne
    {
        QLine trait;
        std::uint16_t stylo = 0;
    };
    struct texte
    {
        primitives_dessin::texte_place dessine;
        // Given by the builder; otherwise the text takes its default one.
        bool couleur_donnee = false;
        // Where it paints, in scene units.
        QRect bornes;
    };
    // Both ends are vertices' indices; the line joins their centres.
    struct arc
    {
        std::uint32_t source = 0;
        std::uint32_t destination = 0;
        std::uint16_t stylo = 0;
    };
    struct sommet
    {
        QPoint coin;
        std::int32_t id = 0;
        std::uint16_t fond = 0;
        std::uint16_t etiquette = 0;
        forme_sommet::forme forme = forme_sommet::forme::cercle;
    };
    // A figure's mark with no number: a legend's sample, a colour bar's
    // step, the ring of a fault. Tied to a vertex, its box is from the
    // vertex's corner and follows it.
    struct marque
    {
        QRect boite;
        std::uint32_t sommet = aucun;
        forme_sommet::forme forme = forme_sommet::forme::carre;
        std::uint16_t stylo = 0;
        std::uint16_t fond = 0;
    };
    enum class genre : std::uint8_t { ligne, texte, arc, sommet, marque };
    // One entry of the stacking order: its kind and its index among its kind.
    class element
    {
    public:
        element(genre g, std::uint32_t indice) : _code((std::uint32_t(g) << 29) | indice) {}
        genre type() const { return genre(_code >> 29); }
        std::uint32_t indice() const { return _code & ((1u << 29) - 1); }

    private:
        std::uint32_t _code;
    };

    // aire: the drawing area; police: the font texts and numbers are drawn
    // with; ppp: the logical dots per inch that size it.
    liste_dessin(const QSize &aire, const QFont &police, int ppp);

    // Entries go on top of those before. Arcs name their ends by the order
    // in which the vertices are added, which may be after them.
    void ajouter_ligne(const QLine &trait, const QPen &stylo);
    void ajouter_texte(const QString &contenu, const QPointF &position, const QColor *couleur = nullptr);
    void ajouter_arc(std::uint32_t source, std::uint32_t destination, const QPen &stylo);
    std::uint32_t ajouter_sommet(const QPoint &coin, int id, const QColor &fond, const QColor &etiquette,
                                 const QPen &contour, forme_sommet::forme forme = forme_sommet::forme::cercle);
    // boite: from the corner of vertex `sommet`, or in scene units when aucun.
    void ajouter_marque(const QRect &boite, forme_sommet::forme forme, const QPen &contour, const QBrush &fond,
                        std::uint32_t sommet = aucun);
    // Every entry of another drawing, moved by `decalage`, on top of these:
    // several drawings on one page.
    void ajouter_liste(const liste_dessin &autre, const QPoint &decalage);
    // Sorts the entries into their tiles and each vertex's arcs, for a
    // screen painted in tiles and for drags; a list painted whole needs none.
    void indexer();

    // Sends the primitives of every entry that may paint in `zone` to p, in
    // stacking order.
    void parcourir(const QRect &zone, primitives_dessin &p) const;

    // What this drawing changes from another of the same frame and vertices
    // at the same places (a history's next step): the vertices whose fill
    // or number's colour differ, those whose arcs differ (each vertex's arcs
    // being those it is the source of), and the tiles whose picture changes.
    // Both lists indexed; not comparables when the frames or vertices differ.
    struct changements
    {
        bool comparables = false;
        std::vector<std::uint32_t> sommets;
        std::vector<std::uint32_t> sources;
        std::vector<QPoint> tuiles;
    };
    changements changements_depuis(const liste_dessin &avant) const;

    // A copy with vertex `indice` at its new corner, its arcs following;
    // `touchees` receives every tile whose picture changes.
    std::shared_ptr<liste_dessin> deplacer(std::uint32_t indice, const QPoint &coin,
                                           std::vector<QPoint> &touchees) const;

    QSize aire() const { return _aire; }
    const QFont &police() const { return _police; }
    int ppp() const { return _ppp; }
    const std::vector<element> &elements() const { return _elements; }
    const std::vector<ligne> &lignes() const { return _lignes; }
    const std::vector<texte> &textes() const { return _textes; }
    const std::vector<arc> &arcs() const { return _arcs; }
    const std::vector<sommet> &sommets() const { return _sommets; }
    const std::vector<marque> &marques() const { return _marques; }
    // Where a mark stands, in scene units.
    QRect boite(const marque &m) const;
    const QPen &stylo(std::uint16_t i) const { return _stylos[i].qt; }
    const QPen &contour() const { return _contour; }
    const QBrush &brosse(std::uint16_t i) const { return _brosses[i]; }
    const QColor &couleur_etiquette(std::uint16_t i) const { return _etiquettes[i]; }
    // The vertex of a sensor, aucun when the drawing has none.
    std::uint32_t indice_sommet(int id) const;
    QLine trait(const arc &a) const;

    // The tiles of the grid that meet `zone` within the area, row by row.
    template <typename Fonction>
    static void pour_chaque_tuile(const QRect &zone, const QSize &aire, Fonction &&f)
    {
        const QRect dedans = zone & QRect(QPoint(0, 0), aire);
        if (dedans.isEmpty())
            return;
        for (int r = dedans.top() / taille_tuile; r <= dedans.bottom() / taille_tuile; ++r)
            for (int c = dedans.left() / taille_tuile; c <= dedans.right() / taille_tuile; ++c)
                f(QPoint(c, r));
    }
    static std::vector<QPoint> tuiles(const QRect &zone, const QSize &aire);
    static QRect rectangle_tuile(const QPoint &tuile);
    int colonnes() const { return (_aire.width() + taille_tuile - 1) / taille_tuile; }

private:
    std::uint16_t indice_stylo(const QPen &stylo);
    std::uint16_t indice_brosse(const QBrush &brosse);
    bool memes_marques(const liste_dessin &autre) const;
    QRect bornes(const element &e) const;
    void peindre(const element &e, primitives_dessin &p) const;
    std::vector<std::uint32_t> &contenu(const QPoint &tuile) { return _tuiles[std::size_t(tuile.y() * colonnes() + tuile.x())]; }
    void ranger(std::uint32_t rang);
    void retirer(std::uint32_t rang, std::vector<QPoint> &touchees);
    void indexer_arcs();
    bool meme_cadre(const liste_dessin &autre) const;
    // Each vertex's arcs as source, in stacking order: debut[v] to debut[v + 1] in the result.
    std::vector<std::uint32_t> arcs_par_source(std::vector<std::uint32_t> &debut) const;
    bool memes_arcs(std::uint32_t source, const liste_dessin &avant, const std::vector<std::uint32_t> &debut_avant,
                    const std::vector<std::uint32_t> &arcs_avant, const std::vector<std::uint32_t> &debut,
                    const std::vector<std::uint32_t> &arcs) const;

    QSize _aire;
    QFont _police;
    int _ppp;
    // A vertex's pixels around its corner: the circle, and the widest number
    // in the font.
    QRect _debord;
    std::vector<element> _elements;
    std::vector<ligne> _lignes;
    std::vector<texte> _textes;
    std::vector<arc> _arcs;
    std::vector<sommet> _sommets;
    std::vector<marque> _marques;
    // The place in _elements of each vertex, each arc: what a drag moves.
    std::vector<std::uint32_t> _rang_sommet;
    std::vector<std::uint32_t> _rang_arc;
    std::vector<std::uint32_t> _sommet_par_id;
    std::vector<primitives_dessin::stylo> _stylos;
    QPen _contour;
    std::vector<QBrush> _brosses;
    // A figure coloured by a value has hundreds of fills.
    std::unordered_map<QRgb, std::uint16_t> _brosse_unie;
    std::vector<QColor> _etiquettes;
    // Once indexed: each vertex's arcs, _arcs_de[_debut_arcs[v]] to
    // _arcs_de[_debut_arcs[v + 1]], and each tile's entries in stacking
    // order.
    std::vector<std::uint32_t> _debut_arcs;
    std::vector<std::uint32_t> _arcs_de;
    std::vector<std::vector<std::uint32_t>> _tuiles;
};

#endif
