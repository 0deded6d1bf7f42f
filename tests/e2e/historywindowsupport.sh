# shellcheck shell=bash
# Helpers of the history window cases: settings written before the start, the history window
# found on the screen, and what the probe received. Sourced after harness.sh, e2e_case_begin and
# capturesupport.sh.

HW_SETTINGS=$E2E_BUILD_DIR/tests/kestovan_settings
HW_PROBE_LOG=$E2E_RUN_DIR/logs/probe.log
HW_SHOTS=$E2E_BUILD_DIR/screenshots

# settings ARGS...: kestovan_settings with the case's store (see tests/e2e/tools/kestovan_settings.cpp).
settings() {
    "$HW_SETTINGS" "$@" || fail "could not write the settings: $*"
}

# prepare_settings: no sync target, no window at start (the release notes were seen), first row
# and the pointer rules as a first start has them.
prepare_settings() {
    settings SyncTarget=None ReleaseNotesVersion=1.10
}

# typed_window NAME TYPE: the X id of the program's shown window whose name matches NAME and whose
# type is _NET_WM_WINDOW_TYPE_<TYPE>; empty while none is mapped. The tray icon's window matches any
# name, so the type decides.
typed_window() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$KESTOVAN_PID" --name "$1" 2>/dev/null); do
        if xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q "_NET_WM_WINDOW_TYPE_$2"; then
            echo "$id"
            return 0
        fi
    done
}

# The history window's X id: it is a utility window.
history_window() { typed_window '^Kestovan$' UTILITY; }

history_window_shown() { [[ -n $(history_window) ]]; }
history_window_hidden() { [[ -z $(history_window) ]]; }

# wait_for_hotkeys: the history hotkey is grabbed once the window exists.
wait_for_window_built() {
    wait_for_log "$TMPDIR/Kestovan-debug-log.txt" 'Snippet hotkeys: [0-9]+ keywords' 20 || fail "the history window was not built"
}

probe_shows() { grep -Fxq -- "TEXT:$1" "$HW_PROBE_LOG"; }
probe_last_text() { grep '^TEXT:' "$HW_PROBE_LOG" | tail -n1 | cut -c6-; }

# clear_probe: empties the probe's line edit through its keyboard (select all, delete).
clear_probe() {
    activate_probe
    xdotool key --clearmodifiers ctrl+a BackSpace
    e2e_poll 5 eval '[[ -z $(probe_last_text) ]]' || fail "the probe did not clear its text"
}

# open_history: the history hotkey, pressed while the probe is in front, shows the window.
open_history() {
    activate_probe
    xdotool key ctrl+shift+v
    e2e_poll 5 history_window_shown || fail "the history window did not show on Ctrl+Shift+V"
    e2e_poll 5 eval '[[ $(xdotool getactivewindow 2>/dev/null) == $(history_window) ]]' \
        || fail "the history window did not get the focus"
}

# First clipping of History.json: "time TAB text".
newest_clipping() {
    jq -r '.clippings[0] | "\(.time)\t\(.text)"' "$CAPTURE_HISTORY" 2>/dev/null
}

# keep_screenshot NAME: the whole screen into the build's screenshot folder, for review by eye.
keep_screenshot() {
    mkdir -p "$HW_SHOTS"
    import -window root "$HW_SHOTS/$1.png" || echo "harness: screenshot $1 failed" >&2
}
