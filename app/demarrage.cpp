#include "demarrage.h"
#include "mainwindow.h"
#include "traduction_ligne_commande.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>

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
        QString::fromUtf8("Fichiers de session, ou réseaux GraphML, GEXF ou Cytoscape.js, à ouvrir, dans "
                          "l'ordre donné."),
        QStringLiteral("[SESSION.vga|RESEAU.graphml|.gexf|.cyjs ...]"));

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
