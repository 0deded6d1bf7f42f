#!/usr/bin/env bash
# Newest copy wins: a second start makes the running copy quit and takes over, also when the old
# copy was killed with SIGKILL; a copy that never answers leaves the new one with the "already
# running" box and exit code 0, and itself keeps running once it answers again.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
cd "$HOME" || exit 1
export KESTOVAN_NOTIFIER_URL=ws://127.0.0.1:9/notifier
"$E2E_BUILD_DIR/tests/kestovan_settings" SyncTarget=None ReleaseNotesVersion=1.10 || fail "could not write the settings"

launched='Launched new instance successfully'
waiting='Another instance is running\. Waiting for it to quit\.\.\.'

start_copy() { # NAME [ARGS...]: a copy of the program with its own output log; its PID in COPY_PID.
    e2e_spawn "$E2E_RUN_DIR/logs/$1.log" "$E2E_BUILD_DIR/kestovan" "${@:2}"
    COPY_PID=$E2E_LAST_PID
}
log_of() { echo "$E2E_RUN_DIR/logs/$1.log"; }
gone() { ! _e2e_running "$1"; }

# The first copy holds the guard.
start_copy first
first=$COPY_PID
wait_for_log "$(log_of first)" "$launched" 20 || fail "the first copy did not start"

# A second start asks it to quit, and takes over once it has gone.
start_copy second
second=$COPY_PID
e2e_poll 10 gone "$first" || fail "the first copy did not quit when a second one started"
rc=0
stop_pid "$first" || rc=$?
((rc == 0)) || fail "the first copy ended with exit code $rc"
grep -q 'Another instance launched' "$(log_of first)" || fail "the first copy did not say why it quit"
grep -Eq "$waiting" "$(log_of second)" || fail "the second copy did not wait for the first"
wait_for_log "$(log_of second)" "$launched" 15 || fail "the second copy did not take over"

# A copy killed outright leaves its segment behind; the next start still takes over.
kill -KILL "$second"
e2e_poll 10 gone "$second" || fail "SIGKILL did not end the second copy"
stop_pid "$second" >/dev/null 2>&1
start_copy third
third=$COPY_PID
wait_for_log "$(log_of third)" "$launched" 15 || fail "a start after SIGKILL of the running copy did not take over"

# A running copy that does not answer (stopped): after ten tries the new copy says so and exits
# with 0, without opening its window.
kill -STOP "$third"
# With --debug it reports its box, text and all.
start_copy fourth --debug
fourth=$COPY_PID
box=
find_box() {
    box=$(xdotool search --onlyvisible --pid "$fourth" --name '^Kestovan$' 2>/dev/null | head -n1)
    [[ -n $box ]]
}
e2e_poll 25 find_box || { kill -CONT "$third"; fail "no \"already running\" box after ten tries"; }
tries=$(grep -Ec "$waiting" "$(log_of fourth)")
((tries == 10)) || { kill -CONT "$third"; fail "the fourth copy tried $tries times instead of 10"; }
grep -q "$launched" "$(log_of fourth)" && fail "the fourth copy started although the third still runs"

E2E_LOG=$(log_of fourth) E2E_LOG_MARK=0
wait_for_shown 'window "Kestovan" \(QMessageBox\): Kestovan is already running!$' 5 \
    || fail "the box does not say \"Kestovan is already running!\""

xdotool windowactivate --sync "$box" key Return 2>/dev/null || xdotool key Return
e2e_poll 10 gone "$fourth" || fail "the fourth copy did not end after its box was closed"
rc=0
stop_pid "$fourth" || rc=$?
((rc == 0)) || fail "the fourth copy ended with exit code $rc, expected 0"

# Woken up, the third copy keeps running: the fourth withdrew its request when it gave up, so the
# user is not left with no copy at all.
kill -CONT "$third"
e2e_poll 3 gone "$third" && fail "the third copy quit on the request of a copy that had given up"
grep -q 'Another instance launched' "$(log_of third)" && fail "the third copy acted on a withdrawn request"
rc=0
stop_pid "$third" TERM 15 || rc=$?
((rc == 0)) || fail "the third copy ended with exit code $rc"
echo "newest copy wins, also after SIGKILL; an unanswering copy leads to the box and exit code 0, and keeps running"
