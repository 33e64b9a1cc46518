#ifndef MEDIANE_H
#define MEDIANE_H

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

// The median of a benchmark's runs; NaN when none finished.
inline double mediane(std::vector<double> v)
{
    if (v.empty())
        return NAN;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

#endif
