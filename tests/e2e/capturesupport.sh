# shellcheck shell=bash
# Helpers of the capture cases: the probe as the application in front, xclip as the owner of the
# clipboard, and the clippings of History.json. Sourced after harness.sh and e2e_case_begin.

CAPTURE_HISTORY=$XDG_DATA_HOME/Morva/Kestovan/History.json
CAPTURE_IMAGES=$XDG_DATA_HOME/Morva/Kestovan/images
CAPTURE_TAB=$'\t'
CAPTURE_COPIES=0

# start_probe: the probe window, shown and active; its window id in PROBE_WINDOW.
start_probe() {
    local log=$E2E_RUN_DIR/logs/probe.log
    e2e_spawn "$log" "$E2E_BUILD_DIR/tests/kestovan_probe"
    wait_for_log "$log" '^READY:' 20 || fail "the probe window did not show"
    PROBE_WINDOW=$(sed -n 's/^READY://p' "$log" | head -n1)
    activate_probe
}

activate_probe() {
    xdotool windowactivate --sync "$PROBE_WINDOW" >/dev/null 2>&1 || fail "could not activate the probe window"
    e2e_poll 5 _capture_probe_active || fail "the probe window did not become active"
}

_capture_probe_active() {
    [[ $(xdotool getactivewindow 2>/dev/null) == "$PROBE_WINDOW" ]]
}

# start_capturing: kestovan with a debug log, past its start-up. A returning user with no sync
# target, so the history window does not open over the probe at start.
start_capturing() {
    "$E2E_BUILD_DIR/tests/kestovan_settings" ReleaseNotesVersion=1.10 SyncTarget=None || fail "could not write the settings"
    start_kestovan --debug
    wait_for_log "$TMPDIR/Kestovan-debug-log.txt" 'Launched new instance successfully' 20 || fail "kestovan did not start"
}

# copy_file FILE [TARGET]: xclip takes the clipboard with the file's bytes (as TARGET); its PID is
# XCLIP_PID, its output XCLIP_LOG. It serves requests until another client takes the clipboard.
copy_file() {
    local log=$E2E_RUN_DIR/logs/xclip-$((++CAPTURE_COPIES)).log
    local args=(-quiet -selection clipboard)
    [[ -n ${2:-} ]] && args+=(-t "$2")
    e2e_spawn "$log" xclip "${args[@]}" "$1"
    XCLIP_PID=$E2E_LAST_PID
    XCLIP_LOG=$log
    wait_for_log "$log" 'Waiting for selection requests' 5 || fail "xclip did not take the clipboard"
}

# read_by_kestovan: kestovan has asked the current xclip about its content.
read_by_kestovan() {
    wait_for_log "$XCLIP_LOG" 'Waiting for selection request number 2' 5
}

# copy_text TEXT
copy_text() {
    local file=$E2E_RUN_DIR/tmp/copy-$((CAPTURE_COPIES + 1)).txt
    printf '%s' "$1" >"$file"
    copy_file "$file"
}

# clippings: "type TAB application TAB id TAB file name TAB html length TAB text", newest first.
clippings() {
    "$E2E_BUILD_DIR/tests/kestovan_history" "$CAPTURE_HISTORY" 2>/dev/null
}

# clipping_count [FIXED_STRING]: clippings whose line contains the string (all without one).
clipping_count() {
    local n
    n=$(clippings | grep -cF -- "${1:-}")
    echo "${n:-0}"
}

has_clipping() {
    clippings | grep -qF -- "$1"
}

# wait_for_clipping FIXED_STRING [TIMEOUT_S]
wait_for_clipping() {
    e2e_poll "${2:-5}" has_clipping "$1" && return 0
    echo "harness: no clipping with '$1' in $CAPTURE_HISTORY; it holds:" >&2
    clippings >&2
    return 1
}

# targets: what the clipboard's owner offers now.
targets() {
    timeout 10 xclip -o -selection clipboard -t TARGETS 2>/dev/null
}
