# shellcheck shell=bash
# Helpers of the cases that use the tray icon: the program's visible windows, the icon docked in
# the tray and clicks on it. Sourced after harness.sh and e2e_case_begin, once kestovan runs.

# Prints "ID X Y W H" for each visible window of the program.
visible_windows() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$KESTOVAN_PID" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || continue
        echo "$id $X $Y $WIDTH $HEIGHT"
    done
}

# The icon is a small window of the program inside the tray at the foot of the screen.
tray_icon() {
    visible_windows | awk '$4 <= 32 && $5 <= 32 && $3 >= 700 { print; exit }'
}

# wait_for_tray_icon: the icon docked; its place in icon_id, icon_x, icon_y, icon_w, icon_h.
wait_for_tray_icon() {
    e2e_poll 20 eval '[[ -n $(tray_icon) ]]' || fail "no tray icon docked in the tray"
    read -r icon_id icon_x icon_y icon_w icon_h <<<"$(tray_icon)"
}

# Two clicks in a row are a double click (one more toggle) unless they land far enough apart,
# so the clicks alternate between the icon's left and right edges.
click_side=0
click_icon() { # BUTTON
    local x=$((icon_x + 3))
    ((click_side % 2 == 1)) && x=$((icon_x + icon_w - 4))
    click_side=$((click_side + 1))
    xdotool mousemove "$x" "$((icon_y + icon_h / 2))" click "$1"
}
