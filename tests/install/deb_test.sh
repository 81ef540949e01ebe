#!/usr/bin/env bash
# deb_test.sh BUILD_DIR: builds the Debian package with cpack, checks its contents and its
# dependencies (read from the binaries, plus the comparison script's), has lintian find no error,
# unpacks it into an empty root and starts the Lexotrace it holds, headless, to its first window.
set -euo pipefail

build=$1
source "$(dirname "$0")/scratch.sh"

(cd "$build" && cpack -G DEB -B "$scratch/out" >/dev/null) || fail "cpack -G DEB"
deb=$(ls "$scratch"/out/*.deb)
contents=$(dpkg-deb -c "$deb")
for f in usr/bin/lexotrace usr/bin/typewarden usr/bin/lexotrace-script usr/bin/typewarden-script \
    usr/share/orthova/Lessons_Initiation_Data.xml usr/share/man/man1/lexotrace.1.gz \
    usr/share/applications/com.brellum.Lexotrace.desktop usr/share/doc/orthova/copyright \
    usr/share/dbus-1/services/com.brellum.Typewarden.service; do
    grep -q " \./$f\$" <<<"$contents" || fail "the package lacks $f"
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6core6 libqt6widgets6 libqt6dbus6 libatspi2.0-0 libxcb1 python3-gi \
    gir1.2-atspi-2.0; do
    grep -q "\b$d\b" <<<"$depends" || fail "Depends has no $d: $depends"
done
# Every dependency is a package this machine knows, so the package installs here.
for d in $(tr ',' '\n' <<<"$depends" | sed 's/(.*)//; s/ //g'); do
    dpkg-query -W "$d" >/dev/null 2>&1 || fail "dependency $d is no installed package"
done
errors=$(lintian "$deb" 2>/dev/null | grep '^E:' || true)
[ -z "$errors" ] || fail "lintian: $errors"

dpkg-deb -x "$deb" "$scratch/root"
"$(dirname "$0")/start_installed.sh" "$scratch/root/usr" ||
    fail "the packaged Lexotrace did not start from its unpacked root"
echo "packaged $(basename "$deb"): $depends"
