#ifndef RAPPORT_JSON_H
#define RAPPORT_JSON_H

#include <QJsonObject>

class QString;
struct comparaison_solutions;
struct faits_instance;
struct faits_solution;

// The facts as the command's JSON report writes them: English keys, lists
// complete.
QJsonObject json_instance(const faits_instance &faits);
QJsonObject json_solution(const faits_solution &faits);
QJsonObject json_comparaison(const comparaison_solutions &c);

// True when the output name asks for a report instead of a picture: a
// ".json" suffix in any letter case, or "-" for standard output.
bool sortie_rapport(const QString &sortie);

// Writes the report whole to its file (replaced only once complete) or to
// standard output for "-"; false when it could not be written.
bool ecrire_rapport(const QJsonObject &rapport, const QString &sortie);

#endif
