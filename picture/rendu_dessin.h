#ifndef RENDU_DESSIN_H
#define RENDU_DESSIN_H

#include "empreinte_forme.h"
#include "primitives_dessin.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QTransform>

#include <optional>
#include <unordered_map>
#include <vector>

class QPainter;
class chiffres_dessines;
class liste_dessin;

// The one painter of drawings: paints any part of a list with a QPainter
// onto any target, the screen's tiles, the saved images, PDF pages and the
// drag's copy alike. On an image at one pixel a unit, one-pixel lines are
// stepped by the project's own tracer and wider ones drawn on an image that
// holds them whole, so that a tile holds exactly the whole image's pixels;
// elsewhere lines are the painter's own, as vectors on a vector device.
// Any thread may paint; the list is only read.
class rendu_dessin : public primitives_dessin
{
public:
    // The entries that may paint in `zone` (scene units); the painter maps
    // scene units to its device.
    static void peindre(QPainter &peintre, const liste_dessin &liste, const QRect &zone);
    // One tile of the screen, white under the drawing.
    static QImage tuile(const liste_dessin &liste, const QPoint &tuile);
    // The whole drawing area on white, pixels_par_unite pixels a unit; a
    // null image when it cannot be made.
    static QImage image(const liste_dessin &liste, int pixels_par_unite);
    // Only `zone` of it (scene units), its top-left at the image's.
    static QImage image(const liste_dessin &liste, int pixels_par_unite, const QRect &zone);
    // A vertex as every picture shows it, its corner at the painter's origin.
    static void peindre_sommet(QPainter &peintre, const QPen &contour, const QBrush &fond, int id,
                               const QColor &couleur_numero,
                               forme_sommet::forme forme = forme_sommet::forme::cercle);
    // A vertex's number, its base line starting at origine.
    static void peindre_numero(QPainter &peintre, const QColor &couleur, QStringView texte, const QPointF &origine);

    void ligne(const QLine &ligne, const stylo &s) override;
    void texte(const texte_place &t) override;
    void sommet(const QPoint &coin, const QPen &contour, const QBrush &fond, int id, const QColor &couleur_numero,
                forme_sommet::forme forme) override;
    void marque(const QRect &boite, forme_sommet::forme forme, const QPen &contour, const QBrush &fond) override;

private:
    rendu_dessin(QPainter &peintre, const liste_dessin &liste);
    void trait_large(const QLine &ligne, const QPen &stylo);
    // Paints on an image that holds `bornes` whole, then copies it back: a
    // painter cuts a shape at its device's edges, which moves its pixels.
    template <typename Peindre>
    void sur_brouillon(const QRect &bornes, Peindre &&peindre);
    const empreinte_forme &empreinte(const QPen &contour, const QBrush &fond, forme_sommet::forme forme);
    void remettre_base();
    // A vertex on an image at one pixel a unit: its circle copied from the
    // one painted first, its number where the painter would put it.
    void sommet_sur_l_image(const QPoint &coin, const QPen &contour, const QBrush &fond, int id,
                            const QColor &couleur_numero, forme_sommet::forme forme);

    QPainter &_peintre;
    const liste_dessin &_liste;
    const QTransform _base;
    bool _base_changee = false;
    // On an image at one pixel a unit: the image and the scene point of its
    // top-left pixel.
    QImage *_image = nullptr;
    QPoint _origine;
    std::optional<traceur_lignes> _traceur;
    std::vector<empreinte_forme> _empreintes;
    // Each fill and mark's footprint, found without comparing pens and
    // brushes: a figure coloured by a value has hundreds.
    std::unordered_map<quint64, std::size_t> _empreinte_par_fond;
    chiffres_dessines *_chiffres = nullptr;
    QColor _couleur_numero;
};

#endif
