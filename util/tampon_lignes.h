#ifndef TAMPON_LIGNES_H
#define TAMPON_LIGNES_H

#include <ostream>
#include <streambuf>
#include <string>

// Stands in for a stream's buffer while it lives and hands each completed
// line to ligne(). It keeps no put area, so every write arrives at once. A
// subclass calls terminer() in its destructor for a last unended line; the
// stream gets its buffer back afterwards.
class tampon_lignes : public std::streambuf
{
public:
    explicit tampon_lignes(std::ostream &flux);
    ~tampon_lignes() override;
    tampon_lignes(const tampon_lignes &) = delete;
    tampon_lignes &operator=(const tampon_lignes &) = delete;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char *s, std::streamsize n) override;

    // texte is the line without its line break; finie tells whether it had one.
    virtual void ligne(const std::string &texte, bool finie) = 0;
    void terminer();
    // The buffer the stream had before.
    std::streambuf *ancien() const { return _ancien; }

private:
    std::ostream &_flux;
    std::streambuf *_ancien;
    std::string _ligne;
};

#endif
