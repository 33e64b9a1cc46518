#ifndef LISTE_DESSIN_H
#define LISTE_DESSIN_H

#include "traceur_lignes.h"

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
#include <vector>

class QGraphicsTextItem;

// What one drawing shows, in stacking order and compactly: the frame's lines
// and texts, the arcs as lines with their pens, the vertices as corners with
// their fill, label colour and number. The scene builder makes it with the
// same steps as the items, and the screen is painted from it in tiles (see
// rendu_tuile), in any thread: once made, it is only read. A drag makes a
// new one with the moved vertex and its arcs.
class liste_dessin
{
public:
    // Tiles are squares of this side, in scene units, from the scene's origin.
    static constexpr int taille_tuile = 256;

    struct trait
    {
        QLine ligne;
        std::uint16_t stylo = 0;
    };
    struct texte
    {
        QString contenu;
        QPointF position;
        QColor couleur;
        // Where it paints, in scene units.
        QRect bornes;
    };
    struct sommet
    {
        QPoint coin;
        std::int32_t id = 0;
        std::uint16_t fond = 0;
        std::uint16_t etiquette = 0;
    };
    struct arc
    {
        trait trace;
        // Indices in sommets() of both ends.
        std::uint32_t source = 0;
        std::uint32_t destination = 0;
    };
    // What lies under the arcs, in order: a frame line or a text.
    struct element_fond
    {
        bool est_texte = false;
        std::uint32_t indice = 0;
    };
    // What may paint in one tile, each in stacking order.
    struct contenu_tuile
    {
        std::vector<std::uint32_t> fond;
        std::vector<std::uint32_t> arcs;
        std::vector<std::uint32_t> sommets;
    };

    // aire: the drawing area; police: the font the view and its exports draw
    // texts with; ppp: the screen's logical dots per inch, which sizes it.
    liste_dessin(const QSize &aire, const QFont &police, int ppp);

    // Made by the builder in the items' own order.
    void ajouter_ligne(const QLine &ligne, const QPen &stylo);
    void ajouter_texte(const QGraphicsTextItem &item);
    void ajouter_arc(const QLine &ligne, const QPen &stylo, std::uint32_t source, std::uint32_t destination);
    // Returns the vertex's index.
    std::uint32_t ajouter_sommet(const QPoint &coin, int id, const QBrush &fond, const QColor &etiquette,
                                 const QPen &contour);
    // Sorts everything into its tiles; the list is complete.
    void terminer();

    // A copy with vertex `indice` at its new corner and its arcs laid again
    // between both ends' centres; `touchees` receives every tile whose
    // picture changes.
    std::shared_ptr<liste_dessin> deplacer(std::uint32_t indice, const QPoint &coin,
                                           std::vector<QPoint> &touchees) const;

    QSize aire() const { return _aire; }
    int colonnes() const { return (_aire.width() + taille_tuile - 1) / taille_tuile; }
    int rangees() const { return (_aire.height() + taille_tuile - 1) / taille_tuile; }
    static QRect rectangle_tuile(const QPoint &tuile);
    const contenu_tuile &contenu(const QPoint &tuile) const;

    const QFont &police() const { return _police; }
    int ppp() const { return _ppp; }
    const std::vector<element_fond> &fond() const { return _fond; }
    const std::vector<trait> &lignes() const { return _lignes; }
    const std::vector<texte> &textes() const { return _textes; }
    const std::vector<arc> &arcs() const { return _arcs; }
    const std::vector<sommet> &sommets() const { return _sommets; }
    const QPen &stylo(std::uint16_t i) const { return _stylos[i]; }
    const traceur_lignes::stylo &stylo_net(std::uint16_t i) const { return _stylos_nets[i]; }
    const QPen &contour() const { return _contour; }
    const QBrush &brosse(std::uint16_t i) const { return _brosses[i]; }
    const QColor &couleur_etiquette(std::uint16_t i) const { return _etiquettes[i]; }

    // Where a vertex or a line may leave pixels, numbers past the circle
    // included.
    QRect bornes_sommet(const QPoint &coin) const { return _debord.translated(coin); }
    static QRect bornes_ligne(const QLine &ligne);

private:
    std::uint16_t indice_stylo(const QPen &stylo);
    template <typename Fonction>
    void pour_chaque_tuile(const QRect &bornes, Fonction &&f);
    void ranger_arc(std::uint32_t i);
    void retirer(std::vector<std::uint32_t> contenu_tuile::*liste, const QRect &bornes, std::uint32_t i);
    void inserer(std::vector<std::uint32_t> contenu_tuile::*liste, const QRect &bornes, std::uint32_t i);

    QSize _aire;
    QFont _police;
    int _ppp;
    // A vertex's pixels around its corner: the circle, and the widest number
    // in the font.
    QRect _debord;
    std::vector<element_fond> _fond;
    std::vector<trait> _lignes;
    std::vector<texte> _textes;
    std::vector<arc> _arcs;
    std::vector<sommet> _sommets;
    std::vector<QPen> _stylos;
    std::vector<traceur_lignes::stylo> _stylos_nets;
    QPen _contour;
    std::vector<QBrush> _brosses;
    std::vector<QColor> _etiquettes;
    // Each vertex's arcs, as indices in _arcs: _arcs_de[_debut_arcs[v]] to
    // _arcs_de[_debut_arcs[v + 1]].
    std::vector<std::uint32_t> _debut_arcs;
    std::vector<std::uint32_t> _arcs_de;
    std::vector<contenu_tuile> _tuiles;
};

#endif
