#include "raison_lecture.h"

#include <QFileInfo>

#include <iostream>

namespace raison_lecture
{

QString formater(const QString &chemin, qint64 ligne, const QString &cause)
{
    // A folder's path ends with its separator and has no file name.
    QString nom = QFileInfo(chemin).fileName();
    if (nom.isEmpty())
        nom = chemin;
    // One pass of arg(): a '%' in a name or a cause is not a placeholder.
    if (ligne == sans_ligne)
        return QStringLiteral("%1 : %2").arg(nom, cause);
    return QStringLiteral("%1:%2 : %3").arg(nom, QString::number(ligne), cause);
}

QString compte(qint64 n, const char *singulier, const char *pluriel)
{
    return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(n > 1 || n < -1 ? pluriel : singulier);
}

QString signaler(const QString &chemin, qint64 ligne, const QString &cause)
{
    const QString raison = formater(chemin, ligne, cause);
    const QByteArray octets = raison.toLocal8Bit();
    std::cerr.write(octets.constData(), octets.size());
    std::cerr << std::endl;
    return raison;
}

QString signaler_compte(const QString &chemin, qint64 lues, qint64 annoncees, const char *singulier,
                        const char *pluriel)
{
    return signaler(chemin, sans_ligne,
                    QStringLiteral("%1 pour %2").arg(compte(lues, singulier, pluriel),
                                                     compte(annoncees, "annoncée", "annoncées")));
}

} // namespace raison_lecture
