#!/usr/bin/env bash
# A snippet made on the settings' Snippets page, with its name, text and keyword typed there, is in
# Snippets.json once OK is pressed, and its keyword typed in another application expands to its text.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
source "$(dirname "${BASH_SOURCE[0]}")/capturesupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/traysupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/settingssupport.sh" || exit 1

snippets_file=$XDG_DATA_HOME/Morva/Kestovan/Snippets.json
probe_log=$E2E_RUN_DIR/logs/probe.log
keyword='::sgn'
text='Kind regards from the page'
debug_log=$TMPDIR/Kestovan-debug-log.txt

probe_shows() { grep -Fxq -- "TEXT:$1" "$probe_log"; }
keyword_lines() { grep -c 'Snippet hotkeys: [0-9]* keywords:' "$debug_log"; }
# The new snippet's fields, in the order the file keeps them.
snippet_saved() {
    grep -Eq "\"expander\":\"$keyword\",(\"[a-z]+\":(\"[^\"]*\"|[a-z]+),)*\"text\":\"$text\",(\"[a-z]+\":\"[^\"]*\",)*\"title\":\"Sign off\"" "$snippets_file"
}

start_probe
start_capturing
wait_for_log "$debug_log" 'Snippet hotkeys: [0-9]+ keywords: [1-9]' 20 || fail "keyword expansion did not start"
open_settings_from_tray
dialog=$(settings_dialog)

show_page "$dialog" 2 || fail "no Snippets page"
# The first group's snippets are listed; from the list, Tab reaches the add button below it.
e2e_poll 20 click_text "$dialog" Clipboard || fail "the Snippets page did not list the sample snippets"
xdotool key Tab space
sleep 0.5
# The new snippet's name is open for typing.
xdotool key ctrl+a
xdotool type --delay 30 'Sign off'
xdotool key Return
screenshot snippets-page-named >/dev/null

log_mark
e2e_poll 20 click_text "$dialog" Options || fail "no Options button"
# The third entry: "Set expand keyword".
wait_for_shown 'menu "[^"]*": "[^"]*" \| "[^"]*" \| "Set expand keyword' || fail "\"Options\" showed no menu with \"Set expand keyword\" third"
xdotool key Down Down Down Return
keyword_dialog() { program_window '^Set keyword$' 'Set keyword'; }
e2e_poll 10 eval '[[ -n $(keyword_dialog) ]]' ||
    fail "\"Set expand keyword\" asked nothing"
xdotool type --delay 30 "$keyword"
xdotool key Return
e2e_poll 10 eval '[[ -z $(keyword_dialog) ]]' ||
    fail "the keyword dialog did not close"

# The editor lies below its label "Snippet Text".
xdotool windowactivate --sync "$dialog" >/dev/null 2>&1 || true
place=$(e2e_poll 20 find_text "$dialog" Text) || fail "no snippet text editor"
read -r px py <<<"$place"
xdotool mousemove --window "$dialog" "$px" "$((py + 60))" click 1
xdotool type --delay 30 "$text"
screenshot snippets-page-filled >/dev/null

lines_before=$(keyword_lines)
# Return in the editor is a line break; in the snippet list it presses the default button, OK.
e2e_poll 20 click_text "$dialog" Clipboard || fail "the snippet list went away"
xdotool key Return
e2e_poll 10 eval '[[ -z $(settings_dialog) ]]' || fail "OK did not close the dialog"
e2e_poll 10 snippet_saved || fail "Snippets.json does not hold the new snippet: $(cat "$snippets_file")"
e2e_poll 10 eval '(($(keyword_lines) > lines_before))' || fail "the keywords were not renewed after OK"

activate_probe
xdotool type --delay 40 "x $keyword"
e2e_poll 10 probe_shows "x $text" || fail "the probe did not get the snippet text (see $probe_log)"

rc=0
stop_pid "$KESTOVAN_PID" TERM 15 || rc=$?
((rc == 0)) || fail "kestovan ended with exit code $rc"
echo "a snippet made on the Snippets page was saved by OK and its keyword expanded in the probe"
