#!/usr/bin/env bash
# Times the whole program in a virtual X session (Xvfb, openbox, a tray), as a user meets it:
#   bench/startup.sh [BUILD_DIR] [CLIPPINGS] [IMAGES]
# writes a history of CLIPPINGS clippings (default 0), IMAGES of them images (default 0), then
# starts the program five times. Prints one line: the median time from the start until the history
# hotkey maps the history window, and the median time from a hotkey press on the running program to
# the window mapped (X server times), with the machine's load; with clippings, also the program's
# resident size with the window open and after paging through the whole list once.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build}
clippings=${2:-0}
images=${3:-0}
runs=${STARTUP_RUNS:-5}
export E2E_BUILD_DIR=$build
source "$root/tests/e2e/harness.sh" || exit 1

probe=$E2E_BUILD_DIR/bench/startupprobe
[[ -x $probe ]] || { echo "startup.sh: $probe is missing; build the tree first" >&2; exit 1; }

e2e_isolate startup-bench || exit 1
run_dir=$E2E_RUN_DIR
finish() {
    [[ ${E2E_SESSION_OWNED:-0} == 1 ]] && e2e_session_stop
    rm -rf "$run_dir"
}
trap finish EXIT

"$probe" generate "$clippings" "$images" >"$run_dir/logs/generate.log" 2>&1 \
    || { cat "$run_dir/logs/generate.log" >&2; exit 1; }
e2e_session_start "$run_dir/session" || { echo "startup.sh: no X session" >&2; exit 1; }

load=$(cut -d' ' -f1 /proc/loadavg)
# STARTUP_WRAPPER runs the program under a profiler, e.g. "perf record -g -o /tmp/start.data --".
# shellcheck disable=SC2086
figures=$(cd "$HOME" && "$probe" measure "$runs" ${STARTUP_WRAPPER:-} "$E2E_BUILD_DIR/kestovan") || exit 1

median() {
    tr ' ' '\n' | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}
start=$(sed -n 's/^start //p' <<<"$figures")
hotkey=$(sed -n 's/^hotkey //p' <<<"$figures")

# The whole process's memory once its list was paged through from top to bottom (every thumbnail
# asked for once).
memory=""
if ((clippings > 0)); then
    # shellcheck disable=SC2086
    sizes=$(cd "$HOME" && "$probe" memory $((clippings / 4 + 20)) "$E2E_BUILD_DIR/kestovan") || exit 1
    read -r shown scrolled <<<"$(sed -n 's/^memory //p' <<<"$sizes")"
    memory=", ${shown} MB with the window open, ${scrolled} MB after paging through the list"
fi
printf '%d clippings (%d images): start to window %d ms, hotkey to window %d ms%s (medians of %d: %s | %s; load %s)\n' \
    "$clippings" "$images" "$(median <<<"$start")" "$(median <<<"$hotkey")" "$memory" "$runs" "$start" "$hotkey" "$load"
