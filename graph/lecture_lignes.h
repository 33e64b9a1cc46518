#ifndef LECTURE_LIGNES_H
#define LECTURE_LIGNES_H

#include "lecteur_lignes.h"
#include "raison_lecture.h"

#include <QFile>
#include <QString>

#include <memory>

// What a reader makes of one line.
enum class suite_ligne { suivante, fin, echec };

// The readers' common course: opens the file at path, makes the record
// with the file's name once it is open and hands it to the reader's state,
// then gives etat.lire(ligne, cause) every line of two bytes or more, in
// order, until it says fin or echec. False when the file does not open or a
// line fails; raison then says why, with the failing line's number.
template <typename Enregistrement, typename Etat>
bool lire_lignes(const QString &path, QString &raison, std::unique_ptr<Enregistrement> &enregistrement, Etat &etat)
{
    raison.clear();
    QFile fichier(path);
    if (!lecteur_lignes::ouvrir(fichier, path, raison))
        return false;
    enregistrement = std::make_unique<Enregistrement>();
    enregistrement->nom_fichier() = fichier.fileName();
    etat.enregistrement = enregistrement.get();
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
            raison = raison_lecture::signaler(path, ligne.numero, cause);
            return false;
        }
    }
    return true;
}

#endif
