#ifndef NOMBRES_TEXTE_H
#define NOMBRES_TEXTE_H

#include <cstdint>

// Number conversions done in place on the bytes of a line, so the readers
// need no QString per line. Each takes the bytes [debut, fin) and never
// reads outside them.
namespace nombres_texte
{

inline bool est_chiffre(char c)
{
    return c >= '0' && c <= '9';
}

// QString::toInt(nullptr, 10) of the text: surrounding white space ignored,
// one optional sign, digits only, 0 for anything else or for a value
// outside the signed 32-bit range.
std::int32_t entier_qt(const char *debut, const char *fin);

// atoi of the text: leading white space skipped, optional sign, digits up
// to the first non-digit, 0 without digits; out of range saturates as the
// C library's strtol does with a 64-bit long.
std::int64_t entier_atoi(const char *debut, const char *fin);

// Calls f(valeur) for every maximal run of ASCII digits, left to right. A
// sign or any other byte only separates runs; a run too large for a signed
// 32-bit integer gives 0, as QString::toInt does.
template <typename F>
void pour_chaque_nombre(const char *debut, const char *fin, F &&f)
{
    const unsigned char *p = reinterpret_cast<const unsigned char *>(debut);
    const unsigned char *const e = reinterpret_cast<const unsigned char *>(fin);
    while (p < e) {
        unsigned chiffre = unsigned(*p) - '0';
        if (chiffre > 9) {
            ++p;
            continue;
        }
        const unsigned char *const suite = p++;
        // No overflow check per digit: 18 digits fit in 64 bits, and longer
        // runs are rare enough to be read again with one.
        std::uint64_t valeur = chiffre;
        while (p < e && (chiffre = unsigned(*p) - '0') <= 9) {
            valeur = valeur * 10 + chiffre;
            ++p;
        }
        if (p - suite > 18) {
            valeur = 0;
            for (const unsigned char *q = suite; q < p && valeur <= INT32_MAX; ++q)
                valeur = valeur * 10 + unsigned(*q - '0');
        }
        f(valeur <= INT32_MAX ? std::int32_t(valeur) : 0);
    }
}

} // namespace nombres_texte

#endif
