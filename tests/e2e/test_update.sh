#!/usr/bin/env bash
# At start the program asks the maintenance tool beside it for updates ("--checkupdates"), offers
# the one it reports, and after "Yes" quits and starts the tool detached with "--updater".
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
cd "$HOME" || exit 1
export KESTOVAN_NOTIFIER_URL=ws://127.0.0.1:9/notifier
"$E2E_BUILD_DIR/tests/kestovan_settings" SyncTarget=None ReleaseNotesVersion=1.10 || fail "could not write the settings"

# The program and, beside it, a stand-in maintenance tool that records each start.
bin=$E2E_RUN_DIR/bin
calls=$E2E_RUN_DIR/tool-calls.txt
mkdir -p "$bin"
cp "$E2E_BUILD_DIR/kestovan" "$bin/kestovan" || fail "could not copy the program"
cat >"$bin/maintenancetool" <<TOOL
#!/bin/sh
echo "\$(pwd) \$*" >> "$calls"
if [ "\$1" = --checkupdates ]; then
    echo 'Fetching metadata...'
    echo '<updates><update name="Kestovan" version="1.11" size="4242"/></updates>'
fi
TOOL
chmod +x "$bin/maintenancetool"

e2e_spawn "$E2E_RUN_DIR/logs/kestovan.log" "$bin/kestovan" --debug
KESTOVAN_PID=$E2E_LAST_PID

question=
find_question() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$KESTOVAN_PID" --name '^Kestovan$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || continue
        ((WIDTH > 100 && HEIGHT > 50)) && { question=$id; return 0; }
    done
    return 1
}
e2e_poll 20 find_question || fail "no update question showed"
grep -Eq ' --checkupdates$' "$calls" || fail "the tool was not asked with --checkupdates"

wait_for_shown 'window "Kestovan" \(QMessageBox\): Update for Kestovan is available: .*Version: 1\.11.* upgrade now\?$' 5 \
    || fail "the question does not offer version 1.11 ($(grep -F 'Shown window' "$TMPDIR/Kestovan-debug-log.txt"))"

xdotool windowactivate --sync "$question" key alt+y 2>/dev/null || fail "could not answer the question"
e2e_poll 15 eval '! _e2e_running $KESTOVAN_PID' || fail "the program did not quit after \"Yes\""
rc=0
stop_pid "$KESTOVAN_PID" TERM 5 || rc=$?
((rc == 0)) || fail "the program ended with exit code $rc"
e2e_poll 10 grep -qx "$bin --updater" "$calls" || fail "the tool was not started from its folder with --updater after the quit"
echo "update offered from the tool's list; after Yes the tool runs with --updater"
