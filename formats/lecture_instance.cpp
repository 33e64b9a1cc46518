#include "lecture_fichier.h"

#include "coord_sommet.h"
#include "graphe_instance.h"
#include "lecture_lignes.h"
#include "nombres_texte.h"
#include "raison_lecture.h"

#include <cstring>
#include <iostream>

namespace
{

constexpr std::size_t max_capteurs = 65535;
const char *const format_ligne = "Erreur : format du fichier instance ..";
const char *const format_nb_voisin = "Erreur : format du fichier instance [nb voisin]..";

bool commence_par(const char *debut, const char *fin, const char *mot)
{
    const size_t n = std::strlen(mot);
    return size_t(fin - debut) >= n && std::memcmp(debut, mot, n) == 0;
}

void erreur(const char *message)
{
    std::cout << message << std::endl;
}

// Reads one sensor line into the record; nombres is the caller's so it is
// allocated once. Gives nothing back when the line is accepted, otherwise
// writes its console line and gives back the cause.
QString lire_capteur(graphe_instance &graphe, std::vector<std::int32_t> &nombres, const char *debut,
                     const char *fin)
{
    auto &voisins = graphe.voisins();
    auto &positions = graphe.positions();
    // Runs of digits are at least two bytes apart, so n / 2 + 1 numbers fit
    // in the buffer and are written without checks.
    const std::size_t place = std::size_t((fin - debut) / 2 + 1);
    if (nombres.size() < place)
        nombres.resize(place);
    std::int32_t *sortie = nombres.data();
    nombres_texte::pour_chaque_nombre(debut, fin, [&sortie](std::int32_t v) { *sortie++ = v; });
    const qint64 compte = sortie - nombres.data();
    if (compte < 4) {
        erreur(format_ligne);
        return QStringLiteral("ligne capteur de %1, il en faut au moins 4")
            .arg(raison_lecture::compte(compte, "nombre", "nombres"));
    }
    // Past the 65535th sensor line no 16-bit count can match; stopping
    // there also keeps a huge file from filling memory.
    if (positions.size() >= max_capteurs) {
        erreur(format_ligne);
        return QStringLiteral("plus de %1 lignes capteur").arg(max_capteurs);
    }
    positions.push_back(std::make_unique<coord_sommet>(nombres[1], nombres[2]));
    voisins.push_back(std::make_unique<graphe_instance::liste_voisins>());

    // An id ahead of the lines read so far names no list yet.
    const std::uint16_t id = std::uint16_t(nombres[0]);
    if (id >= voisins.size()) {
        erreur(format_nb_voisin);
        return QStringLiteral("numéro de capteur %1 en avance : %2")
            .arg(QString::number(id), raison_lecture::compte(qint64(voisins.size()), "ligne capteur lue",
                                                             "lignes capteur lues"));
    }
    graphe_instance::liste_voisins &liste = *voisins[id];
    // Each number keeps its low 16 bits. A fresh list gets exactly its size;
    // a repeated id grows as vectors do, so appends stay linear.
    liste.insert(liste.end(), nombres.data() + 4, sortie);

    const std::uint16_t annonces = std::uint16_t(nombres[3]);
    if (liste.size() != annonces) {
        erreur(format_nb_voisin);
        return QStringLiteral("capteur %1 : %2, %3")
            .arg(QString::number(id), raison_lecture::compte(annonces, "voisin annoncé", "voisins annoncés"),
                 raison_lecture::compte(qint64(liste.size()), "listé", "listés"));
    }
    return QString();
}

// What the instance reader knows between two lines.
struct etat_instance
{
    graphe_instance *enregistrement = nullptr;
    bool dans_section = false;
    bool sink_attendu = false;
    std::uint16_t lignes_acceptees = 0;
    std::vector<std::int32_t> nombres;

    void compter_capteurs(const char *debut, const char *fin)
    {
        // Nothing stands at column 11 of a shorter line: count 0.
        const std::uint16_t compte =
            fin - debut > 11 ? std::uint16_t(nombres_texte::entier_atoi(debut + 11, fin)) : 0;
        enregistrement->nb_sensors() = compte;
        // At most 65535 entries, so trusting the announced count is cheap.
        if (compte > enregistrement->positions().capacity()) {
            enregistrement->positions().reserve(compte);
            enregistrement->voisins().reserve(compte);
        }
        std::cout << "  -> Nb_SENSORS = " << compte << std::endl;
    }

    suite_ligne lire_nombres(const char *debut, const char *fin, QString &cause)
    {
        if (dans_section) {
            cause = lire_capteur(*enregistrement, nombres, debut, fin);
            if (!cause.isEmpty())
                return suite_ligne::echec;
            ++lignes_acceptees;
        } else if (sink_attendu) {
            enregistrement->sink() = std::uint16_t(nombres_texte::entier_atoi(debut, fin));
            sink_attendu = false;
        } else {
            erreur(format_ligne);
            cause = raison_lecture::hors_section;
            return suite_ligne::echec;
        }
        return suite_ligne::suivante;
    }

    suite_ligne lire(const lecteur_lignes::ligne &ligne, QString &cause)
    {
        const char *debut = ligne.debut;
        const char *fin = ligne.fin;
        const qsizetype n = fin - debut;
        if (n > 4 && commence_par(debut, fin, "NB_") && debut[4] == 'E') {
            compter_capteurs(debut, fin);
        } else if (commence_par(debut, fin, "ID")) {
            dans_section = true;
        } else if (commence_par(debut, fin, "SINK")) {
            sink_attendu = true;
            dans_section = false;
        } else if (commence_par(debut, fin, "END")) {
            return suite_ligne::fin;
        } else if (n > 0 && nombres_texte::est_chiffre(debut[0])) {
            return lire_nombres(debut, fin, cause);
        }
        return suite_ligne::suivante;
    }

    // Every sensor line announced was read.
    bool terminer(const QString &chemin, QString &raison) const
    {
        if (lignes_acceptees == enregistrement->nb_sensors())
            return true;
        erreur("Erreur : format du fichier instance..");
        raison = raison_lecture::signaler_compte(chemin, lignes_acceptees, enregistrement->nb_sensors(),
                                                 "ligne capteur", "lignes capteur");
        return false;
    }
};

} // namespace

fichier_lu<graphe_instance> lire_fichier_instance(const QString &chemin)
{
    etat_instance etat;
    return lire_lignes<graphe_instance>(chemin, etat);
}
