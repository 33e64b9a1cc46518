#include "export_figure.h"
#include "options_export.h"
#include "traduction_ligne_commande.h"

#include <QGuiApplication>
#include <QCommandLineParser>
#include <QStringList>

#include <cstdlib>
#include <iostream>

namespace {

const QString voir_aide = QStringLiteral(" (voir --help)");

// Headless by default: with no display to reach and no platform chosen,
// Qt's offscreen platform draws just the same.
void choisir_plateforme()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Qt's own warnings (a missing runtime folder, say) are not the command's
// failures: they show only with --verbose, which is known once the line
// is parsed.
bool messages_de_qt = false;

void trier_messages_de_qt(QtMsgType type, const QMessageLogContext &contexte, const QString &message)
{
    if (messages_de_qt || type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << qFormatLogMessage(type, contexte, message).toLocal8Bit().constData() << std::endl;
}

} // namespace

int main(int argc, char *argv[])
{
    choisir_plateforme();
    qInstallMessageHandler(trier_messages_de_qt);
    // Qt takes --style for itself, and it is the command's: the line is
    // parsed as given.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QGuiApplication application(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("visual_graphe-export"));
    QGuiApplication::setApplicationVersion(QStringLiteral(VG_VERSION));
    traduction_ligne_commande traduction;
    QGuiApplication::installTranslator(&traduction);

    QCommandLineParser analyseur;
    declarer_options(analyseur);
    if (!analyseur.parse(arguments)) {
        signaler(analyseur.errorText() + voir_aide);
        return statut_usage;
    }
    // Qt prints the help or the version and leaves with status 0.
    for (const char *option : {"help", "help-all", "version"})
        if (analyseur.isSet(QString::fromLatin1(option)))
            analyseur.process(application);

    options_export options;
    QString raison;
    if (!lire_options(analyseur, options, raison)) {
        signaler(raison + voir_aide);
        return statut_usage;
    }
    messages_de_qt = options.traces;
    const statut_export statut = exporter_figure(options);
    std::cout.flush();
    std::cerr.flush();
    std::_Exit(statut);
}
