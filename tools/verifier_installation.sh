#!/usr/bin/env bash
# Installs a built tree into a staging folder and checks what a desktop gets:
# the programs, the desktop entry, the session file type, the icons, the
# manual pages, and the installed viewer opening a session given as argument.
# Then lints the Debian package if the build folder has one.
#   tools/verifier_installation.sh <build folder>
# Needs desktop-file-utils, libxml2-utils, man-db, lintian and appstream
# (./build.sh check-install installs them).
set -euo pipefail

racine=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(cd "${1:?build folder}" && pwd)
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
scene="$travail/scene"
echecs=0

echouer() {
    echo "FAIL: $*" >&2
    echecs=$((echecs + 1))
}

DESTDIR="$scene" cmake --install "$build_dir" --prefix /usr >/dev/null
share="$scene/usr/share"

pages=(visual_graphe visual_graphe-export)
for programme in "${pages[@]}"; do
    [ -x "$scene/usr/bin/$programme" ] || echouer "usr/bin/$programme missing"
done

entree="$share/applications/visual_graphe.desktop"
desktop-file-validate "$entree" || echouer "desktop entry not valid"
grep -qx 'Exec=visual_graphe %F' "$entree" || echouer "desktop entry: Exec"
grep -qx 'MimeType=application/x-visual-graphe-session;application/graphml+xml;application/gexf+xml;application/x-cytoscape-json;' "$entree" ||
    echouer "desktop entry: MimeType"

# The software centre's listing: valid without the network (its screenshot
# is not fetched), launching the desktop entry, with its four file types.
listing="$share/metainfo/org.example.visual_graphe.metainfo.xml"
if appstreamcli validate --no-net "$listing" >/dev/null; then
    [ "$(xmllint --xpath 'string(//launchable)' "$listing")" = visual_graphe.desktop ] ||
        echouer "metainfo: launchable"
    [ "$(xmllint --xpath 'count(//mediatype)' "$listing")" = 4 ] || echouer "metainfo: media types"
else
    echouer "metainfo not valid"
fi

# The file type: well-formed, and matching both by name and by content.
mime="$share/mime/packages/visual_graphe.xml"
if xmllint --noout "$mime"; then
    valeur() { xmllint --xpath "string($1)" "$mime"; }
    [ "$(valeur '//*[local-name()="mime-type"]/@type')" = application/x-visual-graphe-session ] ||
        echouer "file type: name"
    [ "$(valeur '//*[local-name()="glob"]/@pattern')" = '*.vga' ] || echouer "file type: glob"
    [ "$(valeur '//*[local-name()="root-XML"]/@localName')" = visual_graphe ] ||
        echouer "file type: root element"
    [ "$(valeur '//*[local-name()="mime-type"][2]/@type')" = application/graphml+xml ] ||
        echouer "file type: GraphML"
    [ "$(valeur '//*[local-name()="mime-type"][3]/@type')" = application/gexf+xml ] ||
        echouer "file type: GEXF"
    [ "$(valeur '//*[local-name()="mime-type"][4]/*[local-name()="glob"]/@pattern')" = '*.cyjs' ] ||
        echouer "file type: Cytoscape.js"
else
    echouer "file type: not well-formed XML"
fi

# Each icon is a PNG of its folder's size.
for n in 16 22 24 32 48 64 128 256; do
    png="$share/icons/hicolor/${n}x${n}/apps/visual_graphe.png"
    if [ ! -f "$png" ]; then
        echouer "icon ${n}x${n} missing"
        continue
    fi
    # Width and height are the big-endian words at bytes 16 and 20.
    taille=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')
    [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || echouer "icon ${n}x${n} is not a PNG"
    [ "$taille" = "${n}x${n}" ] || echouer "icon ${n}x${n} is $taille"
done
svg="$share/icons/hicolor/scalable/apps/visual_graphe.svg"
xmllint --noout "$svg" && [ "$(xmllint --xpath 'local-name(/*)' "$svg")" = svg ] || echouer "scalable icon"

# Manual pages: present, and rendered without a single warning.
for p in "${pages[@]}"; do
    man1="$share/man/man1/$p.1.gz"
    if [ ! -f "$man1" ]; then
        echouer "manual page $p missing"
        continue
    fi
    avertissements=$(MANWIDTH=80 man --warnings -l "$man1" 2>&1 >/dev/null) || echouer "manual page $p: man failed"
    [ -z "$avertissements" ] || echouer "manual page $p: $avertissements"
done

# The installed viewer, given sessions as arguments, opens them in order and
# stays open. What it loads goes to its console pane; the file errors go to
# standard error: a session without an instance entry makes the reader
# fail on the session's own folder, and a missing path fails to open.
cp "$racine"/examples/douze_capteurs* "$travail/"
mkdir "$travail/sans instance"
printf '<visual_graphe name="x"><files><param name="solution" path="s.txt"/></files></visual_graphe>\n' \
    >"$travail/sans instance/é.vga"
: >"$travail/sans instance/s.txt"
statut=0
(cd "$travail" && QT_QPA_PLATFORM=offscreen timeout 10 "$scene/usr/bin/visual_graphe" \
    douze_capteurs.vga "sans instance/é.vga" absent.vga >/dev/null 2>"$travail/erreurs") || statut=$?
[ "$statut" = 124 ] || echouer "viewer ended with status $statut before the time limit"
erreurs=$(grep '^Error' "$travail/erreurs" || true)
attendu="Error: Cannot read file $travail/sans instance/: file to open is a directory
Error: Cannot read file absent.vga: No such file or directory"
[ "$erreurs" = "$attendu" ] || echouer "viewer's errors:
$erreurs
expected:
$attendu"

# The installed export command draws a session on its own, with no display
# and no platform chosen.
(cd "$travail" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$scene/usr/bin/visual_graphe-export" --solution douze_capteurs.vga -o figure.pdf) &&
    [ "$(head -c 5 "$travail/figure.pdf")" = "%PDF-" ] || echouer "export command: no PDF written"

# The package, when built: no lintian error.
for deb in "$build_dir"/visual-graphe_*.deb; do
    [ -f "$deb" ] || continue
    lintian --fail-on error "$deb" || echouer "lintian: $deb"
done

if [ "$echecs" -ne 0 ]; then
    echo "$echecs installation check(s) failed" >&2
    exit 1
fi
echo "installation checks passed"
