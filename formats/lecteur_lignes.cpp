#include "lecteur_lignes.h"

#include "raison_lecture.h"

#include <QFile>
#include <QFileInfo>
#include <QString>

#include <cstring>
#include <iostream>

namespace
{
constexpr qsizetype taille_tampon = 64 * 1024;
}

lecteur_lignes::lecteur_lignes(QIODevice &source)
    : _source(source), _tampon(taille_tampon)
{
}

bool lecteur_lignes::ouvrir(QFile &fichier, const QString &path, QString &raison, QIODevice::OpenMode mode)
{
    // A pipe would block the open and a device never end: only regular
    // files are read (a directory fails to open on its own).
    const QFileInfo info(path);
    const bool special = info.exists() && !info.isFile() && !info.isDir();
    // Binary for the readers: suivante() drops the CR of a CR LF itself. Qt's
    // text mode would also drop the other CRs of whatever it happens to read
    // byte by byte.
    if (!special && fichier.open(mode))
        return true;
    const QString texte = special ? QStringLiteral("Not a regular file") : fichier.errorString();
    // The "Cannot read file" line says why already: the reason is only kept.
    raison = raison_lecture::formater(path, raison_lecture::sans_ligne, texte);
    const QByteArray chemin = path.toLocal8Bit();
    const QByteArray erreur = texte.toLocal8Bit();
    std::cerr << "Error: Cannot read file ";
    std::cerr.write(chemin.constData(), chemin.size());
    std::cerr << ": ";
    std::cerr.write(erreur.constData(), erreur.size());
    std::cerr << std::endl;
    return false;
}

bool lecteur_lignes::suivante(ligne &l)
{
    for (;;) {
        const qsizetype disponible = _fin - _debut;
        const qsizetype fenetre = qMin(disponible, longueur_max);
        char *const base = _tampon.data() + _debut;
        const char *saut = static_cast<const char *>(std::memchr(base, '\n', size_t(fenetre)));

        qsizetype longueur = 0;
        if (saut)
            longueur = saut - base + 1;
        else if (disponible >= longueur_max || (_epuise && disponible > 0))
            longueur = fenetre;
        else if (_epuise)
            return false;
        else {
            if (!remplir())
                _epuise = true;
            continue;
        }

        const qsizetype zero = _zero - _debut;
        _debut += longueur;
        if (_zero < _debut)
            chercher_zero();

        if (saut && longueur > 1 && base[longueur - 2] == '\r') {
            base[longueur - 2] = '\n';
            --longueur;
        }
        l.debut = base;
        l.longueur = longueur;
        l.fin = base + qMin(longueur, zero);
        l.numero = _numero;
        if (saut)
            ++_numero;
        return true;
    }
}

bool lecteur_lignes::remplir()
{
    // Keep the unread tail at the front so a line is always contiguous.
    if (_debut > 0) {
        std::memmove(_tampon.data(), _tampon.data() + _debut, size_t(_fin - _debut));
        _fin -= _debut;
        _zero -= _debut;
        _debut = 0;
    }
    const qsizetype lus = _source.read(_tampon.data() + _fin, qsizetype(_tampon.size()) - _fin);
    if (lus <= 0)
        return false;
    const qsizetype ancien_fin = _fin;
    _fin += lus;
    if (_zero >= ancien_fin)
        chercher_zero();
    return true;
}

void lecteur_lignes::chercher_zero()
{
    const char *base = _tampon.data() + _debut;
    const void *trouve = std::memchr(base, '\0', size_t(_fin - _debut));
    _zero = trouve ? static_cast<const char *>(trouve) - _tampon.data() : _fin;
}
