#include "demarrage.h"
#include "mainwindow.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>
#include <QTranslator>

namespace {

// The parser's own words, in French like the rest of the interface. It is
// installed only while the command line is read, before any window exists.
class traduction_ligne_commande : public QTranslator
{
public:
    QString translate(const char *contexte, const char *texte, const char * = nullptr,
                      int = -1) const override
    {
        if (qstrcmp(contexte, "QCommandLineParser") != 0)
            return QString();
        static const struct {
            const char *source;
            const char *francais;
        } textes[] = {
            {"Usage: %1", "Utilisation : %1"},
            {"Options:", "Options :"},
            {"Arguments:", "Arguments :"},
            {"[options]", "[options]"},
            {"Unknown option '%1'.", "Option inconnue : '%1'."},
            {"Unknown options: %1.", "Options inconnues : %1."},
            {"Displays help on commandline options.", "Affiche cette aide."},
            {"Displays help including Qt specific options.", "Affiche l'aide, options de Qt comprises."},
            {"Displays version information.", "Affiche la version."},
        };
        for (const auto &t : textes) {
            if (qstrcmp(texte, t.source) == 0)
                return QString::fromUtf8(t.francais);
        }
        return QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

QStringList sessions_en_argument(const QStringList &arguments)
{
    // Before the options exist: their help texts are translated on creation.
    traduction_ligne_commande francais;
    QCoreApplication::installTranslator(&francais);
    QCommandLineParser parseur;
    parseur.setApplicationDescription(
        QString::fromUtf8("Visualiseur de graphes de réseaux de capteurs."));
    parseur.addHelpOption();
    parseur.addVersionOption();
    parseur.addPositionalArgument(
        QStringLiteral("SESSION.vga"),
        QString::fromUtf8("Fichiers de session à ouvrir, dans l'ordre donné."),
        QStringLiteral("[SESSION.vga ...]"));

    parseur.process(arguments);
    QCoreApplication::removeTranslator(&francais);
    return parseur.positionalArguments();
}

void ouvrir_au_demarrage(MainWindow &fenetre, const QStringList &chemins)
{
    if (chemins.isEmpty())
        return;
    // The window is the timer's context: no call once it is gone.
    QTimer::singleShot(0, &fenetre, [&fenetre, chemins] {
        for (const QString &chemin : chemins)
            fenetre.ouvrir_session(chemin);
    });
}
