#!/usr/bin/env bash
# Sets up a Debian 12 machine for the viewer, builds it, then runs it or
# its tests.
#   ./build.sh run    install what is missing, build, start the viewer in examples/
#   ./build.sh test   install what is missing, build, run every test
#   ./build.sh bench  install what is missing, build, run the benchmarks
set -euo pipefail

cd "$(dirname "$0")"
racine=$(pwd)
build_dir=${VG_BUILD_DIR:-$racine/build}

paquets=(qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins libgl-dev cmake ninja-build g++)

installer() {
    local manquants=()
    for p in "${paquets[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || manquants+=("$p")
    done
    [ ${#manquants[@]} -eq 0 ] && return 0
    echo "Installing: ${manquants[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${manquants[@]}"
}

construire() {
    cmake -S "$racine" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
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
    bench)
        installer
        construire
        for b in "$build_dir"/bench/*/bench_*; do
            [ -x "$b" ] && QT_QPA_PLATFORM=offscreen "$b"
        done
        ;;
    *)
        echo "usage: $0 run|test|bench" >&2
        exit 2
        ;;
esac
