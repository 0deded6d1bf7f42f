#!/usr/bin/env bash
# Two running copies share one sync folder. A clipping copied under the first reaches the second's
# history while it runs: its folder watcher notices the new version and merges it, without a
# restart and without a clipboard of its own that could have shown it the text.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
source "$(dirname "${BASH_SOURCE[0]}")/capturesupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/historywindowsupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/twocomputerssupport.sh" || exit 1
second_display_start

shared=$E2E_RUN_DIR/shared-sync-folder
mkdir -p "$shared"
prepare_settings
settings SyncTarget=LocalFolder SyncFolder="$shared"
in_second "$HW_SETTINGS" SyncTarget=LocalFolder SyncFolder="$shared" ReleaseNotesVersion=1.10 \
    || fail "could not write the second copy's settings"
start_probe
start_both
wait_for_log "$SECOND_DEBUG_LOG" "Notifier: Monitoring folder: $shared" 10 || fail "the second copy does not watch $shared"
changes_before=$(grep -c 'Notifier: Changes in path' "$SECOND_DEBUG_LOG")

copy_on_first_reaches_second 'travels while both run'
(($(grep -c 'Notifier: Changes in path' "$SECOND_DEBUG_LOG") > changes_before)) \
    || fail "the second copy merged without noticing a change in $shared"

stop_both
echo "a clipping copied under the first copy reached the running second through $shared"
