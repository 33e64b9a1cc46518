#include "lecture_fichier.h"

#include "graphe_lu.h"
#include "lecteur_lignes.h"
#include "raison_lecture.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <optional>

namespace {

// Larger whole numbers are not kept exactly by a JSON number.
constexpr double entier_exact = 9007199254740992.0;

QString texte_json(const QJsonValue &v)
{
    if (v.isString())
        return v.toString();
    if (v.isBool())
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    if (!v.isDouble())
        return QString();
    const double d = v.toDouble();
    // networkx names an edge's ends by the nodes themselves: 0, not "0".
    if (d == std::floor(d) && std::abs(d) < entier_exact)
        return QString::number(qint64(d));
    return QString::number(d, 'g', 17);
}

std::optional<refus_lecture> refus(const QString &cause)
{
    return refus_lecture{raison_lecture::sans_ligne, cause};
}

// A node's data and place; the cause when they are not usable.
std::optional<refus_lecture> lire_noeud(const QJsonObject &element, qsizetype i, graphe_lu &graphe)
{
    const QJsonObject data = element.value(QLatin1String("data")).toObject();
    const QString id = texte_json(data.value(QLatin1String("id")));
    if (id.isEmpty())
        return refus(QStringLiteral("le nœud %1 de elements.nodes n'a pas de data.id").arg(i));
    if (const std::optional<QString> faute = graphe.ajouter_id(id))
        return refus(*faute);
    noeud_lu noeud;
    for (auto it = data.begin(); it != data.end(); ++it) {
        const attribut quoi = attribut_de_noeud(it.key());
        if (quoi == attribut::aucun)
            continue;
        if (const std::optional<QString> faute = appliquer(quoi, texte_json(it.value()), noeud.v))
            return refus(QStringLiteral("nœud « %1 » : %2").arg(id, *faute));
    }
    const QJsonObject position = element.value(QLatin1String("position")).toObject();
    const QJsonValue x = position.value(QLatin1String("x"));
    const QJsonValue y = position.value(QLatin1String("y"));
    if (x.isDouble() && y.isDouble()) {
        // Cytoscape's y axis points down.
        noeud.x = x.toDouble();
        noeud.y = y.toDouble();
        noeud.y_vers_le_bas = true;
    } else if ((noeud.v.x || noeud.v.pos_x) && (noeud.v.y || noeud.v.pos_y)) {
        noeud.x = noeud.v.x ? *noeud.v.x : *noeud.v.pos_x;
        noeud.y = noeud.v.y ? *noeud.v.y : *noeud.v.pos_y;
    } else {
        return refus(QStringLiteral("nœud « %1 » sans position (position.x et position.y, ou data.x et data.y)").arg(id));
    }
    graphe.noeuds.push_back(std::move(noeud));
    return std::nullopt;
}

std::optional<refus_lecture> lire_elements(const QJsonObject &racine, graphe_lu &graphe)
{
    const QJsonObject elements = racine.value(QLatin1String("elements")).toObject();
    const QJsonValue noeuds = elements.value(QLatin1String("nodes"));
    if (!noeuds.isArray())
        return refus(QStringLiteral("aucun tableau elements.nodes"));
    const QJsonArray tableau = noeuds.toArray();
    for (qsizetype i = 0; i < tableau.size(); ++i)
        if (std::optional<refus_lecture> r = lire_noeud(tableau.at(i).toObject(), i, graphe))
            return r;
    const bool orientees = racine.value(QLatin1String("directed")).toBool(false);
    const QJsonArray aretes = elements.value(QLatin1String("edges")).toArray();
    for (qsizetype i = 0; i < aretes.size(); ++i) {
        const QJsonObject data = aretes.at(i).toObject().value(QLatin1String("data")).toObject();
        const QString source = texte_json(data.value(QLatin1String("source")));
        const QString cible = texte_json(data.value(QLatin1String("target")));
        if (source.isEmpty() || cible.isEmpty())
            return refus(QStringLiteral("l'arête %1 de elements.edges n'a pas de data.source ou de data.target").arg(i));
        const QJsonValue sens_unique = data.value(QLatin1String("one_way"));
        if (!sens_unique.isUndefined() && !sens_unique.isBool())
            return refus(QStringLiteral("l'arête %1 de elements.edges : one_way n'est pas un booléen").arg(i));
        graphe.ajouter_arete(source, cible, orientees || sens_unique.toBool(), raison_lecture::sans_ligne);
    }
    return graphe.terminer();
}

} // namespace

fichier_lu<reseau_fichier> lire_fichier_cyjs(const QString &chemin)
{
    fichier_lu<reseau_fichier> f;
    QFile fichier(chemin);
    if (!lecteur_lignes::ouvrir(fichier, chemin, f.raison))
        return f;
    const QByteArray octets = fichier.readAll();
    QJsonParseError erreur;
    const QJsonDocument document = QJsonDocument::fromJson(octets, &erreur);
    graphe_lu graphe;
    std::optional<refus_lecture> r;
    if (erreur.error != QJsonParseError::NoError)
        // The parser gives a character offset: its line is what a reader finds.
        r = refus_lecture{octets.left(erreur.offset).count('\n') + 1,
                          QStringLiteral("JSON mal formé : %1").arg(erreur.errorString())};
    else if (!document.isObject())
        r = refus(QStringLiteral("le document n'est pas un objet JSON"));
    else
        r = lire_elements(document.object(), graphe);
    return fichier_reseau(graphe, r, chemin);
}
