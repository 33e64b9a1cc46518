#ifndef RAISON_LECTURE_H
#define RAISON_LECTURE_H

#include <QString>

// Why a file could not be read, as one line that names the file by its name:
// "name:line : cause", or "name : cause" for a fault tied to no line (found
// at the end of the file, or a file that did not open). Every reader words
// its failures this way, and callers show the line as it is.
namespace raison_lecture
{

// Line numbers count from 1; this one stands for no line.
constexpr qint64 sans_ligne = 0;

// Both readers meet number lines that belong to no section.
inline const QString hors_section = QStringLiteral("ligne de nombres hors de toute section");

QString formater(const QString &chemin, qint64 ligne, const QString &cause);

// "n word", the word singular for 0 and 1 as French counts it.
QString compte(qint64 n, const char *singulier, const char *pluriel);

// formater(), also written on std::cerr, which the console does not show.
QString signaler(const QString &chemin, qint64 ligne, const QString &cause);

// At the end of a file: "16 lignes MA pour 17 annoncées" for what was read
// against what a count line announced, signalled.
QString signaler_compte(const QString &chemin, qint64 lues, qint64 annoncees, const char *singulier,
                        const char *pluriel);

} // namespace raison_lecture

#endif
