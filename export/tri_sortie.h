#ifndef TRI_SORTIE_H
#define TRI_SORTIE_H

#include "tampon_lignes.h"

// Stands in for std::cout's buffer while it lives and sorts what the
// readers, the loader and the builder write there, line by line: a line
// that reports a failure goes to standard error, any other line to
// standard output only when asked for.
class tri_sortie : public tampon_lignes
{
public:
    // Traces go where the replaced stream went, or to `vers` when given.
    tri_sortie(std::ostream &sortie, std::ostream &erreurs, bool traces, std::ostream *vers = nullptr);
    ~tri_sortie() override;

protected:
    void ligne(const std::string &texte, bool finie) override;
    int sync() override;

private:
    std::streambuf *_erreurs;
    std::streambuf *_traces_vers;
    bool _traces;
};

#endif
