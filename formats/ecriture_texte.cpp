#include "ecriture_texte.h"

#include "coord_sommet.h"
#include "graphe_instance.h"
#include "graphe_solution.h"
#include "lecteur_lignes.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <algorithm>

namespace {

// Numbers on one SL or BR line: at most six bytes each, well within a line.
constexpr std::size_t nombres_par_ligne = 500;

bool ecrire_tout(QIODevice &sortie, const QByteArray &texte)
{
    return sortie.write(texte) == texte.size();
}

// One sensor's line, or why it cannot be written.
bool ligne_capteur(const graphe_instance &instance, std::size_t k, QByteArray &texte, QString &cause)
{
    const coord_sommet *p = k < instance.positions().size() ? instance.positions()[k].get() : nullptr;
    const auto *voisins = k < instance.voisins().size() ? instance.voisins()[k].get() : nullptr;
    if (!p || !voisins) {
        cause = QStringLiteral("le capteur %1 n'a pas de place").arg(k);
        return false;
    }
    // The reader reads digits only: a minus sign would be lost.
    if (p->x() < 0 || p->y() < 0) {
        cause = QStringLiteral("le capteur %1 a une coordonnée négative").arg(k);
        return false;
    }
    const qsizetype debut = texte.size();
    texte += QByteArray::number(qulonglong(k)) + ' ' + QByteArray::number(p->x()) + ' ' + QByteArray::number(p->y())
             + ' ' + QByteArray::number(qulonglong(voisins->size()));
    for (std::uint16_t v : *voisins)
        texte += ' ' + QByteArray::number(v);
    texte += '\n';
    if (texte.size() - debut > lecteur_lignes::longueur_max) {
        cause = QStringLiteral("le capteur %1 a %2 voisins : sa ligne dépasserait les %3 caractères qu'une ligne "
                               "d'instance peut avoir")
                    .arg(k)
                    .arg(voisins->size())
                    .arg(lecteur_lignes::longueur_max);
        return false;
    }
    return true;
}

// Sections of at most nombres_par_ligne numbers; one empty section for an
// empty list.
QByteArray sections(const char *entete, const graphe_solution::liste_capteurs &liste)
{
    QByteArray texte;
    std::size_t debut = 0;
    do {
        const std::size_t fin = std::min(liste.size(), debut + nombres_par_ligne);
        texte += entete + QByteArray::number(qulonglong(fin - debut)) + '\n';
        for (std::size_t i = debut; i < fin; ++i)
            texte += QByteArray::number(liste[i]) + (i + 1 < fin ? ' ' : '\n');
        debut = fin;
    } while (debut < liste.size());
    return texte;
}

} // namespace

bool ecrire_instance(QIODevice &sortie, const graphe_instance &instance, QString &cause)
{
    QByteArray texte = "NB_SENSORS " + QByteArray::number(instance.nb_sensors()) + "\nID\n";
    for (std::size_t k = 0; k < instance.nb_sensors(); ++k)
        if (!ligne_capteur(instance, k, texte, cause))
            return false;
    texte += "SINK\n" + QByteArray::number(instance.sink()) + "\nEND\n";
    return ecrire_tout(sortie, texte);
}

bool ecrire_solution(QIODevice &sortie, const graphe_solution &solution, const QString &nom_instance, QString &)
{
    QByteArray texte = "INSTANCE_NAME:" + nom_instance.toUtf8() + "\nNB_MA\t\t"
                       + QByteArray::number(qulonglong(solution.liste_ma().size())) + '\n';
    for (std::uint16_t k : solution.liste_ma())
        texte += QByteArray::number(k) + '\n';
    texte += sections("NB_SL\t\t", solution.liste_sl()) + sections("NB_BR\t\t", solution.liste_br());
    return ecrire_tout(sortie, texte);
}
