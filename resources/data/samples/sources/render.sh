#!/bin/sh
# Draws the demo history (the clipping texts, the application icons and the pictures) into the
# folder above. Run it after changing drawsamples.cpp; the results are kept in the tree.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
tool=$(mktemp -d)
trap 'rm -rf "$tool"' EXIT

# shellcheck disable=SC2046
g++ -std=c++17 -fPIC -o "$tool/drawsamples" "$here/drawsamples.cpp" $(pkg-config --cflags --libs Qt6Gui)
QT_QPA_PLATFORM=offscreen "$tool/drawsamples" "$here/.."
