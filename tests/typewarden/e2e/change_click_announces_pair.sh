#!/usr/bin/env bash
# Run through tests/fixtures/desktop-session: the TextEdit fixture, the real Typewarden agent
# watching it, a hover and a released click on "Change" in the fixture's spelling panel; the agent
# must announce the pair (receive, misspelt recieve) on the session bus.
# Usage: change_click_announces_pair.sh TYPEWARDEN TEXTEDIT_FIXTURE COMPARISON_SCRIPT
set -u
typewarden=$1 fixture_program=$2 script=$3
skip() {
    echo "SKIPPED: $1"
    exit 77
}
[ -z "${ORTHOVA_DESKTOP_UNAVAILABLE:-}" ] || skip "desktop stack could not start: $ORTHOVA_DESKTOP_UNAVAILABLE"
[ -n "${DISPLAY:-}" ] || skip "no X display"
for tool in xdotool dbus-monitor; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done

scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
    echo "FAILED: $1"
    echo "--- agent log"; cat "$scratch/agent.log"
    echo "--- fixture log"; cat "$scratch/fixture.log"
    exit 1
}

export HOME=$scratch/home XDG_DATA_HOME=$scratch/home/data XDG_CONFIG_HOME=$scratch/home/config
mkdir -p "$XDG_DATA_HOME/Typewarden/Application Scripts" "$XDG_CONFIG_HOME/Orthova"
cp "$script" "$XDG_DATA_HOME/Typewarden/Application Scripts/"
# The settings of a first run, with TextEdit watched from the start.
printf '[General]\nKVRLaunchTypewardenAtLoginDefaultSetting=false\nKVRShowWindowAtStartupDefaultSetting=false\nKVRBeepDefaultSetting=false\nKVRAutoCheckRetentionSetting=true\nKVRTextEditDefaultSetting=true\nKVRSPagesDefaultSetting=true\n' \
    >"$XDG_CONFIG_HOME/Orthova/Typewarden.conf"

dbus-monitor --session \
    "type='signal',interface='com.brellum.kvrdesk.DistributedNotificationCenter',member='Notification'" \
    >"$scratch/bus.log" 2>&1 &
pids+=($!)
QT_LOGGING_RULES="typewarden.*.debug=true" "$typewarden" >"$scratch/agent.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    grep -q "status item\|status notifier" "$scratch/agent.log" && break
    sleep 0.1
done
sleep 1

"$fixture_program" recieve receive relieve >"$scratch/fixture.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    grep -q '^ready' "$scratch/fixture.log" && break
    sleep 0.1
done
grep -q '^ready' "$scratch/fixture.log" || fail "the fixture did not show its windows"
for _ in $(seq 100); do
    grep -q "watching TextEdit" "$scratch/agent.log" && break
    sleep 0.1
done
grep -q "watching TextEdit" "$scratch/agent.log" || fail "the agent did not start watching TextEdit"
# Activations settle for half a second before the agent acts on them.
sleep 1.5

read -r _ x y w h < <(grep '^change ' "$scratch/fixture.log")
cx=$((x + w / 2)) cy=$((y + h / 2))
xdotool mousemove "$cx" "$cy"
for _ in $(seq 50); do
    grep -q 'under the pointer: "AXButton" "Change"' "$scratch/agent.log" && break
    sleep 0.1
done
grep -q 'under the pointer: "AXButton" "Change"' "$scratch/agent.log" ||
    fail "the agent did not see the pointer over Change"
# Held long enough for the accessibility registry, which polls the buttons.
xdotool mousemove $((cx + 2)) "$cy" mousedown 1 sleep 0.3 mouseup 1

for _ in $(seq 100); do
    grep -q '"mSpell"' "$scratch/bus.log" && break
    sleep 0.1
done
grep -q 'click released' "$scratch/agent.log" || fail "the released click did not reach the agent"
grep -q 'member=Notification' "$scratch/bus.log" || fail "no Notification signal on the session bus"
pair=$(tr -s ' \n' ' ' <"$scratch/bus.log")
echo "$pair" | grep -q 'string "cSpell" variant string "receive"' ||
    fail "the signal does not carry cSpell receive: $pair"
echo "$pair" | grep -q 'string "mSpell" variant string "recieve"' ||
    fail "the signal does not carry mSpell recieve: $pair"
echo "PASSED: the pair receive/recieve was announced"
