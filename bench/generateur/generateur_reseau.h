#ifndef GENERATEUR_RESEAU_H
#define GENERATEUR_RESEAU_H

#include <QByteArray>
#include <QString>

#include <cstdint>

// Random sensor deployment: nb_capteurs sensors at distinct integer positions
// in the square [0, etendue]^2, each hearing the sensors within one radio
// range chosen so that the mean degree comes close to degre_moyen. The same
// parameters always give the same bytes, on every platform.
struct parametres_reseau
{
    int nb_capteurs = 100;  // 1 .. 65535
    double degre_moyen = 8.0;  // 0 .. degre_moyen_max
    std::uint32_t graine = 1;
    int etendue = 10000;  // 0 .. 65529, with (etendue + 1)^2 >= nb_capteurs
};

// The two text files of one network, ready to be written.
struct reseau_genere
{
    QByteArray instance;
    QByteArray solution;
};

// Figures of one generated network, for the benchmarks and the command line.
struct bilan_reseau
{
    int nb_capteurs = 0;
    long long nb_aretes = 0;  // undirected edges
    double degre_moyen = 0.0;  // measured
    int degre_max = 0;
    double portee = 0.0;  // radio range, in coordinate units
    int nb_composantes = 0;
    int taille_composante_puits = 0;
    int puits = 0;
    int profondeur = 0;  // hops from the sink to its farthest sensor
    int nb_ma = 0;
    int nb_sl = 0;  // as written, after the cap
    int nb_br = 0;  // as written, after the cap
};

// Limits that keep every line of both files short enough for the readers,
// whose line buffer holds 4094 characters.
constexpr double degre_moyen_max = 400.0;
constexpr int voisins_max = 600;
constexpr int liste_max = 500;
constexpr int longueur_ligne_max = 4000;

// Empty when the parameters can be generated, otherwise why not (French).
QString verifier_parametres(const parametres_reseau &p);

// Both files empty when the parameters are refused. The solution's instance
// line names nom_instance ("reseau_<n>.txt" in the one-argument form).
reseau_genere generer_reseau(const parametres_reseau &p);
reseau_genere generer_reseau(const parametres_reseau &p, const QString &nom_instance,
                             bilan_reseau *bilan = nullptr);

// Writes <dossier>/<nom>.txt (instance), <dossier>/<nom>_sol.txt (solution)
// and <dossier>/<nom>.vga (session named nom_session, paths relative to the
// session file); returns the .vga path, empty on failure. The folder is
// created when missing.
QString ecrire_session(const parametres_reseau &p, const QString &dossier, const QString &nom,
                       const QString &nom_session);

// Same, for a network already generated with nom + ".txt" as its instance name.
QString ecrire_reseau(const reseau_genere &r, const QString &dossier, const QString &nom,
                      const QString &nom_session);

// Writes a session file naming two files that lie beside it; false when the
// file cannot be written.
bool ecrire_fichier_session(const QString &chemin_vga, const QString &nom_session,
                            const QString &fichier_instance, const QString &fichier_solution);

#endif
