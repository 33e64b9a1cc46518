#ifndef FICHIER_SESSION_H
#define FICHIER_SESSION_H

#include <QString>

// What a session file names, both paths already joined to the session
// file's folder. The viewer's loader and the export command read it alike.
struct fichier_session {
    QString nom;
    QString chemin_instance;
    QString chemin_solution;
    // The file could be opened.
    bool ouvert = false;
    // Read to its end with no element refused and no XML error.
    bool conforme = false;
    // Why it was not, in raison_lecture's form; empty when it was.
    QString raison;
};

// Reads the XML of a session file; every failure is reported on its line
// (an unreadable file on std::cerr, a refused element or an XML error on
// std::cout, and its reason on std::cerr), and what was gathered before it
// is kept.
fichier_session lire_fichier_session(const QString &chemin);

// A session file's text naming two files that lie beside it; without a
// solution file, it names the instance alone.
QByteArray texte_fichier_session(const QString &nom, const QString &instance, const QString &solution);

// Each writes its "n'existe pas" line when nothing is at the file's path.
bool instance_presente(const fichier_session &fichier);
bool solution_presente(const fichier_session &fichier);

#endif
