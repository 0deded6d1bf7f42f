#!/usr/bin/env bash
# The tray icon docks in the tray; a click shows and hides the history window; its context menu
# offers "Show", "Settings" and "Quit"; "Show" opens the window pinned and "Quit" ends the program
# cleanly.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
source "$(dirname "${BASH_SOURCE[0]}")/capturesupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/traysupport.sh" || exit 1
cd "$HOME" || exit 1
# A crash dump of an earlier run must never reach out of the machine.
export KESTOVAN_NOTIFIER_URL=ws://127.0.0.1:9/notifier

debug_log=$TMPDIR/Kestovan-debug-log.txt
"$E2E_BUILD_DIR/tests/kestovan_settings" SyncTarget=None ReleaseNotesVersion=1.10 || fail "could not write the settings"

history_window() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$KESTOVAN_PID" --name '^Kestovan$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || continue
        ((WIDTH > 100 && HEIGHT > 100)) && { echo "$id"; return 0; }
    done
    return 1
}
history_shown() { [[ -n $(history_window) ]]; }
history_hidden() { [[ -z $(history_window) ]]; }

# A visible window of the program that is neither the icon nor the history window: the menu.
menu_window() {
    local icon history
    icon=$(tray_icon | cut -d' ' -f1)
    history=$(history_window)
    visible_windows | awk -v icon="$icon" -v history="$history" '$1 != icon && $1 != history { print; exit }'
}
menu_hidden() { [[ -z $(menu_window) ]]; }
tray_menu='menu "": "Show" \| "Settings" \| "Quit"$'

start_kestovan --debug
wait_for_log "$debug_log" 'Launched new instance successfully' 20 || fail "kestovan did not start"
wait_for_tray_icon
history_hidden || fail "the history window showed without being asked"

# A click toggles the window.
click_icon 1
e2e_poll 10 history_shown || fail "a click on the tray icon did not show the history window"
click_icon 1
e2e_poll 10 history_hidden || fail "a second click on the tray icon did not hide the history window"

# The context menu, with its three entries.
log_mark
click_icon 3
wait_for_shown "$tray_menu" || fail "a right click on the tray icon showed no menu with Show, Settings and Quit"
history_hidden || fail "the menu opened the history window"

# "Show": the window opens and stays open, pinned.
xdotool key Down Return
e2e_poll 10 menu_hidden || fail "the menu did not close"
e2e_poll 10 history_shown || fail "\"Show\" did not open the history window"
# Another application in front: an unpinned window would hide now.
start_probe
! e2e_poll 1.5 history_hidden || fail "the window opened by \"Show\" was not pinned"

# "Quit" ends the program through its orderly shutdown.
log_mark
click_icon 3
wait_for_shown "$tray_menu" || fail "the menu did not open a second time"
xdotool key Up Return
e2e_poll 15 eval '! _e2e_running $KESTOVAN_PID' || fail "\"Quit\" did not end the program"
rc=0
stop_pid "$KESTOVAN_PID" TERM 5 || rc=$?
((rc == 0)) || fail "\"Quit\" ended kestovan with exit code $rc"
grep -q 'Quitting the application' "$debug_log" || fail "no orderly quit after \"Quit\""
echo "tray icon: docked, click toggles, menu Show/Settings/Quit works"
