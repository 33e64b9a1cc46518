#include "tri_sortie.h"

#include <ostream>

namespace {

// Every failure line of the readers and the loader starts with one of
// these ("Erreur :", "Erreur:", "Error: Cannot read file").
bool signale_un_echec(const std::string &ligne)
{
    return ligne.rfind("Erreur", 0) == 0 || ligne.rfind("Error", 0) == 0;
}

} // namespace

tri_sortie::tri_sortie(std::ostream &sortie, std::ostream &erreurs, bool traces, std::ostream *vers)
    : _sortie(sortie), _ancien(sortie.rdbuf()), _erreurs(erreurs.rdbuf()),
      _traces_vers(vers ? vers->rdbuf() : _ancien), _traces(traces)
{
    _sortie.rdbuf(this);
}

tri_sortie::~tri_sortie()
{
    if (!_ligne.empty())
        terminer_ligne();
    _sortie.rdbuf(_ancien);
}

tri_sortie::int_type tri_sortie::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    _ligne.push_back(traits_type::to_char_type(c));
    if (_ligne.back() == '\n')
        terminer_ligne();
    return c;
}

std::streamsize tri_sortie::xsputn(const char *s, std::streamsize n)
{
    for (std::streamsize i = 0; i < n; ++i)
        overflow(traits_type::to_int_type(s[i]));
    return n;
}

int tri_sortie::sync()
{
    return 0;
}

void tri_sortie::terminer_ligne()
{
    std::streambuf *cible = signale_un_echec(_ligne) ? _erreurs : (_traces ? _traces_vers : nullptr);
    if (cible) {
        cible->sputn(_ligne.data(), std::streamsize(_ligne.size()));
        cible->pubsync();
    }
    _ligne.clear();
}
