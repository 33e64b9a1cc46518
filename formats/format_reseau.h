#ifndef FORMAT_RESEAU_H
#define FORMAT_RESEAU_H

#include <QString>

// The files of other tools that hold a network, and its solution, whole:
// GraphML (networkx, yEd), GEXF (Gephi) and Cytoscape.js JSON (Cytoscape).
enum class format_reseau { aucun, graphml, gexf, cyjs };

// By the name's suffix, in any letter case: .graphml, .gexf, .cyjs.
format_reseau format_reseau_du_nom(const QString &nom);

// By the suffix, else, for any name but a .vga (always a session file), by
// the content: an XML root element graphml or gexf, or a JSON object with
// elements.nodes.
format_reseau format_reseau_du_fichier(const QString &chemin);

// "GraphML", "GEXF", "Cytoscape.js", as messages name the format.
QString nom_format(format_reseau format);

#endif
