#!/usr/bin/env bash
# Run through tests/fixtures/desktop-session: the real agent watching mousepad (a GTK 3 editor with
# its spell checker on) while drive_editor.py corrects a word of the opened file from the context
# menu, then writes a short passage at about 150 ms a key and corrects three words: typed over,
# backspaced into and retyped, and from the context menu. The agent must announce exactly those
# four pairs: any other pair is a false one.
# Usage: corrections_in_mousepad.sh TYPEWARDEN COMPARISON_SCRIPT DRIVER
set -u
typewarden=$1 script=$2 driver=$3
. "$(dirname "$0")/../../fixtures/agent-session.sh"

agent_session_init "$script"
command -v mousepad >/dev/null || skip "mousepad is not installed"
[ -d /usr/share/hunspell ] && ls /usr/share/hunspell/en_US.dic >/dev/null 2>&1 ||
    skip "the English dictionary is not installed (package hunspell-en-us)"
# Settings straight into a file: the desktop's settings service would keep them in the real home.
export GSETTINGS_BACKEND=keyfile
gsettings set org.xfce.mousepad.state.application enabled-plugins "['mousepad-plugin-gspell']" ||
    fail "mousepad's spell checker could not be switched on"

start_bus_monitor
start_agent "$typewarden"
printf 'I beleive you.' >"$scratch/letter.txt"
mousepad "$scratch/letter.txt" >"$scratch/fixture.log" 2>&1 &
pids+=($!)
window=$(timeout 20 xdotool search --sync --onlyvisible --class mousepad | head -n1)
[ -n "$window" ] || fail "mousepad shows no window"
# No window manager here: the keyboard focus makes the window the active one.
xdotool windowfocus --sync "$window"
wait_for "$scratch/agent.log" "watching TextEdit" || fail "the agent did not start watching mousepad"
sleep 2

/usr/bin/python3 "$driver" mousepad >"$scratch/driver.log" 2>&1 ||
    { cat "$scratch/driver.log"; fail "the corrections could not be made"; }

expected=$(sed -n 's/^made \([^ ]*\) \([^ ]*\) .*/\2 \1/p' "$scratch/driver.log" | sort)
[ "$(echo "$expected" | wc -l)" = 4 ] || fail "the driver did not make its four corrections"
# Each announcement: "cSpell" then its value, "mSpell" then its value, in the bus monitor's lines.
announced=$(awk '/string "cSpell"/ { getline; c = $NF } /string "mSpell"/ { getline; print c, $NF }' \
    "$scratch/bus.log" | tr -d '"' | sort)
if [ "$announced" != "$expected" ]; then
    echo "--- made (correction misspelling)"; echo "$expected"
    echo "--- announced"; echo "$announced"
    fail "the announced pairs differ from the corrections made"
fi
echo "PASSED: mousepad's four corrections were announced, and nothing else"
