#include "lecteur_xml_rapide.h"

#include <algorithm>
#include <cstring>

namespace {

// Plain ASCII without entities or carriage returns: every other byte sends
// the document to the other reader.
bool octets_simples(const QByteArray &octets)
{
    return std::all_of(octets.begin(), octets.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u >= 0x20 || u == '\t' || u == '\n') && u < 0x7f && u != '&';
    });
}

bool blanc(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool debut_nom(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_';
}

bool suite_nom(QChar c)
{
    const char16_t u = c.unicode();
    return debut_nom(c) || (u >= '0' && u <= '9') || u == '.' || u == '-';
}

// An ASCII name against a view, without a strlen or a call per character.
bool egal(QStringView vue, const char *nom)
{
    qsizetype i = 0;
    for (; nom[i]; ++i)
        if (i >= vue.size() || vue[i].unicode() != char16_t(nom[i]))
            return false;
    return i == vue.size();
}

// Up to the next '<'; true when the text crossed holds no "]]>", which
// character data may not.
bool jusqu_a_balise(const QChar *&p, const QChar *fin)
{
    bool crochet = false;
    const QChar *debut = p;
    for (; p < fin && *p != u'<'; ++p)
        crochet = crochet || *p == u']';
    return !crochet || !QStringView(debut, p - debut).contains(u"]]>");
}

} // namespace

lecteur_xml_rapide::lecteur_xml_rapide(const QByteArray &octets)
{
    if (!octets_simples(octets)) {
        _abandon = true;
        return;
    }
    _texte = QString::fromLatin1(octets);
    _p = _texte.constData();
    _fin = _p + _texte.size();
}

bool lecteur_xml_rapide::abandonner()
{
    _abandon = true;
    return false;
}

bool lecteur_xml_rapide::est(const char *mot) const
{
    const auto n = qsizetype(std::strlen(mot));
    if (_fin - _p < n)
        return false;
    for (qsizetype i = 0; i < n; ++i)
        if (_p[i] != QLatin1Char(mot[i]))
            return false;
    return true;
}

bool lecteur_xml_rapide::blancs()
{
    const QChar *debut = _p;
    while (_p < _fin && blanc(*_p))
        ++_p;
    return _p != debut;
}

// A name with at most one prefix, its local part a name of its own.
QStringView lecteur_xml_rapide::nom_xml()
{
    const QChar *debut = _p;
    if (_p >= _fin || !debut_nom(*_p))
        return {};
    const QChar *deux_points = nullptr;
    for (++_p; _p < _fin && (suite_nom(*_p) || *_p == u':'); ++_p) {
        if (*_p == u':' && (deux_points || _p + 1 >= _fin || !debut_nom(_p[1])))
            return {};
        if (*_p == u':')
            deux_points = _p;
    }
    return QStringView(debut, _p - debut);
}

bool lecteur_xml_rapide::commentaire()
{
    for (_p += 4; _p + 1 < _fin; ++_p) {
        if (_p[0] == u'-' && _p[1] == u'-') {
            if (_p + 2 < _fin && _p[2] == u'>') {
                _p += 3;
                return true;
            }
            return abandonner();
        }
    }
    return abandonner();
}

// <?xml version="1.0" encoding="UTF-8" standalone="no"?>, the last two
// optional, in that order.
bool lecteur_xml_rapide::declaration()
{
    static const char *const noms[] = {"version", "encoding", "standalone"};
    static const char *const admis[][2] = {{"1.0", "1.0"}, {"utf-8", "UTF-8"}, {"yes", "no"}};
    _p += 5;
    for (int rang = 0;;) {
        const bool separe = blancs();
        if (rang > 0 && est("?>")) {
            _p += 2;
            return true;
        }
        int i = rang;
        while (i < 3 && !est(noms[i]))
            ++i;
        if (!separe || i == 3 || (rang == 0 && i != 0))
            return abandonner();
        _p += qsizetype(std::strlen(noms[i]));
        blancs();
        if (!est("="))
            return abandonner();
        ++_p;
        blancs();
        const bool guillemet = est("\"") || est("'");
        const QChar fermant = guillemet ? *_p : QChar();
        const QChar *debut = ++_p;
        while (guillemet && _p < _fin && *_p != fermant)
            ++_p;
        const QStringView valeur(debut, _p - debut);
        if (!guillemet || _p >= _fin || (valeur != QLatin1String(admis[i][0]) && valeur != QLatin1String(admis[i][1])))
            return abandonner();
        ++_p;
        rang = i + 1;
    }
}

// Up to the root's start tag: the declaration, blanks and comments.
bool lecteur_xml_rapide::prologue()
{
    if (est("<?xml") && _fin - _p > 5 && blanc(_p[5]) && !declaration())
        return false;
    for (;;) {
        blancs();
        if (est("<!--")) {
            if (!commentaire())
                return false;
            continue;
        }
        if (_fin - _p > 1 && *_p == u'<' && debut_nom(_p[1]))
            return true;
        return abandonner();
    }
}

bool lecteur_xml_rapide::attributs()
{
    _attributs.clear();
    for (;;) {
        const bool separe = blancs();
        if (_p >= _fin)
            return abandonner();
        if (*_p == u'/' || *_p == u'>')
            break;
        const QStringView nom = nom_xml();
        blancs();
        if (!separe || nom.isEmpty() || !est("="))
            return abandonner();
        ++_p;
        blancs();
        if (_p >= _fin || (*_p != u'"' && *_p != u'\''))
            return abandonner();
        const QChar fermant = *_p;
        const QChar *debut = ++_p;
        // Tabs and line breaks in a value are normalised by XML: left to the other reader.
        while (_p < _fin && *_p != fermant && *_p != u'<' && *_p != u'\t' && *_p != u'\n')
            ++_p;
        if (_p >= _fin || *_p != fermant)
            return abandonner();
        const QStringView valeur(debut, _p++ - debut);
        for (const attribut_lu &a : _attributs)
            if (a.nom == nom)
                return abandonner();
        _attributs.append({nom, valeur});
    }
    return espaces_de_noms();
}

// Prefixes as QXmlStreamReader checks them: declared on the root element
// only, every prefix used declared, no two prefixed attributes of one name.
bool lecteur_xml_rapide::espaces_de_noms()
{
    std::vector<QStringView> locaux;
    for (const attribut_lu &a : _attributs) {
        const qsizetype deux_points = a.nom.indexOf(u':');
        if (deux_points < 0)
            continue;
        const QStringView prefixe = a.nom.left(deux_points);
        const QStringView local = a.nom.mid(deux_points + 1);
        if (prefixe == QLatin1String("xmlns")) {
            if (!_ouverts.empty() || a.valeur.isEmpty() || local == QLatin1String("xml")
                || local == QLatin1String("xmlns"))
                return abandonner();
            _prefixes.push_back(local);
        } else {
            if (std::find(locaux.begin(), locaux.end(), local) != locaux.end())
                return abandonner();
            locaux.push_back(local);
        }
    }
    for (const attribut_lu &a : _attributs) {
        const QStringView prefixe = a.nom.left(std::max<qsizetype>(a.nom.indexOf(u':'), 0));
        if (!prefixe.isEmpty() && prefixe != QLatin1String("xmlns") && prefixe != QLatin1String("xml")
            && std::find(_prefixes.begin(), _prefixes.end(), prefixe) == _prefixes.end())
            return abandonner();
    }
    return true;
}

bool lecteur_xml_rapide::balise_ouvrante()
{
    ++_p;
    const QStringView qualifie = nom_xml();
    if (qualifie.isEmpty() || !attributs())
        return abandonner();
    // A prefixed element (viz:position, y:Geometry) is known by its local
    // name, as QXmlStreamReader gives it; its prefix must be declared.
    const qsizetype deux_points = qualifie.indexOf(u':');
    _nom = qualifie.mid(deux_points + 1);
    if (deux_points >= 0
        && std::find(_prefixes.begin(), _prefixes.end(), qualifie.left(deux_points)) == _prefixes.end())
        return abandonner();
    if (est("/>")) {
        _p += 2;
        _vide = true;
    } else if (est(">")) {
        ++_p;
        _vide = false;
    } else {
        return abandonner();
    }
    _ouverts.push_back(qualifie);
    return true;
}

bool lecteur_xml_rapide::balise_fermante()
{
    _p += 2;
    const QStringView nom = nom_xml();
    blancs();
    if (nom.isEmpty() || !est(">") || _ouverts.empty() || _ouverts.back() != nom)
        return abandonner();
    ++_p;
    _ouverts.pop_back();
    return true;
}

bool lecteur_xml_rapide::suivant()
{
    if (_abandon)
        return false;
    if (!_racine_vue) {
        _racine_vue = true;
        return prologue() && balise_ouvrante();
    }
    if (_vide) {
        _vide = false;
        _ouverts.pop_back();
        return false;
    }
    while (!_ouverts.empty()) {
        // Text may be anywhere in an element.
        if (!jusqu_a_balise(_p, _fin) || _p >= _fin)
            return abandonner();
        if (est("<!--")) {
            if (!commentaire())
                return false;
        } else if (est("</")) {
            balise_fermante();
            return false;
        } else {
            return balise_ouvrante();
        }
    }
    return false;
}

bool lecteur_xml_rapide::nom_est(const char *nom) const
{
    return egal(_nom, nom);
}

QStringView lecteur_xml_rapide::attribut(const char *nom) const
{
    for (const attribut_lu &a : _attributs)
        if (egal(a.nom, nom))
            return a.valeur;
    return {};
}

QStringView lecteur_xml_rapide::texte()
{
    if (_abandon)
        return {};
    if (_vide) {
        _vide = false;
        _ouverts.pop_back();
        return {};
    }
    const QChar *debut = _p;
    const bool propre = jusqu_a_balise(_p, _fin);
    const QStringView t(debut, _p - debut);
    // Text around a child or a comment is joined by the other reader.
    if (!propre || !est("</") || !balise_fermante())
        abandonner();
    return t;
}

void lecteur_xml_rapide::sauter()
{
    // Without recursion: a document may nest deeper than the stack goes.
    const std::size_t profondeur = _ouverts.size();
    while (!_abandon && _ouverts.size() >= profondeur && profondeur > 0)
        suivant();
}

void lecteur_xml_rapide::finir()
{
    if (_abandon || !_ouverts.empty()) {
        abandonner();
        return;
    }
    for (;;) {
        blancs();
        if (_p >= _fin)
            return;
        if (!est("<!--") || !commentaire()) {
            abandonner();
            return;
        }
    }
}
