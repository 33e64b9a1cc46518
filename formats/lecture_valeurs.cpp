#include "lecture_valeurs.h"

#include "raison_lecture.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cmath>

namespace {

QChar separateur_de(const QString &entete)
{
    if (entete.contains(QLatin1Char('\t')))
        return QLatin1Char('\t');
    if (entete.contains(QLatin1Char(';')) && !entete.contains(QLatin1Char(',')))
        return QLatin1Char(';');
    return QLatin1Char(',');
}

QStringList cellules(const QString &ligne, QChar separateur)
{
    QStringList c = ligne.split(separateur);
    for (QString &cellule : c) {
        cellule = cellule.trimmed();
        if (cellule.size() >= 2 && cellule.startsWith(QLatin1Char('"')) && cellule.endsWith(QLatin1Char('"')))
            cellule = cellule.mid(1, cellule.size() - 2).trimmed();
    }
    return c;
}

// What one line of values is missing or has wrong; empty when it reads.
class lecteur_valeurs
{
public:
    lecteur_valeurs(std::size_t nb_capteurs, int colonne, valeurs_capteurs &v)
        : _nb(nb_capteurs), _colonne(colonne), _v(v)
    {
        _v.valeur.assign(nb_capteurs, std::nullopt);
        _vu.assign(nb_capteurs, false);
    }

    QString lire(const QStringList &c)
    {
        bool entier = false;
        const qulonglong capteur = c.value(0).toULongLong(&entier);
        if (!entier)
            return QString::fromUtf8("« %1 » n'est pas un numéro de capteur").arg(c.value(0));
        if (capteur >= _nb)
            return QStringLiteral("capteur inconnu « %1 »").arg(capteur);
        if (_vu[capteur])
            return QString::fromUtf8("capteur « %1 » répété").arg(capteur);
        _vu[capteur] = true;
        if (_colonne >= c.size())
            return QStringLiteral("%1 cellules, la colonne de valeurs est la %2e").arg(c.size()).arg(_colonne + 1);
        const QString &texte = c[_colonne];
        if (texte.isEmpty())
            return QString();
        bool nombre = false;
        const double valeur = texte.toDouble(&nombre);
        if (!nombre || !std::isfinite(valeur))
            return QString::fromUtf8("« %1 » n'est pas un nombre").arg(texte);
        _v.valeur[capteur] = valeur;
        return QString();
    }

private:
    std::size_t _nb;
    int _colonne;
    valeurs_capteurs &_v;
    std::vector<bool> _vu;
};

// The column asked for in the header; -1 with the cause when there is none.
int colonne_de(const QStringList &entete, const QString &nom, QString &cause)
{
    if (nom.isEmpty()) {
        if (entete.size() >= 2)
            return 1;
        cause = QStringLiteral("l'en-tête n'a pas de deuxième colonne");
        return -1;
    }
    const int i = int(entete.indexOf(nom));
    if (i >= 1)
        return i;
    cause = QStringLiteral("colonne « %1 » absente").arg(nom);
    return -1;
}

} // namespace

demande_valeurs demande_de(const QString &argument)
{
    const int deux_points = int(argument.lastIndexOf(QLatin1Char(':')));
    if (deux_points <= 0 || QFileInfo(argument).isFile())
        return {argument, QString()};
    return {argument.left(deux_points), argument.mid(deux_points + 1)};
}

QStringList colonnes_valeurs(const QString &chemin)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QString entete = QString::fromUtf8(fichier.readLine()).trimmed();
    return entete.isEmpty() ? QStringList() : cellules(entete, separateur_de(entete));
}

fichier_lu<valeurs_capteurs> lire_fichier_valeurs(const demande_valeurs &demande, std::size_t nb_capteurs)
{
    fichier_lu<valeurs_capteurs> f;
    QFile fichier(demande.chemin);
    if (!fichier.open(QIODevice::ReadOnly | QIODevice::Text)) {
        f.raison = raison_lecture::formater(demande.chemin, raison_lecture::sans_ligne,
                                            fichier.exists() ? QStringLiteral("le fichier ne s'ouvre pas")
                                                             : QStringLiteral("le fichier n'existe pas"));
        return f;
    }
    auto refuser = [&](qint64 ligne, const QString &cause) {
        f.raison = raison_lecture::formater(demande.chemin, ligne, cause);
        return std::move(f);
    };
    const QString entete_texte = QString::fromUtf8(fichier.readLine()).trimmed();
    if (entete_texte.isEmpty())
        return refuser(1, QStringLiteral("en-tête absent"));
    const QChar separateur = separateur_de(entete_texte);
    const QStringList entete = cellules(entete_texte, separateur);
    QString cause;
    const int colonne = colonne_de(entete, demande.colonne, cause);
    if (colonne < 0)
        return refuser(1, cause);
    auto valeurs = std::make_unique<valeurs_capteurs>();
    valeurs->nom = entete[colonne];
    lecteur_valeurs lecteur(nb_capteurs, colonne, *valeurs);
    for (qint64 numero = 2; !fichier.atEnd(); ++numero) {
        // Only the line's end goes: a last cell left blank is still a cell.
        QString ligne = QString::fromUtf8(fichier.readLine());
        while (ligne.endsWith(QLatin1Char('\n')) || ligne.endsWith(QLatin1Char('\r')))
            ligne.chop(1);
        if (ligne.trimmed().isEmpty())
            continue;
        cause = lecteur.lire(cellules(ligne, separateur));
        if (!cause.isEmpty())
            return refuser(numero, cause);
    }
    f.contenu = std::move(valeurs);
    f.lu = true;
    return f;
}
