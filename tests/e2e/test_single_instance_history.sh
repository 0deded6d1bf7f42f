#!/usr/bin/env bash
# The copy that takes over starts from the history as the copy it replaced left it on its way out.
# With "ClearHistory" on, the old copy clears its list when it quits; the new copy, which read the
# file while the old one still ran, must not bring the cleared clipping back when it writes.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
source "$(dirname "${BASH_SOURCE[0]}")/capturesupport.sh" || exit 1
cd "$HOME" || exit 1
"$E2E_BUILD_DIR/tests/kestovan_settings" SyncTarget=None ReleaseNotesVersion=1.10 ClearHistory=true \
    || fail "could not write the settings"

launched='Launched new instance successfully'
start_copy() { # NAME: a copy of the program with its own output log; its PID in COPY_PID.
    e2e_spawn "$E2E_RUN_DIR/logs/$1.log" "$E2E_BUILD_DIR/kestovan"
    COPY_PID=$E2E_LAST_PID
}
gone() { ! _e2e_running "$1"; }
removed_of() { # TEXT: the removed flag of its clipping in History.json (keys sorted), or "gone" when
    # no clipping holds the text: a removed one keeps nothing of it
    grep -qF "\"text\":\"$1\"" "$CAPTURE_HISTORY" || { echo gone; return; }
    grep -oE "\"removed\":(true|false),\"text\":\"$1\"" "$CAPTURE_HISTORY" | sed -E 's/^"removed":([a-z]+),.*/\1/'
}

start_probe
start_copy first
first=$COPY_PID
wait_for_log "$E2E_RUN_DIR/logs/first.log" "$launched" 20 || fail "the first copy did not start"
activate_probe
copy_text 'before the takeover'
wait_for_clipping 'before the takeover' 10 || fail "the first copy did not record the copy"
[[ $(removed_of 'before the takeover') == false ]] || fail "the new clipping is marked removed"
# The clipboard is emptied: the copy that takes over would record what it still held as a new copy.
stop_pid "$XCLIP_PID" >/dev/null 2>&1
e2e_poll 5 eval '[[ -z $(targets) ]]' || fail "the clipboard still has an owner after xclip exited"

start_copy second
e2e_poll 10 gone "$first" || fail "the first copy did not quit when a second one started"
stop_pid "$first" >/dev/null 2>&1
wait_for_log "$E2E_RUN_DIR/logs/second.log" "$launched" 15 || fail "the second copy did not take over"
e2e_poll 5 eval "[[ \$(removed_of 'before the takeover') == gone ]]" \
    || fail "the first copy did not clear its history on its way out"

# The second copy writes the file when it records the next copy.
activate_probe
copy_text 'after the takeover'
wait_for_clipping 'after the takeover' 10 || fail "the second copy did not record the copy"
[[ $(removed_of 'before the takeover') == gone ]] || fail "the second copy brought back the cleared clipping"
echo "the copy that took over kept the history as the old copy left it"
