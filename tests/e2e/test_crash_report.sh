#!/usr/bin/env bash
# A crash leaves one "<uuid>.dmp" minidump in the data folder and the program still dies by its
# signal; the next start sends that dump to the notification service's web socket, in 500-byte
# Base64 chunks, one per "continue", and deletes it once the service says "done".
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
cd "$HOME" || exit 1
"$E2E_BUILD_DIR/tests/kestovan_settings" SyncTarget=None ReleaseNotesVersion=1.10 || fail "could not write the settings"

data=$XDG_DATA_HOME/Morva/Kestovan
settings_file=$XDG_CONFIG_HOME/Morva/Kestovan.conf
# Nothing listens here: the first start must not find anything to send anyway.
export KESTOVAN_NOTIFIER_URL=ws://127.0.0.1:9/notifier

# Without --debug (and --demo) the crash handler is on.
start_kestovan
wait_for_log "$KESTOVAN_LOG" 'Launched new instance successfully' 20 || fail "kestovan did not start"
wait_for_log "$KESTOVAN_LOG" 'Checking for updates' 20 || fail "kestovan did not finish its start"
kill -SEGV "$KESTOVAN_PID"
rc=0
stop_pid "$KESTOVAN_PID" TERM 15 || rc=$?
((rc == 128 + 11)) || fail "the crashed program ended with $rc, not by SIGSEGV"

shopt -s nullglob
dumps=("$data"/*.dmp)
leftovers=("$data"/*.part)
((${#dumps[@]} == 1)) || fail "expected one dump in $data, found ${#dumps[@]}"
((${#leftovers[@]} == 0)) || fail "a partial dump was left: ${leftovers[*]}"
dump=${dumps[0]}
name=$(basename "$dump")
[[ $name =~ ^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}\.dmp$ ]] || fail "odd dump name $name"
[[ $(head -c 4 "$dump") == MDMP ]] || fail "the dump has no minidump header"
cp "$dump" "$E2E_RUN_DIR/original.dmp"
size=$(stat -c %s "$dump")

# The next start sends it.
port_file=$E2E_RUN_DIR/dumpserver.port
messages=$E2E_RUN_DIR/logs/dumpserver-messages.log
e2e_spawn "$E2E_RUN_DIR/logs/dumpserver.log" python3 "$E2E_ROOT/tests/e2e/tools/dumpserver.py" "$port_file" "$messages"
# Python starts slowly on a loaded machine.
wait_for_file "$port_file" 40 || fail "the dump server stand-in did not start"
export KESTOVAN_NOTIFIER_URL=ws://127.0.0.1:$(cat "$port_file")/notifier
KESTOVAN_LOG=$E2E_RUN_DIR/logs/kestovan-second.log
start_kestovan
e2e_poll 30 eval '[[ ! -e $dump ]]' || fail "the dump was not sent and deleted at the next start"

chunks=$(((size + 499) / 500))
mapfile -t received <"$messages"
((${#received[@]} == chunks + 2)) || fail "expected $((chunks + 2)) messages, got ${#received[@]}"
[[ ${received[0]} == "{\"file\":\"$name\",\"operation\":\"crash-dump-start\"}" ]] || fail "first message: ${received[0]}"
[[ ${received[chunks + 1]} == "{\"file\":\"$name\",\"operation\":\"crash-dump-end\",\"version\":\"1.10.120\"}" ]] \
    || fail "last message: ${received[chunks + 1]}"
: >"$E2E_RUN_DIR/received.dmp"
for ((i = 1; i <= chunks; i++)); do
    [[ ${received[i]} =~ ^\{\"content\":\"([A-Za-z0-9+/=]+)\",\"file\":\"$name\",\"operation\":\"crash-dump\"\}$ ]] \
        || fail "message $i is not a chunk of $name"
    base64 -d <<<"${BASH_REMATCH[1]}" >>"$E2E_RUN_DIR/received.dmp" || fail "chunk $i is not Base64"
done
cmp -s "$E2E_RUN_DIR/original.dmp" "$E2E_RUN_DIR/received.dmp" || fail "the chunks do not add up to the dump"
e2e_poll 10 grep -q '^DumpUploadTries=0$' "$settings_file" || fail "the upload tries were not reset"

rc=0
stop_pid "$KESTOVAN_PID" TERM 15 || rc=$?
((rc == 0)) || fail "the second start ended with exit code $rc"
echo "crash left one minidump; the next start sent it in $chunks chunks and deleted it"
