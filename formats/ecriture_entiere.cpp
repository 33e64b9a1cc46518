#include "ecriture_entiere.h"

#include <QFileInfo>
#include <QSaveFile>

#include <memory>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace ecriture_entiere
{

namespace {

QString raison_ecriture(const QSaveFile &fichier, const QString &cause)
{
    if (fichier.error() != QFileDevice::NoError)
        return QStringLiteral("l'écriture a échoué : ") + fichier.errorString();
    return cause.isEmpty() ? QStringLiteral("le contenu n'a pas pu être écrit") : cause;
}

// Every file stays open until all are complete, and a solver's history is a
// thousand files: past the soft limit of open files (1024 on a desktop) the
// last ones would not open. While they are written the limit is raised
// toward the hard one by as many files, and put back afterwards.
class place_fichiers
{
public:
    explicit place_fichiers(std::size_t nombre)
    {
#ifdef Q_OS_UNIX
        // A few more open files always fit.
        constexpr std::size_t peu = 64;
        if (nombre < peu || getrlimit(RLIMIT_NOFILE, &_avant) != 0 || _avant.rlim_cur == RLIM_INFINITY)
            return;
        rlimit voulue = _avant;
        voulue.rlim_cur = _avant.rlim_cur + rlim_t(nombre);
        if (_avant.rlim_max != RLIM_INFINITY && voulue.rlim_cur > _avant.rlim_max)
            voulue.rlim_cur = _avant.rlim_max;
        _levee = voulue.rlim_cur > _avant.rlim_cur && setrlimit(RLIMIT_NOFILE, &voulue) == 0;
#else
        Q_UNUSED(nombre);
#endif
    }
    ~place_fichiers()
    {
#ifdef Q_OS_UNIX
        if (_levee)
            setrlimit(RLIMIT_NOFILE, &_avant);
#endif
    }
    place_fichiers(const place_fichiers &) = delete;
    place_fichiers &operator=(const place_fichiers &) = delete;

private:
#ifdef Q_OS_UNIX
    rlimit _avant{};
    bool _levee = false;
#endif
};

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
    // Outlives the files.
    const place_fichiers place(fichiers.size());
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
