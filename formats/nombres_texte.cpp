#include "nombres_texte.h"

#include <QString>

namespace nombres_texte
{

namespace
{

// QString::trimmed's white space, restricted to ASCII.
bool est_blanc(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

} // namespace

std::int32_t entier_qt(const char *debut, const char *fin)
{
    // Non-ASCII text is rare; let Qt decide there rather than mirror its
    // Unicode white space and sign rules.
    for (const char *p = debut; p < fin; ++p) {
        if (static_cast<unsigned char>(*p) >= 0x80)
            return QString::fromUtf8(debut, fin - debut).toInt();
    }

    while (debut < fin && est_blanc(*debut))
        ++debut;
    while (fin > debut && est_blanc(fin[-1]))
        --fin;

    bool negatif = false;
    if (debut < fin && (*debut == '+' || *debut == '-')) {
        negatif = *debut == '-';
        ++debut;
    }
    if (debut == fin)
        return 0;

    // Past 2^31 the value is out of range whatever its sign; stop growing it.
    const std::int64_t plafond = std::int64_t(INT32_MAX) + 1;
    std::int64_t valeur = 0;
    for (; debut < fin; ++debut) {
        if (!est_chiffre(*debut))
            return 0;
        if (valeur <= plafond)
            valeur = valeur * 10 + (*debut - '0');
    }
    if (negatif)
        valeur = -valeur;
    if (valeur < INT32_MIN || valeur > INT32_MAX)
        return 0;
    return std::int32_t(valeur);
}

std::int64_t entier_atoi(const char *debut, const char *fin)
{
    while (debut < fin && est_blanc(*debut))
        ++debut;

    bool negatif = false;
    if (debut < fin && (*debut == '+' || *debut == '-')) {
        negatif = *debut == '-';
        ++debut;
    }

    // Accumulated as a magnitude so INT64_MIN stays reachable.
    const std::uint64_t limite = negatif ? std::uint64_t(INT64_MAX) + 1 : std::uint64_t(INT64_MAX);
    std::uint64_t valeur = 0;
    bool sature = false;
    for (; debut < fin && est_chiffre(*debut); ++debut) {
        const unsigned chiffre = unsigned(*debut - '0');
        if (sature || valeur > (limite - chiffre) / 10) {
            sature = true;
            continue;
        }
        valeur = valeur * 10 + chiffre;
    }
    if (sature)
        return negatif ? INT64_MIN : INT64_MAX;
    return negatif ? std::int64_t(0 - valeur) : std::int64_t(valeur);
}

} // namespace nombres_texte
