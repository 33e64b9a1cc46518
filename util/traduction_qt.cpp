#include "traduction_qt.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include <cstring>

bool traduction_qt::installer(QCoreApplication &application)
{
    auto *traduction = new traduction_qt(&application);
    if (!traduction->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traduction;
        return false;
    }
    return QCoreApplication::installTranslator(traduction);
}

QString traduction_qt::translate(const char *contexte, const char *source, const char *precision, int n) const
{
    if (contexte && std::strcmp(contexte, "QIODevice") == 0)
        return QString();
    return QTranslator::translate(contexte, source, precision, n);
}
