// Writes a random sensor deployment as a session with its instance and
// solution, after checking both files; or checks an existing session or pair.

#include "generateur_reseau.h"
#include "verification_reseau.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <iostream>

namespace {

void usage()
{
    std::cout << "usage : generer_reseau <nb_capteurs> <dossier> <nom> [degre_moyen] [graine]"
                 " [nom_session] [etendue]"
              << std::endl
              << "        generer_reseau --verifier <session.vga>" << std::endl
              << "        generer_reseau --verifier <instance> <solution>" << std::endl;
}

bool lire_fichier(const QString &chemin, QByteArray *contenu)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) {
        std::cout << "impossible de lire " << chemin.toLocal8Bit().constData() << " : "
                  << fichier.errorString().toLocal8Bit().constData() << std::endl;
        return false;
    }
    *contenu = fichier.readAll();
    return true;
}

int verifier(const QStringList &chemins)
{
    QString faute;
    if (chemins.size() == 1) {
        faute = verifier_session(chemins[0]);
    } else {
        QByteArray instance;
        QByteArray solution;
        if (!lire_fichier(chemins[0], &instance) || !lire_fichier(chemins[1], &solution))
            return 1;
        faute = verifier_reseau(instance, solution);
    }
    if (!faute.isEmpty()) {
        std::cout << "non conforme : " << faute.toLocal8Bit().constData() << std::endl;
        return 1;
    }
    std::cout << "conforme" << std::endl;
    return 0;
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if ((arguments.size() == 3 || arguments.size() == 4) && arguments[1] == QLatin1String("--verifier"))
        return verifier(arguments.mid(2));
    if (arguments.size() < 4 || arguments.size() > 8) {
        usage();
        return 1;
    }

    // Ranges are checked by verifier_parametres, which says what is allowed.
    parametres_reseau p;
    bool ok = false;
    p.nb_capteurs = arguments[1].toInt(&ok);
    if (ok && arguments.size() > 4)
        p.degre_moyen = arguments[4].toDouble(&ok);
    if (ok && arguments.size() > 5)
        p.graine = arguments[5].toUInt(&ok);
    if (ok && arguments.size() > 7)
        p.etendue = arguments[7].toInt(&ok);
    const QString refus = ok ? verifier_parametres(p) : QStringLiteral("argument numerique illisible");
    if (!refus.isEmpty()) {
        std::cout << "Erreur : " << refus.toLocal8Bit().constData() << std::endl;
        usage();
        return 1;
    }
    const QString nom = arguments[3];
    const QString nom_session = arguments.size() > 6
                                    ? arguments[6]
                                    : QStringLiteral("Déploiement de %1 capteurs").arg(p.nb_capteurs);

    QElapsedTimer chrono;
    chrono.start();
    bilan_reseau b;
    const reseau_genere r = generer_reseau(p, nom + QStringLiteral(".txt"), &b);
    const double ms_generation = chrono.nsecsElapsed() / 1e6;
    chrono.restart();
    const QString faute = verifier_reseau(r.instance, r.solution);
    const double ms_verification = chrono.nsecsElapsed() / 1e6;
    if (!faute.isEmpty()) {
        std::cout << "Erreur : reseau non conforme : " << faute.toLocal8Bit().constData() << std::endl;
        return 2;
    }
    const QString chemin = ecrire_reseau(r, arguments[2], nom, nom_session);
    if (chemin.isEmpty()) {
        std::cout << "Erreur : impossible d'ecrire la session dans "
                  << arguments[2].toLocal8Bit().constData() << std::endl;
        return 1;
    }

    std::cout << "capteurs " << b.nb_capteurs << ", portee " << b.portee << ", aretes " << b.nb_aretes
              << ", degre moyen " << b.degre_moyen << " (max " << b.degre_max << ")" << std::endl
              << "composantes " << b.nb_composantes << ", puits " << b.puits << " dans une composante de "
              << b.taille_composante_puits << " capteurs, profondeur " << b.profondeur << std::endl
              << "MA " << b.nb_ma << ", SL " << b.nb_sl << ", BR " << b.nb_br << std::endl
              << "instance " << r.instance.size() << " octets, solution " << r.solution.size()
              << " octets" << std::endl
              << "generation " << ms_generation << " ms, verification " << ms_verification << " ms"
              << std::endl
              << chemin.toLocal8Bit().constData() << std::endl;
    return 0;
}
