#ifndef LECTEUR_LIGNES_H
#define LECTEUR_LIGNES_H

#include <QIODevice>

#include <vector>

class QFile;
class QString;

// Cuts a device's bytes into the lines that QIODevice::readLine(buffer, 4095)
// yields in text mode: at most 4094 bytes a read, line break kept, and the CR
// of a CR LF that ends a read dropped. One buffer serves the whole file; a
// line stays valid until the next call.
class lecteur_lignes
{
public:
    static constexpr qsizetype longueur_max = 4094;

    struct ligne
    {
        const char *debut = nullptr;
        // End of the text: the first zero byte, or the end of what was read.
        const char *fin = nullptr;
        // Bytes the read returned, zero bytes included.
        qsizetype longueur = 0;
        // Physical line of the file, from 1: the line breaks before it plus
        // one. A line cut at 4094 bytes stays one line, its pieces all
        // carry its number, so a message points where an editor shows it.
        qint64 numero = 0;
    };

    explicit lecteur_lignes(QIODevice &source);

    // Opens a regular file for reading (binary unless told otherwise); on
    // failure reports it on std::cerr and puts why in raison (raison_lecture's
    // form). Every file the viewer reads is opened here.
    static bool ouvrir(QFile &fichier, const QString &path, QString &raison,
                       QIODevice::OpenMode mode = QIODevice::ReadOnly);

    // False once the device has nothing left.
    bool suivante(ligne &l);

private:
    bool remplir();
    void chercher_zero();

    QIODevice &_source;
    std::vector<char> _tampon;
    qsizetype _debut = 0;
    qsizetype _fin = 0;
    // First zero byte at or after _debut (_fin when there is none), found
    // once a fill so lines without one cost nothing.
    qsizetype _zero = 0;
    qint64 _numero = 1;
    bool _epuise = false;
};

#endif
