#ifndef FUZZ_COMMUN_H
#define FUZZ_COMMUN_H

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

// Helpers shared by the fuzz targets: the readers take a path, so every
// input goes through a file in one scratch directory.
namespace fuzz
{

inline QString chemin(const char *nom)
{
    static QTemporaryDir dossier;
    return dossier.filePath(QString::fromLatin1(nom));
}

inline QString ecrire(const char *nom, const QByteArray &contenu)
{
    const QString c = chemin(nom);
    QFile f(c);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(contenu) != contenu.size())
        std::abort();
    return c;
}

// The input behind ignored lines of 'x' that push it across the readers'
// 64 KiB buffer, its middle at the seam. Lines the readers do not
// recognise change nothing, so both files must read alike.
inline QByteArray decale(const QByteArray &contenu)
{
    const qsizetype tampon = 64 * 1024;
    qsizetype reste = qMax<qsizetype>(0, tampon - contenu.size() / 2);
    QByteArray resultat;
    resultat.reserve(reste + contenu.size());
    while (reste > 0) {
        const qsizetype ligne = qMin<qsizetype>(reste, 1000);
        resultat.append(ligne - 1, 'x').append('\n');
        reste -= ligne;
    }
    return resultat + contenu;
}

// std::cout into a string and std::cerr into nothing while alive: the
// console lines are part of what a read gives.
class capture
{
public:
    capture() : _sortie(std::cout.rdbuf(_texte.rdbuf())), _erreur(std::cerr.rdbuf(_muet.rdbuf())) {}
    ~capture()
    {
        std::cout.rdbuf(_sortie);
        std::cerr.rdbuf(_erreur);
    }
    capture(const capture &) = delete;
    capture &operator=(const capture &) = delete;

    std::string texte() const { return _texte.str(); }

private:
    std::ostringstream _texte, _muet;
    std::streambuf *_sortie, *_erreur;
};

inline void exiger(bool condition, const char *quoi, const std::string &a = {}, const std::string &b = {})
{
    if (condition)
        return;
    std::fprintf(stderr, "fuzz: %s\n--- plain:\n%s\n--- across the seam:\n%s\n", quoi, a.c_str(), b.c_str());
    std::abort();
}

} // namespace fuzz

#endif
