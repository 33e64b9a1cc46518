#ifndef LECTEUR_XML_EXPAT_H
#define LECTEUR_XML_EXPAT_H

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <expat.h>

#include <cstdint>
#include <string>
#include <vector>

// The same way through a document as lecteur_xml_qt, on expat, which reads
// a large network several hundred milliseconds sooner. It gives up on a
// DOCTYPE and on an XML version other than 1.0, where the two might read
// otherwise, and on any fault: the document is then read again with
// lecteur_xml_qt, which says where and why in its own words. The current
// element's name and attributes stay valid until the next suivant(), a
// text until the next call.
class lecteur_xml_expat
{
public:
    explicit lecteur_xml_expat(const QByteArray &octets);
    ~lecteur_xml_expat();
    lecteur_xml_expat(const lecteur_xml_expat &) = delete;
    lecteur_xml_expat &operator=(const lecteur_xml_expat &) = delete;

    bool suivant();
    QStringView nom() const { return _noms[_courant.nom].qt; }
    bool nom_est(const char *nom) const { return _noms[_courant.nom].utf8 == nom; }
    QStringView attribut(const char *nom) const;
    QStringView texte();
    void sauter();
    void finir();
    // Lines are not asked for: a document with a fault is read again anyway.
    qint64 ligne() const { return 0; }
    bool en_erreur() const { return _abandon; }
    QString erreur() const;

private:
    // A tag as expat read it: a start tag with its name and attributes, or
    // an end tag with the element's own text, its children's left out.
    struct evenement
    {
        bool ouvre = false;
        std::uint32_t nom = 0;
        // Start: its attributes in _attributs; end: its text in _arene.
        std::uint32_t debut = 0;
        std::uint32_t fin = 0;
    };
    // Offsets in an arena of UTF-8 bytes.
    struct attribut_lu
    {
        std::uint32_t nom = 0, fin_nom = 0, fin_valeur = 0;
    };
    struct nom_connu
    {
        std::string utf8;
        QString qt;
    };
    // The element suivant() gave last, copied out of the events.
    struct element
    {
        std::uint32_t nom = 0;
        std::string octets;
        std::vector<attribut_lu> attributs;
    };

    static void XMLCALL debut(void *moi, const XML_Char *nom, const XML_Char **attributs);
    static void XMLCALL fin(void *moi, const XML_Char *nom);
    static void XMLCALL caracteres(void *moi, const XML_Char *s, int n);
    static void XMLCALL declaration(void *moi, const XML_Char *version, const XML_Char *codage, int autonome);
    static void XMLCALL doctype(void *moi, const XML_Char *nom, const XML_Char *systeme, const XML_Char *public_,
                                int sous_ensemble);
    void abandonner();
    std::uint32_t nom_de(const XML_Char *nom);
    // Parses the next part of the bytes into events; false at the end of the
    // document or on a fault.
    bool analyser();
    bool prochain(evenement &e);
    // Up to the current element's end tag, whose event it leaves in e.
    void jusqu_a_la_fin(evenement &e);

    // Shared, so that the bytes expat reads stay where they are.
    const QByteArray _octets;
    XML_Parser _analyseur = nullptr;
    qsizetype _donnes = 0;
    bool _abandon = false;
    bool _fini = false;

    // The events of the part last parsed, the next one to take, and their
    // names, attributes and texts.
    std::vector<evenement> _evenements;
    std::size_t _lu = 0;
    std::vector<attribut_lu> _attributs;
    std::string _arene;
    std::vector<nom_connu> _noms;
    // The texts of the elements expat has open, innermost last.
    std::vector<std::string> _textes_ouverts;
    std::size_t _ouverts = 0;
    // Elements open as the reader has taken them.
    int _profondeur = 0;

    element _courant;
    mutable QString _valeurs;
    QString _texte;
};

#endif
