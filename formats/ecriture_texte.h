#ifndef ECRITURE_TEXTE_H
#define ECRITURE_TEXTE_H

class QIODevice;
class QString;
class graphe_instance;
class graphe_solution;

// The instance and solution text formats, written so that their readers
// take them back into the same records. False, with the cause, when a
// record holds what its format cannot: a sensor without a place, a negative
// coordinate, or so many neighbours that the sensor's line would be longer
// than the reader takes.
bool ecrire_instance(QIODevice &sortie, const graphe_instance &instance, QString &cause);
// The long SL and BR lists go in several sections, each line within what
// the reader takes; nom_instance names the instance file in the first line.
bool ecrire_solution(QIODevice &sortie, const graphe_solution &solution, const QString &nom_instance,
                     QString &cause);

#endif
