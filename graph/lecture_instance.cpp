#include "session_graphe.h"

#include "coord_sommet.h"
#include "graphe_instance.h"
#include "lecteur_lignes.h"
#include "nombres_texte.h"

#include <QFile>

#include <cstring>
#include <iostream>

namespace
{

constexpr std::size_t max_capteurs = 65535;

bool commence_par(const char *debut, const char *fin, const char *mot)
{
    const size_t n = std::strlen(mot);
    return size_t(fin - debut) >= n && std::memcmp(debut, mot, n) == 0;
}

void erreur(const char *message)
{
    std::cout << message << std::endl;
}

} // namespace

bool session_graphe::lire_instance(const QString &path)
{
    QFile fichier(path);
    if (!lecteur_lignes::ouvrir(fichier, path))
        return false;

    _instance = std::make_unique<graphe_instance>();
    graphe_instance &graphe = *_instance;
    graphe.nom_fichier() = fichier.fileName();
    auto &voisins = graphe.voisins();
    auto &positions = graphe.positions();

    bool dans_section = false;
    bool sink_attendu = false;
    std::uint16_t lignes_acceptees = 0;
    std::vector<std::int32_t> nombres;

    lecteur_lignes lecteur(fichier);
    lecteur_lignes::ligne ligne;
    while (lecteur.suivante(ligne)) {
        if (ligne.longueur < 2)
            continue;
        const char *debut = ligne.debut;
        const char *fin = ligne.fin;
        const qsizetype n = fin - debut;

        if (n > 4 && commence_par(debut, fin, "NB_") && debut[4] == 'E') {
            // Nothing stands at column 11 of a shorter line: count 0.
            const std::uint16_t compte = n > 11 ? std::uint16_t(nombres_texte::entier_atoi(debut + 11, fin)) : 0;
            graphe.nb_sensors() = compte;
            // At most 65535 entries, so trusting the announced count is cheap.
            if (compte > positions.capacity()) {
                positions.reserve(compte);
                voisins.reserve(compte);
            }
            std::cout << "  -> Nb_SENSORS = " << compte << std::endl;
        } else if (commence_par(debut, fin, "ID")) {
            dans_section = true;
        } else if (commence_par(debut, fin, "SINK")) {
            sink_attendu = true;
            dans_section = false;
        } else if (commence_par(debut, fin, "END")) {
            break;
        } else if (n > 0 && nombres_texte::est_chiffre(debut[0])) {
            if (dans_section) {
                // Runs of digits are at least two bytes apart, so n / 2 + 1
                // numbers fit in the buffer and are written without checks.
                if (nombres.size() < std::size_t(n / 2 + 1))
                    nombres.resize(std::size_t(n / 2 + 1));
                std::int32_t *sortie = nombres.data();
                nombres_texte::pour_chaque_nombre(debut, fin, [&sortie](std::int32_t v) { *sortie++ = v; });
                const std::size_t compte = std::size_t(sortie - nombres.data());
                // Past the 65535th sensor line no 16-bit count can match;
                // stopping there also keeps a huge file from filling memory.
                if (compte < 4 || positions.size() >= max_capteurs) {
                    erreur("Erreur : format du fichier instance ..");
                    return false;
                }
                positions.push_back(std::make_unique<coord_sommet>(nombres[1], nombres[2]));
                voisins.push_back(std::make_unique<graphe_instance::liste_voisins>());

                // An id ahead of the lines read so far names no list yet.
                const std::uint16_t id = std::uint16_t(nombres[0]);
                if (id >= voisins.size()) {
                    erreur("Erreur : format du fichier instance [nb voisin]..");
                    return false;
                }
                graphe_instance::liste_voisins &liste = *voisins[id];
                // Each number keeps its low 16 bits. A fresh list gets exactly
                // its size; a repeated id grows as vectors do, so appends stay
                // linear.
                liste.insert(liste.end(), nombres.data() + 4, sortie);

                if (liste.size() != std::uint16_t(nombres[3])) {
                    erreur("Erreur : format du fichier instance [nb voisin]..");
                    return false;
                }
                ++lignes_acceptees;
            } else if (sink_attendu) {
                graphe.sink() = std::uint16_t(nombres_texte::entier_atoi(debut, fin));
                sink_attendu = false;
            } else {
                erreur("Erreur : format du fichier instance ..");
                return false;
            }
        }
    }
    fichier.close();

    if (lignes_acceptees != graphe.nb_sensors()) {
        erreur("Erreur : format du fichier instance..");
        return false;
    }
    return true;
}
