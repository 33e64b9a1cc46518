#include "ecriture_reseau.h"

#include "couleurs_dessin.h"
#include "ecriture_cyjs.h"
#include "ecriture_entiere.h"
#include "ecriture_gexf.h"
#include "ecriture_graphml.h"
#include "format_reseau.h"

#include <QFileInfo>
#include <QString>

bool ecrire_fichier_reseau(const QString &nom_fichier, const graphe_instance &instance,
                           const graphe_solution *solution, QString *raison)
{
    const format_reseau format = format_reseau_du_nom(nom_fichier);
    return ecriture_entiere::ecrire(
        {{nom_fichier, [&](QIODevice &sortie, QString &) {
              switch (format) {
              case format_reseau::gexf: {
                  using namespace couleurs_dessin;
                  return ecrire_gexf(sortie, instance, solution,
                                     {vert_puits.rgb(), vert_ma.rgb(), saumon_br.rgb(), blanc_casse.rgb()});
              }
              case format_reseau::cyjs:
                  return ecrire_cyjs(sortie, instance, solution, QFileInfo(nom_fichier).completeBaseName());
              default:
                  return ecrire_graphml(sortie, instance, solution);
              }
          }}},
        raison);
}
