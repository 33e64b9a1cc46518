#!/usr/bin/env bash
# Sets up a Debian 12 or 13 machine for the viewer, builds it, then runs it
# or its tests.
#   ./build.sh run    install what is missing, build, start the viewer in examples/
#   ./build.sh test   install what is missing, build, run every test
#   ./build.sh test-sanitize   the same tests built with AddressSanitizer,
#                     UndefinedBehaviorSanitizer and LeakSanitizer, in build-sanitize/
#   ./build.sh test-tsan   the tests that paint from tiles under ThreadSanitizer,
#                     in build-tsan/
#   ./build.sh bench  install what is missing, build, run the benchmarks
#   ./build.sh package   install what is missing, build, write the Debian
#                     package visual-graphe_<version>_<arch>.deb in the build folder
#   ./build.sh check-install   build, install into a staging folder and check
#                     what a desktop gets (entry, file type, icons, manual
#                     pages, the installed viewer), then lint the package
set -euo pipefail

cd "$(dirname "$0")"
racine=$(pwd)
build_dir=${VG_BUILD_DIR:-$racine/build}

paquets=(qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-charts-dev qt6-image-formats-plugins qt6-translations-l10n libgl-dev fonts-dejavu-core
    libgif-dev libavcodec-dev libavformat-dev libavutil-dev libswscale-dev libqt6opengl6-dev pkg-config cmake ninja-build g++
    python3-networkx)
# (python3-networkx: the tests of GEXF and Cytoscape.js files have networkx
# write and read them.)
# (Qt Charts asks CMake for Qt OpenGL, which its package does not bring.)
# Installed where the release has them. Qt's SVG plugins (reading SVG files
# back, the theme's SVG icons) come with libqt6svg6 in Debian 12 and in a
# package of their own from Debian 13 on.
paquets_selon_version=(qt6-svg-plugins)

installe() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# Adds to manquants what the release has of paquets_selon_version and is
# not installed; apt-cache knows only what its lists name.
ajouter_selon_version() {
    local p
    for p in "${paquets_selon_version[@]}"; do
        if ! installe "$p" && [[ " ${manquants[*]} " != *" $p "* ]] &&
            apt-cache show "$p" >/dev/null 2>&1; then
            manquants+=("$p")
        fi
    done
}

installer() {
    local manquants=() p
    for p in "${paquets[@]}" "$@"; do
        installe "$p" || manquants+=("$p")
    done
    ajouter_selon_version
    [ ${#manquants[@]} -eq 0 ] && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "Missing packages; as root run: apt-get install ${manquants[*]}" >&2
            exit 1
        fi
        # CI has no one to type a password: fail at once instead of waiting.
        if [ -n "${CI:-}" ]; then
            sudo=(sudo -n)
            if ! sudo -n true 2>/dev/null; then
                echo "Missing packages and sudo needs a password under CI; install: ${manquants[*]}" >&2
                exit 1
            fi
        else
            sudo=(sudo)
        fi
    fi
    local a_jour=true
    "${sudo[@]}" apt-get update -qq || a_jour=false
    # A fresh machine may have had no lists before.
    ajouter_selon_version
    echo "Installing: ${manquants[*]}"
    # sudo resets the environment: env carries DEBIAN_FRONTEND through it.
    if ! $a_jour ||
        ! "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${manquants[@]}"; then
        echo "Could not install the missing packages; as root run: apt-get install ${manquants[*]}" >&2
        exit 1
    fi
}

construire() {
    local type=${VG_BUILD_TYPE:-Release}
    cmake -S "$racine" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@"
    cmake --build "$build_dir" -j"$(nproc)"
}

case "${1:-}" in
    run)
        installer
        construire
        cd "$racine/examples"
        exec "$build_dir/app/visual_graphe"
        ;;
    test)
        installer
        construire
        QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure
        ;;
    test-sanitize)
        installer
        build_dir=${VG_BUILD_DIR:-$racine/build-sanitize}
        VG_BUILD_TYPE=RelWithDebInfo construire -DVG_SANITIZE=ON
        # Any report fails its test: leaks included, nothing recovered.
        export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=0:strict_string_checks=1
        export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
        export LSAN_OPTIONS=suppressions=$racine/tests/lsan.supp:print_suppressions=0
        QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure
        ;;
    test-tsan)
        # The tests that paint from tiles, whose workers run on threads of
        # their own, under ThreadSanitizer; any report fails the test.
        installer
        build_dir=${VG_BUILD_DIR:-$racine/build-tsan}
        tests_tsan=(tst_rendu_dessin tst_rendu_identique tst_graphic_view tst_constructeur_scene)
        cmake -S "$racine" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVG_TSAN=ON
        cmake --build "$build_dir" -j"$(nproc)" --target "${tests_tsan[@]}"
        export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$racine/tests/tsan.supp"
        # The sanitizer's shadow memory wants the usual address layout.
        QT_QPA_PLATFORM=offscreen setarch "$(uname -m)" -R \
            ctest --test-dir "$build_dir" --output-on-failure -R "^($(IFS='|'; echo "${tests_tsan[*]}"))\$"
        ;;
    bench)
        # Graphviz is the figures' benchmark peer; the other two open the
        # vector figures. None of them is needed to build or to test.
        installer graphviz librsvg2-bin poppler-utils
        construire
        # Only the programs: Qt's generated folders share the prefix.
        for b in "$build_dir"/bench/*/bench_*; do
            if [ -f "$b" ] && [ -x "$b" ]; then
                QT_QPA_PLATFORM=offscreen "$b"
            fi
        done
        ;;
    package)
        # dpkg-shlibdeps (dpkg-dev) and file find the package's dependencies.
        installer dpkg-dev file
        construire
        (cd "$build_dir" && cpack -G DEB)
        ;;
    check-install)
        installer dpkg-dev file desktop-file-utils libxml2-utils man-db lintian appstream
        construire
        (cd "$build_dir" && cpack -G DEB)
        tools/verifier_installation.sh "$build_dir"
        ;;
    *)
        echo "usage: $0 run|test|test-sanitize|test-tsan|bench|package|check-install" >&2
        exit 2
        ;;
esac
