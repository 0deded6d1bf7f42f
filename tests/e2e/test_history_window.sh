#!/usr/bin/env bash
# The main road: three texts copied in another client, Ctrl+Shift+V while that client is in front
# shows the history window at the pointer with the second-newest clipping current; Down and Return
# paste the clipping below it into the client, the window goes away, and the pasted clipping is on
# top of History.json with a fresh time. Escape hides the window and keeps its place for the next
# start.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
source "$(dirname "${BASH_SOURCE[0]}")/capturesupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/historywindowsupport.sh" || exit 1

prepare_settings
start_probe
start_capturing
wait_for_window_built
history_window_hidden || fail "the history window showed at start although the release notes were seen"

for text in 'alpha clipping' 'beta clipping' 'gamma clipping'; do
    copy_text "$text"
    wait_for_clipping "$text" 10 || fail "'$text' was not recorded"
done
[[ $(clippings | cut -f6 | head -n3 | paste -sd,) == 'gamma clipping,beta clipping,alpha clipping' ]] \
    || fail "unexpected history order: $(clippings)"

xdotool mousemove 500 300
open_history
# Opened at the pointer: the window's frame holds it.
eval "$(xdotool getwindowgeometry --shell "$(history_window)")"
((X <= 500 && 500 <= X + WIDTH && Y <= 300 && 300 <= Y + HEIGHT)) \
    || fail "the window ($X,$Y ${WIDTH}x$HEIGHT) is not at the pointer (500,300)"
# Always on top, a utility window, on every desktop.
props=$(xprop -id "$(history_window)" _NET_WM_STATE _NET_WM_WINDOW_TYPE _NET_WM_DESKTOP)
grep -q '_NET_WM_STATE_ABOVE' <<<"$props" || fail "the window is not kept above others: $props"
grep -q '_NET_WM_WINDOW_TYPE_UTILITY' <<<"$props" || fail "the window is not a utility window: $props"
grep -q '_NET_WM_DESKTOP(CARDINAL) = 4294967295' <<<"$props" || fail "the window is not on every desktop: $props"
keep_screenshot history-window-e2e

# "InitialSelection" 1: the second row ("beta") is current, so Down makes "alpha" current.
before=$(date +%Y-%m-%dT%H:%M:%S)
xdotool key Down Return
e2e_poll 5 probe_shows 'alpha clipping' || fail "the probe did not get 'alpha clipping' (it has '$(probe_last_text)')"
e2e_poll 5 history_window_hidden || fail "the history window stayed after the paste"
[[ $(xdotool getactivewindow) == "$PROBE_WINDOW" ]] || fail "the focus did not go back to the probe"
[[ $(timeout 10 xclip -o -selection clipboard) == 'alpha clipping' ]] || fail "the clipboard does not hold the pasted clipping"

on_top_and_fresh() {
    local time text
    IFS=$'\t' read -r time text <<<"$(newest_clipping)"
    [[ $text == 'alpha clipping' && ! $time < $before ]]
}
e2e_poll 5 on_top_and_fresh || fail "History.json does not have 'alpha clipping' on top with a fresh time: $(newest_clipping)"
(($(clipping_count) == 3)) || fail "the paste was recorded as a new clipping: $(clippings)"
grep -q 'Activated' "$TMPDIR/Kestovan-debug-log.txt" || fail "no 'Activated' line in the debug log"

# Escape hides the window and stores where it was.
open_history
eval "$(xdotool getwindowgeometry --shell "$(history_window)")"
shown_at="$X $Y"
xdotool key Escape
e2e_poll 5 history_window_hidden || fail "Escape did not hide the window"
e2e_poll 5 eval '[[ $(settings --get WindowPos) == "$shown_at" ]]' \
    || fail "hiding did not store the window's place $shown_at: '$(settings --get WindowPos)'"

# Shift and a click on the close button end the program in order.
open_history
eval "$(xdotool getwindowgeometry --shell "$(history_window)")"
# The program asks the keyboard whether Shift is held when it handles the click: Shift stays down
# until the window has gone.
xdotool mousemove $((X + 8 + 16)) $((Y + 8 + 16)) keydown shift click 1
e2e_poll 10 history_window_hidden
xdotool keyup shift
e2e_poll 10 eval "! _e2e_running $KESTOVAN_PID" || fail "Shift and the close button did not end the program"
rc=0
stop_pid "$KESTOVAN_PID" TERM 5 || rc=$?
((rc == 0)) || fail "kestovan ended with exit code $rc"

# Not at the pointer: the window comes back where it was hidden, start after start.
settings --bool OpenOnMouse=false
stored=$(settings --get WindowPos)
[[ -n $stored ]] || fail "no window place stored at the quit"
for start in 1 2; do
    rm -f "$TMPDIR/Kestovan-debug-log.txt"
    start_capturing
    wait_for_window_built
    xdotool mousemove 100 700
    open_history
    eval "$(xdotool getwindowgeometry --shell "$(history_window)")"
    [[ "$X $Y" == "$stored" ]] || fail "start $start: the window came back at $X $Y instead of $stored"
    xdotool key Escape
    e2e_poll 5 history_window_hidden || fail "Escape did not hide the window"
    rc=0
    stop_pid "$KESTOVAN_PID" TERM 10 || rc=$?
    ((rc == 0)) || fail "kestovan ended with exit code $rc"
    [[ $(settings --get WindowPos) == "$stored" ]] || fail "start $start: the stored place moved to $(settings --get WindowPos)"
done
echo "pasted 'alpha clipping' into the probe from the history window (shown at $shown_at, kept at $stored)"
