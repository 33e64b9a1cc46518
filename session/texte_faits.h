#ifndef TEXTE_FAITS_H
#define TEXTE_FAITS_H

#include <QString>

#include <cstdint>
#include <vector>

class QColor;
struct faits_instance;
struct faits_solution;

// The facts as the panel shows them: rich text, one "label : value" a line,
// in French.
namespace texte_faits
{

// A count followed by its first numbers: "3 (4, 7, 9)", "25 (0, 1, …)".
QString compte_et_numeros(const std::vector<std::uint16_t> &numeros);
QString ligne(const QString &libelle, const QString &valeur);
// A small square of the colour, then the text.
QString pastille(const QColor &couleur, const QString &texte);

QString instance(const faits_instance &faits);
QString legende_solution();
QString solution(const faits_solution &faits);

} // namespace texte_faits

#endif
