# shellcheck shell=bash
# Helpers of the cases that use the settings dialog and its own dialogs: finding them on the screen,
# showing a page of the settings dialog and clicking a word that text recognition reads in them.
# Sourced after harness.sh and e2e_case_begin, once kestovan runs, and after traysupport.sh.

# The settings dialog's X id; empty while it is not shown. The search also finds the program's
# other windows.
settings_dialog() {
    program_window '^Kestovan v' 'Kestovan v1.10.120'
}

# program_window PATTERN NAME: the X id of the program's shown window named exactly NAME.
program_window() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$KESTOVAN_PID" --name "$1" 2>/dev/null); do
        [[ $(xdotool getwindowname "$id" 2>/dev/null) == "$2" ]] && { echo "$id"; return 0; }
    done
}

# The page column of the settings dialog: its seven buttons (0 General, 1 History, 2 Snippets, 3
# Sync, 4 Applications, 5 Actions, 6 About) fill it from its top, all as tall as one another, and
# take no keyboard focus. The checked one has the dialog's own background, the others the column's
# darker one; their place is measured from that, whatever the fonts make of their texts.
# _page_column WINDOW: prints "TOP HEIGHT CHECKED" of the buttons, read down a line of pixels
# inside the column, left of the icons and texts. The six unchecked buttons are one or two runs of
# the darker colour; one run is taken for the six below General (About is never shown here).
_page_column() {
    local shot=$E2E_RUN_DIR/shots/page-column.png
    import -window "$1" "$shot" || return 1
    convert "$shot" -crop 1x+16+0 +repage -depth 8 txt:- | awk -F'[ \t]+' '
        NR == 1 { next }
        { y = NR - 2; dark = NR == 2 ? 0 : $3 != own }
        NR == 2 { own = $3 }
        dark && !was { start = y }
        !dark && was && y - start >= 40 { runs++; from[runs] = start; length_of[runs] = y - start }
        { was = dark }
        END {
            if (runs == 1) { height = length_of[1] / 6; top = from[1] - height; checked = 0 }
            else if (runs == 2) {
                height = (length_of[1] + length_of[2]) / 6; top = from[1]; checked = length_of[1] / height
                if (from[2] != top + (checked + 1) * height) exit 1
            } else exit 1
            if (height != int(height) || checked != int(checked) || top < 0) exit 1
            print top, height, checked
        }'
}

_page_checked() { [[ $(_page_column "$1" | cut -d" " -f3) == "$2" ]]; }

# show_page WINDOW INDEX: clicks the page button INDEX and waits until it is the checked one.
show_page() {
    local top height checked
    # No button may be lit by the pointer over it.
    xdotool mousemove --window "$1" 300 1
    read -r top height checked < <(e2e_poll 10 _page_column "$1") || { echo "harness: no page column found" >&2; return 1; }
    xdotool mousemove --window "$1" 16 $((top + height * $2 + height / 2)) click 1 mousemove --window "$1" 300 1
    e2e_poll 10 _page_checked "$1" "$2" && return 0
    echo "harness: page button $2 is not checked after a click (column: $(_page_column "$1"))" >&2
    return 1
}

# find_text WINDOW WORD: prints "X Y", the middle of the first word WORD that text recognition
# finds in the window, in the window's coordinates. A word may carry a button's icon read as
# letters in front of it, and a short word next to an icon may come out in the wrong case. A second
# reading in grey catches buttons the first one misses.
find_text() {
    local window=$1 word=$2 shot=$E2E_RUN_DIR/shots/ocr.png big=$E2E_RUN_DIR/shots/ocr-big.png place= reading
    import -window "$window" "$shot" || return 1
    for reading in "-resize 200%" "-colorspace Gray -resize 200%"; do
        # shellcheck disable=SC2086
        convert "$shot" $reading "$big" || return 1
        # TSV columns: level page block paragraph line word left top width height confidence text.
        place=$(tesseract "$big" - --psm 11 tsv 2>/dev/null | awk -F'\t' -v word="$word" '
            $12 == word || (length($12) > length(word) && tolower(substr($12, length($12) - length(word) + 1)) == tolower(word)) {
                # The middle of the word itself, leaving out what was read in front of it.
                w = $9 * length(word) / length($12)
                print int(($7 + $9 - w / 2) / 2), int(($8 + $10 / 2) / 2); exit
            }')
        [[ -n $place ]] && break
    done
    [[ -n $place ]] || { echo "harness: no \"$word\" in window $window" >&2; return 1; }
    echo "$place"
}

# click_text WINDOW WORD: clicks the first word WORD that text recognition finds in the window.
click_text() {
    local place
    place=$(find_text "$1" "$2") || return 1
    click_place "$1" "$place"
}

# click_place WINDOW "X Y": clicks there, e.g. where find_text found a word.
click_place() {
    read -r px py <<<"$2"
    xdotool mousemove --window "$1" "$px" "$py" click 1
}

# open_settings_from_tray: the tray menu's second entry, "Settings"; the dialog shown and active.
open_settings_from_tray() {
    wait_for_tray_icon
    log_mark
    click_icon 3
    wait_for_shown 'menu "": "Show" \| "Settings" \| "Quit"$' || fail "a right click on the tray icon showed no menu"
    xdotool key Down Down Return
    wait_for_shown 'window "Kestovan v' || fail "the tray's \"Settings\" did not open the settings dialog"
    e2e_poll 10 eval '[[ -n $(settings_dialog) ]]' || fail "the settings dialog is not among the program's windows"
    xdotool windowactivate --sync "$(settings_dialog)" >/dev/null 2>&1 || true
}
