#!/usr/bin/env bash
# Copies made in another client land in History.json under the name of the application in front:
# text, an image and a copied image file, each image with its cached file; the same text twice is
# one clipping, and an owner that exits adds nothing. An 8K screenshot is recorded; a picture too
# large to hold is not, and the status line says so.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
source "$(dirname "${BASH_SOURCE[0]}")/capturesupport.sh" || exit 1

start_probe
start_capturing
activate_probe
t=$CAPTURE_TAB

copy_text 'first copy from another client ✓'
wait_for_clipping "${t}0${t}first copy from another client ✓" 5 || fail "the text copy was not recorded"
line=$(clippings | grep -F 'first copy from another client')
[[ $line == "0${t}KestovanProbe${t}{"* ]] || fail "the clipping does not name the probe: '$line'"

# The same text again, then a new one: the repeat adds nothing.
copy_text 'first copy from another client ✓'
read_by_kestovan || fail "kestovan did not read the repeated copy"
copy_text 'second text'
wait_for_clipping "${t}second text" 5 || fail "the second text was not recorded"
(($(clipping_count 'first copy from another client') == 1)) || fail "the repeated copy was recorded twice"
(($(clipping_count) == 2)) || fail "expected 2 clippings, found: $(clippings)"

# The owner exits: X reports an empty clipboard, which is no clipping.
stop_pid "$XCLIP_PID" TERM 5 || true
e2e_poll 5 eval '[[ -z $(targets) ]]' || fail "the clipboard still has an owner after xclip exited"
copy_text 'after the owner left'
wait_for_clipping "${t}after the owner left" 5 || fail "the copy after the owner left was not recorded"
(($(clipping_count) == 3)) || fail "the exit of the owner added a clipping: $(clippings)"

# An image: a clipping of type 1 with its file in the image cache.
image=$E2E_RUN_DIR/tmp/blue.png
convert -size 40x30 'xc:#1080c0' "$image" || fail "could not make a test image"
copy_file "$image" image/png
wait_for_clipping "1${t}KestovanProbe${t}" 5 || fail "the image copy was not recorded"
line=$(clippings | grep "^1${t}" | head -n1)
IFS=$t read -r _ _ id file _ _ <<<"$line"
[[ $file == KestovanProbe-40x30.png ]] || fail "unexpected image file name '$file'"
cached=$CAPTURE_IMAGES/$id/$file
wait_for_file "$cached" 5 || fail "the image was not cached"
size_of_cached() { [[ $(identify -format '%wx%h' "$cached" 2>/dev/null) == 40x30 ]]; }
e2e_poll 5 size_of_cached || fail "the cached image $cached is not the 40x30 copy"

# A file list holding that image file: an image clipping named after the file.
uris=$E2E_RUN_DIR/tmp/files.uri
printf 'file://%s\r\n' "$image" >"$uris"
copy_file "$uris" text/uri-list
wait_for_clipping "1${t}KestovanProbe${t}" 5 || fail "the image copy was not recorded"
e2e_poll 5 eval '[[ $(clippings | grep -c "^1${t}") == 2 ]]' || fail "the copied image file was not recorded: $(clippings)"
line=$(clippings | head -n1)
IFS=$t read -r _ _ id file _ _ <<<"$line"
[[ $file == blue.png ]] || fail "the copied file should keep its name, got '$file'"
wait_for_file "$CAPTURE_IMAGES/$id/blue.png" 5 || fail "the copied image file was not cached"
cmp -s "$image" "$CAPTURE_IMAGES/$id/blue.png" || fail "the cached file differs from the copied one"

# An 8K screenshot, past the image decoder's own limit, is recorded like any picture.
screenshot=$E2E_RUN_DIR/tmp/screenshot.png
convert -size 7680x4320 'xc:#204060' PNG24:"$screenshot" || fail "could not make an 8K image"
copy_file "$screenshot" image/png
wait_for_clipping "KestovanProbe-7680x4320.png" 30 || fail "the 8K screenshot was not recorded"

# A picture that claims more pixels than the program holds is not recorded, and the status line says so.
bomb=$E2E_RUN_DIR/tmp/bomb.png
python3 - "$bomb" <<'EOF' || fail "could not make a picture header"
import struct, sys, zlib
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
header = struct.pack('>IIBBBBB', 40000, 40000, 8, 2, 0, 0, 0)
open(sys.argv[1], 'wb').write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', bytes(8)) + chunk(b'IEND', b''))
EOF
copy_file "$bomb" image/png
wait_for_log "$TMPDIR/Kestovan-debug-log.txt" 'Status: The copied picture \(40000 x 40000\) was not recorded' 10 ||
    fail "the picture too large to record was not told"

rc=0
stop_pid "$KESTOVAN_PID" TERM 15 || rc=$?
((rc == 0)) || fail "kestovan exited with code $rc"
echo "text, repeated text, owner exit, image, file and large picture copies are recorded as they should be"
