#!/usr/bin/env bash
# Tries the committed project as a new user would on Debian 13: makes a
# fresh Debian 13 (trixie) system with debootstrap, clones HEAD into it and
# runs `./build.sh test` then `./build.sh check-install` there, as root with
# CI=true. Prints how long each step took.
#   tools/tester_debian13.sh
# As root (debootstrap, mount, chroot); needs Debian's package servers.
# Uses /var/tmp/visual_graphe-debian13 and removes it at the end.
set -euo pipefail

racine=$(cd "$(dirname "$0")/.." && pwd)
systeme=/var/tmp/visual_graphe-debian13

if [ "$(id -u)" -ne 0 ]; then
    echo "tester_debian13.sh: run as root (debootstrap, mount, chroot)" >&2
    exit 1
fi

# Never delete through a mount: /dev is bound inside while the tests run.
effacer() {
    if grep -q " $systeme/" /proc/mounts; then
        echo "tester_debian13.sh: $systeme still has mounts, left in place" >&2
        return 1
    fi
    rm -rf --one-file-system "$systeme" "$systeme.log"
}

# One run at a time: the folder is the same for all.
exec 9>"$systeme.lock"
flock 9
# What a run killed outright left behind.
effacer
trap effacer EXIT

if ! command -v debootstrap >/dev/null 2>&1; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi

# In namespaces of its own, mounts (debootstrap's too) and processes: when
# unshare ends, however, the kernel ends every process of the run and drops
# every mount it made.
essayer() {
    local systeme=$1 debut=$SECONDS commande
    local depart=$debut
    etape() {
        echo "Debian 13: $1 in $((SECONDS - debut)) s"
        debut=$SECONDS
    }
    if ! debootstrap --variant=minbase trixie "$systeme" >"$systeme.log" 2>&1; then
        tail -20 "$systeme.log" >&2
        return 1
    fi
    etape debootstrap
    git clone --quiet "$2" "$systeme/src"
    mount -t proc proc "$systeme/proc"
    mount -t sysfs sysfs "$systeme/sys"
    mount --bind /dev "$systeme/dev"
    mount --bind /dev/pts "$systeme/dev/pts"
    # Only the outcome when it passes; all but apt's progress when it fails.
    for commande in test check-install; do
        if ! nice chroot "$systeme" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 CI=true \
            sh -c "cd /src && ./build.sh $commande" </dev/null >"$systeme.log" 2>&1; then
            grep -Ev '^(Selecting|Preparing to unpack|Unpacking|Setting up|Processing triggers|\(Reading database)' \
                "$systeme.log" >&2
            echo "Debian 13: ./build.sh $commande failed" >&2
            return 1
        fi
        grep -E 'tests passed|checks passed' "$systeme.log" || true
        etape "./build.sh $commande"
    done
    echo "Debian 13: all in $((SECONDS - depart)) s"
    echo "Debian 13: the package depends on $(chroot "$systeme" sh -c 'dpkg-deb -f /src/build/visual-graphe_*.deb Depends')"
}

unshare --mount --propagation private --pid --fork --kill-child \
    bash -euo pipefail -c "$(declare -f essayer); essayer \"\$@\"" bash "$systeme" "$racine" &
essai=$!
# In the background, so that a signal stops the run at once. unshare
# ignores SIGTERM while it waits; SIGKILL takes the whole run with it.
trap 'kill -KILL "$essai"; wait "$essai" || true; exit 130' INT
trap 'kill -KILL "$essai"; wait "$essai" || true; exit 143' TERM HUP
wait "$essai"
