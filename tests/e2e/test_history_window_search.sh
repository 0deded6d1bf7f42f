#!/usr/bin/env bash
# Letters typed on the history list open the search page with them; the field keeps taking the
# typing; Down goes to the results and Return pastes the match into the client in front. Letters
# beyond a to z search too, and Return in the field pastes the first match.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
source "$(dirname "${BASH_SOURCE[0]}")/capturesupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/historywindowsupport.sh" || exit 1

prepare_settings
start_probe
start_capturing
wait_for_window_built

for text in 'zebrafish in the pond' 'plain sparrow' 'another sparrow'; do
    copy_text "$text"
    wait_for_clipping "$text" 10 || fail "'$text' was not recorded"
done

open_history
# The first letters go through the list into the field; the page follows 250 ms after the last one.
log_mark
xdotool type --delay 60 'ze'
wait_for_shown 'search page after typing' 10 || fail "the search page did not follow the typing"
# Then the field has the focus: capitals and all, the search ignores case.
xdotool type --delay 60 'BRA'
# The results follow 200 ms after the last change.
wait_for_log "$TMPDIR/Kestovan-debug-log.txt" 'Search for "zebra": 1 results' 10 || fail "the search for \"zebra\" found no single match"
keep_screenshot history-window-e2e-search
xdotool key Down Return
e2e_poll 5 probe_shows 'zebrafish in the pond' || fail "the probe did not get the match (it has '$(probe_last_text)')"
e2e_poll 5 history_window_hidden || fail "the history window stayed after the paste"
[[ $(newest_clipping | cut -f2) == 'zebrafish in the pond' ]] || fail "the pasted match is not on top: $(newest_clipping)"

# The window comes back on the list with an empty search field: Return pastes the current row.
open_history
xdotool key Return
e2e_poll 5 eval '[[ $(probe_last_text) == "zebrafish in the pondanother sparrow" ]]' \
    || fail "the list was not shown again after the search (probe has '$(probe_last_text)')"

# Beyond a to z, and Return straight from the field: "köln" typed on the list finds its clipping,
# and Return pastes the first result without a Down first.
copy_text 'Grüße aus Köln'
wait_for_clipping 'Grüße aus Köln' 10 || fail "'Grüße aus Köln' was not recorded"
# A German layout has the ö on a key of its own, as the user's keyboard would.
setxkbmap de || fail "the German keyboard layout could not be set"
setxkbmap -query | grep -q '^layout: *de$' || fail "the keyboard layout is not German: $(setxkbmap -query)"
clear_probe
open_history
log_mark
xdotool type --delay 60 'köln'
wait_for_shown 'search page after typing' 10 || fail "the search page did not follow 'köln'"
xdotool key Return
e2e_poll 5 probe_shows 'Grüße aus Köln' || fail "Return after 'köln' did not paste the match (probe has '$(probe_last_text)')"

rc=0
stop_pid "$KESTOVAN_PID" TERM 15 || rc=$?
((rc == 0)) || fail "kestovan ended with exit code $rc"
echo "the search page pasted 'zebrafish in the pond'"
