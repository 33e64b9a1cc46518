#ifndef TAMPON_SORTIE_H
#define TAMPON_SORTIE_H

#include <QIODevice>

#include <charconv>
#include <cstring>
#include <vector>

// Copies into a buffer and hands it to the device in pieces of about a
// MiB: a large network writes millions of short pieces, each a plain copy,
// and never sits whole in memory as text.
class tampon_sortie
{
public:
    explicit tampon_sortie(QIODevice &sortie);

    template <std::size_t N>
    tampon_sortie &operator<<(const char (&texte)[N])
    {
        return ajouter(texte, N - 1);
    }
    tampon_sortie &operator<<(const char *texte) { return ajouter(texte, std::strlen(texte)); }
    tampon_sortie &operator<<(long long v)
    {
        _p = std::to_chars(_p, _p + 24, v).ptr;
        return *this;
    }
    tampon_sortie &operator<<(bool v) { return v ? *this << "true" : *this << "false"; }
    // False once the device refused a piece.
    bool vider();
    // Called between two lines, each shorter than the margin.
    void peut_etre_vider()
    {
        if (_p - _octets.data() >= taille_morceau)
            vider();
    }

private:
    static constexpr qsizetype taille_morceau = 1 << 20;
    static constexpr qsizetype marge = 4096;

    tampon_sortie &ajouter(const char *texte, std::size_t n);

    QIODevice &_sortie;
    std::vector<char> _octets;
    char *_p;
    bool _ok = true;
};

#endif
