#ifndef ORDRE_NATUREL_H
#define ORDRE_NATUREL_H

#include <QString>

// Names in the order a person reads them: runs of digits compare as
// numbers, so "run_2" comes before "run_10"; the rest by character, and
// equal numbers written with more leading zeros after.
bool avant_naturel(const QString &a, const QString &b);

#endif
