#include "traduction_ligne_commande.h"

#include <cstring>

namespace {

struct traduction {
    const char *source;
    const char *francais;
};

const traduction traductions[] = {
    {"Displays help on commandline options.", "Affiche cette aide."},
    {"Displays help including Qt specific options.", "Affiche cette aide et les options propres à Qt."},
    {"Displays version information.", "Affiche la version."},
    {"Unknown option '%1'.", "option inconnue « %1 »"},
    {"Unknown options: %1.", "options inconnues : %1"},
    {"Missing value after '%1'.", "valeur manquante après « %1 »"},
    {"Unexpected value after '%1'.", "valeur inattendue après « %1 »"},
    {"[options]", "[options]"},
    {"Usage: %1", "Utilisation : %1"},
    {"Options:", "Options :"},
    {"Arguments:", "Arguments :"},
};

} // namespace

QString traduction_ligne_commande::translate(const char *contexte, const char *source, const char *,
                                             int) const
{
    if (!contexte || !source || std::strcmp(contexte, "QCommandLineParser") != 0)
        return QString();
    for (const traduction &t : traductions)
        if (std::strcmp(t.source, source) == 0)
            return QString::fromUtf8(t.francais);
    return QString();
}
