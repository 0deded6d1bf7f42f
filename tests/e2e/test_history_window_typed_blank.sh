#!/usr/bin/env bash
# Words typed on the history list at a normal pace go to the search, blank included: a Space or
# Return typed before the search page opens pastes nothing into the client in front.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
source "$(dirname "${BASH_SOURCE[0]}")/capturesupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/historywindowsupport.sh" || exit 1

# probe_since LINE: what the probe reported after that many lines of its log.
probe_since() { tail -n +"$(($1 + 1))" "$HW_PROBE_LOG"; }
# pasted_since LINE: the program logged a paste of a row after that many lines of its debug log.
pasted_since() { tail -n +"$(($1 + 1))" "$TMPDIR/Kestovan-debug-log.txt" | grep -q '\] Activated '; }

prepare_settings
start_probe
start_capturing
wait_for_window_built

for text in 'take a sec ond look' 'second thoughts' 'the newest clipping'; do
    copy_text "$text"
    wait_for_clipping "$text" 10 || fail "'$text' was not recorded"
done

open_history
mark=$(wc -l <"$HW_PROBE_LOG")
log_mark
typed_at=$E2E_LOG_MARK
xdotool type --delay 120 'sec ond'
# The search page opens 250 ms after the last key; nothing may have been pasted meanwhile.
wait_for_shown 'search page after typing' 10 || fail "the search page did not follow the typing"
pasted_since "$typed_at" && fail "typing on the list pasted a row"
probe_since "$mark" | grep -q '^TEXT:' && fail "typing on the list pasted into the probe: '$(probe_last_text)'"
probe_since "$mark" | grep -q '^KEY:' && fail "typing on the list reached the probe"
history_window_shown || fail "typing on the list hid the history window"
keep_screenshot history-window-e2e-typed-blank

# The blank is part of the search: the one match is the clipping with "sec ond" in it.
wait_for_log "$TMPDIR/Kestovan-debug-log.txt" 'Search for "sec ond": 1 results' 10 || fail "the search for \"sec ond\" found no single match"
xdotool key Down Return
e2e_poll 5 probe_shows 'take a sec ond look' || fail "the match was not pasted (the probe has '$(probe_last_text)')"

# Return typed while the search is pending shows the results at once and pastes nothing.
clear_probe
open_history
mark=$(wc -l <"$HW_PROBE_LOG")
log_mark
typed_at=$E2E_LOG_MARK
xdotool type --delay 120 'newest'
xdotool key Return
wait_for_shown 'search page after typing' 10 || fail "Return on a pending search did not show the search page"
wait_for_log "$TMPDIR/Kestovan-debug-log.txt" 'Search for "newest": 1 results' 10 || fail "the search for \"newest\" found no single match"
pasted_since "$typed_at" && fail "Return on a pending search pasted a row"
probe_since "$mark" | grep -q '^TEXT:\|^KEY:' && fail "Return on a pending search pasted '$(probe_last_text)'"
history_window_shown || fail "Return on a pending search hid the history window"

rc=0
stop_pid "$KESTOVAN_PID" TERM 15 || rc=$?
((rc == 0)) || fail "kestovan ended with exit code $rc"
echo "typing 'sec ond' searched and pasted nothing"
