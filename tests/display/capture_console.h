#ifndef CAPTURE_CONSOLE_H
#define CAPTURE_CONSOLE_H

#include <QStringList>

#include <iostream>
#include <sstream>
#include <streambuf>

// Collects what std::cout receives while it lives; gives the buffer back on
// destruction, even when a check fails half-way.
class capture_console
{
public:
    capture_console() : _ancien(std::cout.rdbuf(_tampon.rdbuf())) {}
    ~capture_console() { std::cout.rdbuf(_ancien); }
    capture_console(const capture_console &) = delete;
    capture_console &operator=(const capture_console &) = delete;

    QStringList lignes() const
    {
        QStringList resultat = QString::fromStdString(_tampon.str()).split(QLatin1Char('\n'));
        if (!resultat.isEmpty() && resultat.last().isEmpty())
            resultat.removeLast();
        return resultat;
    }
    void effacer() { _tampon.str(std::string()); }

private:
    std::ostringstream _tampon;
    std::streambuf *_ancien;
};

#endif
