#ifndef LEGENDE_FIGURE_H
#define LEGENDE_FIGURE_H

#include "forme_sommet.h"

#include <QColor>
#include <QFont>
#include <QPen>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class liste_dessin;

// The box beside a figure that says what its fills, marks and lines are:
// one row a kind, its sample then its text, and for a figure coloured by a
// value the colour bar with its ends.
class legende_figure
{
public:
    void ajouter_marque(const QString &texte, forme_sommet::forme forme, const QColor &fond, const QPen &contour);
    void ajouter_trait(const QString &texte, const QPen &stylo);
    void ajouter_barre(const QString &nom, double minimum, double maximum);

    bool vide() const { return _rangees.empty() && !_barre; }
    // Its size with the texts in this font at this resolution.
    QSize taille(const QFont &police, int ppp) const;
    // Lays its box with its top-left corner at `coin`.
    void poser(liste_dessin &liste, const QPoint &coin) const;

private:
    struct rangee
    {
        QString texte;
        bool trait = false;
        forme_sommet::forme forme = forme_sommet::forme::cercle;
        QColor fond;
        QPen stylo;
    };
    struct barre
    {
        QString nom;
        double minimum;
        double maximum;
    };
    int poser_barre(liste_dessin &liste, const QPoint &coin) const;
    QStringList textes() const;

    std::vector<rangee> _rangees;
    std::optional<barre> _barre;
};

#endif
