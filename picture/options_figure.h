#ifndef OPTIONS_FIGURE_H
#define OPTIONS_FIGURE_H

#include "valeurs_capteurs.h"

#include <QRectF>

#include <memory>
#include <optional>

// How the roles are told apart: the usual fills, or colours and marks that
// a colour-blind reader and a greyscale print keep apart.
enum class style_figure { habituel, daltonien };

// What fills the sensors instead of their roles.
enum class valeur_figure { aucune, sauts, degre, fichier };

// What a figure adds to the drawing for a paper. Each is off unless asked
// for, and a drawing asked for nothing is the page's drawing exactly.
struct options_figure
{
    // A box beside the drawing saying what each fill is, with its count.
    bool legende = false;
    // A bar of a round length in the instance's units, under the frame.
    bool barre_echelle = false;
    // Uncovered sensors ringed, parts of MA cut off from the sink dashed.
    bool defauts = false;
    style_figure style = style_figure::habituel;
    valeur_figure couleur_par = valeur_figure::aucune;
    // The values of a file, for valeur_figure::fichier.
    std::shared_ptr<const valeurs_capteurs> valeurs;
    // Only the sensors of this rectangle, in the instance's units.
    std::optional<QRectF> region;

    bool rien() const
    {
        return !legende && !barre_echelle && !defauts && style == style_figure::habituel
               && couleur_par == valeur_figure::aucune && !region;
    }
};

#endif
