#ifndef LECTURE_LIGNES_H
#define LECTURE_LIGNES_H

#include "lecteur_lignes.h"
#include "lecture_fichier.h"
#include "raison_lecture.h"

#include <QFile>
#include <QString>

#include <memory>

// What a reader makes of one line.
enum class suite_ligne { suivante, fin, echec };

// The readers' common course: opens the file at path, makes the record
// with the file's name once it is open and hands it to the reader's state,
// then gives etat.lire(ligne, cause) every line of two bytes or more, in
// order, until it says fin or echec, and last asks etat.terminer(path,
// raison) whether what was read adds up. Not read whole when the file does
// not open, a line fails or the end does not add up; the reason then says
// why, with the failing line's number.
template <typename Enregistrement, typename Etat>
fichier_lu<Enregistrement> lire_lignes(const QString &path, Etat &etat)
{
    fichier_lu<Enregistrement> f;
    QFile fichier(path);
    if (!lecteur_lignes::ouvrir(fichier, path, f.raison))
        return f;
    f.contenu = std::make_unique<Enregistrement>();
    f.contenu->nom_fichier() = fichier.fileName();
    etat.enregistrement = f.contenu.get();
    lecteur_lignes lecteur(fichier);
    lecteur_lignes::ligne ligne;
    QString cause;
    while (lecteur.suivante(ligne)) {
        if (ligne.longueur < 2)
            continue;
        const suite_ligne suite = etat.lire(ligne, cause);
        if (suite == suite_ligne::fin)
            break;
        if (suite == suite_ligne::echec) {
            f.raison = raison_lecture::signaler(path, ligne.numero, cause);
            return f;
        }
    }
    f.lu = etat.terminer(path, f.raison);
    return f;
}

#endif
