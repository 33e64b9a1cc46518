#include "lecteur_xml_expat.h"

#include <algorithm>
#include <cstring>

namespace {

// Not a character XML allows, so in no namespace name.
constexpr XML_Char separateur = '\x01';
// What expat parses at a time: the events of a part wait for the reader,
// never those of the whole document.
constexpr qsizetype morceau = qsizetype(1) << 16;

// "uri SEP local SEP prefix", "uri SEP local" or "local": the local name.
std::pair<const char *, std::size_t> nom_local(const XML_Char *nom)
{
    const char *debut = std::strchr(nom, separateur);
    debut = debut ? debut + 1 : nom;
    const char *fin = std::strchr(debut, separateur);
    return {debut, fin ? std::size_t(fin - debut) : std::strlen(debut)};
}

// An attribute's name as QXmlStreamReader gives it: "prefix:local".
void nom_qualifie(const XML_Char *nom, std::string &dans)
{
    const char *local = std::strchr(nom, separateur);
    const char *prefixe = local ? std::strchr(local + 1, separateur) : nullptr;
    if (!local)
        dans += nom;
    else if (!prefixe)
        dans += local + 1;
    else
        dans.append(prefixe + 1).append(1, ':').append(local + 1, prefixe);
}

} // namespace

lecteur_xml_expat::lecteur_xml_expat(const QByteArray &octets) : _octets(octets)
{
    _noms.push_back({});
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

// A document has a handful of element names: each is kept once.
std::uint32_t lecteur_xml_expat::nom_de(const XML_Char *nom)
{
    const auto [local, longueur] = nom_local(nom);
    for (std::size_t i = 1; i < _noms.size(); ++i)
        if (_noms[i].utf8.size() == longueur && std::memcmp(_noms[i].utf8.data(), local, longueur) == 0)
            return std::uint32_t(i);
    _noms.push_back({std::string(local, longueur), QString::fromUtf8(local, qsizetype(longueur))});
    return std::uint32_t(_noms.size() - 1);
}

void XMLCALL lecteur_xml_expat::debut(void *moi, const XML_Char *nom, const XML_Char **attributs)
{
    auto *l = static_cast<lecteur_xml_expat *>(moi);
    evenement e;
    e.ouvre = true;
    e.nom = l->nom_de(nom);
    e.debut = std::uint32_t(l->_attributs.size());
    for (const XML_Char **a = attributs; *a; a += 2) {
        attribut_lu lu;
        lu.nom = std::uint32_t(l->_arene.size());
        nom_qualifie(a[0], l->_arene);
        lu.fin_nom = std::uint32_t(l->_arene.size());
        l->_arene += a[1];
        lu.fin_valeur = std::uint32_t(l->_arene.size());
        l->_attributs.push_back(lu);
    }
    e.fin = std::uint32_t(l->_attributs.size());
    l->_evenements.push_back(e);
    if (l->_ouverts == l->_textes_ouverts.size())
        l->_textes_ouverts.emplace_back();
    l->_textes_ouverts[l->_ouverts++].clear();
}

void XMLCALL lecteur_xml_expat::fin(void *moi, const XML_Char *)
{
    auto *l = static_cast<lecteur_xml_expat *>(moi);
    evenement e;
    e.debut = std::uint32_t(l->_arene.size());
    l->_arene += l->_textes_ouverts[--l->_ouverts];
    e.fin = std::uint32_t(l->_arene.size());
    l->_evenements.push_back(e);
}

void XMLCALL lecteur_xml_expat::caracteres(void *moi, const XML_Char *s, int n)
{
    auto *l = static_cast<lecteur_xml_expat *>(moi);
    if (l->_ouverts > 0)
        l->_textes_ouverts[l->_ouverts - 1].append(s, std::size_t(n));
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

bool lecteur_xml_expat::analyser()
{
    if (_abandon || _fini)
        return false;
    _evenements.clear();
    _attributs.clear();
    _arene.clear();
    _lu = 0;
    const qsizetype n = std::min(_octets.size() - _donnes, morceau);
    _fini = _donnes + n == _octets.size();
    const XML_Status resultat = XML_Parse(_analyseur, _octets.constData() + _donnes, int(n), _fini);
    _donnes += n;
    if (resultat == XML_STATUS_ERROR)
        _abandon = true;
    return !_abandon;
}

bool lecteur_xml_expat::prochain(evenement &e)
{
    while (_lu == _evenements.size())
        if (!analyser())
            return false;
    e = _evenements[_lu++];
    _profondeur += e.ouvre ? 1 : -1;
    return true;
}

bool lecteur_xml_expat::suivant()
{
    evenement e;
    if (!prochain(e) || !e.ouvre)
        return false;
    _courant.nom = e.nom;
    _courant.attributs.assign(_attributs.begin() + e.debut, _attributs.begin() + e.fin);
    const std::uint32_t depuis = e.debut == e.fin ? 0 : _attributs[e.debut].nom;
    const std::uint32_t jusqu_a = e.debut == e.fin ? 0 : _attributs[e.fin - 1].fin_valeur;
    _courant.octets.assign(_arene, depuis, jusqu_a - depuis);
    for (attribut_lu &a : _courant.attributs) {
        a.nom -= depuis;
        a.fin_nom -= depuis;
        a.fin_valeur -= depuis;
    }
    // The values, decoded on demand, stay where they are until the next
    // element: UTF-16 never takes more units than UTF-8 takes bytes.
    _valeurs.clear();
    _valeurs.reserve(qsizetype(_courant.octets.size()));
    return true;
}

QStringView lecteur_xml_expat::attribut(const char *nom) const
{
    const std::size_t n = std::strlen(nom);
    for (const attribut_lu &a : _courant.attributs) {
        if (a.fin_nom - a.nom != n || _courant.octets.compare(a.nom, n, nom) != 0)
            continue;
        const qsizetype debut = _valeurs.size();
        const char *valeur = _courant.octets.data() + a.fin_nom;
        const qsizetype longueur = qsizetype(a.fin_valeur - a.fin_nom);
        // Most values are ASCII, which needs no decoding.
        if (std::all_of(valeur, valeur + longueur, [](char c) { return (c & 0x80) == 0; }))
            _valeurs.append(QLatin1StringView(valeur, longueur));
        else
            _valeurs.append(QString::fromUtf8(valeur, longueur));
        return QStringView(_valeurs).mid(debut);
    }
    return {};
}

void lecteur_xml_expat::jusqu_a_la_fin(evenement &e)
{
    const int profondeur = _profondeur;
    while (prochain(e) && _profondeur >= profondeur) {
    }
}

QStringView lecteur_xml_expat::texte()
{
    evenement e;
    jusqu_a_la_fin(e);
    _texte = _abandon ? QString() : QString::fromUtf8(_arene.data() + e.debut, qsizetype(e.fin - e.debut));
    return _texte;
}

void lecteur_xml_expat::sauter()
{
    evenement e;
    jusqu_a_la_fin(e);
}

void lecteur_xml_expat::finir()
{
    evenement e;
    while (prochain(e)) {
    }
}

QString lecteur_xml_expat::erreur() const
{
    return _analyseur ? QString::fromUtf8(XML_ErrorString(XML_GetErrorCode(_analyseur))) : QString();
}
