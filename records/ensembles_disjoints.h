#ifndef ENSEMBLES_DISJOINTS_H
#define ENSEMBLES_DISJOINTS_H

#include <cstdint>
#include <numeric>
#include <vector>

// Sensors grouped into connected components as links are added: union by
// size with path halving, so a whole network costs near-linear time.
class ensembles_disjoints
{
public:
    explicit ensembles_disjoints(std::size_t n) : _parent(n), _taille(n, 1)
    {
        std::iota(_parent.begin(), _parent.end(), 0u);
    }

    std::uint32_t racine(std::uint32_t v)
    {
        while (_parent[v] != v) {
            _parent[v] = _parent[_parent[v]];
            v = _parent[v];
        }
        return v;
    }

    void unir(std::uint32_t a, std::uint32_t b)
    {
        a = racine(a);
        b = racine(b);
        if (a == b)
            return;
        if (_taille[a] < _taille[b])
            std::swap(a, b);
        _parent[b] = a;
        _taille[a] += _taille[b];
    }

    std::uint32_t taille(std::uint32_t v) { return _taille[racine(v)]; }

private:
    std::vector<std::uint32_t> _parent;
    std::vector<std::uint32_t> _taille;
};

#endif
