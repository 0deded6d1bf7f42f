#!/usr/bin/env bash
# "Edit..." on an image clipping opens the image editor; one rectangle drawn and OK make the edited
# picture the clipping's own: its cached file holds it, the clipboard offers that file, and no new
# clipping is recorded. Screenshots of the editor with each tool go to the build's screenshot folder.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
source "$(dirname "${BASH_SOURCE[0]}")/capturesupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/historywindowsupport.sh" || exit 1

# The editor's layout: tool buttons 56 pixels high in English, below a 2-pixel margin, 4 pixels from
# the left and at least 56 wide (as wide as the longest name), so 28 pixels in lies on each.
tool_at() { # tool_at INDEX: prints "x y" of a point well inside the tool button on the screen
    echo $((EDITOR_X + 4 + 28)) $((EDITOR_Y + 2 + 56 * $1 + 28))
}

# The editor's X id; empty while it is not mapped.
editor_window() { typed_window '^Edit Image$' DIALOG; }

# picture_in_editor SHOT: "WIDTHxHEIGHT+X+Y" of the picture's flat colour within the editor's window.
picture_in_editor() {
    convert "$1" -crop "${EDITOR_WIDTH}x$EDITOR_HEIGHT+$EDITOR_X+$EDITOR_Y" +repage \
        -fill black +opaque '#1080c0' -fill white -opaque '#1080c0' -trim -format '%wx%h%O' info: 2>/dev/null
}

pixel() { # pixel FILE X Y: "r,g,b"
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info: 2>/dev/null
}

prepare_settings
start_probe
start_capturing
wait_for_window_built
copy_text 'a text before the picture'
wait_for_clipping 'a text before the picture' 10 || fail "the text copy was not recorded"
image=$E2E_RUN_DIR/tmp/picture.png
convert -size 300x200 'xc:#1080c0' "$image" || fail "could not make a test image"
copy_file "$image" image/png
t=$CAPTURE_TAB
wait_for_clipping "1${t}KestovanProbe${t}" 10 || fail "the image copy was not recorded"
IFS=$'\t' read -r _ _ id file _ <<<"$(clippings | head -n1)"
cached=$CAPTURE_IMAGES/$id/$file
wait_for_file "$cached" 5 || fail "the image was not cached"
original=$(md5sum <"$cached")
clips_before=$(clipping_count)

open_history
# The second row is current; Up goes to the picture. The menu's fourth entry is "Edit...".
log_mark
xdotool key Up Menu
wait_for_shown 'menu "Context menu": ("[^"]*" \| ){3}"Edit\.\.\."' || fail "the Menu key showed no context menu with \"Edit...\" fourth"
xdotool key Down Down Down Down Return
e2e_poll 10 eval '[[ -n $(editor_window) ]]' || fail "the image editor did not open"
editor=$(editor_window)
eval "$(xdotool getwindowgeometry --shell "$editor")"
EDITOR_X=$X EDITOR_Y=$Y EDITOR_WIDTH=$WIDTH EDITOR_HEIGHT=$HEIGHT
# Where the picture lies in the editor only the screen shows.
place=
picture_shown_whole() {
    shot=$(screenshot editor-opened) && place=$(picture_in_editor "$shot") && [[ $place =~ ^300x200\+([0-9]+)\+([0-9]+)$ ]]
}
e2e_poll 10 picture_shown_whole || fail "the picture is not shown whole at 100 % (found '$place')"
px=$((EDITOR_X + BASH_REMATCH[1])) py=$((EDITOR_Y + BASH_REMATCH[2]))
keep_screenshot image-editor-arrow-tool

# The rectangle tool, then one rectangle from (50, 40) to (220, 150) of the picture.
read -r bx by < <(tool_at 2)
xdotool mousemove "$bx" "$by" click 1
xdotool mousemove $((px + 50)) $((py + 40)) mousedown 1
for step in 1 2 3 4 5; do
    xdotool mousemove $((px + 50 + 34 * step)) $((py + 40 + 22 * step))
done
xdotool mouseup 1
keep_screenshot image-editor-rectangle-drawn

# OK by its default button.
xdotool key Return
e2e_poll 10 eval '[[ -z $(editor_window) ]]' || fail "OK did not close the editor"

changed() { [[ $(md5sum <"$cached") != "$original" ]]; }
e2e_poll 10 changed || fail "the cached picture was not replaced"
[[ $(identify -format '%wx%h' "$cached") == 300x200 ]] || fail "the edited picture is $(identify -format '%wx%h' "$cached"), not 300x200"
# The rectangle's left side runs through (50, 95); inside and outside it the picture is untouched.
[[ $(pixel "$cached" 50 95) =~ ^2[0-9][0-9],[0-9]{1,2},[0-9]{1,2}$ ]] || fail "no red frame at (50,95): $(pixel "$cached" 50 95)"
[[ $(pixel "$cached" 135 95) == 16,128,192 ]] || fail "the inside of the frame changed: $(pixel "$cached" 135 95)"
[[ $(pixel "$cached" 280 20) == 16,128,192 ]] || fail "the picture changed outside the frame: $(pixel "$cached" 280 20)"

uris=$(timeout 10 xclip -o -selection clipboard -t text/uri-list 2>/dev/null | tr -d '\r')
# The id's braces come percent-encoded.
uris=${uris//%7B/\{}
uris=${uris//%7D/\}}
[[ $uris == "file://$cached" ]] || fail "the clipboard does not offer the edited file: '$uris'"
# A copy after the edit is recorded after whatever the edit's own clipboard content made.
copy_text 'a text after the edit'
wait_for_clipping 'a text after the edit' 10 || fail "the copy after the edit was not recorded"
(($(clipping_count) == clips_before + 1)) || fail "the edited picture was recorded as a new clipping: $(clippings)"
clippings | sed -n 2p | grep -qF "$id" || fail "the edited clipping is not the newest before the text: $(clippings)"

rc=0
stop_pid "$KESTOVAN_PID" TERM 15 || rc=$?
((rc == 0)) || fail "kestovan ended with exit code $rc"
echo "the edited picture replaced the clipping's cached file and is on the clipboard"
