#!/usr/bin/env bash
# Two copies of the program, each with its own data, settings and temporary folders and each on an
# X server of its own, share one sync folder: what is copied under the first reaches the second
# through the folder only (the second never sees the first one's clipboard). A picture arrives
# with its file and its thumbnail, a crop under the first reaches the second's file, and the status
# line of both says the passes succeeded.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
source "$(dirname "${BASH_SOURCE[0]}")/capturesupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/historywindowsupport.sh" || exit 1
source "$(dirname "${BASH_SOURCE[0]}")/twocomputerssupport.sh" || exit 1
second_display_start

shared=$E2E_RUN_DIR/shared-sync-folder
mkdir -p "$shared"
picture_colour='#c800c8'
file_colour='#20a0e0'

prepare_settings
settings SyncTarget=LocalFolder SyncFolder="$shared"
in_second "$HW_SETTINGS" SyncTarget=LocalFolder SyncFolder="$shared" ReleaseNotesVersion=1.10 \
    || fail "could not write the second copy's settings"

# passed_after LOG TEXT...: each text is in the debug log, and the status line said that a pass
# succeeded after the last of them.
passed_after() {
    local log=$1
    shift
    awk -v texts="$(printf '%s\n' "$@")" '
        BEGIN { n = split(texts, t, "\n"); missing = n }
        {
            for (k = 1; k <= n; k++)
                if (!(k in seen) && index($0, t[k])) { seen[k] = 1; missing-- }
        }
        missing == 0 && /Status: Synchronization successful\./ { found = 1 }
        END { exit !found }' "$log"
}

# colour_pixels FILE COLOUR: how many pixels of the picture have about that colour.
colour_pixels() {
    convert "$1" -alpha off -fuzz 6% -fill black +opaque "$2" -fill white -opaque "$2" \
        -format '%[fx:int(mean*w*h+0.5)]' info:
}

# status_says_success LOG: the status line's text now, as the program logs it, says a pass succeeded.
status_says_success() {
    local text
    text=$(grep -F 'Status:' "$1" | tail -n1)
    grep -qi 'successful' <<<"$text" && ! grep -qiE 'fail|damaged' <<<"$text"
}

start_probe
start_kestovan --debug
wait_for_log "$FIRST_DEBUG_LOG" 'Launched new instance successfully' 20 || fail "kestovan did not start"

copy_text 'travels through the shared folder'
wait_for_clipping 'travels through the shared folder' 10 || fail "the first copy did not record the clipping"
picture=$E2E_RUN_DIR/tmp/picture.png
convert -size 200x150 "xc:$picture_colour" "$picture" || fail "could not make the picture"
copy_file "$picture" image/png
wait_for_clipping "1${CAPTURE_TAB}KestovanProbe${CAPTURE_TAB}" 10 || fail "the picture was not recorded"
# A copied file keeps its name, "_" and all.
sky=$E2E_RUN_DIR/tmp/sky_blue.png
convert -size 200x150 "xc:$file_colour" "$sky" || fail "could not make the picture file"
uris=$E2E_RUN_DIR/tmp/files.uri
printf 'file://%s\r\n' "$sky" >"$uris"
copy_file "$uris" text/uri-list
e2e_poll 10 eval '[[ $(clippings | grep -c "^1${CAPTURE_TAB}") == 2 ]]' || fail "the picture file was not recorded: $(clippings)"

picture_line=$(clippings | grep "^1${CAPTURE_TAB}" | grep -v sky_blue.png | head -n1)
IFS=$CAPTURE_TAB read -r _ _ picture_id picture_file _ _ <<<"$picture_line"
[[ -n $picture_id && -n $picture_file ]] || fail "no picture clipping: $(clippings)"
picture_ref=$picture_id/$picture_file
sky_ref=$(clippings | grep -F sky_blue.png | head -n1 | cut -f3)/sky_blue.png

# Its sync runs a few seconds after the last change: the history and both image files, then the
# status line says so.
e2e_poll 40 passed_after "$FIRST_DEBUG_LOG" "Upload finished for image_${picture_ref/\//_}" \
    "Upload finished for image_${sky_ref/\//_}" \
    || fail "the first copy did not store its pictures in $shared: $(ls -la "$shared"; grep -E 'Sync:|Status:' "$FIRST_DEBUG_LOG" | tail -n 20)"
for ref in "$picture_ref" "$sky_ref"; do
    remote=$shared/image_${ref/\//_}
    cmp -s "$CAPTURE_IMAGES/$ref" "$remote" || fail "$remote is not the cached $ref"
done
open_history
e2e_poll 10 status_says_success "$FIRST_DEBUG_LOG" || fail "the first copy's status line does not say the sync succeeded"
keep_screenshot sync-first-status
xdotool key Escape

e2e_spawn "$E2E_RUN_DIR/logs/second.log" env "${SECOND_ENV[@]}" DISPLAY="$SECOND_DISPLAY" "$E2E_BUILD_DIR/kestovan" --debug
SECOND_PID=$E2E_LAST_PID
wait_for_log "$SECOND_DEBUG_LOG" 'Launched new instance successfully' 20 || fail "the second copy did not start"
_e2e_running "$KESTOVAN_PID" || fail "starting the second copy ended the first"

same_file_in_second() { cmp -s "$CAPTURE_IMAGES/$1" "$(dirname "$SECOND_HISTORY")/images/$1"; }
e2e_poll 40 passed_after "$SECOND_DEBUG_LOG" "Download finished for image_${picture_ref/\//_}" \
    "Download finished for image_${sky_ref/\//_}" \
    || fail "the pictures did not reach the second copy: $(grep -E 'Sync:|Status:' "$SECOND_DEBUG_LOG" | tail -n 20)"
e2e_poll 10 same_file_in_second "$picture_ref" || fail "the second copy's $picture_ref differs from the first's"
e2e_poll 10 same_file_in_second "$sky_ref" || fail "the second copy's $sky_ref differs from the first's"
line=$("$E2E_BUILD_DIR/tests/kestovan_history" "$SECOND_HISTORY" | grep -F 'travels through the shared folder')
[[ $line == "0${CAPTURE_TAB}KestovanProbe${CAPTURE_TAB}"* ]] || fail "the synced clipping lost its source: '$line'"

# The second copy's history window, on its own display, shows both pictures and a good status.
second_window() { (DISPLAY=$SECOND_DISPLAY KESTOVAN_PID=$SECOND_PID history_window); }
DISPLAY=$SECOND_DISPLAY xdotool key ctrl+shift+v
e2e_poll 10 eval '[[ -n $(second_window) ]]' || fail "the second copy's history window did not show"
window=$(second_window)
shot=$E2E_RUN_DIR/shots/second-history.png
pictures_shown() {
    DISPLAY=$SECOND_DISPLAY import -window "$window" "$shot" 2>/dev/null \
        && (($(colour_pixels "$shot" "$picture_colour") > 2000)) && (($(colour_pixels "$shot" "$file_colour") > 2000))
}
e2e_poll 10 pictures_shown || fail "the second copy's history does not show both pictures (see $shot)"
e2e_poll 10 status_says_success "$SECOND_DEBUG_LOG" || fail "the second copy's status line does not say the sync succeeded"
mkdir -p "$HW_SHOTS" && cp "$shot" "$HW_SHOTS/sync-second-history.png"

# The first copy crops the picture (the second row, current when the window opens) with the image
# editor's crop frame. The picture keeps its names, and its new content reaches the second copy.
log_mark "$FIRST_DEBUG_LOG"
open_history
xdotool key Menu
wait_for_shown 'menu "Context menu": ("[^"]*" \| ){3}"Edit\.\.\."' || fail "the Menu key showed no context menu with \"Edit...\" fourth"
xdotool key Down Down Down Down Return
editor_window() { typed_window '^Edit Image$' DIALOG; }
e2e_poll 10 eval '[[ -n $(editor_window) ]]' || fail "the image editor did not open"
eval "$(xdotool getwindowgeometry --shell "$(editor_window)")"
# The seventh tool, "Crop", 56 pixels high below a 2-pixel margin and 4 pixels from the left.
xdotool mousemove $((X + 4 + 28)) $((Y + 2 + 56 * 6 + 28)) click 1 key Return
e2e_poll 10 eval '[[ -z $(editor_window) ]]' || fail "OK did not close the image editor"
cached=$CAPTURE_IMAGES/$picture_ref
cropped() { [[ $(identify -format '%wx%h' "$cached" 2>/dev/null) != 200x150 ]]; }
e2e_poll 10 cropped || fail "the crop left the cached picture at 200x150"
e2e_poll 40 cmp -s "$cached" "$shared/image_${picture_ref/\//_}" \
    || fail "the cropped picture was not stored in $shared: $(grep -E 'Sync:|Status:' "$FIRST_DEBUG_LOG" | tail -n 20)"
e2e_poll 40 same_file_in_second "$picture_ref" \
    || fail "the cropped picture did not reach the second copy: $(grep -E 'Sync:|Status:' "$SECOND_DEBUG_LOG" | tail -n 20)"

for log in "$FIRST_DEBUG_LOG" "$SECOND_DEBUG_LOG"; do
    ! grep -qiE 'Status: .*(fail|damaged)' "$log" || fail "a pass failed: $(grep -iE 'Status: .*(fail|damaged)' "$log")"
done

stop_both
echo "a clipping and two pictures copied under the first copy, and a crop of one, reached the second through $shared"
