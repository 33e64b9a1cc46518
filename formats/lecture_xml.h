#ifndef LECTURE_XML_H
#define LECTURE_XML_H

#include "graphe_lu.h"
#include "lecteur_lignes.h"
#include "lecteur_xml_qt.h"
#include "lecteur_xml_rapide.h"

#include <QBuffer>
#include <QFile>

#include <cstring>

// Two short strings alike, without a call into Qt for each pair: key and
// attribute ids are compared hundreds of thousands of times.
inline bool meme(QStringView a, QStringView b)
{
    return a.size() == b.size()
           && (a.isEmpty() || std::memcmp(a.data(), b.data(), std::size_t(a.size()) * sizeof(QChar)) == 0);
}

// What the GraphML and GEXF readers share: the graph they fill, and the
// cause and line of their failure.
template <typename Source>
class lecteur_reseau_xml
{
public:
    explicit lecteur_reseau_xml(Source &source) : _source(source) {}

    QString cause;
    qint64 ligne = 0;
    graphe_lu graphe;

protected:
    bool echouer(const QString &pourquoi, qint64 ou = 0)
    {
        cause = pourquoi;
        ligne = ou > 0 ? ou : _source.ligne();
        return false;
    }
    // A syntax error of the document, when there is one; else the cause given.
    bool echouer_xml(const QString &sinon)
    {
        if (_source.en_erreur())
            return echouer(QStringLiteral("XML mal formé : %1").arg(_source.erreur()));
        return echouer(sinon);
    }
    // The rest of the document, which must still be well-formed; then the
    // graph, which needs one element of its name.
    bool finir(bool graphe_vu)
    {
        _source.finir();
        if (_source.en_erreur())
            return echouer_xml(QString());
        if (!graphe_vu)
            return echouer(QStringLiteral("aucun élément graph"));
        const std::optional<refus_lecture> refus = graphe.terminer();
        return !refus || echouer(refus->cause, refus->ligne);
    }
    // The root element, of that name.
    bool racine(const char *nom)
    {
        if (!_source.suivant())
            return echouer_xml(QStringLiteral("aucun élément"));
        return _source.nom_est(nom)
               || echouer(QStringLiteral("l'élément racine est « %1 », pas %2").arg(_source.nom(), QLatin1String(nom)));
    }
    // What the current element's children left: true unless a fault.
    bool sans_faute() { return !_source.en_erreur() || echouer_xml(QString()); }

    Source &_source;
};

// How a GraphML or a GEXF file is read, by a Lecteur<Source> with lire(),
// cause, ligne and graphe: most files take the quick way; one it does not
// take, and any fault, is read again with QXmlStreamReader, which says
// where and why.
template <template <typename> class Lecteur>
fichier_lu<reseau_fichier> lire_fichier_xml(const QString &chemin)
{
    fichier_lu<reseau_fichier> f;
    QFile fichier(chemin);
    if (!lecteur_lignes::ouvrir(fichier, chemin, f.raison))
        return f;
    QByteArray octets = fichier.readAll();
    {
        lecteur_xml_rapide rapide(octets);
        Lecteur<lecteur_xml_rapide> vite(rapide);
        if (vite.lire() && !refus_de_format(vite.graphe))
            return fichier_reseau(vite.graphe, std::nullopt, chemin);
    }
    QBuffer tampon(&octets);
    tampon.open(QIODevice::ReadOnly);
    lecteur_xml_qt qt(tampon);
    Lecteur<lecteur_xml_qt> l(qt);
    const bool lu = l.lire();
    return fichier_reseau(l.graphe, lu ? std::nullopt : std::optional<refus_lecture>({l.ligne, l.cause}), chemin);
}

#endif
