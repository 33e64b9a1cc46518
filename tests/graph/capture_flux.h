#ifndef CAPTURE_FLUX_H
#define CAPTURE_FLUX_H

#include <ostream>
#include <sstream>
#include <string>

// Collects what is written to a standard stream for the object's lifetime.
class capture_flux
{
public:
    explicit capture_flux(std::ostream &flux) : _flux(flux), _ancien(flux.rdbuf(_tampon.rdbuf())) {}
    ~capture_flux() { _flux.rdbuf(_ancien); }
    capture_flux(const capture_flux &) = delete;
    capture_flux &operator=(const capture_flux &) = delete;

    std::string texte() const { return _tampon.str(); }

private:
    std::ostream &_flux;
    std::ostringstream _tampon;
    std::streambuf *_ancien;
};

#endif
