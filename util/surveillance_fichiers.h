#ifndef SURVEILLANCE_FICHIERS_H
#define SURVEILLANCE_FICHIERS_H

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>

class QFileSystemWatcher;

// Follows files that other programs rewrite. A file's callbacks run once its
// bytes differ from the last ones seen and nothing has touched it for a
// quiet time, whichever way it was written: in place (in several chunks),
// beside it and renamed over it, or deleted and created again. A file still
// missing once quiet is waited for in its folder, and followed again when
// it comes back.
class surveillance_fichiers : public QObject
{
    Q_OBJECT

public:
    using rappel = std::function<void()>;
    // Writers pause between chunks; a file quiet for this long is whole.
    static constexpr int calme_par_defaut_ms = 300;

    explicit surveillance_fichiers(int calme_ms = calme_par_defaut_ms, QObject *parent = nullptr);
    ~surveillance_fichiers() override;

    // Runs r after each change of the file's content; one path may have
    // several callbacks. The content it has now is the one already seen.
    void surveiller(const QString &chemin, rappel r);
    // The file's content now is taken as seen: read by other means, it
    // calls back only once it changes again.
    void marquer_vu(const QString &chemin);
    // Off, nothing is watched; back on, a file that changed meanwhile
    // calls back after the quiet time.
    void activer(bool actif);
    bool actif() const { return _actif; }
    // The files and folders the system watches for us now.
    QStringList surveilles() const;

private:
    struct suivi;

    void fichier_change(const QString &chemin);
    void dossier_change(const QString &dossier);
    // Watches the file when it is there; true when it is watched.
    bool rattacher(suivi &s);
    // A file still missing once quiet waits in its folder.
    void attendre(suivi &s);
    void lacher_dossier(const QString &dossier);
    void calme(suivi &s);

    const int _calme_ms;
    QFileSystemWatcher *_veilleur;
    std::map<QString, std::unique_ptr<suivi>> _suivis;
    bool _actif = true;
};

#endif
