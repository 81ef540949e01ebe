#!/usr/bin/env bash
# Run through tests/fixtures/desktop-session: the TextEdit fixture correcting "recieve" to
# "receive" as it is typed (its automatic correction replaces the word when the space after it is
# typed), the real Typewarden agent watching it; typing "recieve" and a space into the document
# must make the agent announce the pair (receive, misspelt recieve) on the session bus.
# Usage: typed_correction_announces_pair.sh TYPEWARDEN TEXTEDIT_FIXTURE COMPARISON_SCRIPT
set -u
typewarden=$1 fixture_program=$2 script=$3
. "$(dirname "$0")/../../fixtures/agent-session.sh"

agent_session_init "$script"
start_bus_monitor
start_agent "$typewarden"
# The fixture gives its document the keyboard focus, with the caret at the end of "I will ".
start_fixture "$fixture_program" --autocorrect recieve=receive
wait_for "$scratch/agent.log" "watching TextEdit" || fail "the agent did not start watching TextEdit"
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

wait_for "$scratch/bus.log" '"mSpell"'
grep -q '^autocorrected recieve receive' "$scratch/fixture.log" ||
    fail "the fixture did not correct the typed word"
expect_announced_pair receive recieve
echo "PASSED: the typed correction receive/recieve was announced"
