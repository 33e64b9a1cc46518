#include "tampon_sortie.h"

tampon_sortie::tampon_sortie(QIODevice &sortie)
    : _sortie(sortie), _octets(taille_morceau + marge), _p(_octets.data())
{
}

bool tampon_sortie::vider()
{
    const qint64 n = _p - _octets.data();
    if (_ok && n > 0)
        _ok = _sortie.write(_octets.data(), n) == n;
    _p = _octets.data();
    return _ok;
}

tampon_sortie &tampon_sortie::ajouter(const char *texte, std::size_t n)
{
    // A number's digits follow a text without a check: 64 bytes are kept.
    if (qsizetype(n) > _octets.data() + qsizetype(_octets.size()) - _p - 64) {
        vider();
        if (qsizetype(n) > qsizetype(_octets.size()) - 64) {
            _ok = _ok && _sortie.write(texte, qint64(n)) == qint64(n);
            return *this;
        }
    }
    std::memcpy(_p, texte, n);
    _p += n;
    return *this;
}
