#ifndef GRAPHE_LU_H
#define GRAPHE_LU_H

#include "graphe_instance.h"
#include "graphe_solution.h"
#include "lecture_fichier.h"

#include <QHash>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

// A network as the GraphML, GEXF and Cytoscape.js readers gather it, in
// document order, and the one way from there to the records.

// What a node's attribute stands for, by its name.
enum class attribut { aucun, sensor, x, y, pos_x, pos_y, sink, ma, sl, br, role };
attribut attribut_de_noeud(QStringView nom);

// "true", "1", "false", "0" in any letter case; nothing else.
std::optional<bool> booleen(QStringView texte);

// A finite number, blanks around it allowed.
std::optional<double> nombre_fini(QStringView texte);

// What the values of one node say.
struct valeurs_noeud
{
    std::optional<double> x, y, pos_x, pos_y, capteur;
    bool puits = false;
    std::uint8_t roles = 0;
    // Any of ma, sl, br or role given, even false or empty.
    bool a_role = false;
};

// A value's text into the node's values; the cause when it is not one.
std::optional<QString> appliquer(attribut quoi, QStringView texte, valeurs_noeud &v);

struct noeud_lu
{
    double x = 0, y = 0;
    valeurs_noeud v;
    qint64 ligne = 0;
    // A place of yEd's or Cytoscape's, whose y axis points down.
    bool y_vers_le_bas = false;
    // A label that is a whole number, which may number the sensors.
    std::optional<double> etiquette;
};

struct arete_lue
{
    std::uint32_t source, cible;
    // Directed or one_way: only the source lists the target.
    bool une_entree;
};

// Why a file did not read, and where.
struct refus_lecture
{
    qint64 ligne;
    QString cause;
};

class graphe_lu
{
public:
    // The cause when the id is taken or the nodes are too many; the node
    // itself follows in noeuds.
    std::optional<QString> ajouter_id(QString id);
    std::optional<std::uint32_t> trouver(QStringView id) const;
    // An edge may come before its nodes: it is then resolved by terminer().
    // Gives the edge's une_entree, which its data may change until the
    // next edge is added.
    bool &ajouter_arete(QStringView source, QStringView cible, bool une_entree, qint64 ligne);
    // Resolves the edges met early and turns places whose y points down.
    std::optional<refus_lecture> terminer();

    std::vector<QString> ids;
    std::vector<noeud_lu> noeuds;
    std::vector<arete_lue> aretes;

private:
    struct arete_differee
    {
        QString source, cible;
        bool une_entree;
        qint64 ligne;
    };
    struct hachage_vue
    {
        std::size_t operator()(QStringView v) const noexcept { return qHash(v); }
    };
    void redresser();

    // Views of the strings in ids, which never move their characters.
    std::unordered_map<QStringView, std::uint32_t, hachage_vue> _index;
    std::vector<arete_differee> _differees;
};

// Whole coordinates that the instance format cannot hold, with the line.
std::optional<refus_lecture> refus_de_format(const graphe_lu &l);

// The records of a graph read whole, both naming the file, with the console
// lines (the sensor count, the scale, the sink); or, when the reading or the
// coordinates are refused, the reason, signalled.
fichier_lu<reseau_fichier> fichier_reseau(const graphe_lu &l, std::optional<refus_lecture> refus, const QString &chemin);

#endif
