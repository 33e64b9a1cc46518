#include "tampon_lignes.h"

tampon_lignes::tampon_lignes(std::ostream &flux)
    : _flux(flux), _ancien(flux.rdbuf())
{
    _flux.rdbuf(this);
}

tampon_lignes::~tampon_lignes()
{
    _flux.rdbuf(_ancien);
}

void tampon_lignes::terminer()
{
    if (_ligne.empty())
        return;
    ligne(_ligne, false);
    _ligne.clear();
}

tampon_lignes::int_type tampon_lignes::overflow(int_type c)
{
    // End-of-file is no character: nothing to pass on, and no failure either.
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    const char caractere = traits_type::to_char_type(c);
    if (caractere == '\n') {
        ligne(_ligne, true);
        _ligne.clear();
    } else {
        _ligne.push_back(caractere);
    }
    return c;
}

std::streamsize tampon_lignes::xsputn(const char *s, std::streamsize n)
{
    std::streamsize debut = 0;
    for (std::streamsize i = 0; i < n; ++i) {
        if (s[i] != '\n')
            continue;
        _ligne.append(s + debut, std::size_t(i - debut));
        ligne(_ligne, true);
        _ligne.clear();
        debut = i + 1;
    }
    _ligne.append(s + debut, std::size_t(n - debut));
    return n;
}
