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
# Its first box has the focus; past the import and export buttons, the group list and its four
# buttons (the first group is current, so it cannot move up) and the snippet list is the add button.
xdotool key Tab Tab Tab Tab Tab Tab Tab Tab Tab space
# The new snippet's name is open for typing.
xdotool key ctrl+a
xdotool type --delay 30 'Sign off'
xdotool key Return
screenshot snippets-page-named >/dev/null

# Back in the snippet list, the new snippet (the last) current: past the add, remove, edit, up and
# move buttons and "Insert" is "Options"; its third entry is "Set expand keyword".
log_mark
xdotool key Tab Tab Tab Tab Tab Tab Tab space
wait_for_shown 'menu "[^"]*": "[^"]*" \| "[^"]*" \| "Set expand keyword' || fail "\"Options\" showed no menu with \"Set expand keyword\" third"
xdotool key Down Down Down Return
wait_for_shown 'window "Set keyword" \(QInputDialog\)' || fail "\"Set expand keyword\" asked nothing"
keyword_dialog() { program_window '^Set keyword$' 'Set keyword'; }
xdotool type --delay 30 "$keyword"
xdotool key Return
e2e_poll 10 eval '[[ -z $(keyword_dialog) ]]' ||
    fail "the keyword dialog did not close"

# "Options" has the focus again; the text editor comes next.
xdotool key Tab
xdotool type --delay 30 "$text"
screenshot snippets-page-filled >/dev/null

lines_before=$(keyword_lines)
# The editor keeps Return; back on the General page, whose first box takes the focus, Return
# presses the default button, OK.
show_page "$dialog" 0 || fail "no General page"
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
