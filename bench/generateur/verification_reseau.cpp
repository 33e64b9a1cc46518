#include "verification_reseau.h"

#include "generateur_reseau.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// Lines of a text that ends with a line break; false when it does not.
bool decouper(const QByteArray &texte, QList<QByteArray> *lignes)
{
    if (texte.isEmpty() || !texte.endsWith('\n'))
        return false;
    *lignes = texte.left(texte.size() - 1).split('\n');
    return true;
}

// A plain decimal number: digits only, no sign, no blank.
bool lire_nombre(const QByteArray &texte, long long *valeur)
{
    if (texte.isEmpty() || texte.size() > 9)
        return false;
    long long v = 0;
    for (char c : texte) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    *valeur = v;
    return true;
}

// Numbers separated by single blanks, each below borne.
bool lire_nombres(const QByteArray &ligne, long long borne, std::vector<long long> *valeurs)
{
    valeurs->clear();
    for (const QByteArray &morceau : ligne.split(' ')) {
        long long v = 0;
        if (!lire_nombre(morceau, &v) || v >= borne)
            return false;
        valeurs->push_back(v);
    }
    return true;
}

bool sans_doublon(std::vector<long long> valeurs)
{
    std::sort(valeurs.begin(), valeurs.end());
    return std::adjacent_find(valeurs.begin(), valeurs.end()) == valeurs.end();
}

bool lire_entete(const QByteArray &ligne, const char *mot, long long *valeur)
{
    const QByteArray debut = QByteArray(mot) + "\t\t";
    return ligne.startsWith(debut) && lire_nombre(ligne.mid(debut.size()), valeur);
}

bool lire_fichier(const QString &chemin, QByteArray *contenu)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return false;
    *contenu = fichier.readAll();
    return true;
}

QString faute(const char *fichier, int ligne, const QString &texte)
{
    return QStringLiteral("%1 ligne %2 : %3").arg(QLatin1String(fichier)).arg(ligne + 1).arg(texte);
}

}  // namespace

QString verifier_reseau(const QByteArray &instance, const QByteArray &solution)
{
    QList<QByteArray> lignes;
    if (!decouper(instance, &lignes))
        return faute("instance", 0, QStringLiteral("fichier vide ou sans fin de ligne finale"));
    for (int k = 0; k < lignes.size(); ++k) {
        if (lignes[k].size() >= longueur_ligne_max)
            return faute("instance", k, QStringLiteral("ligne trop longue"));
        if (lignes[k].contains('\r'))
            return faute("instance", k, QStringLiteral("retour chariot"));
    }
    long long n = 0;
    if (!lignes[0].startsWith("NB_SENSORS ") || !lire_nombre(lignes[0].mid(11), &n) || n < 1
        || n > 65535)
        return faute("instance", 0, QStringLiteral("\"NB_SENSORS <n>\" attendu, n de 1 a 65535"));
    if (lignes.size() != n + 5)
        return faute("instance", 0, QStringLiteral("%1 lignes attendues").arg(n + 5));
    if (lignes[1] != "ID")
        return faute("instance", 1, QStringLiteral("\"ID\" attendu"));

    std::vector<std::vector<long long>> voisins(static_cast<std::size_t>(n));
    std::vector<long long> nombres;
    for (long long i = 0; i < n; ++i) {
        const int k = int(i) + 2;
        if (!lire_nombres(lignes[k], 65536, &nombres) || nombres.size() < 4)
            return faute("instance", k, QStringLiteral("\"<id> <x> <y> <nb> <voisins...>\" attendu"));
        if (nombres[0] != i)
            return faute("instance", k, QStringLiteral("numero %1 attendu").arg(i));
        if (nombres[1] > 65529 || nombres[2] > 65529)
            return faute("instance", k, QStringLiteral("coordonnee au-dela de 65529"));
        if (nombres[3] != static_cast<long long>(nombres.size()) - 4)
            return faute("instance", k, QStringLiteral("%1 voisins annonces, %2 donnes")
                                            .arg(nombres[3]).arg(nombres.size() - 4));
        auto &liste = voisins[std::size_t(i)];
        liste.assign(nombres.begin() + 4, nombres.end());
        for (long long v : liste) {
            if (v >= n || v == i)
                return faute("instance", k, QStringLiteral("voisin %1 impossible").arg(v));
        }
        std::sort(liste.begin(), liste.end());
        if (std::adjacent_find(liste.begin(), liste.end()) != liste.end())
            return faute("instance", k, QStringLiteral("voisin repete"));
    }
    for (long long i = 0; i < n; ++i) {
        for (long long v : voisins[std::size_t(i)]) {
            const auto &autre = voisins[std::size_t(v)];
            if (!std::binary_search(autre.begin(), autre.end(), i))
                return faute("instance", int(i) + 2,
                             QStringLiteral("%1 ne liste pas %2 en retour").arg(v).arg(i));
        }
    }
    long long puits = 0;
    const int k_puits = int(n) + 2;
    if (lignes[k_puits] != "SINK")
        return faute("instance", k_puits, QStringLiteral("\"SINK\" attendu"));
    if (!lire_nombre(lignes[k_puits + 1], &puits) || puits >= n)
        return faute("instance", k_puits + 1, QStringLiteral("numero du puits attendu"));
    if (lignes[k_puits + 2] != "END")
        return faute("instance", k_puits + 2, QStringLiteral("\"END\" attendu"));

    if (!decouper(solution, &lignes))
        return faute("solution", 0, QStringLiteral("fichier vide ou sans fin de ligne finale"));
    for (int k = 0; k < lignes.size(); ++k) {
        if (lignes[k].size() >= longueur_ligne_max)
            return faute("solution", k, QStringLiteral("ligne trop longue"));
        if (lignes[k].contains('\r'))
            return faute("solution", k, QStringLiteral("retour chariot"));
    }
    if (!lignes[0].startsWith("INSTANCE_NAME:") || lignes[0].size() == 14)
        return faute("solution", 0, QStringLiteral("\"INSTANCE_NAME:<fichier>\" attendu"));
    long long nb_ma = 0;
    if (lignes.size() < 2 || !lire_entete(lignes[1], "NB_MA", &nb_ma) || nb_ma < 1)
        return faute("solution", 1, QStringLiteral("\"NB_MA\\t\\t<n>\" attendu, n au moins 1"));
    int k = 2;
    std::vector<long long> liste_ma;
    for (; k < lignes.size() && liste_ma.size() < std::size_t(nb_ma); ++k) {
        long long u = 0;
        if (!lire_nombre(lignes[k].split('\t').first(), &u) || u >= n)
            return faute("solution", k, QStringLiteral("numero de capteur attendu en tete de ligne"));
        liste_ma.push_back(u);
    }
    if (liste_ma.size() != std::size_t(nb_ma))
        return faute("solution", k, QStringLiteral("%1 lignes MA attendues").arg(nb_ma));
    if (!sans_doublon(liste_ma))
        return faute("solution", 2, QStringLiteral("capteur MA repete"));

    std::vector<long long> listes[2];
    const char *const mots[2] = {"NB_SL", "NB_BR"};
    for (int l = 0; l < 2; ++l) {
        long long nb = 0;
        if (k >= lignes.size() || !lire_entete(lignes[k], mots[l], &nb) || nb > liste_max)
            return faute("solution", k, QStringLiteral("\"%1\\t\\t<n>\" attendu, n au plus %2")
                                            .arg(QLatin1String(mots[l])).arg(liste_max));
        ++k;
        if (nb > 0) {
            if (k >= lignes.size() || !lire_nombres(lignes[k], n, &listes[l])
                || listes[l].size() != std::size_t(nb) || !sans_doublon(listes[l]))
                return faute("solution", k, QStringLiteral("%1 numeros distincts de capteur attendus")
                                                .arg(nb));
            ++k;
        }
    }
    if (k != lignes.size())
        return faute("solution", k, QStringLiteral("ligne en trop"));
    if (listes[1].empty())
        return faute("solution", k - 1, QStringLiteral("liste BR vide"));

    // The backbone must reach from any of its sensors to any other through
    // backbone sensors only, and leave no sensor of the sink's component
    // without a backbone neighbour.
    std::vector<char> dans_ma(std::size_t(n), 0);
    for (long long u : liste_ma)
        dans_ma[std::size_t(u)] = 1;
    std::vector<char> vu(std::size_t(n), 0);
    std::vector<long long> file{liste_ma.front()};
    vu[std::size_t(liste_ma.front())] = 1;
    for (std::size_t f = 0; f < file.size(); ++f) {
        for (long long v : voisins[std::size_t(file[f])]) {
            if (dans_ma[std::size_t(v)] && !vu[std::size_t(v)]) {
                vu[std::size_t(v)] = 1;
                file.push_back(v);
            }
        }
    }
    if (file.size() != liste_ma.size())
        return faute("solution", 2, QStringLiteral("la liste MA n'est pas connexe"));
    std::fill(vu.begin(), vu.end(), 0);
    file.assign(1, puits);
    vu[std::size_t(puits)] = 1;
    for (std::size_t f = 0; f < file.size(); ++f) {
        const long long u = file[f];
        const auto &liste = voisins[std::size_t(u)];
        if (!dans_ma[std::size_t(u)]
            && std::none_of(liste.begin(), liste.end(),
                            [&](long long v) { return dans_ma[std::size_t(v)] != 0; }))
            return faute("solution", 2, QStringLiteral("le capteur %1 n'a aucun voisin MA").arg(u));
        for (long long v : liste) {
            if (!vu[std::size_t(v)]) {
                vu[std::size_t(v)] = 1;
                file.push_back(v);
            }
        }
    }
    for (long long u : liste_ma) {
        if (!vu[std::size_t(u)])
            return faute("solution", 2, QStringLiteral("le capteur MA %1 est hors de la composante du puits")
                                            .arg(u));
    }
    return QString();
}

QString verifier_session(const QString &chemin_vga)
{
    QByteArray xml;
    if (!lire_fichier(chemin_vga, &xml))
        return QStringLiteral("session : illisible");
    QXmlStreamReader lecteur(xml);
    QString nom;
    QString instance;
    QString solution;
    while (!lecteur.atEnd()) {
        if (lecteur.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString element = lecteur.name().toString();
        if (element == QLatin1String("visual_graphe"))
            nom = lecteur.attributes().value(QLatin1String("name")).toString();
        else if (element == QLatin1String("param")) {
            const QString chemin = lecteur.attributes().value(QLatin1String("path")).toString();
            if (lecteur.attributes().value(QLatin1String("name")) == QLatin1String("instance"))
                instance = chemin;
            else
                solution = chemin;
        } else if (element != QLatin1String("files"))
            return QStringLiteral("session : element %1 refuse").arg(element);
    }
    if (lecteur.hasError())
        return QStringLiteral("session : XML mal forme : %1").arg(lecteur.errorString());
    if (nom.isEmpty() || instance.isEmpty() || solution.isEmpty())
        return QStringLiteral("session : nom, instance ou solution manquant");
    if (QDir::isAbsolutePath(instance) || QDir::isAbsolutePath(solution))
        return QStringLiteral("session : chemins relatifs attendus");

    const QDir dossier = QFileInfo(chemin_vga).absoluteDir();
    QByteArray texte_instance;
    QByteArray texte_solution;
    if (!lire_fichier(dossier.filePath(instance), &texte_instance))
        return QStringLiteral("session : instance %1 illisible").arg(instance);
    if (!lire_fichier(dossier.filePath(solution), &texte_solution))
        return QStringLiteral("session : solution %1 illisible").arg(solution);
    const QString resultat = verifier_reseau(texte_instance, texte_solution);
    if (!resultat.isEmpty())
        return resultat;
    if (!texte_solution.startsWith("INSTANCE_NAME:" + QFileInfo(instance).fileName().toUtf8() + '\n'))
        return faute("solution", 0, QStringLiteral("la solution ne nomme pas %1").arg(instance));
    return QString();
}
