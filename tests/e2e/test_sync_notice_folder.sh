#!/usr/bin/env bash
# Two running copies share one sync folder. A clipping copied under the first reaches the second's
# history while it runs: its folder watcher notices the new version and merges it, without a
# restart and without a clipboard of its own that could have shown it the text. The second clears
# its history on exit; the removal reaches the first as the second quits, also when the two run in
# different time zones.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
source "$(dirname "${BASH_SOURCE[0]}")/capturesupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/historywindowsupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/twocomputerssupport.sh" || exit 1
second_display_start
start_probe

first_has() { grep -qF -- "$1" "$CAPTURE_HISTORY" 2>/dev/null; }

# row NAME FIRST_ZONE SECOND_ZONE: both copies start afresh on a folder of their own.
row() {
    local name=$1 text="travels while both run ($1)" shared=$E2E_RUN_DIR/shared-$1 changes_before
    mkdir -p "$shared"
    rm -rf "$XDG_DATA_HOME/Morva" "$SECOND_DIR/data/Morva" "$FIRST_DEBUG_LOG" "$SECOND_DEBUG_LOG"
    prepare_settings
    settings SyncTarget=LocalFolder SyncFolder="$shared"
    SECOND_ENV=("${SECOND_BASE_ENV[@]}" TZ="$3")
    in_second "$HW_SETTINGS" SyncTarget=LocalFolder SyncFolder="$shared" ReleaseNotesVersion=1.10 ClearHistory=true \
        || fail "could not write the second copy's settings"
    export TZ=$2
    start_both
    wait_for_log "$SECOND_DEBUG_LOG" "Notifier: Monitoring folder: $shared" 10 || fail "the second copy does not watch $shared"
    changes_before=$(grep -c 'Notifier: Changes in path' "$SECOND_DEBUG_LOG")

    copy_on_first_reaches_second "$text"
    (($(grep -c 'Notifier: Changes in path' "$SECOND_DEBUG_LOG") > changes_before)) \
        || fail "the second copy merged without noticing a change in $shared"

    # Its sync waits a few seconds after a change; the second copy is gone long before that.
    stop_pid "$SECOND_PID" TERM 15 || fail "the second copy ended with exit code $LAST_EXIT_CODE"
    grep -q 'Sync: Storing the changed documents before quitting' "$SECOND_DEBUG_LOG" \
        || fail "the second copy quit without storing its cleared history"
    e2e_poll 40 eval '! first_has "$text"' \
        || fail "$name: the history the second copy cleared on exit still shows in the first (its log ends: $(tail -n 5 "$FIRST_DEBUG_LOG"))"
    stop_pid "$KESTOVAN_PID" TERM 15 || fail "the first copy ended with exit code $LAST_EXIT_CODE"
    echo "$name: a clipping copied under the first copy reached the running second, and its removal at exit reached the first"
}

SECOND_BASE_ENV=("${SECOND_ENV[@]}")
row same-zone UTC UTC
# Tokyo's clipping read as UTC lay nine hours ahead, and the second copy's removal looked older.
row second-zone Asia/Tokyo UTC
