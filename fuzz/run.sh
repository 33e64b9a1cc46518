#!/usr/bin/env bash
# Builds the fuzz targets with clang 14, libFuzzer and the address and
# undefined-behaviour sanitizers, then runs each for a given time.
#   fuzz/run.sh [seconds] [target...]
# Seconds default to 60 a target; targets default to all seven; libFuzzer
# options in VG_FUZZ_OPTIONS are added to every run (for instance
# "-len_control=0 -max_len=4096" to try long inputs at once). Each run
# starts from the seeds in fuzz/corpus/<target>/ plus what earlier runs kept
# in fuzz/build/corpus/<target>/ (the seeds are never written to). A crash,
# leak or timeout leaves its input in fuzz/build/crashes/<target>/ and makes
# the script fail; the whole log is in fuzz/build/logs/<target>.log.
set -euo pipefail

cd "$(dirname "$0")"
ici=$(pwd)
build_dir=${VG_FUZZ_BUILD_DIR:-$ici/build}
secondes=${1:-60}
shift || true
cibles=("$@")
[ ${#cibles[@]} -eq 0 ] && cibles=(lecture_instance lecture_solution lecture_graphml lecture_gexf lecture_cyjs lecture_valeurs chargeur_session)

paquets=(clang-14 libclang-rt-14-dev qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev cmake ninja-build)
manquants=()
for p in "${paquets[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || manquants+=("$p")
done
if [ ${#manquants[@]} -gt 0 ]; then
    echo "Installing: ${manquants[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${manquants[@]}"
fi

CXX=clang++-14 cmake -S "$ici" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build_dir" -j"${VG_JOBS:-$(nproc)}" --target "${cibles[@]}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:allocator_may_return_null=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$ici/lsan.supp:print_suppressions=0

echo
printf '%-18s %8s %12s %9s %8s %12s\n' target seconds executions exec/s crashes corpus
echec=0
for cible in "${cibles[@]}"; do
    corpus=$build_dir/corpus/$cible
    crashes=$build_dir/crashes/$cible
    journal=$build_dir/logs/$cible.log
    mkdir -p "$corpus" "$crashes" "$(dirname "$journal")"
    # Lines of the readers are cut at 4094 bytes: inputs may be a few times
    # longer. A read that takes 10 s on a few KiB is a hang.
    set +e
    "$build_dir/$cible" -max_total_time="$secondes" -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$crashes/" ${VG_FUZZ_OPTIONS:-} \
        "$corpus" "$ici/corpus/$cible" > "$journal" 2>&1
    code=$?
    set -e
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$journal" | tail -1)
    duree=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$journal" | tail -1)
    unites=$(find "$corpus" -type f | wc -l)
    octets=$(du -sb "$corpus" | cut -f1)
    trouves=$(find "$crashes" -type f | wc -l)
    printf '%-18s %8s %12s %9s %8s %12s\n' "$cible" "$secondes" "${executions:-?}" "${duree:-?}" \
        "$trouves" "$unites/${octets}b"
    if [ "$code" -ne 0 ] || [ "$trouves" -ne 0 ]; then
        echec=1
        echo "  $cible: exit $code, see $journal and $crashes/" >&2
    fi
done
exit $echec
