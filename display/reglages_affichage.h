#ifndef REGLAGES_AFFICHAGE_H
#define REGLAGES_AFFICHAGE_H

// The drawing's speed settings, none of which changes a pixel on screen or
// in an exported image. On by default; the benchmark and the image
// comparison test turn them off to run the plain path.
class reglages_affichage
{
public:
    static bool actifs() { return _actifs; }
    // Takes effect for views, items and exports made or painted afterwards.
    static void activer(bool oui) { _actifs = oui; }

private:
    static bool _actifs;
};

#endif
