#include "format_reseau.h"

#include "graphe_lu.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamReader>

namespace {

struct format_nomme
{
    format_reseau format;
    const char *suffixe;
    const char *nom;
};

const format_nomme formats[] = {{format_reseau::graphml, "graphml", "GraphML"},
                                {format_reseau::gexf, "gexf", "GEXF"},
                                {format_reseau::cyjs, "cyjs", "Cytoscape.js"}};

format_reseau du_contenu(QFile &fichier)
{
    char premier = 0;
    while (fichier.getChar(&premier) && QChar::isSpace(uchar(premier))) {
    }
    fichier.seek(0);
    if (premier == '{') {
        const QJsonObject racine = QJsonDocument::fromJson(fichier.readAll()).object();
        return racine.value(QLatin1String("elements")).toObject().value(QLatin1String("nodes")).isArray()
                   ? format_reseau::cyjs
                   : format_reseau::aucun;
    }
    // The root elements bear the suffixes' names.
    QXmlStreamReader xml(&fichier);
    if (!xml.readNextStartElement())
        return format_reseau::aucun;
    for (const format_nomme &f : formats)
        if (f.format != format_reseau::cyjs && xml.name() == QLatin1String(f.suffixe))
            return f.format;
    return format_reseau::aucun;
}

} // namespace

format_reseau format_reseau_du_nom(const QString &nom)
{
    const QString suffixe = QFileInfo(nom).suffix();
    for (const format_nomme &f : formats)
        if (suffixe.compare(QLatin1String(f.suffixe), Qt::CaseInsensitive) == 0)
            return f.format;
    return format_reseau::aucun;
}

format_reseau format_reseau_du_fichier(const QString &chemin)
{
    const format_reseau par_nom = format_reseau_du_nom(chemin);
    const QFileInfo info(chemin);
    // A pipe would block the open; a .vga is always a session file.
    if (par_nom != format_reseau::aucun || info.suffix().toLower() == QLatin1String("vga") || !info.isFile())
        return par_nom;
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? du_contenu(fichier) : format_reseau::aucun;
}

QString nom_format(format_reseau format)
{
    for (const format_nomme &f : formats)
        if (f.format == format)
            return QLatin1String(f.nom);
    return QString();
}

fichier_lu<reseau_fichier> lire_fichier_reseau(const QString &chemin)
{
    switch (format_reseau_du_fichier(chemin)) {
    case format_reseau::gexf:
        return lire_fichier_gexf(chemin);
    case format_reseau::cyjs:
        return lire_fichier_cyjs(chemin);
    default:
        return lire_fichier_graphml(chemin);
    }
}
