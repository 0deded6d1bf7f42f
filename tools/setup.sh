#!/usr/bin/env bash
# Installs the Debian packages listed in tools/packages.txt that are missing, then configures and
# builds the tree with CMake and Ninja.
#   tools/setup.sh [BUILD_DIR [TARGET...]]  install + build everything, or only the given targets
#                                           (BUILD_DIR defaults to $BUILD_DIR, else "build")
#   tools/setup.sh --sanitize BUILD_DIR [TARGET...]
#                                           the same, built with AddressSanitizer and
#                                           UndefinedBehaviorSanitizer; by default only what the
#                                           unit and X11 tests run (the target "tests")
#   tools/setup.sh --install-only           install only
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"

install_only=false
sanitize=false
configure_options=()
if [[ ${1:-} == --install-only ]]; then
    install_only=true
    shift
elif [[ ${1:-} == --sanitize ]]; then
    # -O1 as the sanitizers advise, without debug information: the reports name functions, and
    # the tree compiles and links in far less time and space.
    configure_options=(-DKESTOVAN_SANITIZE=ON "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g0 -DNDEBUG")
    sanitize=true
    shift
fi
build_dir=${1:-${BUILD_DIR:-build}}
targets=("${@:2}")
if $sanitize && ((${#targets[@]} == 0)); then
    targets=(tests)
fi

missing_packages() {
    local pkg status
    while read -r pkg; do
        pkg=${pkg%%#*}
        pkg=${pkg//[[:space:]]/}
        [[ -n $pkg ]] || continue
        status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
        [[ $status == installed ]] || echo "$pkg"
    done < tools/packages.txt
}

mapfile -t missing < <(missing_packages)
if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    as_root=()
    if ((EUID != 0)); then
        command -v sudo >/dev/null || { echo "setup: need root or sudo to install packages" >&2; exit 1; }
        as_root=(sudo)
    fi
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
fi
$install_only && exit 0

# The compiler cache is ccache's own, in the user's cache folder unless CCACHE_DIR says otherwise,
# so another clone or build folder reuses what this one compiled: paths under the clone are hashed
# relative to it, and the precompiled headers are cached with what uses them. The settings go with
# the compiler command, so a later `cmake --build` keeps them.
launcher="env;CCACHE_BASEDIR=$ROOT;CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime;ccache"
echo "setup: configuring the build in $build_dir"
mkdir -p "$build_dir"
cmake -S . -B "$build_dir" -G Ninja "-DCMAKE_CXX_COMPILER_LAUNCHER=$launcher" "${configure_options[@]}" \
    >"$build_dir/configure.log" 2>&1 \
    || { cat "$build_dir/configure.log" >&2; exit 1; }
target_args=()
((${#targets[@]} == 0)) || target_args=(--target "${targets[@]}")
echo "setup: building ${targets[*]:-everything} in $build_dir, ${KESTOVAN_BUILD_JOBS:-$(nproc)} steps at a time ([done/total] below)"
cmake --build "$build_dir" -j"${KESTOVAN_BUILD_JOBS:-$(nproc)}" "${target_args[@]}"
