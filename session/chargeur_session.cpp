#include "chargeur_session.h"

#include "registre_sessions.h"
#include "session_graphe.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

#include <iostream>

bool charger_session(registre_sessions &registre, liste_graphe *arbre, const QString &chemin)
{
    for (const auto &session : registre.sessions()) {
        if (session && session->nom_fichier() == chemin) {
            std::cout << "Erreur: la fichier '" << chemin.toLocal8Bit().constData()
                      << "' est deja ouvert." << std::endl;
            return false;
        }
    }

    // A pipe would block the open and a device never end: only regular
    // files are read (a directory fails to open on its own).
    const QFileInfo info(chemin);
    const bool special = info.exists() && !info.isFile() && !info.isDir();
    QFile fichier(chemin);
    if (special || !fichier.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::cerr << "Error: Cannot read file " << chemin.toLocal8Bit().constData() << ": "
                  << (special ? "Not a regular file" : fichier.errorString().toLocal8Bit().constData())
                  << std::endl;
        return false;
    }

    // The XML is read from an in-memory copy of the whole file.
    const QByteArray contenu = fichier.readAll();
    fichier.close();

    QString nom;
    QString chemin_instance;
    QString chemin_solution;
    bool resultat = true;

    QXmlStreamReader xml(contenu);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView element = xml.name();
        const QXmlStreamAttributes attributs = xml.attributes();
        if (element == QLatin1String("visual_graphe")) {
            nom = attributs.value(QLatin1String("name")).toString();
        } else if (element == QLatin1String("files")) {
            continue;
        } else if (element == QLatin1String("param")) {
            if (attributs.value(QLatin1String("name")) == QLatin1String("instance"))
                chemin_instance = attributs.value(QLatin1String("path")).toString();
            else
                chemin_solution = attributs.value(QLatin1String("path")).toString();
        } else {
            std::cout << "Erreur: le format du fichier session n'est pas correcte [1]" << std::endl;
            resultat = false;
            break;
        }
    }
    // A document that is not well-formed keeps what was read before the
    // error, but the load is not reported as a success.
    if (resultat && xml.hasError()) {
        std::cout << "Erreur: le fichier session n'est pas un document XML valide [ligne "
                  << xml.lineNumber() << "] : " << xml.errorString().toLocal8Bit().constData()
                  << std::endl;
        resultat = false;
    }

    const QString prefixe = QFileInfo(chemin).absolutePath() + QLatin1Char('/');
    const QString complet_instance = prefixe + chemin_instance;
    const QString complet_solution = prefixe + chemin_solution;

    if (!QFileInfo::exists(complet_instance)) {
        std::cout << "Erreur : le fichier d'instance '" << complet_instance.toLocal8Bit().constData()
                  << "' n'existe pas.." << std::endl;
        return false;
    }
    if (!QFileInfo::exists(complet_solution)) {
        std::cout << "Erreur : le fichier de solution '" << complet_solution.toLocal8Bit().constData()
                  << "' n'existe pas.." << std::endl;
        return false;
    }

    session_graphe *session = registre.creer_session(arbre, nom, complet_instance, complet_solution);
    session->nom_fichier() = chemin;
    std::cout << "  -> Charge OK..." << std::endl;
    return resultat;
}
