#!/usr/bin/env bash
# Installs what is missing, builds, and starts Kestovan with the given arguments (e.g. --demo,
# --debug) on the current X display. Without one, it runs in a virtual X session (Xvfb, openbox and
# a tray) until Kestovan exits. Either way Kestovan uses the user's own settings and data.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")" || exit 1
BUILD_DIR=${BUILD_DIR:-build}

# The program and its libraries only; ./test.sh builds the tests and benchmarks. Without a display
# the virtual session needs its small readiness probe too.
targets=(program)
[[ -n ${DISPLAY:-} ]] || targets+=(x11wait)
echo "run.sh: building Kestovan and its three libraries (./test.sh builds the tests)"
tools/setup.sh "$BUILD_DIR" "${targets[@]}" || { echo "run.sh: setup or build failed" >&2; exit 1; }
kestovan=$(cd "$BUILD_DIR" && pwd)/kestovan
echo "run.sh: starting $kestovan $*"

if [[ -n ${DISPLAY:-} ]]; then
    exec "$kestovan" "$@"
fi

export E2E_BUILD_DIR=$BUILD_DIR
source tests/e2e/harness.sh || exit 1

session_dir=$(mktemp -d "${TMPDIR:-/tmp}/kestovan-session.XXXXXX")
own_runtime=
if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
    own_runtime=$session_dir/runtime
    mkdir -m 700 "$own_runtime"
    export XDG_RUNTIME_DIR=$own_runtime
fi
main_shell=$BASHPID
finish() {
    local i
    # Children forked but not yet exec'd inherit this trap.
    [[ $BASHPID == "$main_shell" ]] || return 0
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        _e2e_terminate "${E2E_PIDS[i]}" TERM 10 || true
    done
    e2e_session_stop
    rm -rf "$session_dir"
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

e2e_session_start "$session_dir" || { tail -n 20 "$session_dir"/*.log; exit 1; }
cat <<INFO
run.sh: no DISPLAY, so Kestovan runs in a virtual X session on $DISPLAY (Xvfb, openbox, trayer).
  Take a look:  DISPLAY=$DISPLAY import -window root kestovan.png
INFO
if command -v x11vnc >/dev/null; then
    echo "  Or watch it: x11vnc -display $DISPLAY -localhost -nopw, then a VNC viewer on localhost:5900"
else
    echo "  To watch it live, install x11vnc and run: x11vnc -display $DISPLAY -localhost -nopw"
fi
echo "  The session ends when Kestovan quits (tray menu Quit, or Ctrl+C here)."

# In the background it ignores Ctrl+C; the trap above then stops it by PID.
"$kestovan" "$@" &
E2E_PIDS+=("$!")
rc=0
wait "${E2E_PIDS[0]}" || rc=$?
E2E_PIDS=()
exit "$rc"
