#!/usr/bin/env bash
# Two copies of the program, each with its own data, settings and temporary folders, share one sync
# folder: a clipping copied while only the first runs reaches the second's History.json through
# the folder, while the second never saw it on the clipboard.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
source "$(dirname "${BASH_SOURCE[0]}")/capturesupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/historywindowsupport.sh" || exit 1

shared=$E2E_RUN_DIR/shared-sync-folder
second=$E2E_RUN_DIR/second
mkdir -p "$shared" "$second"/{home,config,data,cache,tmp,runtime}
chmod 700 "$second/runtime"
second_env=(HOME="$second/home" XDG_CONFIG_HOME="$second/config" XDG_DATA_HOME="$second/data"
    XDG_CACHE_HOME="$second/cache" TMPDIR="$second/tmp" XDG_RUNTIME_DIR="$second/runtime")
second_history=$second/data/Morva/Kestovan/History.json

prepare_settings
settings SyncTarget=LocalFolder SyncFolder="$shared"
env "${second_env[@]}" "$HW_SETTINGS" SyncTarget=LocalFolder SyncFolder="$shared" ReleaseNotesVersion=1.10 \
    || fail "could not write the second copy's settings"

start_probe
# Started directly: start_capturing would set the sync target to none.
start_kestovan --debug
wait_for_log "$TMPDIR/Kestovan-debug-log.txt" 'Launched new instance successfully' 20 || fail "kestovan did not start"
copy_text 'travels through the shared folder'
wait_for_clipping 'travels through the shared folder' 10 || fail "the first copy did not record the clipping"
# Its sync runs a few seconds after the change; an empty history may have gone there first, at the
# start, so what counts is a history stored after the clipping was recorded.
uploaded_after_copy() {
    awk '/Item .travels through the shared folder. added/ { added = 1 }
         added && /Upload finished for History#/ { found = 1 }
         END { exit !found }' "$TMPDIR/Kestovan-debug-log.txt"
}
e2e_poll 30 uploaded_after_copy || fail "the first copy stored no history with the clipping in $shared: $(ls -la "$shared")"

# The clipboard is emptied before the second copy starts, so it can only learn the clipping by sync.
stop_pid "$XCLIP_PID" TERM 5 || true
e2e_poll 5 eval '[[ -z $(targets) ]]' || fail "the clipboard still has an owner"

e2e_spawn "$E2E_RUN_DIR/logs/second.log" env "${second_env[@]}" "$E2E_BUILD_DIR/kestovan" --debug
second_pid=$E2E_LAST_PID
wait_for_log "$second/tmp/Kestovan-debug-log.txt" 'Launched new instance successfully' 20 || fail "the second copy did not start"
_e2e_running "$KESTOVAN_PID" || fail "starting the second copy ended the first"

second_has_it() { grep -qF 'travels through the shared folder' "$second_history" 2>/dev/null; }
e2e_poll 30 second_has_it || fail "the clipping did not reach the second copy's History.json (log: $(tail -n 5 "$second/tmp/Kestovan-debug-log.txt"))"
line=$("$E2E_BUILD_DIR/tests/kestovan_history" "$second_history" | grep -F 'travels through the shared folder')
[[ $line == "0${CAPTURE_TAB}KestovanProbe${CAPTURE_TAB}"* ]] || fail "the synced clipping lost its source: '$line'"

rc=0
stop_pid "$second_pid" TERM 15 || rc=$?
((rc == 0)) || fail "the second copy ended with exit code $rc"
stop_pid "$KESTOVAN_PID" TERM 15 || rc=$?
((rc == 0)) || fail "the first copy ended with exit code $rc"
echo "a clipping copied under the first copy reached the second through $shared"
