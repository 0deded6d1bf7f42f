#!/usr/bin/env bash
# Global hotkeys of the history window, pressed while another client is in front: the plain-text
# hotkey pastes the clipboard's text and puts the content back; an action hotkey pastes the action's
# result; an action that fails leaves the clipboard and the client alone and logs why.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
source "$(dirname "${BASH_SOURCE[0]}")/capturesupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/historywindowsupport.sh" || exit 1

debug_log=$TMPDIR/Kestovan-debug-log.txt
shout=$E2E_RUN_DIR/tmp/shout.json
missing=$E2E_RUN_DIR/tmp/missing-action.json
printf '%s' '{"title":"Shout","script":"(c => [c.plainText.toUpperCase(), \"done\"])"}' >"$shout"

prepare_settings
settings ShortcutPlainText=Ctrl+Alt+P
settings --map ActionShortcuts "$shout=Ctrl+Alt+U" "$missing=Ctrl+Alt+J"

start_probe
start_capturing
wait_for_window_built
grep -q 'Unable to register hotkey' "$debug_log" && fail "a hotkey could not be registered: $(grep 'Unable to register' "$debug_log")"

clipboard_is() { [[ $(timeout 10 xclip -o -selection clipboard 2>/dev/null) == "$1" ]]; }

# Plain text: the clipboard's text is pasted, and the content comes back afterwards.
copy_text 'plain words'
wait_for_clipping 'plain words' 10 || fail "the copy was not recorded"
activate_probe
xdotool key ctrl+alt+p
e2e_poll 5 probe_shows 'plain words' || fail "the plain-text hotkey did not paste (probe has '$(probe_last_text)')"
e2e_poll 5 clipboard_is 'plain words' || fail "the clipboard was not restored after the plain-text paste"

# An action: its two results, one per line on the clipboard; the one-line edit keeps the first.
clear_probe
copy_text 'make me loud'
wait_for_clipping 'make me loud' 10 || fail "the copy was not recorded"
activate_probe
xdotool key ctrl+alt+u
e2e_poll 5 probe_shows 'MAKE ME LOUD' || fail "the action hotkey did not paste its result (probe has '$(probe_last_text)')"
clipboard_is $'MAKE ME LOUD\ndone' || fail "the clipboard does not hold the action's result"

# A failing action: nothing changes, the reason is logged.
clear_probe
copy_text 'stay as you are'
wait_for_clipping 'stay as you are' 10 || fail "the copy was not recorded"
activate_probe
xdotool key ctrl+alt+j
wait_for_log "$debug_log" "The action .*missing-action.json failed: Failed to open" 5 || fail "the failed action was not logged"
clipboard_is 'stay as you are' || fail "the failed action changed the clipboard"
[[ -z $(probe_last_text) ]] || fail "the failed action pasted '$(probe_last_text)'"

copy_text 'last copy'
wait_for_clipping 'last copy' 10 || fail "a later copy was not recorded"
(($(clipping_count 'MAKE ME LOUD') == 0)) || fail "the action's result was recorded: $(clippings)"
(($(clipping_count 'plain words') == 1)) || fail "the restored clipboard was recorded again: $(clippings)"

rc=0
stop_pid "$KESTOVAN_PID" TERM 15 || rc=$?
((rc == 0)) || fail "kestovan ended with exit code $rc"
echo "plain-text and action hotkeys pasted; a failing action changed nothing"
