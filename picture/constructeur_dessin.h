#ifndef CONSTRUCTEUR_DESSIN_H
#define CONSTRUCTEUR_DESSIN_H

#include "echelle_dessin.h"
#include "options_figure.h"
#include "roles_capteurs.h"

#include <QFont>
#include <QSize>

#include <memory>
#include <optional>

class graphe_instance;
class graphe_solution;
class liste_dessin;

// What a drawing shows of the records.
struct sujet_dessin
{
    const graphe_instance *instance = nullptr;
    const graphe_solution *solution = nullptr;
    // 1 draws the instance, any other value the solution.
    int type_graphe = 1;
    // Laid over the solution: a comparison of the two.
    const graphe_solution *b = nullptr;
    // In a history, the step before the solution's: the sensors that joined
    // MA since are drawn as a comparison draws B's own, those that left it
    // as A's own, and an unchanged step as the solution alone.
    const graphe_solution *precedente = nullptr;
    // What a figure for a paper adds; nothing unless asked.
    options_figure figure;
};

// A drawing made: its list, where it put the sensors (none when the records
// it needs are missing, and only the frame is drawn) and the roles it shows.
struct dessin
{
    std::shared_ptr<liste_dessin> liste;
    std::optional<echelle_dessin> echelle;
    roles_capteurs roles;
};

// Draws the frame, the information text, the arcs and the vertices on an
// area of the given size, and what the figure's options add (a legend to
// the right of it, a scale bar under it, which enlarge the list's area), writing the drawing's trace lines ("width=",
// "_ecart_x = ", "NULL") on std::cout. police and ppp: the font its texts
// and numbers are drawn with, and the resolution that sizes it.
dessin construire_dessin(const sujet_dessin &sujet, const QSize &aire, const QFont &police, int ppp);

#endif
