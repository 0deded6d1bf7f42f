#!/usr/bin/env bash
# Runs the unit and X11 tests of a tree built by tools/setup.sh --sanitize, with every sanitizer
# report written to BUILD_DIR/sanitizer-reports. Fails when a test fails or any report is there,
# and prints the reports.
#   tests/sanitizers/run.sh BUILD_DIR
set -uo pipefail

if [[ $# -ne 1 || ! -d $1 ]]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
build_dir=$(cd "$1" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
reports=$build_dir/sanitizer-reports
rm -rf "$reports"
mkdir -p "$reports"
log=$reports/../sanitizer-run.log

# Each process writes its own file (log_path gets its pid appended), so a report from a child that
# a test captures or ignores is still seen.
export ASAN_OPTIONS="log_path=$reports/asan:detect_leaks=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$here/leaks.supp:print_suppressions=0"
export UBSAN_OPTIONS="log_path=$reports/ubsan:print_stacktrace=1:halt_on_error=1"

start=$SECONDS
# Fewer at a time than the plain tree: the sanitized programs are several times slower and the
# tests' own waits are sized for a plain build.
"$root/tests/unit.sh" "$build_dir" -j"${KESTOVAN_SANITIZE_JOBS:-4}" 2>&1 | tee "$log"
unit=${PIPESTATUS[0]}
"$root/tests/e2e/run.sh" --x11-only "$build_dir" 2>&1 | tee -a "$log"
x11=${PIPESTATUS[0]}

# ctest's closing line: "100% tests passed, 0 tests failed out of N".
run=$(grep -Eo 'tests failed out of [0-9]+' "$log" | awk '{ n += $NF } END { print n + 0 }')
shopt -s nullglob
found=("$reports"/*)
for report in "${found[@]}"; do
    echo "==== sanitizer report $(basename "$report")"
    cat "$report"
done
echo "sanitizers: $run test programs run, ${#found[@]} reports, $((SECONDS - start)) s;" \
    "unit tests $( ((unit == 0)) && echo passed || echo FAILED )," \
    "X11 tests $( ((x11 == 0)) && echo passed || echo FAILED )"
((unit == 0 && x11 == 0 && ${#found[@]} == 0))
