#include "ecriture_entiere.h"

#include <QFileInfo>
#include <QSaveFile>

#include <memory>

namespace ecriture_entiere
{

namespace {

QString raison_ecriture(const QSaveFile &fichier, const QString &cause)
{
    if (fichier.error() != QFileDevice::NoError)
        return QStringLiteral("l'écriture a échoué : ") + fichier.errorString();
    return cause.isEmpty() ? QStringLiteral("le contenu n'a pas pu être écrit") : cause;
}

} // namespace

QString raison_ouverture(const QSaveFile &fichier)
{
    const QFileInfo dossier(QFileInfo(fichier.fileName()).absolutePath());
    if (!dossier.exists())
        return QStringLiteral("le dossier n'existe pas");
    if (!dossier.isDir())
        return QStringLiteral("le dossier est un fichier");
    if (!dossier.isWritable())
        return QStringLiteral("le dossier ne peut pas être écrit");
    return fichier.errorString();
}

bool ecrire(const std::vector<fichier> &fichiers, QString *raison)
{
    std::vector<std::unique_ptr<QSaveFile>> ecrits;
    auto echec = [&](const QString &chemin, const QString &pourquoi) {
        for (auto &f : ecrits)
            f->cancelWriting();
        if (raison)
            *raison = fichiers.size() > 1 ? QFileInfo(chemin).fileName() + QStringLiteral(" : ") + pourquoi
                                          : pourquoi;
        return false;
    };
    for (const fichier &f : fichiers) {
        ecrits.push_back(std::make_unique<QSaveFile>(f.chemin));
        QSaveFile &sortie = *ecrits.back();
        if (!sortie.open(QIODevice::WriteOnly))
            return echec(f.chemin, raison_ouverture(sortie));
        QString cause;
        if (!f.ecrire(sortie, cause))
            return echec(f.chemin, raison_ecriture(sortie, cause));
    }
    // Every file is complete: only the renames are left.
    for (std::size_t i = 0; i < ecrits.size(); ++i) {
        if (!ecrits[i]->commit())
            return echec(fichiers[i].chemin,
                         QStringLiteral("le fichier n'a pas pu être mis en place : ") + ecrits[i]->errorString());
    }
    return true;
}

} // namespace ecriture_entiere
