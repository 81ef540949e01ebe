#!/usr/bin/env bash
# Run through tests/fixtures/desktop-session: the TextEdit fixture correcting "recieve" to
# "receive" as it is typed (its automatic correction replaces the word when the space after it is
# typed), the real Typewarden agent watching it; typing "recieve" and a space into the document
# must make the agent announce the pair (receive, misspelt recieve) on the session bus.
# Usage: typed_correction_announces_pair.sh TYPEWARDEN TEXTEDIT_FIXTURE COMPARISON_SCRIPT
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
    echo "--- bus log"; cat "$scratch/bus.log"
    exit 1
}

export HOME=$scratch/home XDG_DATA_HOME=$scratch/home/data XDG_CONFIG_HOME=$scratch/home/config
mkdir -p "$XDG_DATA_HOME/Typewarden/Application Scripts" "$XDG_CONFIG_HOME/Orthova"
cp "$script" "$XDG_DATA_HOME/Typewarden/Application Scripts/"
# The settings of a first run, with TextEdit watched from the start and automatic retention on.
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

# The fixture gives its document the keyboard focus, with the caret at the end of "I will ".
"$fixture_program" --autocorrect recieve=receive >"$scratch/fixture.log" 2>&1 &
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
# Each "watching" line starts a baseline comparison of the document, which the agent does not log:
# wait until no new one has come for two seconds (activations settle for half a second, a script
# run takes a fraction of a second), so the last baseline is in before the first key.
seen=-1
for _ in $(seq 20); do
    count=$(grep -c "watching TextEdit" "$scratch/agent.log")
    [ "$count" = "$seen" ] && break
    seen=$count
    sleep 2
done

[ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = "Untitled" ] ||
    fail "the fixture's document window does not have the keyboard focus"
xdotool type --delay 60 'recieve '

for _ in $(seq 100); do
    grep -q '"mSpell"' "$scratch/bus.log" && break
    sleep 0.1
done
grep -q '^autocorrected recieve receive' "$scratch/fixture.log" ||
    fail "the fixture did not correct the typed word"
grep -q 'member=Notification' "$scratch/bus.log" || fail "no Notification signal on the session bus"
pair=$(tr -s ' \n' ' ' <"$scratch/bus.log")
echo "$pair" | grep -q 'string "cSpell" variant string "receive"' ||
    fail "the signal does not carry cSpell receive: $pair"
echo "$pair" | grep -q 'string "mSpell" variant string "recieve"' ||
    fail "the signal does not carry mSpell recieve: $pair"
echo "PASSED: the typed correction receive/recieve was announced"
