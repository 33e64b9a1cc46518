#ifndef MESURES_H
#define MESURES_H

// What the benchmarks that drive the real window share: timings, memory,
// the vertex in the middle of a view; with the paint counter and the runs
// in child processes of their own.

#include "compteur_peintures.h"
#include "figures_enfants.h"
#include "graphic_item_sommet.h"
#include "graphic_view.h"
#include "memoire.h"

#include <QElapsedTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>

inline double millisecondes(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

inline long pic_memoire_mo()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024; // kilobytes on Linux
}

// The vertex nearest the middle of the viewport, so that presses and drag
// steps stay clear of the edges where the view scrolls by itself.
inline graphic_item_sommet *sommet_au_milieu(graphic_view *vue)
{
    const QPointF milieu = vue->mapToScene(vue->viewport()->rect().center());
    graphic_item_sommet *meilleur = nullptr;
    qreal distance = 1e18;
    for (graphic_item_sommet *sommet : vue->liste_sommets()) {
        const QPointF d = sommet->pos() + QPointF(graphic_item_sommet::rayon, graphic_item_sommet::rayon) - milieu;
        const qreal d2 = d.x() * d.x() + d.y() * d.y();
        if (d2 < distance) {
            distance = d2;
            meilleur = sommet;
        }
    }
    return meilleur;
}

#endif
