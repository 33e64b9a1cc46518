#!/usr/bin/env bash
# Takes the README's screenshot: the viewer under Xvfb with the solution
# drawing of the 300-sensor sample. Needs xvfb, xdotool and imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
racine=$(pwd)
sortie=${1:-$racine/doc/capture.png}
binaire=${VG_BINAIRE:-$racine/build/app/visual_graphe}
mkdir -p "$(dirname "$sortie")"

export DISPLAY=:97
Xvfb $DISPLAY -screen 0 1100x800x24 -nolisten tcp &
xvfb=$!
trap 'kill $viewer $xvfb 2>/dev/null || true' EXIT
sleep 1

# The sample named as a user names it in its folder: the console then
# shows its own name, not this machine's folders.
cd "$racine/examples"
"$binaire" deploiement_300.vga 2>/dev/null &
viewer=$!
sleep 2
fenetre=$(xdotool search --sync --name '^MainWindow$' | head -1)
xdotool windowmove "$fenetre" 0 0
xdotool windowsize "$fenetre" 1100 800
sleep 0.5

# There is no window manager: give the keyboard focus by hand.
xdotool windowfocus --sync "$fenetre"
sleep 0.5

# The session row is expanded: root, session, "i:", "s:". Double-click "s:".
ligne_s=${VG_LIGNE_S:-134}
xdotool mousemove 90 "$ligne_s" click --repeat 2 --delay 80 1
sleep 1.5
import -window root "$sortie"
echo "$sortie"
