#ifndef NETWORKX_H
#define NETWORKX_H

#include <QProcess>
#include <QStringList>

#include <optional>

// Runs reseaux_networkx.py (beside this file) with python3: its lines of
// standard output, or nothing when python3 or networkx is missing, for the
// test to skip.
inline std::optional<QStringList> networkx(const QStringList &arguments)
{
    QProcess python;
    python.start(QStringLiteral("python3"), QStringList{QStringLiteral(VG_RESEAUX_NETWORKX)} + arguments);
    const int absent = 3;
    if (!python.waitForFinished(120000) || python.exitStatus() != QProcess::NormalExit || python.exitCode() == absent)
        return std::nullopt;
    if (python.exitCode() != 0)
        return QStringList{QString::fromLocal8Bit(python.readAllStandardError())};
    return QString::fromLocal8Bit(python.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

#endif
