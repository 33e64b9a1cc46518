#!/usr/bin/env python3
"""networkx's side of the tests of other tools' networks (Debian:
python3-networkx); exits 3 when networkx is missing, so the test skips.

    reseaux_networkx.py ecrire DOSSIER
        writes reseau_nx.gexf (nx.write_gexf, places in viz:position) and
        reseau_nx.cyjs (json.dump(nx.cytoscape_data(G)), places in data.x
        and data.y) of a random geometric network of 30 sensors, with a
        sink and MA, SL and BR roles
    reseaux_networkx.py relire FICHIER
        reads FICHIER with nx.read_gexf or nx.cytoscape_graph and prints its
        sensors, its links as pairs of sensor numbers, its sink and roles,
        then on a second line the fill of each role that viz:color gives
"""
import json
import sys

try:
    import networkx as nx
except ImportError:
    sys.exit(3)


def reseau():
    G = nx.random_geometric_graph(30, 0.3, seed=3)
    arbre = nx.bfs_tree(G, 0)
    interieurs = {n for n in arbre if arbre.out_degree(n) > 0} | {0}
    for n in G.nodes:
        d = G.nodes[n]
        d["sensor"] = n
        d["sink"] = n == 0
        d["ma"] = n in interieurs
        d["sl"] = n not in interieurs
        d["br"] = n not in interieurs and sum(1 for v in G[n] if v in interieurs) == 1
    return G


def ecrire(dossier):
    G = reseau()
    H = G.copy()
    for n in G.nodes:
        x, y = G.nodes[n].pop("pos")
        H.nodes[n].pop("pos")
        G.nodes[n]["viz"] = {"position": {"x": 100 * x, "y": 100 * y, "z": 0.0}}
        H.nodes[n].update(x=float(x), y=float(y))
    nx.write_gexf(G, dossier + "/reseau_nx.gexf")
    with open(dossier + "/reseau_nx.cyjs", "w") as f:
        json.dump(nx.cytoscape_data(H), f)


def vrai(v):
    return v is True or str(v).lower() in ("true", "1")


def relire(chemin):
    if chemin.endswith(".gexf"):
        G = nx.read_gexf(chemin)
    else:
        with open(chemin) as f:
            G = nx.cytoscape_graph(json.load(f))
    numero = {n: int(d["sensor"]) for n, d in G.nodes(data=True)}
    liens = sorted(tuple(sorted((numero[a], numero[b]))) for a, b in G.edges())
    roles = {r: sorted(numero[n] for n, d in G.nodes(data=True) if vrai(d.get(r))) for r in ("sink", "ma", "sl", "br")}
    print(len(G), liens, roles)
    fonds = {}
    for n, d in G.nodes(data=True):
        c = d.get("viz", {}).get("color")
        if c:
            role = "puits" if vrai(d.get("sink")) else "MA" if vrai(d.get("ma")) else "BR" if vrai(d.get("br")) else "autres"
            fonds[role] = "%d,%d,%d" % (c["r"], c["g"], c["b"])
    print(sorted(fonds.items()))


if __name__ == "__main__":
    ecrire(sys.argv[2]) if sys.argv[1] == "ecrire" else relire(sys.argv[2])
