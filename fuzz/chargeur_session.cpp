// The session loader on any bytes, down to the drawing: the input is the
// session file, then the instance file, then the solution file, each part
// ending at a line "====". The seeds name the two files i.txt and s.txt;
// whatever a mutated session names instead is looked for beside it.
#include "commun.h"

#include "chargeur_session.h"
#include "constructeur_scene.h"
#include "graphic_view.h"
#include "liste_graphe.h"
#include "registre_sessions.h"
#include "session_graphe.h"
#include "sujet_session.h"

#include <QApplication>

#include <cstring>

namespace
{

// The part up to the next separator, or the rest; moves past it.
QByteArray partie(const char *&debut, const char *fin)
{
    static const char separateur[] = "\n====\n";
    const std::size_t n = sizeof separateur - 1;
    const void *trouve = memmem(debut, std::size_t(fin - debut), separateur, n);
    const char *bout = trouve ? static_cast<const char *>(trouve) : fin;
    const QByteArray texte(debut, qsizetype(bout - debut));
    debut = trouve ? bout + n : fin;
    return texte;
}


} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The tree and the drawing are widgets; no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nom[] = "chargeur_session";
    static char *argv[] = {nom, nullptr};
    static QApplication application(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const char *debut = reinterpret_cast<const char *>(data);
    const char *const fin = debut + size;
    const QString session = fuzz::ecrire("session.vga", partie(debut, fin));
    fuzz::ecrire("i.txt", partie(debut, fin));
    fuzz::ecrire("s.txt", partie(debut, fin));

    fuzz::capture console;
    liste_graphe arbre;
    registre_sessions registre;
    charger_session(registre, &arbre, session);
    graphic_view vue;
    for (const auto &s : registre.sessions()) {
        for (int type_graphe : {1, 2}) {
            construire_scene(&vue, sujet_de(s.get(), type_graphe));
            vue.vider();
        }
    }
    return 0;
}
