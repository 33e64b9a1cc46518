#ifndef FACTEURS_ZOOM_H
#define FACTEURS_ZOOM_H

#include <array>
#include <cstddef>

// The zoom factors of the menu, in its order; the view, the window and the
// export command all offer these.
inline constexpr std::array<int, 5> facteurs_zoom{1, 2, 4, 8, 16};

// The factor's place in the menu, -1 for a factor the menu does not offer.
constexpr int rang_zoom(int facteur)
{
    for (std::size_t i = 0; i < facteurs_zoom.size(); ++i)
        if (facteurs_zoom[i] == facteur)
            return int(i);
    return -1;
}

#endif
