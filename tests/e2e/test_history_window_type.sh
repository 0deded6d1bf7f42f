#!/usr/bin/env bash
# "Type Text" from the context menu types the clipping into the client in front one character at a
# time, characters outside the Basic Multilingual Plane (emoji) included, without a paste.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
source "$(dirname "${BASH_SOURCE[0]}")/capturesupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/historywindowsupport.sh" || exit 1

text='ok 😀 then 👍🏽 done'
prepare_settings
start_probe
start_capturing
wait_for_window_built
copy_text 'an older clipping'
wait_for_clipping 'an older clipping' 10 || fail "the first copy was not recorded"
copy_text "$text"
wait_for_clipping "$text" 10 || fail "the emoji copy was not recorded"

open_history
# The second row is current; Up goes to the emoji clipping. The menu's third entry is "Type Text".
log_mark
xdotool key Up Menu
wait_for_shown 'menu "Context menu": "[^"]*" \| "[^"]*" \| "Type Text"' || fail "the Menu key showed no context menu with \"Type Text\" third"
xdotool key Down Down Down Return
e2e_poll 10 probe_shows "$text" || fail "the probe did not get the typed text (it has '$(probe_last_text)')"
grep -q '^KEY:Ctrl+V$' "$HW_PROBE_LOG" && fail "the text was pasted, not typed"
# Typed one character after the other: 17 code points.
(($(grep -c "^TEXT:" "$HW_PROBE_LOG") >= 17)) || fail "the text did not arrive character by character"
grep -q "^TEXT:ok $(printf '\xf0\x9f\x98\x80')\$" "$HW_PROBE_LOG" || fail "the emoji was not typed as one character"

rc=0
stop_pid "$KESTOVAN_PID" TERM 15 || rc=$?
((rc == 0)) || fail "kestovan ended with exit code $rc"
echo "typed '$text' into the probe"
