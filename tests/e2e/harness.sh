# shellcheck shell=bash
# End-to-end harness, sourced by the cases (tests/e2e/test_*.sh), by tests/e2e/run.sh and by ./run.sh.
#
# A case looks like this:
#   source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
#   e2e_case_begin
#   start_kestovan --debug
#   wait_for_log "$TMPDIR/Kestovan-debug-log.txt" 'Launched new instance' 20 || fail "no start"
#   rc=0; stop_pid "$KESTOVAN_PID" TERM || rc=$?
#
# Each case gets a fresh folder for HOME, the XDG folders and TMPDIR. It runs inside the X session of
# tests/e2e/run.sh, or starts its own when run alone. Everything started here is stopped by PID when
# the shell exits; a failing case leaves its logs and a screenshot in BUILD_DIR/e2e-artifacts/<case>/.
#
# Environment: E2E_BUILD_DIR (default: <tree>/build), E2E_KEEP=1 keeps the run folder.

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
E2E_BUILD_DIR=$(cd "${E2E_BUILD_DIR:-$E2E_ROOT/build}" 2>/dev/null && pwd) || {
    echo "harness: build folder ${E2E_BUILD_DIR:-$E2E_ROOT/build} does not exist" >&2
    return 1 2>/dev/null || exit 1
}
export E2E_BUILD_DIR
# The caller's temporary folder, kept across nested isolation so that run folders do not nest.
: "${E2E_ORIG_TMPDIR:=${TMPDIR:-/tmp}}"
export E2E_ORIG_TMPDIR

E2E_X11WAIT=$E2E_BUILD_DIR/tests/x11wait
E2E_PIDS=()          # started by this shell for the current case, stopped in reverse order
E2E_SESSION_PIDS=()  # Xvfb, openbox, trayer when this shell started the session
E2E_SESSION_OWNED=0
E2E_WATCH_PID=       # waits give up early once this process is gone
LAST_EXIT_CODE=

# ---------------------------------------------------------------------------------------------
# Time and polling

_e2e_now_ms() {
    local us=${EPOCHREALTIME//[!0-9]/}
    echo $((10#$us / 1000))
}

# Seconds (may have a fraction, e.g. 0.5) to milliseconds.
_e2e_ms() {
    local whole=${1%%.*} frac=
    [[ $1 == *.* ]] && frac=${1#*.}
    frac=${frac}000
    echo $((10#${whole:-0} * 1000 + 10#${frac:0:3}))
}

# True while the process runs; a zombie (exited, not yet reaped) counts as gone.
_e2e_running() {
    local stat
    { read -r stat <"/proc/$1/stat"; } 2>/dev/null || return 1
    stat=${stat##*) }
    [[ ${stat:0:1} != Z ]]
}

# e2e_poll TIMEOUT_S COMMAND...: runs COMMAND until it succeeds or the time is up. Gives up early
# when E2E_WATCH_PID is set and that process has gone.
e2e_poll() {
    local deadline=$(($(_e2e_now_ms) + $(_e2e_ms "$1")))
    shift
    while :; do
        "$@" && return 0
        if [[ -n $E2E_WATCH_PID ]] && ! _e2e_running "$E2E_WATCH_PID"; then
            # It may have written what we wait for just before it ended.
            "$@" && return 0
            echo "harness: process $E2E_WATCH_PID has exited" >&2
            return 1
        fi
        (($(_e2e_now_ms) < deadline)) || return 1
        sleep 0.05
    done
}

# wait_for_log FILE PATTERN TIMEOUT_S: PATTERN is an extended regex matched against each line.
wait_for_log() {
    e2e_poll "$3" grep -Eqs -- "$2" "$1" && return 0
    echo "harness: no line matching /$2/ in $1 (limit $3 s)" >&2
    return 1
}

wait_for_file() {
    e2e_poll "$2" test -e "$1" && return 0
    echo "harness: $1 did not appear (limit $2 s)" >&2
    return 1
}

# wait_for_setting KEY LINE [TIMEOUT_S]: the settings dialog is hidden before its OK writes the
# settings, so a value is read once it is there, not right after the dialog is gone.
_e2e_setting_has() { "$E2E_BUILD_DIR/tests/kestovan_settings" --get "$1" | grep -qxF -- "$2"; }
wait_for_setting() {
    e2e_poll "${3:-10}" _e2e_setting_has "$1" "$2" && return 0
    echo "harness: the setting $1 is not $2: $("$E2E_BUILD_DIR/tests/kestovan_settings" --get "$1")" >&2
    return 1
}

# ---------------------------------------------------------------------------------------------
# Lines the program logs from now on

# log_mark [LOG]: later waits look only past the lines LOG has now (default: the debug log).
E2E_LOG=
E2E_LOG_MARK=0
log_mark() {
    E2E_LOG=${1:-$TMPDIR/Kestovan-debug-log.txt}
    E2E_LOG_MARK=$(wc -l <"$E2E_LOG" 2>/dev/null) || E2E_LOG_MARK=0
}

_e2e_logged_at=
_e2e_find_logged() {
    _e2e_logged_at=$(tail -n +"$((E2E_LOG_MARK + 1))" "$E2E_LOG" 2>/dev/null | grep -n -m1 -E -- "$1")
    [[ -n $_e2e_logged_at ]]
}

# wait_for_logged PATTERN [TIMEOUT_S]: a line past the mark matches PATTERN (an extended regex);
# the mark then moves past that line.
wait_for_logged() {
    [[ -n $E2E_LOG ]] || E2E_LOG=$TMPDIR/Kestovan-debug-log.txt
    if e2e_poll "${2:-20}" _e2e_find_logged "$1"; then
        E2E_LOG_MARK=$((E2E_LOG_MARK + ${_e2e_logged_at%%:*}))
        return 0
    fi
    echo "harness: no line matching /$1/ in $E2E_LOG past line $E2E_LOG_MARK (limit ${2:-20} s)" >&2
    return 1
}

# With --debug the program logs each of its windows and menus once the server has put it on the
# screen, so keys sent after that reach it:
#   Shown window "TITLE" (CLASS)            a message box adds ": ITS TEXT"
#   Shown menu "TITLE": "ENTRY" | "ENTRY"   a menu without a title has ""
# wait_for_shown PATTERN [TIMEOUT_S]: such a line past the mark, e.g. 'menu "Run action": .*"Shouter"$'.
wait_for_shown() {
    wait_for_logged "Shown $1" "${2:-20}"
}

# ---------------------------------------------------------------------------------------------
# Processes

_e2e_forget() {
    local i
    for i in "${!E2E_PIDS[@]}"; do
        [[ ${E2E_PIDS[i]} == "$1" ]] && unset 'E2E_PIDS[i]'
    done
    E2E_PIDS=("${E2E_PIDS[@]}")
    [[ $E2E_WATCH_PID == "$1" ]] && E2E_WATCH_PID=
    return 0
}

# A background job is a fork of this shell until its exec; a signal in that window would run this
# shell's traps in the fork instead of reaching the program.
_e2e_exec_done() {
    ! cmp -s "/proc/$1/cmdline" "/proc/$BASHPID/cmdline" 2>/dev/null
}

# Sends SIGNAL, waits up to TIMEOUT_S for the exit, then SIGKILL. Reaps a child of this shell and
# returns its exit code (128 + n when killed by signal n).
_e2e_terminate() {
    local pid=$1 sig=${2:-TERM} timeout=${3:-10} code=0
    if _e2e_running "$pid"; then
        E2E_WATCH_PID='' e2e_poll 2 _e2e_exec_done "$pid" || true
        kill -s "$sig" "$pid" 2>/dev/null || true
        if ! E2E_WATCH_PID='' e2e_poll "$timeout" eval "! _e2e_running $pid"; then
            echo "harness: pid $pid did not exit within $timeout s of SIG$sig; killing it" >&2
            kill -s KILL "$pid" 2>/dev/null || true
            E2E_WATCH_PID='' e2e_poll 5 eval "! _e2e_running $pid" || true
        fi
    fi
    wait "$pid" 2>/dev/null || code=$?
    return "$code"
}

# stop_pid PID [SIGNAL] [TIMEOUT_S]: stops a process this shell started and waits for its exit.
# Returns its exit code, also kept in LAST_EXIT_CODE.
stop_pid() {
    local code=0
    _e2e_terminate "$1" "${2:-TERM}" "${3:-10}" || code=$?
    _e2e_forget "$1"
    LAST_EXIT_CODE=$code
    return "$code"
}

# e2e_spawn LOGFILE COMMAND...: runs COMMAND in the background with output appended to LOGFILE;
# the PID lands in E2E_LAST_PID and is stopped when the case ends.
e2e_spawn() {
    local log=$1
    shift
    "$@" >>"$log" 2>&1 </dev/null &
    E2E_LAST_PID=$!
    E2E_PIDS+=("$E2E_LAST_PID")
}

# start_kestovan [ARGS...]: starts the program from HOME (so that no "portable" marker in the
# caller's folder counts). Output is appended to KESTOVAN_LOG; the PID is KESTOVAN_PID.
start_kestovan() {
    : "${KESTOVAN_LOG:=$E2E_RUN_DIR/logs/kestovan.log}"
    (cd "$HOME" && exec "$E2E_BUILD_DIR/kestovan" "$@") >>"$KESTOVAN_LOG" 2>&1 </dev/null &
    KESTOVAN_PID=$!
    E2E_PIDS+=("$KESTOVAN_PID")
    E2E_WATCH_PID=$KESTOVAN_PID
}

# ---------------------------------------------------------------------------------------------
# Isolation

# e2e_isolate NAME: a fresh folder for HOME, XDG_*, TMPDIR and XDG_RUNTIME_DIR (0700).
e2e_isolate() {
    E2E_RUN_DIR=$(mktemp -d "$E2E_ORIG_TMPDIR/kestovan-e2e-${1:-run}.XXXXXX") || return 1
    mkdir -p "$E2E_RUN_DIR"/{home,config,data,cache,tmp,runtime,logs,shots}
    chmod 700 "$E2E_RUN_DIR/runtime"
    export HOME=$E2E_RUN_DIR/home
    export XDG_CONFIG_HOME=$E2E_RUN_DIR/config
    export XDG_DATA_HOME=$E2E_RUN_DIR/data
    export XDG_CACHE_HOME=$E2E_RUN_DIR/cache
    export TMPDIR=$E2E_RUN_DIR/tmp
    export XDG_RUNTIME_DIR=$E2E_RUN_DIR/runtime
    unset DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM KESTOVAN_LOG
    export FONTCONFIG_FILE=$E2E_ROOT/tests/fonts.conf
    # Text recognition's worker threads spin while they wait; on a busy machine one page then takes
    # minutes instead of seconds.
    export OMP_THREAD_LIMIT=1
}

# ---------------------------------------------------------------------------------------------
# X session

_e2e_display_ready() {
    local n
    # read fails until Xvfb has written the whole line.
    read -r n 2>/dev/null <"$1" && [[ $n =~ ^[0-9]+$ ]]
}

# e2e_session_start DIR: Xvfb on a free display, openbox and trayer, each ready before the next.
# Exports DISPLAY. Logs go to DIR.
e2e_session_start() {
    local dir=$1 xvfb
    mkdir -p "$dir"
    if [[ ! -x $E2E_X11WAIT ]]; then
        echo "harness: $E2E_X11WAIT is missing; build the tree first" >&2
        return 1
    fi
    : >"$dir/display"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$dir/display" >>"$dir/xvfb.log" 2>&1 </dev/null &
    xvfb=$!
    E2E_SESSION_PIDS+=("$xvfb")
    E2E_SESSION_OWNED=1
    if ! E2E_WATCH_PID=$xvfb e2e_poll 15 _e2e_display_ready "$dir/display"; then
        echo "harness: Xvfb did not report a display (see $dir/xvfb.log)" >&2
        return 1
    fi
    DISPLAY=:$(head -n1 "$dir/display")
    export DISPLAY

    openbox --sm-disable >>"$dir/openbox.log" 2>&1 </dev/null &
    E2E_SESSION_PIDS+=("$!")
    "$E2E_X11WAIT" --wm 15000 || return 1

    trayer --edge bottom --align right --widthtype pixel --width 100 --height 24 \
        >>"$dir/trayer.log" 2>&1 </dev/null &
    E2E_SESSION_PIDS+=("$!")
    "$E2E_X11WAIT" _NET_SYSTEM_TRAY_S0 15000 || return 1
}

e2e_session_stop() {
    local i
    for ((i = ${#E2E_SESSION_PIDS[@]} - 1; i >= 0; i--)); do
        _e2e_terminate "${E2E_SESSION_PIDS[i]}" TERM 5 || true
    done
    E2E_SESSION_PIDS=()
    E2E_SESSION_OWNED=0
}

# ---------------------------------------------------------------------------------------------
# Cases

# screenshot NAME: the whole screen into the run folder; prints the file name.
screenshot() {
    local file=$E2E_RUN_DIR/shots/$1.png
    import -window root "$file" && echo "$file"
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

_e2e_collect_artifacts() {
    local dest=$E2E_BUILD_DIR/e2e-artifacts/$E2E_CASE item
    mkdir -p "$dest"
    [[ -n ${DISPLAY:-} ]] && import -window root "$dest/failure.png" 2>/dev/null || true
    for item in logs shots tmp config data session; do
        [[ -d $E2E_RUN_DIR/$item ]] && cp -a "$E2E_RUN_DIR/$item" "$dest/" 2>/dev/null || true
    done
    for item in "$E2E_RUN_DIR"/logs/*.log; do
        [[ -s $item ]] || continue
        echo "harness: last lines of $(basename "$item"):" >&2
        tail -n 20 "$item" >&2
    done
    echo "harness: logs and a screenshot of failed case $E2E_CASE are in $dest" >&2
}

_e2e_case_end() {
    local rc=$? i
    trap - EXIT INT TERM
    # A child forked from this shell but signalled before its exec would run this trap too.
    [[ $BASHPID == "$E2E_CASE_SHELL" ]] || exit "$rc"
    ((rc == 0)) || _e2e_collect_artifacts
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        _e2e_terminate "${E2E_PIDS[i]}" TERM 5 || true
    done
    E2E_PIDS=()
    ((E2E_SESSION_OWNED == 0)) || e2e_session_stop
    [[ ${E2E_KEEP:-0} == 1 ]] || rm -rf "$E2E_RUN_DIR"
    exit "$rc"
}

# e2e_case_begin [NAME]: isolates the case and makes sure an X session runs.
e2e_case_begin() {
    E2E_CASE=${1:-$(basename "$0" .sh)}
    rm -rf "$E2E_BUILD_DIR/e2e-artifacts/$E2E_CASE"
    e2e_isolate "$E2E_CASE" || exit 1
    E2E_CASE_SHELL=$BASHPID
    trap _e2e_case_end EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    if [[ ${E2E_SESSION_ACTIVE:-0} != 1 || -z ${DISPLAY:-} ]]; then
        e2e_session_start "$E2E_RUN_DIR/session" || fail "could not start the X session"
    fi
}
