#!/usr/bin/env bash
# Runs the X11 Qt tests and every end-to-end case in one virtual X session.
#   tests/e2e/run.sh [--x11-only] BUILD_DIR     (--x11-only: the X11 Qt tests alone)
# Each case runs in its own shell with fresh HOME, XDG folders and TMPDIR, bounded by
# E2E_CASE_TIMEOUT seconds (default 600: text recognition is slow on a loaded machine). Exits
# non-zero when anything failed.
set -uo pipefail

x11_only=false
if [[ ${1:-} == --x11-only ]]; then
    x11_only=true
    shift
fi
if [[ $# -ne 1 || ! -d $1 ]]; then
    echo "usage: $0 [--x11-only] BUILD_DIR" >&2
    exit 2
fi
export E2E_BUILD_DIR=$1
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$E2E_DIR/harness.sh" || exit 1

# The session's own processes (openbox reads ~/.config) do not see the user's files either.
e2e_isolate runner || exit 1
RUNNER_DIR=$E2E_RUN_DIR
RUNNER_SHELL=$BASHPID
finish() {
    # Children forked but not yet exec'd inherit this trap.
    [[ $BASHPID == "$RUNNER_SHELL" ]] || return 0
    e2e_session_stop
    rm -rf "$RUNNER_DIR"
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

if ! e2e_session_start "$RUNNER_DIR/session"; then
    echo "FAIL x11-session (could not start; logs follow)"
    tail -n 20 "$RUNNER_DIR"/session/*.log
    echo "0 passed, 1 failed"
    exit 1
fi
export E2E_SESSION_ACTIVE=1
echo "e2e: X session on $DISPLAY"

passed=0
failed=0
record() { # record NAME RC SECONDS
    if (($2 == 0)); then
        passed=$((passed + 1))
        echo "PASS $1 ($3 s)"
    else
        failed=$((failed + 1))
        echo "FAIL $1 (exit $2, $3 s)"
    fi
}

start=$SECONDS
(
    e2e_isolate ctest-x11 || exit 1
    ctest --test-dir "$E2E_BUILD_DIR" -L x11 --output-on-failure --no-tests=ignore
    rc=$?
    rm -rf "$E2E_RUN_DIR"
    exit "$rc"
)
record ctest-x11 $? $((SECONDS - start))

out=$(mktemp "$RUNNER_DIR/case-output.XXXXXX")
shopt -s nullglob
cases=("$E2E_DIR"/test_*.sh)
$x11_only && cases=()
for case in "${cases[@]}"; do
    name=$(basename "$case" .sh)
    start=$SECONDS
    timeout --foreground -k 60 "${E2E_CASE_TIMEOUT:-600}" bash "$case" >"$out" 2>&1
    rc=$?
    ((rc == 124 || rc == 137)) && echo "harness: $name ran out of time (${E2E_CASE_TIMEOUT:-600} s)" >>"$out"
    record "$name" "$rc" $((SECONDS - start))
    ((rc == 0)) || sed 's/^/    | /' "$out"
done

echo "$passed passed, $failed failed"
((failed == 0))
