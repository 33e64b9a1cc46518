#ifndef CAPTURE_FLUX_H
#define CAPTURE_FLUX_H

#include <QString>
#include <QStringList>

#include <iostream>
#include <sstream>
#include <string>

// Collects what is written to a standard stream while it lives; gives the
// buffer back on destruction, even when a check fails half-way.
class capture_flux
{
public:
    explicit capture_flux(std::ostream &flux = std::cout) : _flux(flux), _ancien(flux.rdbuf(_tampon.rdbuf())) {}
    ~capture_flux() { _flux.rdbuf(_ancien); }
    capture_flux(const capture_flux &) = delete;
    capture_flux &operator=(const capture_flux &) = delete;

    std::string texte() const { return _tampon.str(); }
    // The lines written, decoded as the console decodes them; the empty
    // string after the last line break is not a line.
    QStringList lignes() const
    {
        QStringList resultat = QString::fromLocal8Bit(_tampon.str().c_str()).split(QLatin1Char('\n'));
        if (!resultat.isEmpty() && resultat.last().isEmpty())
            resultat.removeLast();
        return resultat;
    }
    void effacer() { _tampon.str(std::string()); }

private:
    std::ostream &_flux;
    std::ostringstream _tampon;
    std::streambuf *_ancien;
};

#endif
