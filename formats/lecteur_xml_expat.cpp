#include "lecteur_xml_expat.h"

#include <algorithm>
#include <cstring>

namespace {

// Not a character XML allows, so in no namespace name.
constexpr XML_Char separateur = '\x01';
// expat takes a length as an int: larger files go in parts.
constexpr qsizetype morceau_max = qsizetype(1) << 30;

// "uri SEP local SEP prefix", "uri SEP local" or "local": the local name.
std::string nom_local(const XML_Char *nom)
{
    const char *debut = std::strchr(nom, separateur);
    debut = debut ? debut + 1 : nom;
    const char *fin = std::strchr(debut, separateur);
    return fin ? std::string(debut, fin) : std::string(debut);
}

// An attribute's name as QXmlStreamReader gives it: "prefix:local".
void nom_qualifie(const XML_Char *nom, std::string &dans)
{
    const char *local = std::strchr(nom, separateur);
    const char *prefixe = local ? std::strchr(local + 1, separateur) : nullptr;
    if (!local) {
        dans += nom;
    } else if (!prefixe) {
        dans += local + 1;
    } else {
        dans.append(prefixe + 1).append(1, ':').append(local + 1, prefixe);
    }
}

} // namespace

lecteur_xml_expat::lecteur_xml_expat(const QByteArray &octets) : _octets(octets)
{
    _analyseur = XML_ParserCreateNS(nullptr, separateur);
    if (!_analyseur) {
        _abandon = true;
        return;
    }
    XML_SetReturnNSTriplet(_analyseur, XML_TRUE);
    XML_SetUserData(_analyseur, this);
    XML_SetElementHandler(_analyseur, &debut, &fin);
    XML_SetCharacterDataHandler(_analyseur, &caracteres);
    XML_SetXmlDeclHandler(_analyseur, &declaration);
    XML_SetStartDoctypeDeclHandler(_analyseur, &doctype);
}

lecteur_xml_expat::~lecteur_xml_expat()
{
    if (_analyseur)
        XML_ParserFree(_analyseur);
}

// Each tag suspends the parser, so that the reader takes the document one
// element at a time, as from QXmlStreamReader.
void XMLCALL lecteur_xml_expat::debut(void *moi, const XML_Char *nom, const XML_Char **attributs)
{
    auto *l = static_cast<lecteur_xml_expat *>(moi);
    l->_nom = nom_local(nom);
    l->_chaines.clear();
    l->_bornes.clear();
    for (const XML_Char **a = attributs; *a; a += 2) {
        l->_bornes.push_back(l->_chaines.size());
        nom_qualifie(a[0], l->_chaines);
        l->_bornes.push_back(l->_chaines.size());
        l->_chaines += a[1];
        l->_bornes.push_back(l->_chaines.size());
    }
    l->_debut = true;
    ++l->_profondeur_lue;
    XML_StopParser(l->_analyseur, XML_TRUE);
}

void XMLCALL lecteur_xml_expat::fin(void *moi, const XML_Char *)
{
    auto *l = static_cast<lecteur_xml_expat *>(moi);
    ++l->_fins;
    --l->_profondeur_lue;
    // An empty element's end comes while its start has already suspended.
    if (!l->_debut)
        XML_StopParser(l->_analyseur, XML_TRUE);
}

void XMLCALL lecteur_xml_expat::caracteres(void *moi, const XML_Char *s, int n)
{
    auto *l = static_cast<lecteur_xml_expat *>(moi);
    if (l->_profondeur_lue == l->_profondeur_texte)
        l->_texte.append(s, std::size_t(n));
}

// QXmlStreamReader refuses any version but 1.0.
void XMLCALL lecteur_xml_expat::declaration(void *moi, const XML_Char *version, const XML_Char *, int)
{
    if (version && std::strcmp(version, "1.0") != 0)
        static_cast<lecteur_xml_expat *>(moi)->abandonner();
}

// A DTD may declare entities and attribute defaults, which each reader
// takes its own way: QXmlStreamReader's is the one.
void XMLCALL lecteur_xml_expat::doctype(void *moi, const XML_Char *, const XML_Char *, const XML_Char *, int)
{
    static_cast<lecteur_xml_expat *>(moi)->abandonner();
}

void lecteur_xml_expat::abandonner()
{
    _abandon = true;
    XML_StopParser(_analyseur, XML_FALSE);
}

// Parses on until the next suspension, or through the next part of the bytes.
bool lecteur_xml_expat::reprendre()
{
    if (_abandon || _fini)
        return false;
    XML_ParsingStatus etat;
    XML_GetParsingStatus(_analyseur, &etat);
    XML_Status resultat;
    if (etat.parsing == XML_SUSPENDED) {
        resultat = XML_ResumeParser(_analyseur);
    } else {
        const qsizetype n = std::min(_octets.size() - _donnes, morceau_max);
        const bool dernier = _donnes + n == _octets.size();
        resultat = XML_Parse(_analyseur, _octets.constData() + _donnes, int(n), dernier);
        _donnes += n;
    }
    if (resultat == XML_STATUS_ERROR) {
        _abandon = true;
        return false;
    }
    XML_GetParsingStatus(_analyseur, &etat);
    _fini = etat.parsing == XML_FINISHED;
    return true;
}

bool lecteur_xml_expat::prochain(bool &ouvre)
{
    for (;;) {
        if (_debut) {
            _debut = false;
            ++_profondeur;
            ouvre = true;
            return true;
        }
        if (_fins > 0) {
            --_fins;
            --_profondeur;
            ouvre = false;
            return true;
        }
        if (!reprendre())
            return false;
    }
}

bool lecteur_xml_expat::suivant()
{
    _valeurs.clear();
    bool ouvre = false;
    return prochain(ouvre) && ouvre;
}

// Up to the current element's end tag.
void lecteur_xml_expat::jusqu_a_la_fin()
{
    const int profondeur = _profondeur;
    bool ouvre = false;
    while (_profondeur >= profondeur && prochain(ouvre)) {
    }
}

QStringView lecteur_xml_expat::nom() const
{
    _nom_qt = QString::fromStdString(_nom);
    return _nom_qt;
}

QStringView lecteur_xml_expat::attribut(const char *nom) const
{
    const std::size_t n = std::strlen(nom);
    for (std::size_t k = 0; k + 2 < _bornes.size(); k += 3) {
        if (_bornes[k + 1] - _bornes[k] == n && _chaines.compare(_bornes[k], n, nom) == 0) {
            _valeurs.push_back(QString::fromUtf8(_chaines.data() + _bornes[k + 1],
                                                 qsizetype(_bornes[k + 2] - _bornes[k + 1])));
            return _valeurs.back();
        }
    }
    return {};
}

QStringView lecteur_xml_expat::texte()
{
    _texte.clear();
    _profondeur_texte = _profondeur;
    jusqu_a_la_fin();
    _profondeur_texte = -1;
    _texte_qt = QString::fromStdString(_texte);
    return _texte_qt;
}

void lecteur_xml_expat::sauter()
{
    jusqu_a_la_fin();
}

void lecteur_xml_expat::finir()
{
    bool ouvre = false;
    while (prochain(ouvre)) {
    }
}

QString lecteur_xml_expat::erreur() const
{
    return _analyseur ? QString::fromUtf8(XML_ErrorString(XML_GetErrorCode(_analyseur))) : QString();
}
