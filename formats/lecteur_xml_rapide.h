#ifndef LECTEUR_XML_RAPIDE_H
#define LECTEUR_XML_RAPIDE_H

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QVarLengthArray>

#include <vector>

// The same way through a document as lecteur_xml_qt, several times faster,
// for the plain XML that GraphML and GEXF writers make: ASCII without
// entities or carriage returns, no CDATA, no DOCTYPE, no processing
// instruction but the XML declaration, and namespace prefixes declared on
// the root element only; a prefixed element is known by its local name. It
// gives up on anything else, and on any fault: the document is then read
// again with lecteur_xml_qt, which says where and why. What it gives stays
// valid as long as it lives.
class lecteur_xml_rapide
{
public:
    // Gives up at once when the bytes are not of that plain kind.
    explicit lecteur_xml_rapide(const QByteArray &octets);

    bool suivant();
    QStringView nom() const { return _nom; }
    bool nom_est(const char *nom) const;
    QStringView attribut(const char *nom) const;
    QStringView texte();
    void sauter();
    void finir();
    // Lines are not counted: a document with a fault is read again anyway.
    qint64 ligne() const { return 0; }
    bool en_erreur() const { return _abandon; }
    QString erreur() const { return QString(); }

private:
    struct attribut_lu
    {
        QStringView nom;
        QStringView valeur;
    };

    bool abandonner();
    bool prologue();
    bool declaration();
    bool commentaire();
    bool balise_ouvrante();
    bool attributs();
    bool espaces_de_noms();
    bool balise_fermante();
    // Skips blanks; true when there were some.
    bool blancs();
    QStringView nom_xml();
    bool est(const char *mot) const;

    QString _texte;
    const QChar *_p = nullptr;
    const QChar *_fin = nullptr;
    QStringView _nom;
    QVarLengthArray<attribut_lu, 8> _attributs;
    std::vector<QStringView> _ouverts;
    // The current element ended with "/>".
    bool _vide = false;
    bool _abandon = false;
    bool _racine_vue = false;
    std::vector<QStringView> _prefixes;
};

#endif
