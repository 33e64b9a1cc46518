#ifndef ECRITURE_ENTIERE_H
#define ECRITURE_ENTIERE_H

#include <QString>

#include <functional>
#include <vector>

class QIODevice;
class QSaveFile;

// Files written whole or not at all: each one is written beside its name,
// and all of them are renamed over their names only once every one is
// complete. A failure leaves every existing file as it was and no new one
// behind. Every file the programs write goes through here.
namespace ecriture_entiere
{

// Writes one file's content; false when it cannot, with the cause when the
// device itself did not fail.
using ecrivain = std::function<bool(QIODevice &sortie, QString &cause)>;

struct fichier
{
    QString chemin;
    ecrivain ecrire;
};

// False with why in a few French words; with several files, the why names
// the file.
bool ecrire(const std::vector<fichier> &fichiers, QString *raison = nullptr);

// Why a file could not be opened for writing: what a user can mend first,
// the system's own words otherwise.
QString raison_ouverture(const QSaveFile &fichier);

} // namespace ecriture_entiere

#endif
