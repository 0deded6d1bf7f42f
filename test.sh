#!/usr/bin/env bash
# Installs what is missing, builds into ${BUILD_DIR:-build}, runs the unit tests offscreen and then
# the X11 and end-to-end tests in a virtual X session. Exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")" || exit 1
BUILD_DIR=${BUILD_DIR:-build}

tools/setup.sh "$BUILD_DIR" || { echo "test.sh: setup or build failed" >&2; exit 1; }

# Unit tests must not touch the user's settings or data.
scratch=$(mktemp -d "${TMPDIR:-/tmp}/kestovan-unit.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch"/{home,config,data,cache,tmp,runtime}
chmod 700 "$scratch/runtime"
unit=0
(
    export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data
    export XDG_CACHE_HOME=$scratch/cache TMPDIR=$scratch/tmp XDG_RUNTIME_DIR=$scratch/runtime
    export QT_QPA_PLATFORM=offscreen FONTCONFIG_FILE=$PWD/tests/fonts.conf
    unset DBUS_SESSION_BUS_ADDRESS
    ctest --test-dir "$BUILD_DIR" -LE x11 --output-on-failure -j8
) || unit=$?

e2e=0
tests/e2e/run.sh "$BUILD_DIR" || e2e=$?

echo "test.sh: unit tests $( ((unit == 0)) && echo passed || echo FAILED ), end-to-end $( ((e2e == 0)) && echo passed || echo FAILED )"
((unit == 0 && e2e == 0))
