#include "surveillance_fichiers.h"

#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHash>
#include <QTimer>

#include <vector>

namespace {

// What tells one content of a file from another: events also come for a
// touch, a change of rights or the same bytes written again.
struct empreinte
{
    bool lisible = false;
    qint64 taille = 0;
    size_t hachage = 0;

    bool operator==(const empreinte &autre) const
    {
        return lisible == autre.lisible && taille == autre.taille && hachage == autre.hachage;
    }
};

empreinte empreinte_de(const QString &chemin)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return {};
    const QByteArray contenu = fichier.readAll();
    return {true, contenu.size(), qHash(contenu)};
}

} // namespace

struct surveillance_fichiers::suivi
{
    QString chemin;
    QString dossier;
    std::vector<rappel> rappels;
    // Restarted by every change: runs once the file has been quiet.
    QTimer minuterie;
    empreinte vue;
};

surveillance_fichiers::surveillance_fichiers(int calme_ms, QObject *parent)
    : QObject(parent), _calme_ms(calme_ms), _veilleur(new QFileSystemWatcher(this))
{
    connect(_veilleur, &QFileSystemWatcher::fileChanged, this, &surveillance_fichiers::fichier_change);
    connect(_veilleur, &QFileSystemWatcher::directoryChanged, this, &surveillance_fichiers::dossier_change);
}

surveillance_fichiers::~surveillance_fichiers() = default;

void surveillance_fichiers::surveiller(const QString &chemin, rappel r)
{
    const QFileInfo info(chemin);
    const QString cle = info.absoluteFilePath();
    auto trouve = _suivis.find(cle);
    if (trouve == _suivis.end()) {
        auto s = std::make_unique<suivi>();
        s->chemin = cle;
        s->dossier = info.absolutePath();
        s->vue = empreinte_de(cle);
        s->minuterie.setSingleShot(true);
        s->minuterie.setInterval(_calme_ms);
        suivi *brut = s.get();
        connect(&s->minuterie, &QTimer::timeout, this, [this, brut] { calme(*brut); });
        trouve = _suivis.emplace(cle, std::move(s)).first;
        if (!rattacher(*trouve->second))
            attendre(*trouve->second);
    }
    trouve->second->rappels.push_back(std::move(r));
}

void surveillance_fichiers::marquer_vu(const QString &chemin)
{
    const auto trouve = _suivis.find(QFileInfo(chemin).absoluteFilePath());
    if (trouve != _suivis.end())
        trouve->second->vue = empreinte_de(trouve->first);
}

void surveillance_fichiers::activer(bool actif)
{
    if (actif == _actif)
        return;
    _actif = actif;
    if (!actif) {
        const QStringList chemins = surveilles();
        if (!chemins.isEmpty())
            _veilleur->removePaths(chemins);
        for (auto &[cle, s] : _suivis)
            s->minuterie.stop();
        return;
    }
    for (auto &[cle, s] : _suivis) {
        rattacher(*s);
        s->minuterie.start();
    }
}

QStringList surveillance_fichiers::surveilles() const
{
    return _veilleur->files() + _veilleur->directories();
}

void surveillance_fichiers::fichier_change(const QString &chemin)
{
    const auto trouve = _suivis.find(chemin);
    if (trouve == _suivis.end())
        return;
    // A file replaced is no longer watched: follow the new one.
    rattacher(*trouve->second);
    trouve->second->minuterie.start();
}

void surveillance_fichiers::dossier_change(const QString &dossier)
{
    const QStringList fichiers = _veilleur->files();
    for (auto &[cle, s] : _suivis) {
        if (s->dossier == dossier && !fichiers.contains(cle) && rattacher(*s))
            s->minuterie.start();
    }
}

bool surveillance_fichiers::rattacher(suivi &s)
{
    if (!_actif)
        return false;
    if (_veilleur->files().contains(s.chemin))
        return true;
    // Only a file: a path naming a folder would be watched as one.
    if (!QFileInfo(s.chemin).isFile() || !_veilleur->addPath(s.chemin))
        return false;
    lacher_dossier(s.dossier);
    return true;
}

void surveillance_fichiers::attendre(suivi &s)
{
    if (!_actif)
        return;
    if (!_veilleur->directories().contains(s.dossier))
        _veilleur->addPath(s.dossier);
    // It may have come back before its folder was watched.
    if (rattacher(s))
        s.minuterie.start();
}

void surveillance_fichiers::lacher_dossier(const QString &dossier)
{
    if (!_veilleur->directories().contains(dossier))
        return;
    const QStringList fichiers = _veilleur->files();
    for (const auto &[cle, s] : _suivis) {
        if (s->dossier == dossier && !fichiers.contains(cle))
            return;
    }
    _veilleur->removePath(dossier);
}

void surveillance_fichiers::calme(suivi &s)
{
    // Watched anew, so that the watch is on the file now at the path even
    // when a program still holds open the one it replaced.
    if (_actif && _veilleur->files().contains(s.chemin))
        _veilleur->removePath(s.chemin);
    // Still missing once quiet: the drawing stays as it is.
    if (!rattacher(s)) {
        attendre(s);
        return;
    }
    const empreinte maintenant = empreinte_de(s.chemin);
    if (maintenant == s.vue)
        return;
    s.vue = maintenant;
    // A callback may follow another file: run a copy.
    const std::vector<rappel> rappels = s.rappels;
    for (const rappel &r : rappels)
        r();
}
