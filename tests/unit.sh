#!/usr/bin/env bash
# Runs a tree's unit tests offscreen, away from the user's settings and data.
#   tests/unit.sh BUILD_DIR [CTEST_OPTION...]     (default: -j8)
# Exits with ctest's status.
set -uo pipefail

if [[ $# -lt 1 || ! -d $1 ]]; then
    echo "usage: $0 BUILD_DIR [CTEST_OPTION...]" >&2
    exit 2
fi
build_dir=$1
shift
(($#)) || set -- -j8
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

scratch=$(mktemp -d "${TMPDIR:-/tmp}/kestovan-unit.XXXXXX") || exit 1
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch"/{home,config,data,cache,tmp,runtime}
chmod 700 "$scratch/runtime"
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data
export XDG_CACHE_HOME=$scratch/cache TMPDIR=$scratch/tmp XDG_RUNTIME_DIR=$scratch/runtime
export QT_QPA_PLATFORM=offscreen FONTCONFIG_FILE=$root/tests/fonts.conf
unset DBUS_SESSION_BUS_ADDRESS
ctest --test-dir "$build_dir" -LE x11 --output-on-failure "$@"
