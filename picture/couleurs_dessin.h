#ifndef COULEURS_DESSIN_H
#define COULEURS_DESSIN_H

#include <QColor>

// Fills of the sensors by role, shared by the drawing and the legends that
// explain it.
namespace couleurs_dessin
{

// The vertices' outline and numbers.
inline const QColor bleu_nuit(0, 51, 102, 255);
inline const QColor vert_puits(0, 128, 0, 255);
inline const QColor vert_ma(173, 255, 47, 255);
inline const QColor saumon_br(250, 128, 114, 255);
inline const QColor blanc_casse(244, 244, 244, 255);
// A comparison's MA sensors of one solution only, and their links.
inline const QColor bleu_seulement_a(0, 114, 178, 255);
inline const QColor vermillon_seulement_b(213, 94, 0, 255);

} // namespace couleurs_dessin

#endif
