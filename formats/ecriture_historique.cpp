#include "ecriture_historique.h"

#include "ecriture_entiere.h"
#include "ecriture_texte.h"
#include "graphe_solution.h"
#include "historique_solutions.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>
#include <cstdlib>

namespace {

const QString nom_json = QStringLiteral("historique.json");
const QString fin_solution = QStringLiteral("_sol");

// ISO 8601 with the offset always written, "+00:00" included, and the
// milliseconds: a solver may write twice in a second.
QJsonValue date_iso(const QDateTime &date)
{
    if (!date.isValid())
        return QJsonValue::Null;
    const int decalage = date.offsetFromUtc();
    const int minutes = std::abs(decalage) / 60;
    return date.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")) + (decalage < 0 ? '-' : '+')
           + QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QJsonObject json_etape(const etape_solution &e, int numero, const QString &fichier)
{
    const resume_etape &r = e.resume;
    const difference_etapes &d = e.difference;
    return {{QStringLiteral("step"), numero},
            {QStringLiteral("file"), fichier},
            {QStringLiteral("read_at"), date_iso(e.lue_le)},
            {QStringLiteral("facts"),
             QJsonObject{{QStringLiteral("ma"), r.longueurs[0]},
                         {QStringLiteral("sl"), r.longueurs[1]},
                         {QStringLiteral("br"), r.longueurs[2]},
                         {QStringLiteral("not_covered"), r.non_couverts},
                         {QStringLiteral("ma_components"), r.composantes_ma}}},
            {QStringLiteral("difference"),
             QJsonObject{{QStringLiteral("ma_joined"), d.entres[0]},
                         {QStringLiteral("ma_left"), d.sortis[0]},
                         {QStringLiteral("sl_joined"), d.entres[1]},
                         {QStringLiteral("sl_left"), d.sortis[1]},
                         {QStringLiteral("br_joined"), d.entres[2]},
                         {QStringLiteral("br_left"), d.sortis[2]},
                         {QStringLiteral("jaccard_ma"), std::round(d.jaccard * 10000.0) / 10000.0}}}};
}

// Steps' files named by noms, or by the files they were read from when empty.
QJsonObject json_etapes(const historique_solutions &historique, const QStringList &noms)
{
    QJsonArray etapes;
    for (int i = 0; i < historique.taille(); ++i) {
        const etape_solution &e = historique.etape(i);
        etapes.append(json_etape(e, i + 1, noms.isEmpty() ? QFileInfo(e.fichier).fileName() : noms[i]));
    }
    return {{QStringLiteral("steps"), etapes}};
}

QString nom_etape(const QString &nom, int numero)
{
    return QStringLiteral("%1_%2%3.txt").arg(nom).arg(numero, 4, 10, QLatin1Char('0')).arg(fin_solution);
}

// The instance line as read keeps its line break, which would write an
// empty line after it.
QString sans_saut(QString nom)
{
    while (nom.endsWith(QLatin1Char('\n')) || nom.endsWith(QLatin1Char('\r')))
        nom.chop(1);
    return nom;
}

} // namespace

QJsonObject json_historique(const historique_solutions &historique)
{
    return json_etapes(historique, {});
}

bool enregistrer_historique(const historique_solutions &historique, const QString &dossier, const QString &nom,
                            QString *raison)
{
    // The name must not lead the files out of the folder.
    if (nom.isEmpty() || nom.contains(QLatin1Char('/')) || nom.contains(QLatin1Char('\\'))) {
        if (raison)
            *raison = QStringLiteral("le nom « %1 » ne peut pas nommer un fichier").arg(nom);
        return false;
    }
    const QDir d(dossier);
    std::vector<ecriture_entiere::fichier> fichiers;
    QStringList noms;
    for (int i = 0; i < historique.taille(); ++i) {
        noms << nom_etape(nom, i + 1);
        const graphe_solution &solution = *historique.etape(i).solution;
        fichiers.push_back({d.filePath(noms.last()), [&solution](QIODevice &sortie, QString &cause) {
                                return ecrire_solution(sortie, solution, sans_saut(solution.nom_instance()), cause);
                            }});
    }
    const QByteArray json = QJsonDocument(json_etapes(historique, noms)).toJson(QJsonDocument::Indented);
    fichiers.push_back({d.filePath(nom_json), [&json](QIODevice &sortie, QString &) {
                            return sortie.write(json) == json.size();
                        }});
    return ecriture_entiere::ecrire(fichiers, raison);
}

QString nom_historique(const QString &fichier_solution)
{
    QString nom = QFileInfo(fichier_solution).completeBaseName();
    if (nom.endsWith(fin_solution, Qt::CaseInsensitive))
        nom.chop(fin_solution.size());
    // "_sol.txt" or ".txt" name nothing of their own.
    return nom.isEmpty() ? QStringLiteral("historique") : nom;
}
