#include "rapport_json.h"

#include "comparaison_solutions.h"
#include "ecriture_entiere.h"
#include "faits_instance.h"
#include "faits_solution.h"

#include <QFileInfo>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>
#include <cstdio>

namespace {

const QString sortie_standard = QStringLiteral("-");

QJsonArray tableau(const std::vector<std::uint16_t> &numeros)
{
    QJsonArray a;
    for (std::uint16_t v : numeros)
        a.append(int(v));
    return a;
}

QJsonObject par_liste(const std::array<numeros_capteurs, 3> &listes)
{
    return {{QStringLiteral("ma"), tableau(listes[faits_solution::ma])},
            {QStringLiteral("sl"), tableau(listes[faits_solution::sl])},
            {QStringLiteral("br"), tableau(listes[faits_solution::br])}};
}

QJsonValue bornes(const faits_instance &f)
{
    if (!f.bornes_valides)
        return QJsonValue::Null;
    return QJsonObject{{QStringLiteral("min_x"), f.min_x},
                       {QStringLiteral("max_x"), f.max_x},
                       {QStringLiteral("min_y"), f.min_y},
                       {QStringLiteral("max_y"), f.max_y}};
}

} // namespace

QJsonObject json_instance(const faits_instance &f)
{
    // Two decimals are all a mean degree needs.
    const double moyenne = std::round(f.degre_moyen * 100.0) / 100.0;
    return {{QStringLiteral("file"), f.fichier},
            {QStringLiteral("sensors"), f.capteurs},
            {QStringLiteral("entries"), f.entrees},
            {QStringLiteral("links"), f.liens},
            {QStringLiteral("one_way_entries"), f.entrees_sens_unique},
            {QStringLiteral("out_of_range_entries"), f.entrees_hors_limites},
            {QStringLiteral("self_entries"), f.entrees_soi_meme},
            {QStringLiteral("repeated_entries"), f.entrees_repetees},
            {QStringLiteral("isolated"), tableau(f.isoles)},
            {QStringLiteral("components"), f.composantes},
            {QStringLiteral("sink"), f.puits},
            {QStringLiteral("sink_in_range"), f.puits_valide},
            {QStringLiteral("sink_component_size"), f.taille_composante_puits},
            {QStringLiteral("degree"),
             QJsonObject{{QStringLiteral("min"), f.degre_min},
                         {QStringLiteral("mean"), moyenne},
                         {QStringLiteral("max"), f.degre_max}}},
            {QStringLiteral("bounds"), bornes(f)}};
}

QJsonObject json_solution(const faits_solution &f)
{
    const auto &deux = f.dans_deux_listes;
    return {{QStringLiteral("file"), f.fichier},
            {QStringLiteral("instance_name"), f.nom_instance},
            {QStringLiteral("instance_name_matches"), f.nom_instance_conforme},
            {QStringLiteral("ma"), f.longueurs[faits_solution::ma]},
            {QStringLiteral("sl"), f.longueurs[faits_solution::sl]},
            {QStringLiteral("br"), f.longueurs[faits_solution::br]},
            {QStringLiteral("out_of_range"), par_liste(f.hors_limites)},
            {QStringLiteral("repeated"), par_liste(f.repetes)},
            {QStringLiteral("in_several_lists"),
             QJsonObject{{QStringLiteral("ma_sl"), tableau(deux[faits_solution::ma_sl])},
                         {QStringLiteral("ma_br"), tableau(deux[faits_solution::ma_br])},
                         {QStringLiteral("sl_br"), tableau(deux[faits_solution::sl_br])}}},
            {QStringLiteral("sink_in_ma"), f.puits_dans_ma},
            {QStringLiteral("ma_components"), f.composantes_ma},
            {QStringLiteral("not_covered"), tableau(f.non_couverts)},
            {QStringLiteral("in_no_list"), int(f.sans_liste.size())}};
}

QJsonObject json_comparaison(const comparaison_solutions &c)
{
    return {{QStringLiteral("a"), c.a.fichier},
            {QStringLiteral("b"), c.b.fichier},
            {QStringLiteral("ma_a"), c.ma_a},
            {QStringLiteral("ma_b"), c.ma_b},
            {QStringLiteral("ma_both"), int(c.ma_deux.size())},
            {QStringLiteral("ma_only_a"), tableau(c.ma_seulement_a)},
            {QStringLiteral("ma_only_b"), tableau(c.ma_seulement_b)},
            {QStringLiteral("jaccard"), std::round(c.jaccard * 10000.0) / 10000.0},
            {QStringLiteral("ma_components_a"), c.a.composantes_ma},
            {QStringLiteral("ma_components_b"), c.b.composantes_ma},
            {QStringLiteral("not_covered_a"), tableau(c.a.non_couverts)},
            {QStringLiteral("not_covered_b"), tableau(c.b.non_couverts)},
            {QStringLiteral("br_only_a"), tableau(c.br_seulement_a)},
            {QStringLiteral("br_only_b"), tableau(c.br_seulement_b)},
            {QStringLiteral("sl_only_a"), tableau(c.sl_seulement_a)},
            {QStringLiteral("sl_only_b"), tableau(c.sl_seulement_b)}};
}

bool sortie_rapport(const QString &sortie)
{
    return sortie == sortie_standard || QFileInfo(sortie).suffix().compare(QLatin1String("json"), Qt::CaseInsensitive) == 0;
}

bool ecrire_rapport(const QJsonObject &rapport, const QString &sortie)
{
    const QByteArray texte = QJsonDocument(rapport).toJson(QJsonDocument::Indented);
    if (sortie == sortie_standard)
        return std::fwrite(texte.constData(), 1, size_t(texte.size()), stdout) == size_t(texte.size())
               && std::fflush(stdout) == 0;
    return ecriture_entiere::ecrire(
        {{sortie, [&texte](QIODevice &fichier, QString &) { return fichier.write(texte) == texte.size(); }}});
}
