#!/usr/bin/env python3
"""Writes reseau_networkx.graphml as a researcher would with networkx: a
random geometric network of 40 sensors on the unit square (positions are
not whole numbers, so the viewer scales them), the sensor nearest the
middle as sink, a solution made of the sink's breadth-first tree (its inner
sensors MA, its leaves SL, the leaves that hear a single MA sensor BR).

    python3 reseau_networkx.py    (Debian: python3-networkx)
"""
import networkx as nx

G = nx.random_geometric_graph(40, 0.3, seed=7)
for n in G.nodes:
    x, y = G.nodes[n].pop("pos")
    G.nodes[n]["x"] = float(x)
    G.nodes[n]["y"] = float(y)

puits = min(G.nodes, key=lambda n: (G.nodes[n]["x"] - 0.5) ** 2 + (G.nodes[n]["y"] - 0.5) ** 2)
arbre = nx.bfs_tree(G, puits)
interieurs = {n for n in arbre if arbre.out_degree(n) > 0} | {puits}
for n in G.nodes:
    ma = n in interieurs
    G.nodes[n]["sink"] = n == puits
    G.nodes[n]["ma"] = ma
    G.nodes[n]["sl"] = not ma
    G.nodes[n]["br"] = not ma and sum(1 for v in G[n] if v in interieurs) == 1

nx.write_graphml(G, "reseau_networkx.graphml")
