#!/usr/bin/env bash
# The settings dialog's Sync page: choosing "Sync with Local Folder", picking a folder in the folder
# dialog and pressing OK makes the next copy reach that folder as a new history version; "Show log"
# on the page then opens the sync log, which holds the "Merge clippings: " line of that copy.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
source "$(dirname "${BASH_SOURCE[0]}")/capturesupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/traysupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/settingssupport.sh" || exit 1
shared=$E2E_RUN_DIR/shared-sync-folder
mkdir -p "$shared"
debug_log=$TMPDIR/Kestovan-debug-log.txt

# history_version_has TEXT: a history version in the shared folder holds the text.
history_version_has() {
    local file
    for file in "$shared"/History#*.json; do
        [[ -e $file ]] || continue
        python3 -c 'import sys, zlib; sys.stdout.buffer.write(zlib.decompress(open(sys.argv[1], "rb").read()[4:]))' \
            "$file" 2>/dev/null | grep -qF -- "$1" && return 0
    done
    return 1
}

chooser_window() { program_window '^Select sync target folder$' 'Select sync target folder'; }

start_probe
start_capturing
open_settings_from_tray
dialog=$(settings_dialog)

# The Sync page's first choice takes the focus; Tab goes to the second.
show_page "$dialog" 3 || fail "no Sync page"
screenshot sync-page-choice >/dev/null
log_mark
xdotool key Tab space

# The default folder does not exist, so the folder dialog asks for one.
wait_for_shown 'window "Select sync target folder" \(QFileDialog\)' || fail "no folder dialog came"
xdotool type --delay 10 "$shared"
# A completion list may take the first Return.
for _ in 1 2 3; do
    xdotool key Return 2>/dev/null
    e2e_poll 3 eval '[[ -z $(chooser_window) ]]' && break
done
[[ -z $(chooser_window) ]] || {
    screenshot folder-dialog-stuck >/dev/null
    fail "the folder dialog did not close"
}
wait_for_setting SyncFolder "$shared" || fail "the chosen folder was not kept"
screenshot sync-page-folder >/dev/null
[[ $("$E2E_BUILD_DIR/tests/kestovan_settings" --get SyncTarget) == None ]] || fail "the target was stored before OK"
# The page shows the folder's settings: back from its first button, past Cancel and OK, is Browse.
log_mark
xdotool key shift+Tab shift+Tab shift+Tab space
wait_for_shown 'window "Select sync target folder" \(QFileDialog\)' || fail "the page did not show the folder settings with Browse"
xdotool key Escape
e2e_poll 10 eval '[[ -z $(chooser_window) ]]' || fail "Escape did not close the folder dialog"

# From Browse, Tab goes to OK.
xdotool key Tab Return
e2e_poll 10 eval '[[ -z $(settings_dialog) ]]' || fail "OK did not close the dialog"
wait_for_setting SyncTarget LocalFolder || fail "OK did not store the folder target"
[[ $("$E2E_BUILD_DIR/tests/kestovan_settings" --get SyncFolder) == "$shared" ]] \
    || fail "OK stored the folder '$("$E2E_BUILD_DIR/tests/kestovan_settings" --get SyncFolder)'"

activate_probe
copy_text 'reaches the shared folder'
wait_for_clipping 'reaches the shared folder' 10 || fail "the copy was not recorded"
e2e_poll 30 history_version_has 'reaches the shared folder' \
    || fail "the copy did not reach $shared (it holds: $(ls "$shared"))"

# "Show log" on the page opens the sync log with the merge line of that copy. The page's first
# button has the focus; back from it past Cancel, OK, Browse, the folder, the four boxes and the
# status line is the line's link (the sync buttons, hidden while a pass runs, are not on the way).
open_settings_from_tray
dialog=$(settings_dialog)
show_page "$dialog" 3 || fail "no Sync page the second time"
log_mark
xdotool key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab Return
wait_for_shown 'window "" \(SyncLogDialog\)' || fail "the Sync page's \"Show log\" opened no sync log"
# Its OK button has the focus; the filter comes next, then the list, whose row Ctrl+C copies.
xdotool key Tab
xdotool type --delay 10 'reaches the shared'
xdotool key Tab ctrl+c
merge_line_copied() { timeout 10 xclip -o -selection clipboard 2>/dev/null | grep -qF "Merge clippings: Item 'reaches the shared folder' added"; }
e2e_poll 10 merge_line_copied || {
    screenshot sync-log-without-merge >/dev/null
    fail "the sync log shows no \"Merge clippings: \" line of the copy (its row: $(timeout 10 xclip -o -selection clipboard 2>/dev/null))"
}
grep -qF "Merge clippings: Item 'reaches the shared folder' added" "$debug_log" \
    || fail "the debug log has no merge line of the copy"
screenshot sync-log >/dev/null
xdotool key Escape
e2e_poll 10 eval '[[ $(xdotool getactivewindow 2>/dev/null) == "$dialog" ]]' || fail "the sync log did not close"
xdotool key Escape

rc=0
stop_pid "$KESTOVAN_PID" TERM 15 || rc=$?
((rc == 0)) || fail "kestovan exited with code $rc"
echo "sync page: a folder chosen on the page and OK made the next copy reach it; Show log showed its merge line"
