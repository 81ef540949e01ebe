#!/usr/bin/env bash
# take_pictures.sh BIN_DIR OUT_DIR: run inside tests/fixtures/desktop-session. Goes through a first
# start of both programs as a user would (the first-run messages answered, some corrections
# captured), opens every window and saves a picture of each into OUT_DIR. `scripts/pictures`
# copies them to docs/pictures for the README.
set -euo pipefail

bin=$1
out=$2
if [ -n "${ORTHOVA_DESKTOP_UNAVAILABLE:-}" ]; then
    echo "skipped: $ORTHOVA_DESKTOP_UNAVAILABLE"
    exit 77
fi
source "$(dirname "$0")/../install/scratch.sh"
programs_under=$bin
export HOME=$scratch/home XDG_DATA_HOME=$scratch/home/data XDG_CONFIG_HOME=$scratch/home/config
mkdir -p "$HOME" "$out"
command -v openbox >/dev/null && { openbox >/dev/null 2>&1 & sleep 1; }

# The window with that title, once it is on screen.
window() {
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) || true
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.1
    done
    fail "no window titled $1"
}
picture() {
    local id
    id=$(window "$1")
    xdotool windowactivate --sync "$id" 2>/dev/null || true
    sleep 0.5
    import -window "$id" "$out/$2.png" || fail "no picture of $1"
    echo "picture: $out/$2.png ($1)"
}

# First start: both first-run messages answered with Return; Lexotrace then starts itself again.
"$bin/lexotrace" >"$scratch/first.log" 2>&1 &
window "Spelling Error Analysis" >/dev/null
sleep 1 && xdotool key Return && sleep 1 && xdotool key Return
for _ in $(seq 100); do
    [ "$(pgrep -fc "$bin/lexotrace$")" -ge 1 ] && grep -q relaunch "$scratch/first.log" && break
    sleep 0.1
done
sleep 3
pkill -f "$bin/lexotrace\$"
sleep 1

# Typewarden with a few corrections; Lexotrace, started again, lists them.
"$bin/typewarden" >"$scratch/typewarden.log" 2>&1 &
window "Typewarden" >/dev/null
pairs=(recieve:receive beleive:believe wierd:weird definately:definitely occured:occurred
    seperate:separate untill:until tommorow:tomorrow acheive:achieve dont:"don't"
    neccessary:necessary begining:beginning)
for pair in "${pairs[@]}"; do
    "$bin/typewarden-script" -e "make new word pair with properties {misspelling:\"${pair%%:*}\", correct spelling:\"${pair#*:}\", time stamp:current date}" >/dev/null
done
"$bin/typewarden-script" -e save >/dev/null
"$bin/lexotrace" >"$scratch/second.log" 2>&1 &
window "Spelling Error Analysis" >/dev/null
sleep 2

picture "Spelling Error Analysis" lexotrace-analysis
"$bin/lexotrace-script" -e "open lessons window" >/dev/null
# The rows of the unit's first section.
xdotool mousemove --window "$(window "Spelling Lessons")" 60 355 click 1
picture "Spelling Lessons" lexotrace-lessons
"$bin/lexotrace-script" -e "open rules window" >/dev/null
picture "Spelling Rules" lexotrace-rules
"$bin/lexotrace-script" -e "open word bits window" >/dev/null
picture "Word Bits Dictionary" lexotrace-word-bits
xdotool windowsize "$(window Typewarden)" 560 420
picture "Typewarden" typewarden-list
