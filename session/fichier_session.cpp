#include "fichier_session.h"

#include "lecteur_lignes.h"
#include "raison_lecture.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <iostream>

namespace {

bool present(const QString &chemin, const char *genre)
{
    if (QFileInfo::exists(chemin))
        return true;
    std::cout << "Erreur : le fichier " << genre << " '" << chemin.toLocal8Bit().constData()
              << "' n'existe pas.." << std::endl;
    return false;
}

} // namespace

fichier_session lire_fichier_session(const QString &chemin)
{
    fichier_session resultat;

    QFile fichier(chemin);
    if (!lecteur_lignes::ouvrir(fichier, chemin, resultat.raison, QIODevice::ReadOnly | QIODevice::Text))
        return resultat;
    resultat.ouvert = true;

    // The XML is read from an in-memory copy of the whole file.
    const QByteArray contenu = fichier.readAll();
    fichier.close();

    QString chemin_instance;
    QString chemin_solution;
    resultat.conforme = true;

    QXmlStreamReader xml(contenu);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView element = xml.name();
        const QXmlStreamAttributes attributs = xml.attributes();
        if (element == QLatin1String("visual_graphe")) {
            resultat.nom = attributs.value(QLatin1String("name")).toString();
        } else if (element == QLatin1String("files")) {
            continue;
        } else if (element == QLatin1String("param")) {
            if (attributs.value(QLatin1String("name")) == QLatin1String("instance"))
                chemin_instance = attributs.value(QLatin1String("path")).toString();
            else
                chemin_solution = attributs.value(QLatin1String("path")).toString();
        } else {
            std::cout << "Erreur: le format du fichier session n'est pas correcte [1]" << std::endl;
            resultat.raison = raison_lecture::signaler(
                chemin, xml.lineNumber(),
                QStringLiteral("élément « %1 » refusé, seuls visual_graphe, files et param sont admis")
                    .arg(element));
            resultat.conforme = false;
            break;
        }
    }
    // A document that is not well-formed keeps what was read before the
    // error, but the load is not reported as a success.
    if (resultat.conforme && xml.hasError()) {
        std::cout << "Erreur: le fichier session n'est pas un document XML valide [ligne "
                  << xml.lineNumber() << "] : " << xml.errorString().toLocal8Bit().constData()
                  << std::endl;
        resultat.raison = raison_lecture::signaler(chemin, xml.lineNumber(),
                                                   QStringLiteral("XML mal formé : %1").arg(xml.errorString()));
        resultat.conforme = false;
    }

    const QString prefixe = QFileInfo(chemin).absolutePath() + QLatin1Char('/');
    resultat.chemin_instance = prefixe + chemin_instance;
    resultat.chemin_solution = prefixe + chemin_solution;
    return resultat;
}

QByteArray texte_fichier_session(const QString &nom, const QString &instance, const QString &solution)
{
    QByteArray texte;
    QXmlStreamWriter xml(&texte);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("visual_graphe"));
    xml.writeAttribute(QStringLiteral("name"), nom);
    xml.writeStartElement(QStringLiteral("files"));
    const QString noms[] = {QStringLiteral("instance"), QStringLiteral("solution")};
    const QString chemins[] = {instance, solution};
    for (int i = 0; i < 2; ++i) {
        if (chemins[i].isEmpty())
            continue;
        xml.writeEmptyElement(QStringLiteral("param"));
        xml.writeAttribute(QStringLiteral("name"), noms[i]);
        xml.writeAttribute(QStringLiteral("path"), chemins[i]);
    }
    xml.writeEndDocument();
    return texte;
}

bool instance_presente(const fichier_session &fichier)
{
    return present(fichier.chemin_instance, "d'instance");
}

bool solution_presente(const fichier_session &fichier)
{
    return present(fichier.chemin_solution, "de solution");
}
