#!/usr/bin/env bash
# starts_on_wayland.sh TYPEWARDEN TYPEWARDEN_SCRIPT: in a Wayland session of its own (a headless
# weston), with a private session bus and the accessibility bus, Typewarden starts on Qt's Wayland
# platform, says what it can capture there and what not, and answers a script.
set -euo pipefail

typewarden=$1
client=$2
if ! command -v weston >/dev/null || ! command -v at-spi-bus-launcher >/dev/null &&
    [ ! -x /usr/libexec/at-spi-bus-launcher ]; then
    echo "skipped: no weston or no accessibility bus launcher"
    exit 77
fi
source "$(dirname "$0")/../../install/scratch.sh"
export XDG_RUNTIME_DIR=$scratch/runtime HOME=$scratch/home
export XDG_DATA_HOME=$HOME/data XDG_CONFIG_HOME=$HOME/config
mkdir -p "$XDG_RUNTIME_DIR" "$HOME" && chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY
weston --backend=headless-backend.so --socket=wayland-orthova --idle-time=0 \
    >"$scratch/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/wayland-orthova" ] && break
    sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/wayland-orthova" ] || { cat "$scratch/weston.log" >&2; fail "weston did not start"; }

cat >"$scratch/session.sh" <<'SESSION'
set -euo pipefail
typewarden=$1 client=$2 log=$3
WAYLAND_DISPLAY=wayland-orthova XDG_SESSION_TYPE=wayland QT_QPA_PLATFORM=wayland \
    "$typewarden" >"$log" 2>&1 &
agent=$!
answer=
for _ in $(seq 100); do
    answer=$("$client" -e "count word pairs" 2>/dev/null) && break
    sleep 0.1
done
echo "$answer" >"$log.answer"
kill "$agent"
for _ in $(seq 30); do kill -0 "$agent" 2>/dev/null || break; sleep 0.1; done
kill -KILL "$agent" 2>/dev/null || true
SESSION
dbus-run-session -- bash "$scratch/session.sh" "$typewarden" "$client" "$scratch/typewarden.log"
kill "$weston_pid" 2>/dev/null || true
[ "$(cat "$scratch/typewarden.log.answer")" = 0 ] ||
    { cat "$scratch/typewarden.log" >&2; fail "Typewarden on Wayland did not answer its script"; }
grep -q "Wayland session: Typewarden captures the corrections editors report" \
    "$scratch/typewarden.log" ||
    { cat "$scratch/typewarden.log" >&2; fail "Typewarden did not say what it captures on Wayland"; }
grep -q "qt.qpa.plugin: Could not" "$scratch/typewarden.log" &&
    { cat "$scratch/typewarden.log" >&2; fail "Qt's Wayland platform did not load"; }
echo "Typewarden started on Wayland and said so"
