#ifndef RESEAU_BENCH_H
#define RESEAU_BENCH_H

#include "generateur_reseau.h"
#include "session_graphe.h"

#include <QString>

#include <cstdio>
#include <iostream>

// The benchmarks' network of n sensors, mean degree 8, written into dossier
// as reseau_<n>.txt, _sol.txt and .vga, then read into session with the
// readers' trace lines silenced. The .vga path; empty, said on standard
// output, when it could not be made or read.
inline QString reseau_lu(int n, const QString &dossier, session_graphe &session)
{
    parametres_reseau p;
    p.nb_capteurs = n;
    p.degre_moyen = 8;
    const QString nom = QStringLiteral("reseau_%1").arg(n);
    const QString vga = ecrire_session(p, dossier, nom, nom);
    std::cout.setstate(std::ios::failbit);
    const bool lu = !vga.isEmpty() && session.lire_instance(dossier + '/' + nom + ".txt")
                    && session.lire_solution(dossier + '/' + nom + "_sol.txt");
    std::cout.clear();
    if (lu)
        return vga;
    std::printf("network of %d sensors could not be made\n", n);
    return QString();
}

#endif
