#ifndef COORD_SOMMET_H
#define COORD_SOMMET_H

#include <cstdint>

// Position of one sensor, in the instance file's own units.
class coord_sommet
{
public:
    coord_sommet() = default;
    coord_sommet(std::int32_t x, std::int32_t y) : _x(x), _y(y) {}
    coord_sommet(const coord_sommet &autre) = default;
    ~coord_sommet() = default;

    std::int32_t &x() { return _x; }
    std::int32_t &y() { return _y; }
    std::int32_t x() const { return _x; }
    std::int32_t y() const { return _y; }

private:
    std::int32_t _x = 0;
    std::int32_t _y = 0;
};

#endif
