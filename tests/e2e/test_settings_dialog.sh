#!/usr/bin/env bash
# The tray's "Settings" opens the settings dialog; unticking "Add images to history" there and
# pressing OK keeps the next copied image out of the history, and OK with "Start automatically"
# ticked writes the autostart entry that starts this program at login.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
source "$(dirname "${BASH_SOURCE[0]}")/capturesupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/traysupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/settingssupport.sh" || exit 1
t=$CAPTURE_TAB
autostart=$XDG_CONFIG_HOME/autostart/org.morva.Kestovan.desktop

start_probe
start_capturing
wait_for_tray_icon
[[ ! -e $autostart ]] || fail "an autostart entry exists before OK"

open_settings_from_tray
dialog=$(settings_dialog)

# The General page had the focus, so the History page's first field takes it; past the other two
# fields and the selection box, Tab reaches "Add images to history".
show_page "$dialog" 1 || fail "no History page"
xdotool key Tab Tab Tab Tab space
screenshot settings-history >/dev/null
# Return presses the default button, OK.
xdotool windowactivate --sync "$dialog" key Return
e2e_poll 10 eval '[[ -z $(settings_dialog) ]]' || fail "OK did not close the dialog"
wait_for_setting IncludeImages false || fail "OK did not store IncludeImages=false"

# Start automatically was ticked: the entry starts this very program.
wait_for_file "$autostart" 5 || fail "OK with \"Start automatically\" ticked wrote no autostart entry"
exec_line=$(sed -n 's/^Exec=//p' "$autostart")
[[ $(realpath "$exec_line") == $(realpath "$E2E_BUILD_DIR/kestovan") ]] || fail "the autostart entry starts '$exec_line'"
grep -qx 'Type=Application' "$autostart" || fail "the autostart entry is no application entry"

# The next image stays out of the history; a text copied after it still goes in.
activate_probe
image=$E2E_RUN_DIR/tmp/green.png
convert -size 40x30 'xc:#20a040' "$image" || fail "could not make a test image"
copy_file "$image" image/png
read_by_kestovan || fail "kestovan did not look at the copied image"
copy_text 'text after the image'
wait_for_clipping "${t}text after the image" 5 || fail "the text after the image was not recorded"
(($(clippings | grep -c "^1${t}") == 0)) || fail "the image was recorded although images are off: $(clippings)"

rc=0
stop_pid "$KESTOVAN_PID" TERM 15 || rc=$?
((rc == 0)) || fail "kestovan exited with code $rc"
echo "settings: opened from the tray, images kept out after OK, autostart entry written"
