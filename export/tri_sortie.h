#ifndef TRI_SORTIE_H
#define TRI_SORTIE_H

#include <iosfwd>
#include <streambuf>
#include <string>

// Stands in for std::cout's buffer while it lives and sorts what the
// readers, the loader and the builder write there, line by line: a line
// that reports a failure goes to standard error, any other line to
// standard output only when asked for.
class tri_sortie : public std::streambuf
{
public:
    // Traces go where the replaced stream went, or to `vers` when given.
    tri_sortie(std::ostream &sortie, std::ostream &erreurs, bool traces, std::ostream *vers = nullptr);
    ~tri_sortie() override;
    tri_sortie(const tri_sortie &) = delete;
    tri_sortie &operator=(const tri_sortie &) = delete;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char *s, std::streamsize n) override;
    int sync() override;

private:
    void terminer_ligne();

    std::ostream &_sortie;
    std::streambuf *_ancien;
    std::streambuf *_erreurs;
    std::streambuf *_traces_vers;
    bool _traces;
    std::string _ligne;
};

#endif
