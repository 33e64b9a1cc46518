#include "ordre_naturel.h"

namespace {

// The run of digits from i: where it starts, where its significant digits
// start, and where it ends.
struct nombre
{
    qsizetype depart;
    qsizetype debut;
    qsizetype fin;
};

nombre lire_nombre(const QString &s, qsizetype i)
{
    nombre n{i, i, i};
    while (n.fin < s.size() && s[n.fin].isDigit())
        ++n.fin;
    while (n.debut + 1 < n.fin && s[n.debut] == QLatin1Char('0'))
        ++n.debut;
    return n;
}

// <0, 0 or >0 as the numbers compare: the longer without leading zeros is
// the greater, then digit by digit.
int comparer_nombres(const QString &a, const nombre &na, const QString &b, const nombre &nb)
{
    const qsizetype la = na.fin - na.debut;
    const qsizetype lb = nb.fin - nb.debut;
    if (la != lb)
        return la < lb ? -1 : 1;
    const int chiffres = QStringView(a).mid(na.debut, la).compare(QStringView(b).mid(nb.debut, lb));
    if (chiffres != 0)
        return chiffres;
    const qsizetype zeros_a = na.debut - na.depart;
    const qsizetype zeros_b = nb.debut - nb.depart;
    return zeros_a == zeros_b ? 0 : zeros_a < zeros_b ? -1 : 1;
}

} // namespace

bool avant_naturel(const QString &a, const QString &b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            const nombre na = lire_nombre(a, i);
            const nombre nb = lire_nombre(b, j);
            const int ordre = comparer_nombres(a, na, b, nb);
            if (ordre != 0)
                return ordre < 0;
            i = na.fin;
            j = nb.fin;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}
