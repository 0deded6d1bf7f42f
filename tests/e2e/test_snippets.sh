#!/usr/bin/env bash
# A snippet keyword typed in another application becomes the snippet's text there, also typed as fast
# as a program types; afterwards the clipboard holds what it held before, and neither the pasted text
# nor the restored content is recorded as a clipping.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
source "$(dirname "${BASH_SOURCE[0]}")/capturesupport.sh" || exit 1

before='copied before the expansion'
after='copied after the expansion'
probe_log=$E2E_RUN_DIR/logs/probe.log
# The sample snippet of "::brb", as a first start shows it.
samples=$E2E_ROOT/resources/data/examples/snippets-03-Messaging.txt
snippet_text=$(grep -A1 -F 'Be right back|::brb' "$samples" | tail -n1)
[[ -n $snippet_text ]] || fail "no text for ::brb in $samples"

clipboard_is() { [[ $(timeout 10 xclip -o -selection clipboard 2>/dev/null) == "$1" ]]; }
probe_shows() { grep -Fxq -- "TEXT:$1" "$probe_log"; }

start_probe
copy_text "$before"
start_capturing
wait_for_log "$TMPDIR/Kestovan-debug-log.txt" 'Snippet hotkeys: [0-9]+ keywords: [1-9]' 20 || fail "keyword expansion did not start"
wait_for_clipping "$before" 20 || fail "the clipboard content at start was not recorded"

activate_probe
xdotool type --delay 40 'x ::brb'
e2e_poll 10 probe_shows "x $snippet_text" || fail "the probe did not get the snippet text (see $probe_log)"
e2e_poll 10 clipboard_is "$before" || fail "the clipboard was not restored: '$(timeout 10 xclip -o -selection clipboard 2>/dev/null)'"

# Typed as fast as a password manager types: the second keyword comes within the first one's
# restore delay, and keys typed while a snippet goes in come after it, in order.
fast_text="x $snippet_text $snippet_text $snippet_text z"
xdotool type --delay 3 ' ::brb ::brb z'
e2e_poll 10 probe_shows "$fast_text" || fail "fast typing did not give '$fast_text' (see $probe_log)"
e2e_poll 10 clipboard_is "$before" || fail "after two quick expansions the clipboard holds '$(timeout 10 xclip -o -selection clipboard 2>/dev/null)'"

# Once a later copy is recorded, every clipboard change before it has been judged.
copy_text "$after"
wait_for_clipping "$after" 20 || fail "a copy after the expansion was not recorded"
(($(clipping_count) == 2)) || fail "History.json should hold only the two copies, it holds: $(clippings)"
(($(clipping_count "$before") == 1)) || fail "the restored content was recorded again: $(clippings)"
(($(clipping_count "$snippet_text") == 0)) || fail "the expanded text was recorded: $(clippings)"

# Nothing else reached the probe after the paste.
last_text=$(grep '^TEXT:' "$probe_log" | tail -n1)
[[ $last_text == "TEXT:$fast_text" ]] || fail "the probe ended with '$last_text'"

rc=0
stop_pid "$KESTOVAN_PID" TERM 15 || rc=$?
((rc == 0)) || fail "kestovan ended with exit code $rc"
echo "::brb expanded in the probe, the clipboard was restored and nothing extra was recorded"
