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

# active_window_other_than ID: the active window's id, when it is another one.
active_window_other_than() {
    local active
    active=$(xdotool getactivewindow 2>/dev/null) && [[ $active != "$1" ]] && echo "$active"
}

start_probe
start_capturing
open_settings_from_tray
dialog=$(settings_dialog)

e2e_poll 20 click_text "$dialog" Sync || fail "no Sync page button"
folder=$(e2e_poll 20 find_text "$dialog" Folder) || fail "the Sync page does not offer a local folder"
screenshot sync-page-choice >/dev/null
log_mark
click_place "$dialog" "$folder"

# The default folder does not exist, so the folder dialog asks for one.
wait_for_shown 'window .*\(QFileDialog\)' || fail "no folder dialog came"
e2e_poll 10 eval 'chooser=$(active_window_other_than "$dialog")' || fail "the folder dialog did not become active"
xdotool type --delay 10 "$shared"
# A completion list may take the first Return.
for _ in 1 2 3; do
    xdotool key Return 2>/dev/null
    e2e_poll 3 eval '[[ $(xdotool getactivewindow 2>/dev/null) == "$dialog" ]]' && break
done
[[ $(xdotool getactivewindow 2>/dev/null) == "$dialog" ]] || {
    screenshot folder-dialog-stuck >/dev/null
    fail "the folder dialog did not close"
}
e2e_poll 20 find_text "$dialog" Browse >/dev/null || fail "the page did not show the folder settings"
screenshot sync-page-folder >/dev/null
[[ $("$E2E_BUILD_DIR/tests/kestovan_settings" --get SyncTarget) == None ]] || fail "the target was stored before OK"

xdotool windowactivate --sync "$dialog" key Return
e2e_poll 10 eval '[[ -z $(settings_dialog) ]]' || fail "OK did not close the dialog"
wait_for_setting SyncTarget LocalFolder || fail "OK did not store the folder target"
[[ $("$E2E_BUILD_DIR/tests/kestovan_settings" --get SyncFolder) == "$shared" ]] \
    || fail "OK stored the folder '$("$E2E_BUILD_DIR/tests/kestovan_settings" --get SyncFolder)'"

activate_probe
copy_text 'reaches the shared folder'
wait_for_clipping 'reaches the shared folder' 10 || fail "the copy was not recorded"
e2e_poll 30 history_version_has 'reaches the shared folder' \
    || fail "the copy did not reach $shared (it holds: $(ls "$shared"))"

# "Show log" on the page opens the sync log with the merge line of that copy.
open_settings_from_tray
dialog=$(settings_dialog)
e2e_poll 20 click_text "$dialog" Sync || fail "no Sync page button the second time"
e2e_poll 20 click_text "$dialog" Show || fail "the Sync page shows no \"Show log\" link"
e2e_poll 10 eval 'synclog=$(active_window_other_than "$dialog")' || fail "\"Show log\" opened no window"
# Its OK button has the focus; the filter takes the text.
e2e_poll 20 click_text "$synclog" Filter || fail "the sync log shows no filter field"
xdotool type --delay 10 'reaches the shared'
e2e_poll 20 find_text "$synclog" Merge >/dev/null || {
    screenshot sync-log-without-merge >/dev/null
    fail "the sync log shows no \"Merge clippings: \" line of the copy"
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
