#ifndef TEXTE_FAITS_H
#define TEXTE_FAITS_H

#include <QString>

#include <cstdint>
#include <vector>

class QColor;
struct comparaison_solutions;
struct difference_etapes;
struct faits_instance;
struct faits_solution;

// The facts as the panel shows them: rich text, one "label : value" a line,
// in French.
namespace texte_faits
{

// The link a number carries when a click on it should select the sensor.
inline const QString schema_capteur = QStringLiteral("capteur");

// A count followed by its first numbers: "3 (4, 7, 9)", "25 (0, 1, …)";
// with liens, each number is a link to its sensor.
QString compte_et_numeros(const std::vector<std::uint16_t> &numeros, bool liens = false);
QString ligne(const QString &libelle, const QString &valeur);
// A small square of the colour, then the text.
QString pastille(const QColor &couleur, const QString &texte);

QString instance(const faits_instance &faits);
QString legende_solution();
QString solution(const faits_solution &faits);
// The comparison of solution A with solution B, with its legend.
QString comparaison(const comparaison_solutions &c);
// A history step's change from the step before, with the legend of its
// drawing's colours.
QString difference(const difference_etapes &d);
// The chosen sensor: its place, its roles' text, its degree and the sensors
// linked to it, each a link that chooses it.
QString capteur_choisi(int capteur, int x, int y, const QString &roles, const std::vector<std::uint16_t> &lies);

} // namespace texte_faits

#endif
