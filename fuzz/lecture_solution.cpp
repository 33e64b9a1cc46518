// The solution reader on any bytes: read once as the file, once pushed
// across the line buffer's seam; both reads must give the same lists, name
// and console lines.
#include "commun.h"

#include "graphe_solution.h"
#include "session_graphe.h"

namespace
{

void ecrire_liste(std::ostringstream &d, const char *nom, const graphe_solution::liste_capteurs &liste)
{
    d << nom << ':';
    for (std::uint16_t v : liste)
        d << ' ' << v;
    d << '\n';
}

std::string lire(const QString &chemin)
{
    session_graphe session;
    fuzz::capture console;
    const bool reussite = session.lire_solution(chemin);

    std::ostringstream d;
    d << reussite << '\n' << console.texte();
    graphe_solution *s = session.solution().get();
    fuzz::exiger(s != nullptr, "no solution record after a successful open");
    ecrire_liste(d, "MA", s->liste_ma());
    ecrire_liste(d, "SL", s->liste_sl());
    ecrire_liste(d, "BR", s->liste_br());
    d << "INST " << s->nom_instance().toStdString();
    return d.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray contenu(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::string simple = lire(fuzz::ecrire("solution.txt", contenu));
    const std::string decalee = lire(fuzz::ecrire("solution_decalee.txt", fuzz::decale(contenu)));
    fuzz::exiger(simple == decalee, "the two reads differ", simple, decalee);
    return 0;
}
