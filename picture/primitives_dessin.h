#ifndef PRIMITIVES_DESSIN_H
#define PRIMITIVES_DESSIN_H

#include "forme_sommet.h"
#include "traceur_lignes.h"

#include <QBrush>
#include <QColor>
#include <QLine>
#include <QPen>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QString>

// What a drawing is made of, as a painter or a writer of pictures receives
// it from the list, in stacking order: lines, texts, and vertices, each a
// circle with its number.
class primitives_dessin
{
public:
    // A pen of the drawing, with what the one-pixel tracer makes of it.
    struct stylo
    {
        explicit stylo(const QPen &pen) : qt(pen), net(pen) {}
        QPen qt;
        traceur_lignes::stylo net;
    };
    struct texte_place
    {
        QString contenu;
        // The top-left corner of the text's box, in scene units.
        QPointF position;
        QColor couleur;
    };

    virtual ~primitives_dessin() = default;

    virtual void ligne(const QLine &ligne, const stylo &s) = 0;
    virtual void texte(const texte_place &t) = 0;
    // The vertex's top-left corner, its outline and fill, its number and the
    // number's colour, and its mark (the circle unless a figure asks).
    virtual void sommet(const QPoint &coin, const QPen &contour, const QBrush &fond, int id,
                        const QColor &couleur_numero, forme_sommet::forme forme) = 0;
    // A mark without a number in its box, in scene units.
    virtual void marque(const QRect &boite, forme_sommet::forme forme, const QPen &contour, const QBrush &fond) = 0;
};

#endif
