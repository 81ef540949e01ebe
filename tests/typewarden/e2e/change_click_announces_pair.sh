#!/usr/bin/env bash
# Run through tests/fixtures/desktop-session: the TextEdit fixture, the real Typewarden agent
# watching it, a hover and a released click on "Change" in the fixture's spelling panel; the agent
# must announce the pair (receive, misspelt recieve) on the session bus.
# Usage: change_click_announces_pair.sh TYPEWARDEN TEXTEDIT_FIXTURE COMPARISON_SCRIPT
set -u
typewarden=$1 fixture_program=$2 script=$3
. "$(dirname "$0")/../../fixtures/agent-session.sh"

agent_session_init "$script"
start_bus_monitor
start_agent "$typewarden"
start_fixture "$fixture_program" recieve receive relieve
wait_for "$scratch/agent.log" "watching TextEdit" || fail "the agent did not start watching TextEdit"
# Activations settle for half a second before the agent acts on them.
sleep 1.5

read -r _ x y w h < <(grep '^change ' "$scratch/fixture.log")
cx=$((x + w / 2)) cy=$((y + h / 2))
xdotool mousemove "$cx" "$cy"
wait_for "$scratch/agent.log" 'under the pointer: "AXButton" "Change"' 50 ||
    fail "the agent did not see the pointer over Change"
# Held long enough for the accessibility registry, which polls the buttons.
xdotool mousemove $((cx + 2)) "$cy" mousedown 1 sleep 0.3 mouseup 1

wait_for "$scratch/bus.log" '"mSpell"'
grep -q 'click released' "$scratch/agent.log" || fail "the released click did not reach the agent"
expect_announced_pair receive recieve
echo "PASSED: the pair receive/recieve was announced"
