// The reader of sensors' values on any bytes: a file that reads gives one
// finite value or none per sensor of the instance; one that does not says
// why on the file's own line.
#include "commun.h"

#include "lecture_valeurs.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString chemin =
        fuzz::ecrire("valeurs.csv", QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    for (const char *colonne : {"", "v"}) {
        const fichier_lu<valeurs_capteurs> f = lire_fichier_valeurs({chemin, QString::fromLatin1(colonne)}, 300);
        fuzz::exiger(f.lu == (f.contenu != nullptr), "a record without a whole read, or none after one");
        fuzz::exiger(f.lu || f.raison.startsWith(QStringLiteral("valeurs.csv")), "a refusal that names no file");
        if (!f.lu)
            continue;
        fuzz::exiger(f.contenu->valeur.size() == 300, "not a value place per sensor");
        for (const std::optional<double> &v : f.contenu->valeur)
            fuzz::exiger(!v || std::isfinite(*v), "a value that is not finite");
    }
    return 0;
}
