// The instance reader on any bytes: read once as the file, once pushed
// across the line buffer's seam; both reads must give the same record and
// the same console lines.
#include "commun.h"

#include "coord_sommet.h"
#include "graphe_instance.h"
#include "session_graphe.h"

namespace
{

std::string lire(const QString &chemin)
{
    session_graphe session;
    fuzz::capture console;
    const bool reussite = session.lire_instance(chemin);

    std::ostringstream d;
    d << reussite << '\n' << console.texte();
    graphe_instance *g = session.instance().get();
    fuzz::exiger(g != nullptr, "no instance record after a successful open");
    fuzz::exiger(g->positions().size() == g->voisins().size(), "positions and neighbour lists differ in number");
    fuzz::exiger(!reussite || g->positions().size() == g->nb_sensors(), "success with a sensor count that differs");
    d << g->nb_sensors() << " sink " << g->sink() << '\n';
    for (std::size_t i = 0; i < g->positions().size(); ++i) {
        d << g->positions()[i]->x() << ',' << g->positions()[i]->y() << ':';
        for (std::uint16_t v : *g->voisins()[i])
            d << ' ' << v;
        d << '\n';
    }
    return d.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray contenu(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::string simple = lire(fuzz::ecrire("instance.txt", contenu));
    const std::string decalee = lire(fuzz::ecrire("instance_decalee.txt", fuzz::decale(contenu)));
    fuzz::exiger(simple == decalee, "the two reads differ", simple, decalee);
    return 0;
}
