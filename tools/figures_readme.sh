#!/usr/bin/env bash
# Makes the README's figures of the 300-sensor sample with the command: a
# legend and a scale bar, the hops to the sink as colours, and a TikZ
# figure compiled by pdflatex (texlive-pictures) and shown as PNG.
set -euo pipefail
cd "$(dirname "$0")/.."
racine=$(pwd)
commande=${VG_EXPORT:-$racine/build/export/visual_graphe-export}
cd "$racine/examples"
"$commande" --solution --legend --scale-bar deploiement_300.vga -o "$racine/doc/figure_legende.png"
"$commande" --solution --legend --color-by hops deploiement_300.vga -o "$racine/doc/figure_sauts.png"
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
"$commande" --solution --legend --scale-bar --style daltonien --width 12cm deploiement_300.vga -o "$travail/figure.tex"
(cd "$travail" && pdflatex -interaction=nonstopmode -halt-on-error figure.tex > /dev/null)
pdftoppm -r 110 -png -singlefile "$travail/figure.pdf" "$racine/doc/figure_tikz"
ls -l "$racine"/doc/figure_*.png
