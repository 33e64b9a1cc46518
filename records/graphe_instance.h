#ifndef GRAPHE_INSTANCE_H
#define GRAPHE_INSTANCE_H

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class coord_sommet;

// Content of one instance file: sensors, positions, neighbour lists, sink.
class graphe_instance
{
public:
    using liste_voisins = std::vector<std::uint16_t>;

    graphe_instance();
    ~graphe_instance();
    graphe_instance(const graphe_instance &) = delete;
    graphe_instance &operator=(const graphe_instance &) = delete;

    std::uint16_t &nb_sensors() { return _nb_sensors; }
    std::vector<std::unique_ptr<liste_voisins>> &voisins() { return _voisins; }
    std::vector<std::unique_ptr<coord_sommet>> &positions() { return _positions; }
    std::uint16_t &sink() { return _sink; }
    QString &nom_fichier() { return _nom_fichier; }

    // For callers that only read.
    std::uint16_t nb_sensors() const { return _nb_sensors; }
    const std::vector<std::unique_ptr<liste_voisins>> &voisins() const { return _voisins; }
    const std::vector<std::unique_ptr<coord_sommet>> &positions() const { return _positions; }
    std::uint16_t sink() const { return _sink; }
    const QString &nom_fichier() const { return _nom_fichier; }

private:
    std::uint16_t _nb_sensors = 0;
    std::vector<std::unique_ptr<liste_voisins>> _voisins;
    std::vector<std::unique_ptr<coord_sommet>> _positions;
    std::uint16_t _sink = 0;
    QString _nom_fichier;
};

#endif
