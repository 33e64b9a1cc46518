#ifndef ECRITURE_HISTORIQUE_H
#define ECRITURE_HISTORIQUE_H

#include <QJsonObject>

class QString;
class historique_solutions;

// The history as JSON, English keys as in the facts' report: {"steps": [{"step": 1, "file": the file name it was
// read from, "read_at": ISO 8601 with its offset (null when unknown), "facts": {"ma", "sl", "br", "not_covered",
// "ma_components"}, "difference": {"ma_joined", "ma_left", "sl_joined", "sl_left", "br_joined", "br_left",
// "jaccard_ma"}}, ...]}.
QJsonObject json_historique(const historique_solutions &historique);

// Writes every step's solution into dossier as <nom>_0001_sol.txt, <nom>_0002_sol.txt, ... and historique.json,
// whose "file" entries name them, all or none; false with why (French). The folder must exist; files of an
// earlier, longer history under the same name are left as they are.
bool enregistrer_historique(const historique_solutions &historique, const QString &dossier, const QString &nom,
                            QString *raison);

// The base name a history's files take from a solution file name: "run_sol.txt" -> "run", "b.txt" -> "b".
QString nom_historique(const QString &fichier_solution);

#endif
