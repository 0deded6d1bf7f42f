#!/usr/bin/env bash
# An action written in the action editor ("Add..." on the settings dialog's actions page) and bound
# to a hotkey through its row's menu: the hotkey pastes its result into the application in front,
# and the history window's "Run action" offers it and runs it on a clipping.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
source "$(dirname "${BASH_SOURCE[0]}")/capturesupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/historywindowsupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/traysupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/settingssupport.sh" || exit 1

action=$XDG_DATA_HOME/Morva/Kestovan/actions/Shouter.json
script="(c => c.plainText.toUpperCase() + '!')"

action_editor() { program_window '^New action$' 'New action'; }
shortcut_dialog() { program_window '^Set shortcut$' 'Set shortcut'; }

prepare_settings
start_probe
start_capturing
wait_for_window_built

# Actions page: the first row's menu button takes the focus; back from it past Cancel and OK is
# "Add...". The editor opens with the title focused; two tabs lead into the script.
open_settings_from_tray
dialog=$(settings_dialog)
show_page "$dialog" 5 || fail "no Actions page"
log_mark
xdotool key shift+Tab shift+Tab shift+Tab space
wait_for_shown 'window "New action" \(ActionEditor\)' || fail "\"Add...\" did not open the action editor"
editor=$(action_editor)
xdotool windowactivate --sync "$editor" >/dev/null 2>&1 || true
xdotool type --delay 40 'Shouter'
xdotool key Tab Tab ctrl+a
xdotool type --delay 40 "$script"
# Each typed key is highlighted and may open the completer; a loaded machine needs long for forty.
wait_for_log "$TMPDIR/Kestovan-debug-log.txt" "Action live test of ${#script} characters: success\$" 60 \
    || fail "the live test did not succeed on the typed script"
keep_screenshot actions-editor
# The script editor keeps Tab and Return for the script: no key leads out of it to Save.
e2e_poll 20 click_text "$editor" Save || fail "no Save button"
e2e_poll 10 eval '[[ -z $(action_editor) ]]' || fail "Save did not close the editor"
wait_for_file "$action" 5 || fail "Save wrote no $action"
[[ $(jq -r .title "$action") == Shouter ]] || fail "the saved title is $(jq -r .title "$action")"
[[ $(jq -r .script "$action") == "$script" ]] || fail "the saved script is $(jq -r .script "$action")"
[[ $(jq -r .failed "$action") == false ]] || fail "the action was saved as failed"

# The rows are made anew after Save, so they come last of all in the tab order: back from
# "Add...", which has the focus again, is the new row's menu button (the list scrolled to it).
xdotool mousemove --window "$dialog" 350 300 click --repeat 15 --delay 30 5
log_mark
xdotool key shift+Tab space
wait_for_shown 'menu "": "Edit" \| "Set shortcut" \| "Hide from menu" \| "Delete"$' \
    || fail "the new action's row showed no menu with \"Set shortcut\" second"
xdotool key Down Down Return
wait_for_shown 'window "Set shortcut" \(ShortcutDialog\)' || fail "\"Set shortcut\" did not open the shortcut dialog"
shortcut=$(shortcut_dialog)
xdotool windowactivate --sync "$shortcut" >/dev/null 2>&1 || true
xdotool key ctrl+alt+y
# The field records for a second after the last key and takes a Return meanwhile as part of it;
# the Return after that presses OK.
for _ in 1 2 3 4 5; do
    [[ $(xdotool getactivewindow 2>/dev/null) == "$shortcut" ]] || break
    xdotool key Return
    e2e_poll 1 eval '[[ -z $(shortcut_dialog) ]]' && break
done
[[ -z $(shortcut_dialog) ]] || fail "Return did not close the shortcut dialog"
keep_screenshot actions-list
# Back on the General page, whose first box takes the focus, Return presses the default button, OK.
show_page "$dialog" 0 || fail "no General page"
xdotool key Return
e2e_poll 10 eval '[[ -z $(settings_dialog) ]]' || fail "OK did not close the settings dialog"
wait_for_setting ActionShortcuts "$action=Ctrl+Alt+Y" || fail "OK did not store the action's shortcut"

# The hotkey pastes the result into the application in front.
copy_text 'make me loud'
wait_for_clipping 'make me loud' 10 || fail "the copy was not recorded"
clear_probe
xdotool key ctrl+alt+y
e2e_poll 5 probe_shows 'MAKE ME LOUD!' || fail "the action hotkey did not paste (probe has '$(probe_last_text)')"

# "Run action" is the third entry from the foot of the menu; the new action is the last of its
# submenu, and runs on the current clipping.
copy_text 'run on me'
wait_for_clipping 'run on me' 10 || fail "the copy was not recorded"
open_history
log_mark
xdotool key Up Menu
wait_for_shown 'menu "Context menu": .*"Run action"' || fail "the Menu key showed no context menu"
xdotool key Up Up Up Right
wait_for_shown 'menu "Run action": .*"Shouter"$' || fail "\"Run action\" does not list the new action last"
keep_screenshot actions-run-action
xdotool key Up Return
wait_for_clipping 'RUN ON ME!' 10 || fail "running the action from the menu did not change the clipping"

rc=0
stop_pid "$KESTOVAN_PID" TERM 15 || rc=$?
((rc == 0)) || fail "kestovan ended with exit code $rc"
echo "actions: written in the editor, bound in the list, pasted by its hotkey and run from the menu"
