#ifndef LECTEUR_XML_EXPAT_H
#define LECTEUR_XML_EXPAT_H

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <expat.h>

#include <string>
#include <vector>

// The same way through a document as lecteur_xml_qt, on expat, which reads
// a large network several hundred milliseconds sooner. It gives up on a DOCTYPE and
// on an XML version other than 1.0, where the two might read otherwise, and
// on any fault: the document is then read again with lecteur_xml_qt, which
// says where and why in its own words. What it gives stays valid until the
// next call.
class lecteur_xml_expat
{
public:
    explicit lecteur_xml_expat(const QByteArray &octets);
    ~lecteur_xml_expat();
    lecteur_xml_expat(const lecteur_xml_expat &) = delete;
    lecteur_xml_expat &operator=(const lecteur_xml_expat &) = delete;

    bool suivant();
    QStringView nom() const;
    bool nom_est(const char *nom) const { return _nom == nom; }
    QStringView attribut(const char *nom) const;
    QStringView texte();
    void sauter();
    void finir();
    // Lines are not asked for: a document with a fault is read again anyway.
    qint64 ligne() const { return 0; }
    bool en_erreur() const { return _abandon; }
    QString erreur() const;

private:
    static void XMLCALL debut(void *moi, const XML_Char *nom, const XML_Char **attributs);
    static void XMLCALL fin(void *moi, const XML_Char *nom);
    static void XMLCALL caracteres(void *moi, const XML_Char *s, int n);
    static void XMLCALL declaration(void *moi, const XML_Char *version, const XML_Char *codage, int autonome);
    static void XMLCALL doctype(void *moi, const XML_Char *nom, const XML_Char *systeme, const XML_Char *public_,
                                int sous_ensemble);
    void abandonner();
    bool reprendre();
    // The next tag, parsing on as far as needed: true with ouvre set for a
    // start tag, false at the end of the document or on a fault.
    bool prochain(bool &ouvre);
    void jusqu_a_la_fin();

    // Shared, so that the bytes expat reads stay where they are.
    const QByteArray _octets;
    XML_Parser _analyseur = nullptr;
    qsizetype _donnes = 0;
    bool _abandon = false;
    bool _fini = false;

    // What expat has told and the reader not yet taken: a start tag, then
    // the end tags that came with it.
    bool _debut = false;
    int _fins = 0;
    // Elements open as the reader has taken them, and as expat has read them.
    int _profondeur = 0;
    int _profondeur_lue = 0;
    // Where texte() gathers its element's own text; -1 when it is not asked.
    int _profondeur_texte = -1;

    // The current element: its local name, and its attributes' qualified
    // names and values one after the other in _chaines, bounded by _bornes.
    std::string _nom;
    std::string _chaines;
    std::vector<std::size_t> _bornes;
    std::string _texte;
    QString _texte_qt;
    mutable QString _nom_qt;
    mutable std::vector<QString> _valeurs;
};

#endif
