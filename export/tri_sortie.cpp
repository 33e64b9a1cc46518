#include "tri_sortie.h"

namespace {

// Every failure line of the readers and the loader starts with one of
// these ("Erreur :", "Erreur:", "Error: Cannot read file").
bool signale_un_echec(const std::string &ligne)
{
    return ligne.rfind("Erreur", 0) == 0 || ligne.rfind("Error", 0) == 0;
}

} // namespace

tri_sortie::tri_sortie(std::ostream &sortie, std::ostream &erreurs, bool traces, std::ostream *vers)
    : tampon_lignes(sortie), _erreurs(erreurs.rdbuf()), _traces_vers(vers ? vers->rdbuf() : ancien()),
      _traces(traces)
{
}

tri_sortie::~tri_sortie()
{
    terminer();
}

int tri_sortie::sync()
{
    return 0;
}

void tri_sortie::ligne(const std::string &texte, bool finie)
{
    std::streambuf *cible = signale_un_echec(texte) ? _erreurs : (_traces ? _traces_vers : nullptr);
    if (!cible)
        return;
    cible->sputn(texte.data(), std::streamsize(texte.size()));
    if (finie)
        cible->sputc('\n');
    cible->pubsync();
}
