#!/usr/bin/env bash
# Two running copies, signed in to one Google account, sync through a Drive stand-in. A clipping
# copied under the first is stored on Drive, the notification service passes the notice on, and the
# second merges it while it runs, without a restart and without a clipboard of its own that could
# have shown it the text.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
source "$(dirname "${BASH_SOURCE[0]}")/capturesupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/historywindowsupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/twocomputerssupport.sh" || exit 1
second_display_start

port_file=$E2E_RUN_DIR/drive.port
drive_log=$E2E_RUN_DIR/logs/drive-requests.log
e2e_spawn "$E2E_RUN_DIR/logs/drive.log" python3 "$E2E_ROOT/tests/e2e/tools/drivestandin.py" "$port_file" "$drive_log"
# Python starts slowly on a loaded machine.
wait_for_file "$port_file" 40 || fail "the Drive stand-in did not start"
base=http://127.0.0.1:$(cat "$port_file")
export KESTOVAN_GOOGLE_API_URL=$base KESTOVAN_GOOGLE_ACCOUNTS_URL=$base
export KESTOVAN_NOTIFIER_URL=ws://127.0.0.1:$(cat "$port_file")/notifier
export KESTOVAN_GOOGLE_CLIENT_ID=e2e-client.apps.example KESTOVAN_GOOGLE_CLIENT_SECRET=e2e-secret

prepare_settings
settings SyncTarget=GoogleDrive
"$E2E_BUILD_DIR/tests/kestovan_signin" e2e-first e2e-user || fail "could not sign the first copy in"
in_second "$HW_SETTINGS" SyncTarget=GoogleDrive ReleaseNotesVersion=1.10 || fail "could not write the second copy's settings"
# A stale token: the second copy's first request is refused and the token refreshed.
in_second "$E2E_BUILD_DIR/tests/kestovan_signin" stale e2e-user || fail "could not sign the second copy in"
start_probe
start_both
registered() { (($(grep -c '"operation":"register"' "$drive_log") >= 2)); }
e2e_poll 20 registered || fail "both copies did not register with the notification service: $(grep WS "$drive_log")"
grep -q '"operation":"register","type":"Linux","user":"e2e-user"' "$drive_log" || fail "odd registration: $(grep register "$drive_log")"
grep -q '^HTTP POST /o/oauth2/token' "$drive_log" || fail "the stale token was not refreshed"

copy_on_first_reaches_second 'travels through Drive while both run'
grep -qE '^WS .*\{"content":"History#[0-9a-f]{64}\.json","operation":"notify"\}' "$drive_log" \
    || fail "the first copy sent no notice of its new version"
grep -q 'WS sent to another computer' "$drive_log" || fail "no notice was passed on"
grep -q 'Notifier: Received message: {"operation":"notify","content":"History#' "$SECOND_DEBUG_LOG" \
    || fail "the second copy did not receive the notice"
grep -qE '^HTTP GET /drive/v3/files\?.*&pageToken=' "$drive_log" || fail "no listing followed a second page"
grep -qE '^HTTP GET /drive/v3/files/e2e-file-[0-9]+\?alt=media' "$drive_log" || fail "nothing was downloaded"

stop_both
echo "a clipping copied under the first copy reached the running second through Drive and a notice"
