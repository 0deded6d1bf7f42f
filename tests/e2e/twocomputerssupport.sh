# shellcheck shell=bash
# Helpers of the cases where two copies of the program play two computers. The first runs in the
# case's X session, the second in an X session of its own: on one display it would record the
# copy itself from the shared clipboard, and nothing would have travelled. Each copy has its own
# home, settings, data and temporary folders. Sourced after harness.sh, e2e_case_begin,
# capturesupport.sh and historywindowsupport.sh.

SECOND_DIR=$E2E_RUN_DIR/second
mkdir -p "$SECOND_DIR"/{home,config,data,cache,tmp,runtime}
chmod 700 "$SECOND_DIR/runtime"
SECOND_ENV=(HOME="$SECOND_DIR/home" XDG_CONFIG_HOME="$SECOND_DIR/config" XDG_DATA_HOME="$SECOND_DIR/data"
    XDG_CACHE_HOME="$SECOND_DIR/cache" TMPDIR="$SECOND_DIR/tmp" XDG_RUNTIME_DIR="$SECOND_DIR/runtime")
SECOND_HISTORY=$SECOND_DIR/data/Morva/Kestovan/History.json
SECOND_DEBUG_LOG=$SECOND_DIR/tmp/Kestovan-debug-log.txt
FIRST_DEBUG_LOG=$TMPDIR/Kestovan-debug-log.txt

# second_display_start: an X session for the second copy; the case's DISPLAY stays the first's.
second_display_start() {
    local first=$DISPLAY
    e2e_session_start "$E2E_RUN_DIR/second-session" || fail "could not start the second X session"
    SECOND_DISPLAY=$DISPLAY
    export DISPLAY=$first
    [[ $SECOND_DISPLAY != "$first" ]] || fail "the second copy got the first copy's display"
}

# in_second CMD...: runs a command as the second computer (its folders, its display).
in_second() {
    env "${SECOND_ENV[@]}" DISPLAY="$SECOND_DISPLAY" "$@"
}

# start_both: the first copy, then the second; both past their start and their first sync.
start_both() {
    start_kestovan --debug
    wait_for_log "$FIRST_DEBUG_LOG" 'Launched new instance successfully' 20 || fail "the first copy did not start"
    # env, not in_second: the PID must be the program's own, so that stopping it reaches it.
    e2e_spawn "$E2E_RUN_DIR/logs/second.log" env "${SECOND_ENV[@]}" DISPLAY="$SECOND_DISPLAY" \
        "$E2E_BUILD_DIR/kestovan" --debug
    SECOND_PID=$E2E_LAST_PID
    wait_for_log "$SECOND_DEBUG_LOG" 'Launched new instance successfully' 20 || fail "the second copy did not start"
    _e2e_running "$KESTOVAN_PID" || fail "starting the second copy ended the first"
    wait_for_log "$FIRST_DEBUG_LOG" 'Sync: File list received' 30 || fail "the first copy's start-up sync did not run"
    wait_for_log "$SECOND_DEBUG_LOG" 'Sync: File list received' 30 || fail "the second copy's start-up sync did not run"
}

second_has() { grep -qF -- "$1" "$SECOND_HISTORY" 2>/dev/null; }

# copy_on_first_reaches_second TEXT: copied under the first copy, the clipping appears in the
# running second copy's history, which never saw it on its own clipboard.
copy_on_first_reaches_second() {
    local text=$1 line
    copy_text "$text"
    wait_for_clipping "$text" 10 || fail "the first copy did not record the clipping"
    e2e_poll 60 second_has "$text" \
        || fail "the clipping did not reach the second copy (its log ends: $(tail -n 5 "$SECOND_DEBUG_LOG"))"
    line=$("$E2E_BUILD_DIR/tests/kestovan_history" "$SECOND_HISTORY" | grep -F -- "$text")
    [[ $line == "0${CAPTURE_TAB}KestovanProbe${CAPTURE_TAB}"* ]] || fail "the synced clipping lost its source: '$line'"
    ! in_second timeout 5 xclip -o -selection clipboard 2>/dev/null | grep -qF -- "$text" \
        || fail "the second copy's display had the text on its clipboard"
    _e2e_running "$SECOND_PID" || fail "the second copy is no longer running"
}

# stop_both: both end cleanly.
stop_both() {
    local rc=0
    stop_pid "$SECOND_PID" TERM 15 || rc=$?
    ((rc == 0)) || fail "the second copy ended with exit code $rc"
    stop_pid "$KESTOVAN_PID" TERM 15 || rc=$?
    ((rc == 0)) || fail "the first copy ended with exit code $rc"
}
