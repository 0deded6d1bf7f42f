#!/usr/bin/env bash
# A snippet chosen on the snippet page is pasted with its placeholder filled by the newest clipping
# and the cursor left at its marker; the snippet text is not recorded as a clipping.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
source "$(dirname "${BASH_SOURCE[0]}")/capturesupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/historywindowsupport.sh" || exit 1

prepare_settings
# One group "Replies" with "Quote" (the newest clipping in brackets, the cursor before " ok") and
# "Thanks".
mkdir -p "$(dirname "$CAPTURE_HISTORY")"
cat >"$(dirname "$CAPTURE_HISTORY")/Snippets.json" <<'JSON'
{"groups":[{"id":"{5ca1ab1e-0000-4000-8000-0000000000e1}","snippets":[
{"expander":"","hide":false,"hotkey":"","id":"{5ca1ab1e-0000-4000-8000-0000000000e2}","text":"[{CLIP}]⁞ ok","time":"2024-03-02T11:30:05","title":"Quote"},
{"expander":"","hide":false,"hotkey":"","id":"{5ca1ab1e-0000-4000-8000-0000000000e3}","text":"Thanks a lot!","time":"2024-03-02T11:30:06","title":"Thanks"}],
"time":"2024-03-01T10:00:00","title":"Replies"}],"magic":-18022399,"removedItems":{},"version":7}
JSON

start_probe
start_capturing
wait_for_window_built
copy_text 'quoted words'
wait_for_clipping 'quoted words' 10 || fail "the copy was not recorded"

# Tab goes to the group's page; the letter of "Quote" pastes it.
open_history
xdotool key Tab
keep_screenshot history-window-e2e-snippets
xdotool key q
e2e_poll 5 probe_shows '[quoted words] ok' || fail "the probe did not get the filled snippet (it has '$(probe_last_text)')"
e2e_poll 5 history_window_hidden || fail "the history window stayed after the snippet was pasted"
# The cursor was moved back to the marker: typing lands there.
e2e_poll 5 eval '[[ $(xdotool getactivewindow) == $PROBE_WINDOW ]]' || fail "the probe did not get the focus back"
# The cursor goes back to the marker by three Left presses, " ok" long.
lefts_after_paste() { sed -n '/^TEXT:\[quoted words\] ok$/,$p' "$HW_PROBE_LOG" | grep -c '^KEY:Left$'; }
e2e_poll 5 eval '(($(lefts_after_paste) == 3))' || fail "the cursor was not moved back to the marker ($(lefts_after_paste) Left presses)"
xdotool type '!'
e2e_poll 5 probe_shows '[quoted words]! ok' || fail "the cursor was not left at the marker (probe has '$(probe_last_text)')"

# Return on the snippet list pastes the current snippet.
clear_probe
open_history
xdotool key Tab Down Return
e2e_poll 5 probe_shows 'Thanks a lot!' || fail "Return did not paste the current snippet (probe has '$(probe_last_text)')"

copy_text 'copied after the snippets'
wait_for_clipping 'copied after the snippets' 10 || fail "a later copy was not recorded"
(($(clipping_count 'quoted words]') == 0 && $(clipping_count 'Thanks a lot') == 0)) \
    || fail "a pasted snippet was recorded as a clipping: $(clippings)"

rc=0
stop_pid "$KESTOVAN_PID" TERM 15 || rc=$?
((rc == 0)) || fail "kestovan ended with exit code $rc"
echo "snippets pasted with their placeholder filled and the cursor at the marker"
