#include "lecture_fichier.h"

#include "graphe_solution.h"
#include "lecture_lignes.h"
#include "nombres_texte.h"
#include "raison_lecture.h"

#include <cstring>
#include <iostream>

namespace
{

enum class entete { aucune, ma, sl, br };

entete type_entete(const char *debut, qsizetype n)
{
    // The third character and whatever precedes the tabs are not looked at.
    if (n < 5 || debut[0] != 'N' || debut[1] != 'B')
        return entete::aucune;
    if (debut[3] == 'M' && debut[4] == 'A')
        return entete::ma;
    if (debut[3] == 'S' && debut[4] == 'L')
        return entete::sl;
    if (debut[3] == 'B' && debut[4] == 'R')
        return entete::br;
    return entete::aucune;
}

// Fields of a split at every "\t\t" (non-overlapping, empty fields kept);
// *champ is where the second one begins. A header has exactly two: the
// keyword and the count.
qsizetype champs(const char *debut, const char *fin, const char **champ)
{
    qsizetype nombre = 1;
    for (const char *p = debut; p + 1 < fin; ++p) {
        if (p[0] == '\t' && p[1] == '\t') {
            if (nombre++ == 1)
                *champ = p + 2;
            ++p;
        }
    }
    return nombre;
}

// A header is named by the five characters that make it one.
QString cause_entete(const char *debut, qsizetype nombre)
{
    const QString mot = QString::fromLatin1(debut, 5);
    if (nombre < 2)
        return QStringLiteral("en-tête « %1 » sans double tabulation").arg(mot);
    return QStringLiteral("en-tête « %1 » de %2 champs, il en faut 2").arg(mot, QString::number(nombre));
}

QString cause_liste(qint64 lus, qint64 annonces, bool br)
{
    return QStringLiteral("%1 pour %2 (ligne %3)")
        .arg(raison_lecture::compte(lus, "nombre", "nombres"), raison_lecture::compte(annonces, "annoncé", "annoncés"),
             QLatin1String(br ? "BR" : "SL"));
}

// What the solution reader knows between two lines.
struct etat_solution
{
    graphe_solution *enregistrement = nullptr;
    bool dans_ma = false;
    bool sl_attendue = false;
    bool br_attendue = false;
    std::int32_t ma_annonces = 0;
    std::int32_t liste_annoncee = 0;
    std::int32_t ma_lues = 0;
    std::vector<std::uint16_t> nombres;

    suite_ligne lire_entete(entete type, const char *debut, const char *fin, QString &cause)
    {
        const char *champ = nullptr;
        if (const qsizetype nombre = champs(debut, fin, &champ); nombre != 2) {
            cause = cause_entete(debut, nombre);
            return suite_ligne::echec;
        }
        const std::int32_t compte = nombres_texte::entier_qt(champ, fin);
        if (type == entete::ma) {
            ma_annonces = compte;
            dans_ma = true;
            sl_attendue = br_attendue = false;
        } else {
            liste_annoncee = compte;
            dans_ma = false;
            sl_attendue = type == entete::sl;
            br_attendue = type == entete::br;
        }
        return suite_ligne::suivante;
    }

    suite_ligne lire_nombres(const char *debut, const char *fin, QString &cause)
    {
        if (dans_ma) {
            const char *tab = static_cast<const char *>(std::memchr(debut, '\t', size_t(fin - debut)));
            enregistrement->liste_ma().push_back(std::uint16_t(nombres_texte::entier_qt(debut, tab ? tab : fin)));
            ++ma_lues;
        } else if (sl_attendue || br_attendue) {
            nombres.clear();
            nombres_texte::pour_chaque_nombre(debut, fin, [this](std::int32_t v) { nombres.push_back(std::uint16_t(v)); });
            if (qsizetype(nombres.size()) != liste_annoncee) {
                cause = cause_liste(qint64(nombres.size()), liste_annoncee, br_attendue);
                return suite_ligne::echec;
            }
            auto &liste = br_attendue ? enregistrement->liste_br() : enregistrement->liste_sl();
            liste.insert(liste.end(), nombres.begin(), nombres.end());
            sl_attendue = br_attendue = false;
        } else {
            std::cout << "Erreur : format du fichier instance .." << std::endl;
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
        if (n >= 4 && std::memcmp(debut, "INST", 4) == 0) {
            // The name keeps the line break; a line too short to reach
            // column 14 names nothing.
            enregistrement->nom_instance() = n > 14 ? QString::fromUtf8(debut + 14, n - 14) : QString();
        } else if (const entete type = type_entete(debut, n); type != entete::aucune) {
            return lire_entete(type, debut, fin, cause);
        } else if (n > 0 && nombres_texte::est_chiffre(debut[0])) {
            return lire_nombres(debut, fin, cause);
        }
        return suite_ligne::suivante;
    }

    // As many MA lines as the last MA header announced.
    bool terminer(const QString &chemin, QString &raison) const
    {
        if (ma_lues == ma_annonces)
            return true;
        raison = raison_lecture::signaler_compte(chemin, ma_lues, ma_annonces, "ligne MA", "lignes MA");
        return false;
    }
};

} // namespace

fichier_lu<graphe_solution> lire_fichier_solution(const QString &chemin)
{
    etat_solution etat;
    fichier_lu<graphe_solution> f = lire_lignes<graphe_solution>(chemin, etat);
    // The lists grew by doubling: a solver's history keeps many of them.
    if (f.contenu) {
        f.contenu->liste_ma().shrink_to_fit();
        f.contenu->liste_sl().shrink_to_fit();
        f.contenu->liste_br().shrink_to_fit();
    }
    return f;
}
