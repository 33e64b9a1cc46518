#!/usr/bin/env python3
"""Draws the application's icon: PNG files in the hicolor sizes and one SVG,
from the same shapes, into bureau/icones/."""
import os
import struct
import zlib

TAILLES = (16, 22, 24, 32, 48, 64, 128, 256)

BLEU = (0, 51, 102)
BLANC = (255, 255, 255)
GRIS = (120, 120, 120)
FONCE = (40, 40, 40)
PUITS = (0, 100, 0)
MA = (144, 238, 144)
BR = (250, 128, 114)

# A small network on a framed sheet: the sink in dark green, MA sensors in
# light green, a BR sensor in salmon, as the solution drawing colours them.
# Coordinates are in a 256-unit square.
SOMMETS = {
    "a": ((70, 80), MA),
    "b": ((184, 70), BR),
    "c": ((128, 140), PUITS),
    "d": ((68, 190), MA),
    "e": ((190, 188), BLANC),
}
ARCS = (("a", "c"), ("b", "c"), ("c", "d"), ("c", "e"), ("a", "b"), ("d", "e"))
RAYON, CONTOUR, EPAISSEUR_ARC = 24, 7, 10


def formes():
    """The shapes back to front: (kind, parameters, colour)."""
    yield ("rectangle", (14, 14, 242, 242, 34), BLEU)
    yield ("rectangle", (26, 26, 230, 230, 24), BLANC)
    for u, v in ARCS:
        yield ("trait", (*SOMMETS[u][0], *SOMMETS[v][0], EPAISSEUR_ARC / 2), GRIS)
    for (x, y), couleur in SOMMETS.values():
        yield ("disque", (x, y, RAYON + CONTOUR), FONCE)
        yield ("disque", (x, y, RAYON), couleur)


def dedans(genre, p, x, y):
    if genre == "disque":
        cx, cy, r = p
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    if genre == "trait":
        x0, y0, x1, y1, demi = p
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        return (x - x0 - t * dx) ** 2 + (y - y0 - t * dy) ** 2 <= demi * demi
    x0, y0, x1, y1, r = p
    qx = min(max(x, x0 + r), x1 - r)
    qy = min(max(y, y0 + r), y1 - r)
    return (x - qx) ** 2 + (y - qy) ** 2 <= r * r


def boite(genre, p):
    if genre == "disque":
        cx, cy, r = p
        return cx - r, cy - r, cx + r, cy + r
    if genre == "trait":
        x0, y0, x1, y1, demi = p
        return min(x0, x1) - demi, min(y0, y1) - demi, max(x0, x1) + demi, max(y0, y1) + demi
    return p[:4]


def image(taille):
    """RGBA rows; each pixel averages 4x4 samples, transparent outside the sheet."""
    n = 4
    echelle = 256 / taille
    liste = [(g, p, c, boite(g, p)) for g, p, c in formes()]
    lignes = []
    for py in range(taille):
        ligne = bytearray()
        for px in range(taille):
            somme = [0, 0, 0, 0]
            for sy in range(n):
                y = (py + (sy + 0.5) / n) * echelle
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) * echelle
                    for genre, p, couleur, (bx0, by0, bx1, by1) in reversed(liste):
                        if bx0 <= x <= bx1 and by0 <= y <= by1 and dedans(genre, p, x, y):
                            for i in range(3):
                                somme[i] += couleur[i]
                            somme[3] += 255
                            break
            couvert = somme[3] // 255
            if couvert:
                ligne += bytes(round(somme[i] / couvert) for i in range(3))
            else:
                ligne += b"\x00\x00\x00"
            ligne.append(round(somme[3] / (n * n)))
        lignes.append(bytes(ligne))
    return lignes


def png(chemin, taille, lignes):
    def bloc(genre, donnees):
        corps = genre + donnees
        return struct.pack(">I", len(donnees)) + corps + struct.pack(">I", zlib.crc32(corps) & 0xFFFFFFFF)

    brut = b"".join(b"\x00" + ligne for ligne in lignes)
    entete = struct.pack(">IIBBBBB", taille, taille, 8, 6, 0, 0, 0)  # 8-bit RGBA
    with open(chemin, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + bloc(b"IHDR", entete)
                + bloc(b"IDAT", zlib.compress(brut, 9)) + bloc(b"IEND", b""))


def svg(chemin):
    def rgb(c):
        return "#%02x%02x%02x" % c

    corps = []
    for genre, p, c in formes():
        if genre == "rectangle":
            x0, y0, x1, y1, r = p
            corps.append('<rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="%s"/>'
                         % (x0, y0, x1 - x0, y1 - y0, r, rgb(c)))
        elif genre == "trait":
            x0, y0, x1, y1, demi = p
            corps.append('<line x1="%g" y1="%g" x2="%g" y2="%g" stroke="%s" stroke-width="%g" '
                         'stroke-linecap="round"/>' % (x0, y0, x1, y1, rgb(c), 2 * demi))
        else:
            cx, cy, r = p
            corps.append('<circle cx="%g" cy="%g" r="%g" fill="%s"/>' % (cx, cy, r, rgb(c)))
    with open(chemin, "w") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">\n'
                + "".join("  %s\n" % e for e in corps) + "</svg>\n")


if __name__ == "__main__":
    dossier = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "bureau", "icones")
    for taille in TAILLES:
        sous = os.path.join(dossier, "%dx%d" % (taille, taille))
        os.makedirs(sous, exist_ok=True)
        png(os.path.join(sous, "visual_graphe.png"), taille, image(taille))
    svg(os.path.join(dossier, "visual_graphe.svg"))
