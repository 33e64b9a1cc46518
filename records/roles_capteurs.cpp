#include "roles_capteurs.h"

#include "graphe_instance.h"
#include "graphe_solution.h"

#include <QStringList>

roles_capteurs::roles_capteurs(const graphe_instance &instance, const graphe_solution *solution,
                               const graphe_solution *solution_b)
    : _masques(instance.nb_sensors(), 0)
{
    auto marquer = [this](std::size_t capteur, role r) {
        if (capteur < _masques.size())
            _masques[capteur] |= r;
    };
    marquer(instance.sink(), puits);
    if (!solution)
        return;
    for (std::uint16_t s : solution->liste_ma())
        marquer(s, ma);
    for (std::uint16_t s : solution->liste_sl())
        marquer(s, sl);
    for (std::uint16_t s : solution->liste_br())
        marquer(s, br);
    if (solution_b)
        for (std::uint16_t s : solution_b->liste_ma())
            marquer(s, ma_b);
}

QString roles_capteurs::texte(std::uint8_t masque)
{
    static const struct {
        role r;
        const char *nom;
    } noms[] = {{puits, "puits"}, {ma, "MA"}, {sl, "SL"}, {br, "BR"}, {ma_b, "MA de B"}};
    QStringList joues;
    for (const auto &n : noms)
        if (masque & n.r)
            joues << QLatin1String(n.nom);
    return joues.isEmpty() ? QStringLiteral("aucun") : joues.join(QLatin1String(", "));
}
