#!/usr/bin/env bash
# Installs what is missing, builds into ${BUILD_DIR:-build}, runs the unit tests offscreen and then
# the X11 and end-to-end tests in a virtual X session; then runs the unit and X11 tests again in a
# tree built with AddressSanitizer and UndefinedBehaviorSanitizer (${BUILD_DIR}-sanitize), where any
# report fails the run. KESTOVAN_SANITIZE_RUN=0 leaves the sanitized run out. Exits non-zero on any
# failure.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")" || exit 1
BUILD_DIR=${BUILD_DIR:-build}
sanitized=${KESTOVAN_SANITIZE_RUN:-1}

tools/setup.sh "$BUILD_DIR" || { echo "test.sh: setup or build failed" >&2; exit 1; }

unit=0
tests/unit.sh "$BUILD_DIR" -j8 || unit=$?

# The sanitized tree builds while the end-to-end cases run, which mostly wait; at a lower priority,
# so they keep the time their waits are sized for.
if [[ $sanitized != 0 ]]; then
    mkdir -p "$BUILD_DIR-sanitize"
    nice -n 10 tools/setup.sh --sanitize "$BUILD_DIR-sanitize" >"$BUILD_DIR-sanitize/build.log" 2>&1 &
    sanitize_build=$!
fi

e2e=0
tests/e2e/run.sh "$BUILD_DIR" || e2e=$?

sanitize=0
if [[ $sanitized != 0 ]]; then
    if wait "$sanitize_build"; then
        tests/sanitizers/run.sh "$BUILD_DIR-sanitize" || sanitize=$?
    else
        tail -n 40 "$BUILD_DIR-sanitize/build.log" >&2
        echo "test.sh: the sanitized build failed" >&2
        sanitize=1
    fi
fi

echo "test.sh: unit tests $( ((unit == 0)) && echo passed || echo FAILED )," \
    "end-to-end $( ((e2e == 0)) && echo passed || echo FAILED )," \
    "sanitized $( [[ $sanitized == 0 ]] && echo "left out" || { ((sanitize == 0)) && echo passed || echo FAILED; } )"
((unit == 0 && e2e == 0 && sanitize == 0))
