#ifndef GRAPHE_SOLUTION_H
#define GRAPHE_SOLUTION_H

#include <QString>

#include <cstdint>
#include <vector>

// Content of one solution file: the MA, BR and SL lists of sensor numbers.
class graphe_solution
{
public:
    using liste_capteurs = std::vector<std::uint16_t>;

    liste_capteurs &liste_ma() { return _liste_ma; }
    liste_capteurs &liste_br() { return _liste_br; }
    liste_capteurs &liste_sl() { return _liste_sl; }
    QString &nom_instance() { return _nom_instance; }
    QString &nom_fichier() { return _nom_fichier; }

    // For callers that only read.
    const liste_capteurs &liste_ma() const { return _liste_ma; }
    const liste_capteurs &liste_br() const { return _liste_br; }
    const liste_capteurs &liste_sl() const { return _liste_sl; }
    const QString &nom_instance() const { return _nom_instance; }
    const QString &nom_fichier() const { return _nom_fichier; }

private:
    liste_capteurs _liste_ma;
    liste_capteurs _liste_br;
    liste_capteurs _liste_sl;
    QString _nom_instance;
    QString _nom_fichier;
};

#endif
