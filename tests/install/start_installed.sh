#!/usr/bin/env bash
# start_installed.sh PREFIX [--bus-activation] [--title TITLE]: starts the programs installed under
# PREFIX in a home of their own, on a private session bus, without a display: Lexotrace must show
# its first window (titled TITLE, when given) on the factory files under PREFIX/share/orthova.
# With --bus-activation, Typewarden (not running) must first be started by the bus for a script of
# its client, through the installed service file.
set -euo pipefail

prefix=$1
shift
activation= title=
while [ $# -gt 0 ]; do
    case $1 in
    --bus-activation) activation=$1 ;;
    --title) title=$2 && shift ;;
    esac
    shift
done
source "$(dirname "$0")/scratch.sh"
programs_under=$prefix/bin

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
  <servicedir>$prefix/share/dbus-1/services</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF

cat >"$scratch/session.sh" <<'SESSION'
set -euo pipefail
prefix=$1 log=$2 activation=$3
if [ "$activation" = --bus-activation ]; then
    answer=$(timeout 60 "$prefix/bin/typewarden-script" -e "count word pairs") ||
        { echo "FAIL: typewarden-script did not get an answer" >&2; exit 1; }
    [ "$answer" = 0 ] || { echo "FAIL: typewarden-script answered '$answer'" >&2; exit 1; }
fi
QT_LOGGING_RULES="orthova.start.info=true;lexotrace.store.debug=true" \
    "$prefix/bin/lexotrace" >"$log" 2>&1 &
for _ in $(seq 150); do
    grep -q "first window shown" "$log" && break
    sleep 0.1
done
SESSION
dbus-run-session --config-file="$scratch/bus.conf" -- \
    bash "$scratch/session.sh" "$prefix" "$scratch/lexotrace.log" "$activation"
if [ "$activation" = --bus-activation ]; then
    # Its first run made Typewarden start at login: the login item names the installed program.
    login=$XDG_CONFIG_HOME/autostart/com.brellumworks.AutoLaunchHelperApp.desktop
    grep -qx "Exec=\"$prefix/bin/typewarden\"" "$login" ||
        { cat "$login" >&2; fail "the login item does not start the installed Typewarden"; }
    desktop-file-validate "$login" || fail "the login item is not a valid desktop entry"
fi
expect_started "$scratch/lexotrace.log" "$prefix/share"
if [ -n "$title" ] && ! grep -qF "first window shown: $title after" "$scratch/lexotrace.log"; then
    cat "$scratch/lexotrace.log" >&2
    fail "the first window is not titled $title"
fi
