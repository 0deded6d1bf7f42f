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

# row_menu_x WINDOW Y: the rightmost dark pixel of a list row about Y, left of the scroll bar: on a
# user action's row without a shortcut that is the row's menu button.
row_menu_x() {
    local shot=$E2E_RUN_DIR/shots/row.png width half
    import -window "$1" "$shot" || return 1
    width=$(identify -format %w "$shot") || return 1
    half=$((width / 2))
    convert "$shot" -crop "$((half - 40))x16+$half+$(($2 - 2))" +repage -colorspace Gray -threshold 45% txt:- |
        awk -F'[,:]' -v left="$half" '/#000000|black/ { if ($1 + 0 > max) max = $1 + 0 } END { if (max) print left + max }'
}

prepare_settings
start_probe
start_capturing
wait_for_window_built

# Actions page, "Add...": the editor opens with the title focused; two tabs lead into the script.
open_settings_from_tray
dialog=$(settings_dialog)
show_page "$dialog" 5 || fail "no Actions page"
e2e_poll 20 click_text "$dialog" 'Add...' || fail "the Actions page did not show \"Add...\""
e2e_poll 10 eval '[[ -n $(action_editor) ]]' || fail "\"Add...\" did not open the action editor"
editor=$(action_editor)
xdotool windowactivate --sync "$editor" >/dev/null 2>&1 || true
xdotool type --delay 40 'Shouter'
xdotool key Tab Tab ctrl+a
xdotool type --delay 40 "$script"
# Each typed key is highlighted and may open the completer; a loaded machine needs long for forty.
wait_for_log "$TMPDIR/Kestovan-debug-log.txt" "Action live test of ${#script} characters: success\$" 60 \
    || fail "the live test did not succeed on the typed script"
keep_screenshot actions-editor
e2e_poll 20 click_text "$editor" Save || fail "no Save button"
e2e_poll 10 eval '[[ -z $(action_editor) ]]' || fail "Save did not close the editor"
wait_for_file "$action" 5 || fail "Save wrote no $action"
[[ $(jq -r .title "$action") == Shouter ]] || fail "the saved title is $(jq -r .title "$action")"
[[ $(jq -r .script "$action") == "$script" ]] || fail "the saved script is $(jq -r .script "$action")"
[[ $(jq -r .failed "$action") == false ]] || fail "the action was saved as failed"

# The new row comes last: scroll there and open its menu; "Set shortcut" is its second entry.
xdotool windowactivate --sync "$dialog" >/dev/null 2>&1 || true
xdotool mousemove --window "$dialog" 350 300 click --repeat 15 --delay 30 5
place=$(e2e_poll 20 find_text "$dialog" Shouter | tail -n1) || fail "the list shows no row for the new action"
read -r _ row_y <<<"$place"
menu_x=$(row_menu_x "$dialog" "$row_y")
[[ -n $menu_x ]] || fail "no menu button on the new action's row"
log_mark
xdotool mousemove --window "$dialog" "$menu_x" "$((row_y + 5))" click 1
wait_for_shown 'menu "": .*"Set shortcut' || fail "the row's menu button showed no menu"
xdotool key Down Down Return
e2e_poll 10 eval '[[ -n $(shortcut_dialog) ]]' || fail "\"Set shortcut\" did not open the shortcut dialog"
shortcut=$(shortcut_dialog)
xdotool windowactivate --sync "$shortcut" >/dev/null 2>&1 || true
xdotool key ctrl+alt+y
sleep 1.5
keep_screenshot actions-shortcut
e2e_poll 20 click_text "$shortcut" OK || fail "no OK in the shortcut dialog"
e2e_poll 10 eval '[[ -z $(shortcut_dialog) ]]' || fail "OK did not close the shortcut dialog"
keep_screenshot actions-list
e2e_poll 20 click_text "$dialog" OK || fail "no OK in the settings dialog"
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
