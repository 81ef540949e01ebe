#!/usr/bin/env bash
# install_test.sh BUILD_DIR: installs the build into a scratch prefix and into a DESTDIR, checks
# what lands where and that the desktop's validators accept it, then runs the installed programs
# away from the build tree: Lexotrace to its first window on the installed factory files, and
# Typewarden started by the session bus for a script when it is not running.
set -euo pipefail

build=$1
scratch=$(mktemp -d)
# The bus-started Typewarden is no child of this script: every installed program is stopped.
trap 'pkill -KILL -f "$scratch/prefix/bin/" || true; rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share
for f in bin/lexotrace bin/typewarden bin/lexotrace-script bin/typewarden-script \
    share/orthova/ComparingTextUsingDiff.scpt; do
    [ -x "$prefix/$f" ] || fail "$f is not installed as a program"
done
for id in com.brellum.Lexotrace com.brellum.Typewarden; do
    for f in orthova/Lessons_Initiation_Data.xml orthova/Rules_Initiation_Data.xml \
        applications/$id.desktop metainfo/$id.metainfo.xml dbus-1/services/$id.service \
        icons/hicolor/scalable/apps/$id.svg icons/hicolor/16x16/apps/$id.png \
        icons/hicolor/48x48/apps/$id.png icons/hicolor/256x256/apps/$id.png; do
        [ -s "$share/$f" ] || fail "share/$f is missing"
    done
done
grep -qx "Exec=$prefix/bin/lexotrace" "$share/dbus-1/services/com.brellum.Lexotrace.service" ||
    fail "the Lexotrace bus service does not start the installed program"
desktop-file-validate "$share"/applications/*.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml >/dev/null ||
    fail "appstreamcli validate"

# The manual pages read back as pages, without a warning, each naming its bus name.
for page in lexotrace:com.brellum.Lexotrace typewarden:com.brellum.Typewarden \
    lexotrace-script:com.brellum.Lexotrace typewarden-script:com.brellum.Typewarden; do
    name=${page%%:*}
    file=$share/man/man1/$name.1
    [ -s "$file" ] || fail "no manual page for $name"
    text=$(LC_ALL=C.UTF-8 MANWIDTH=100 man --warnings=w -l "$file" 2>"$scratch/man.err") ||
        fail "man -l $name.1"
    [ -s "$scratch/man.err" ] && { cat "$scratch/man.err" >&2; fail "man warns on $name.1"; }
    for part in NAME SYNOPSIS FILES "SESSION BUS" EXAMPLES "${page#*:}"; do
        grep -q "$part" <<<"$text" || fail "$name.1 has no $part"
    done
done

# Into a DESTDIR: the files land under it, and name the final places.
DESTDIR=$scratch/root cmake --install "$build" --prefix /usr >/dev/null
[ -x "$scratch/root/usr/bin/lexotrace" ] || fail "DESTDIR install: no usr/bin/lexotrace"
grep -qx "Exec=/usr/bin/typewarden" \
    "$scratch/root/usr/share/dbus-1/services/com.brellum.Typewarden.service" ||
    fail "DESTDIR install: the Typewarden bus service does not name /usr/bin/typewarden"

# The installed programs in a home of their own, on a private session bus that knows the
# installed services.
export HOME=$scratch/home XDG_DATA_HOME=$scratch/home/data XDG_CONFIG_HOME=$scratch/home/config
export XDG_RUNTIME_DIR=$scratch/runtime QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
cd "$scratch"
cat >"$scratch/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$scratch</listen>
  <servicedir>$share/dbus-1/services</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF

cat >"$scratch/session.sh" <<'SESSION'
set -euo pipefail
prefix=$1 log=$2
# Typewarden is not running: the bus starts the installed one for its script client.
answer=$(timeout 60 "$prefix/bin/typewarden-script" -e "count word pairs") ||
    { echo "FAIL: typewarden-script did not get an answer" >&2; exit 1; }
[ "$answer" = 0 ] || { echo "FAIL: typewarden-script answered '$answer'" >&2; exit 1; }
QT_LOGGING_RULES="orthova.start.info=true;lexotrace.store.debug=true" \
    "$prefix/bin/lexotrace" >"$log" 2>&1 &
for _ in $(seq 150); do
    grep -q "first window shown" "$log" && break
    sleep 0.1
done
SESSION
dbus-run-session --config-file="$scratch/bus.conf" -- \
    bash "$scratch/session.sh" "$prefix" "$scratch/lexotrace.log"
grep -q "first window shown" "$scratch/lexotrace.log" ||
    { cat "$scratch/lexotrace.log" >&2; fail "the installed Lexotrace showed no window"; }
grep -q "lessonsXMLSourcePath: $share/orthova/Lessons_Initiation_Data.xml" \
    "$scratch/lexotrace.log" ||
    { cat "$scratch/lexotrace.log" >&2; fail "the installed Lexotrace did not use the installed factory files"; }
echo "installed, validated and started from $prefix"
