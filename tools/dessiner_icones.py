#!/usr/bin/env python3
"""Writes the five 16x16 RGB tree icons (no alpha) into tree/image/."""
import os
import struct
import zlib

BLANC = (255, 255, 255)


def png(chemin, pixels):
    def bloc(genre, donnees):
        corps = genre + donnees
        return struct.pack(">I", len(donnees)) + corps + struct.pack(">I", zlib.crc32(corps) & 0xFFFFFFFF)

    brut = b"".join(b"\x00" + bytes(c for p in ligne for c in p) for ligne in pixels)
    entete = struct.pack(">IIBBBBB", 16, 16, 8, 2, 0, 0, 0)  # 8-bit RGB
    with open(chemin, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + bloc(b"IHDR", entete)
                + bloc(b"IDAT", zlib.compress(brut, 9)) + bloc(b"IEND", b""))


def toile():
    return [[BLANC] * 16 for _ in range(16)]


def rect(img, x0, y0, x1, y1, c):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = c


def disque(img, cx, cy, r, c):
    for y in range(16):
        for x in range(16):
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                img[y][x] = c


def trait(img, x0, y0, x1, y1, c):
    n = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(n + 1):
        img[round(y0 + (y1 - y0) * i / n)][round(x0 + (x1 - x0) * i / n)] = c


def racine():
    # A dark blue stack of sheets: the list of every session.
    img = toile()
    bleu, clair = (0, 51, 102), (153, 187, 221)
    for d in (4, 2, 0):
        rect(img, 2 + d, 2 + d, 11 + d, 11 + d, bleu)
        rect(img, 3 + d, 3 + d, 10 + d, 10 + d, clair)
    return img


def session():
    # A yellow folder: one session file.
    img = toile()
    brun, jaune = (153, 102, 0), (255, 204, 51)
    rect(img, 1, 3, 6, 5, brun)
    rect(img, 1, 5, 14, 13, brun)
    rect(img, 2, 6, 13, 12, jaune)
    return img


def instance():
    # Three grey-blue vertices joined by edges: the instance graph.
    img = toile()
    gris, bleu = (120, 120, 120), (0, 51, 102)
    trait(img, 3, 12, 8, 3, gris)
    trait(img, 8, 3, 12, 12, gris)
    trait(img, 3, 12, 12, 12, gris)
    for cx, cy in ((3, 12), (8, 3), (12, 12)):
        disque(img, cx, cy, 2, bleu)
    return img


def solution():
    # Green and salmon vertices on a red frame: the solution drawing.
    img = toile()
    rouge, vert, saumon, fonce = (175, 8, 8), (0, 128, 0), (250, 128, 114), (40, 40, 40)
    rect(img, 0, 0, 15, 15, rouge)
    rect(img, 1, 1, 14, 14, BLANC)
    trait(img, 4, 4, 11, 11, fonce)
    disque(img, 4, 4, 3, vert)
    disque(img, 11, 11, 3, saumon)
    return img


def comparaison():
    # A blue vertex and a vermillion one side by side, split by a grey bar:
    # two solutions of one instance laid over each other.
    img = toile()
    bleu, vermillon, gris = (0, 114, 178), (213, 94, 0), (120, 120, 120)
    rect(img, 7, 1, 8, 14, gris)
    disque(img, 3, 5, 3, bleu)
    disque(img, 12, 10, 3, vermillon)
    trait(img, 3, 5, 3, 13, bleu)
    trait(img, 12, 2, 12, 10, vermillon)
    return img


if __name__ == "__main__":
    dossier = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tree", "image")
    os.makedirs(dossier, exist_ok=True)
    for nom, dessin in (("root", racine), ("session", session), ("inst", instance), ("sol", solution),
                       ("comp", comparaison)):
        png(os.path.join(dossier, nom + ".png"), dessin())
