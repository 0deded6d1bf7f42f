#!/usr/bin/env bash
# Times the whole program in a virtual X session (Xvfb, openbox, a tray), as a user meets it:
#   bench/startup.sh [BUILD_DIR] [CLIPPINGS[,CLIPPINGS...]] [IMAGES] [REMOVALS]
# For each number of clippings (default 0) writes a history of that many clippings, IMAGES of them
# images and REMOVALS of them removed since, as the program leaves a removal (default 0 each), then
# starts the program five times, each start next to one of a bare Qt window on the same hotkey
# (bench/barewindow), the floor of any Qt program started this way.
# Prints a line per number: the clippings the written file holds, the median time from the start
# until the history hotkey maps the history window, as a multiple of the bare window's median, and
# the median time from a hotkey press on the running program to the window mapped (X server
# times), with the machine's load; with clippings, also the program's resident size with the window
# open and after paging through the whole list once.
# STARTUP_COMPARE=PROGRAM also starts another build of the program in turn with the two, for
# figures before and after a change taken under the same load.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build}
counts=${2:-0}
images=${3:-0}
removals=${4:-0}
runs=${STARTUP_RUNS:-5}
export E2E_BUILD_DIR=$build
source "$root/tests/e2e/harness.sh" || exit 1

probe=$E2E_BUILD_DIR/bench/startupprobe
bare=$E2E_BUILD_DIR/bench/barewindow
for program in "$probe" "$bare"; do
    [[ -x $program ]] || { echo "startup.sh: $program is missing; build the tree first" >&2; exit 1; }
done
compare=${STARTUP_COMPARE:-}

e2e_isolate startup-bench || exit 1
run_dir=$E2E_RUN_DIR
finish() {
    [[ ${E2E_SESSION_OWNED:-0} == 1 ]] && e2e_session_stop
    rm -rf "$run_dir"
}
trap finish EXIT
e2e_session_start "$run_dir/session" || { echo "startup.sh: no X session" >&2; exit 1; }

median() {
    tr ' ' '\n' | sed '/^$/d' | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

# One start of a program: appends its start and hotkey times to the named arrays.
measure_once() {
    local -n starts=$1 hotkeys=$2
    shift 2
    local figures
    # STARTUP_WRAPPER runs the program under a profiler, e.g. "perf record -g -o /tmp/start.data --".
    # shellcheck disable=SC2086
    figures=$(cd "$HOME" && "$probe" measure 1 ${STARTUP_WRAPPER:-} "$@") || return 1
    starts+=("$(sed -n 's/^start //p' <<<"$figures")")
    hotkeys+=("$(sed -n 's/^hotkey //p' <<<"$figures")")
}

for clippings in ${counts//,/ }; do
    rm -rf "$XDG_DATA_HOME/Morva/Kestovan/images"
    "$probe" generate "$clippings" "$images" "$removals" >"$run_dir/logs/generate.log" 2>&1 \
        || { cat "$run_dir/logs/generate.log" >&2; exit 1; }
    # What the file holds, read back: the figures are for that many clippings.
    read -r written shown_images removed < <(sed -n 's/^\([0-9]*\) clippings, \([0-9]*\) images, \([0-9]*\) removed in .*/\1 \2 \3/p' "$run_dir/logs/generate.log")
    [[ -n ${written:-} ]] || { cat "$run_dir/logs/generate.log" >&2; exit 1; }

    load_before=$(cut -d' ' -f1-3 /proc/loadavg)
    program_starts=() program_hotkeys=() bare_starts=() bare_hotkeys=() other_starts=() other_hotkeys=()
    for ((run = 0; run < runs; run++)); do
        measure_once bare_starts bare_hotkeys "$bare" || exit 1
        measure_once program_starts program_hotkeys "$E2E_BUILD_DIR/kestovan" || exit 1
        if [[ -n $compare ]]; then
            measure_once other_starts other_hotkeys "$compare" || exit 1
        fi
    done
    load_after=$(cut -d' ' -f1-3 /proc/loadavg)

    start=$(median <<<"${program_starts[*]}")
    floor=$(median <<<"${bare_starts[*]}")
    ratio=$(awk -v a="$start" -v b="$floor" 'BEGIN { printf "%.1f", (b > 0 ? a / b : 0) }')
    other=""
    if [[ -n $compare ]]; then
        other=$(printf '; %s: start to window %d ms (%s)' "$compare" "$(median <<<"${other_starts[*]}")" "${other_starts[*]}")
    fi

    # The whole process's memory once its list was paged through from top to bottom (every
    # thumbnail asked for once).
    memory=""
    if ((written > 0)); then
        sizes=$(cd "$HOME" && "$probe" memory $((written / 4 + 20)) "$E2E_BUILD_DIR/kestovan") || exit 1
        read -r with_window scrolled <<<"$(sed -n 's/^memory //p' <<<"$sizes")"
        memory=", ${with_window} MB with the window open, ${scrolled} MB after paging through the list"
    fi
    printf '%d clippings (%d images, %d removed): start to window %d ms, %s x the bare Qt window (%d ms), hotkey to window %d ms%s (medians of %d: %s | bare %s | hotkey %s%s; load %s, then %s)\n' \
        "$written" "$shown_images" "$removed" "$start" "$ratio" "$floor" "$(median <<<"${program_hotkeys[*]}")" "$memory" "$runs" \
        "${program_starts[*]}" "${bare_starts[*]}" "${program_hotkeys[*]}" "$other" "$load_before" "$load_after"
done
