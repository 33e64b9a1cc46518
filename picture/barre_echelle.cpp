#include "barre_echelle.h"

#include "aire_dessin.h"
#include "couleurs_dessin.h"
#include "echelle_dessin.h"
#include "liste_dessin.h"

#include <QPen>

#include <cmath>

namespace barre_echelle
{

namespace {

// The bar spans at most this part of the frame's width.
constexpr double part_du_cadre = 0.25;
constexpr int epaisseur = 3;
constexpr int taquet = 5;

QString libelle(double longueur)
{
    return QString::number(longueur, 'g', 12);
}

} // namespace

double longueur_ronde(double au_plus)
{
    if (!(au_plus > 0) || !std::isfinite(au_plus))
        return 0;
    const double puissance = std::pow(10.0, std::floor(std::log10(au_plus)));
    for (double facteur : {5.0, 2.0, 1.0})
        // A little slack: log10 of a round number may land just under it.
        if (facteur * puissance <= au_plus * (1 + 1e-12))
            return facteur * puissance;
    return puissance / 2;
}

void poser(liste_dessin &liste, const echelle_dessin &echelle, int largeur, int hauteur_dessin)
{
    if (echelle.ecart_x() <= 0)
        return;
    const int marge = aire_dessin::marge;
    const double longueur = longueur_ronde((largeur - 2 * marge) * part_du_cadre / echelle.ecart_x());
    const int pixels = int(std::lround(longueur * echelle.ecart_x()));
    if (pixels < 1)
        return;
    const int y = hauteur_dessin + hauteur / 4;
    const QPen fin(couleurs_dessin::bleu_nuit);
    QPen epais(couleurs_dessin::bleu_nuit, epaisseur);
    epais.setCapStyle(Qt::FlatCap);
    liste.ajouter_ligne(QLine(marge, y, marge + pixels, y), epais);
    liste.ajouter_ligne(QLine(marge, y - taquet, marge, y + taquet), fin);
    liste.ajouter_ligne(QLine(marge + pixels, y - taquet, marge + pixels, y + taquet), fin);
    liste.ajouter_texte(libelle(longueur), QPointF(marge + pixels + taquet, y - hauteur / 3), &couleurs_dessin::bleu_nuit);
}

} // namespace barre_echelle
