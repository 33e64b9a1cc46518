#include "ecriture_cyjs.h"

#include "coord_sommet.h"
#include "graphe_instance.h"
#include "pour_chaque_lien.h"
#include "roles_capteurs.h"

#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <algorithm>

namespace {

QString id_noeud(std::size_t k)
{
    return QLatin1Char('n') + QString::number(k);
}

QJsonArray noeuds(const graphe_instance &instance, const graphe_solution *solution)
{
    const roles_capteurs roles(instance, solution);
    const std::size_t n = std::min<std::size_t>(instance.nb_sensors(), instance.positions().size());
    QJsonArray tableau;
    for (std::size_t k = 0; k < n; ++k) {
        const coord_sommet *p = instance.positions()[k].get();
        if (!p)
            continue;
        const QString id = id_noeud(k);
        QJsonObject data{{QStringLiteral("id"), id},
                         {QStringLiteral("value"), id},
                         {QStringLiteral("name"), QString::number(k)},
                         {QStringLiteral("sensor"), qint64(k)},
                         {QStringLiteral("sink"), roles.joue(k, roles_capteurs::puits)}};
        if (solution) {
            data.insert(QStringLiteral("ma"), roles.joue(k, roles_capteurs::ma));
            data.insert(QStringLiteral("sl"), roles.joue(k, roles_capteurs::sl));
            data.insert(QStringLiteral("br"), roles.joue(k, roles_capteurs::br));
        }
        const QJsonObject position{{QStringLiteral("x"), p->x()}, {QStringLiteral("y"), -qint64(p->y())}};
        tableau.append(QJsonObject{{QStringLiteral("data"), data}, {QStringLiteral("position"), position}});
    }
    return tableau;
}

QJsonArray aretes(const graphe_instance &instance)
{
    QJsonArray tableau;
    qint64 id = 0;
    pour_chaque_lien_une_fois(instance, [&](std::uint16_t a, std::uint16_t b, bool sens_unique) {
        QJsonObject data{{QStringLiteral("id"), QLatin1Char('e') + QString::number(id++)},
                         {QStringLiteral("source"), id_noeud(a)},
                         {QStringLiteral("target"), id_noeud(b)}};
        if (sens_unique)
            data.insert(QStringLiteral("one_way"), true);
        tableau.append(QJsonObject{{QStringLiteral("data"), data}});
    });
    return tableau;
}

} // namespace

bool ecrire_cyjs(QIODevice &sortie, const graphe_instance &instance, const graphe_solution *solution,
                 const QString &nom)
{
    // networkx's reader wants data, directed and multigraph at the top.
    const QJsonObject racine{
        {QStringLiteral("format_version"), QStringLiteral("1.0")},
        {QStringLiteral("generated_by"), QStringLiteral("visual_graphe")},
        {QStringLiteral("target_cytoscapejs_version"), QStringLiteral("~2.1")},
        {QStringLiteral("data"), QJsonObject{{QStringLiteral("name"), nom}}},
        {QStringLiteral("directed"), false},
        {QStringLiteral("multigraph"), false},
        {QStringLiteral("elements"),
         QJsonObject{{QStringLiteral("nodes"), noeuds(instance, solution)}, {QStringLiteral("edges"), aretes(instance)}}}};
    // Compact: indented, a large network's file is twice as long to write
    // and to read.
    const QByteArray texte = QJsonDocument(racine).toJson(QJsonDocument::Compact);
    return sortie.write(texte) == texte.size();
}
