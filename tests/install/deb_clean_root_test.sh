#!/usr/bin/env bash
# deb_clean_root_test.sh BUILD_DIR: makes a minimal Debian root of this machine's release
# (debootstrap), installs the package built by cpack into it with apt, which must find every
# dependency in the archive, and starts the installed Lexotrace there, headless, to its first
# window on the installed factory files. Skipped without root, debootstrap or a reachable mirror.
set -euo pipefail

build=$1
mirror=${ORTHOVA_DEBIAN_MIRROR:-http://deb.debian.org/debian}
source "$(dirname "$0")/scratch.sh"
root=$scratch/root
# Whatever still runs inside the root (a copy Lexotrace's first start relaunched) goes first.
before_cleanup='for p in /proc/[0-9]*; do
    if [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ]; then kill -KILL "${p#/proc/}" || true; fi
done; umount -l "$root/proc" 2>/dev/null || true'
if [ "$(id -u)" != 0 ] || ! command -v debootstrap >/dev/null; then
    echo "skipped: making a root needs root and debootstrap"
    exit 77
fi
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
[ -n "$codename" ] || fail "this machine names no release codename"

(cd "$build" && cpack -G DEB -B "$scratch/out" >/dev/null) || fail "cpack -G DEB"
deb=$(ls "$scratch"/out/*.deb)
if ! debootstrap --variant=minbase "$codename" "$root" "$mirror" >"$scratch/debootstrap.log" 2>&1
then
    tail -5 "$scratch/debootstrap.log" >&2
    echo "skipped: no root of $codename could be made from $mirror"
    exit 77
fi
# Packages' services are not started inside the root.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"
mount -t proc proc "$root/proc"
cp "$deb" "$root/tmp/"
chroot "$root" sh -c "apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends /tmp/$(basename "$deb")" \
    >"$scratch/install.log" 2>&1 || { tail -20 "$scratch/install.log" >&2; fail "apt could not install the package"; }

chroot "$root" env -i HOME=/tmp/home XDG_RUNTIME_DIR=/tmp/runtime PATH=/usr/bin:/bin \
    QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="orthova.start.info=true;lexotrace.store.debug=true" \
    sh -c 'mkdir -p /tmp/home /tmp/runtime && chmod 700 /tmp/runtime && timeout 15 /usr/bin/lexotrace' \
    >"$scratch/lexotrace.log" 2>&1 || true
expect_started "$scratch/lexotrace.log" /usr/share
echo "installed into a clean $codename root with apt and started there"
