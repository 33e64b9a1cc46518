#ifndef LECTURE_VALEURS_H
#define LECTURE_VALEURS_H

#include "lecture_fichier.h"
#include "valeurs_capteurs.h"

#include <QString>
#include <QStringList>

#include <cstddef>

// A value per sensor from a CSV file: a header, then a line a sensor, the
// sensor's number in the first column. The column is named, or the second
// one. Cells are parted by commas, or semicolons or tabs when the header
// uses those; a blank cell leaves its sensor without a value.
struct demande_valeurs
{
    QString chemin;
    // Empty for the second column.
    QString colonne;
};

// "FILE.csv[:COLUMN]": a name that is an existing file as a whole keeps
// its colon.
demande_valeurs demande_de(const QString &argument);

// The header's cells, for a user to choose a column; empty when the file
// does not open.
QStringList colonnes_valeurs(const QString &chemin);

// Read whole or not at all, for an instance of nb_capteurs sensors: a cell
// that is not a number, a sensor unknown or repeated, or a missing column
// refuses the file with its line.
fichier_lu<valeurs_capteurs> lire_fichier_valeurs(const demande_valeurs &demande, std::size_t nb_capteurs);

#endif
