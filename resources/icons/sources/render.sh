#!/bin/sh
# Renders the coloured icons and the logo from the SVG sources in this folder into the PNG
# resources. Run it after changing a source; the PNGs are kept in the tree.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
images=$here/../images
other=$here/../../other/release-notes
tool=$(mktemp -d)
trap 'rm -rf "$tool"' EXIT

# shellcheck disable=SC2046
g++ -std=c++17 -fPIC -o "$tool/svgtopng" "$here/svgtopng.cpp" $(pkg-config --cflags --libs Qt6Svg Qt6Gui)

render() { QT_QPA_PLATFORM=offscreen "$tool/svgtopng" "$here/$1.svg" "$2" "$3"; }

for name in page_paste paste_plain text_smallcaps pencil paste_image paste_file font snippets \
            add action delete arrow_join arrow_switch command eye tray-icon-mac-black tray-icon-mac-white; do
    render "$name" "$images/$name.png" 32
done
render setting-actions "$images/setting-actions.png" 64
render setting-snippets "$images/setting-snippets.png" 64
for name in setting-general setting-history setting-sync setting-applications setting-about; do
    render "$name" "$images/$name.png" 64
done
render logo "$images/application.png" 256
mkdir -p "$other"
render logo "$other/logo.png" 128
