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
trap 'exit 130' INT
trap 'exit 143' TERM HUP

if ! command -v debootstrap >/dev/null 2>&1; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi

# Inside a mount namespace of its own (debootstrap's mounts too): every
# mount goes with its last process, however the run ends.
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
    for commande in test check-install; do
        nice chroot "$systeme" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 CI=true \
            sh -c "cd /src && ./build.sh $commande" </dev/null
        etape "./build.sh $commande"
    done
    echo "Debian 13: all in $((SECONDS - depart)) s"
    echo "Debian 13: the package depends on $(chroot "$systeme" sh -c 'dpkg-deb -f /src/build/visual-graphe_*.deb Depends')"
}

unshare --mount --propagation private \
    bash -euo pipefail -c "$(declare -f essayer); essayer \"\$@\"" bash "$systeme" "$racine"
