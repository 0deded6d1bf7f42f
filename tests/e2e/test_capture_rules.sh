#!/usr/bin/env bash
# Per-application rules on real X clients: HTML copied in a text-only application comes back as
# plain text tagged with the application's name (and no HTML), and an image copied in a no-images
# application is taken off the clipboard without becoming a clipping.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh" || exit 1
e2e_case_begin
source "$(dirname "${BASH_SOURCE[0]}")/capturesupport.sh" || exit 1

mkdir -p "$XDG_CONFIG_HOME/Morva"
cat >"$XDG_CONFIG_HOME/Morva/Kestovan.conf" <<'CONF'
[General]
TextOnlyApplications=KestovanProbe
NoImagesApplications=KestovanProbe
CONF

start_probe
start_capturing
activate_probe
t=$CAPTURE_TAB

html=$E2E_RUN_DIR/tmp/copied.html
printf '%s' '<p>Some <b>bold</b> words</p>' >"$html"
copy_file "$html" text/html
wait_for_clipping "KestovanProbe${t}" 5 || fail "the HTML copy was not recorded"
line=$(clippings | head -n1)
[[ $line == "0${t}KestovanProbe${t}{"*"${t}${t}0${t}Some bold words" ]] \
    || fail "expected the plain text without HTML under the probe's name, got '$line'"

offered=$(targets)
grep -qx 'x-kestovan-application' <<<"$offered" || fail "the rewritten clipboard lacks the marker; it offers: $offered"
! grep -qx 'text/html' <<<"$offered" || fail "the rewritten clipboard offers an (empty) HTML part: $offered"
[[ $(timeout 10 xclip -o -selection clipboard -t x-kestovan-application) == KestovanProbe ]] \
    || fail "the marker does not hold the application's name"
[[ $(timeout 10 xclip -o -selection clipboard) == 'Some bold words' ]] || fail "the rewritten text is wrong"

image=$E2E_RUN_DIR/tmp/red.png
convert -size 16x16 xc:red "$image" || fail "could not make a test image"
copy_file "$image" image/png
e2e_poll 5 eval 'grep -qx x-kestovan-application <<<"$(targets)"' || fail "the image was not taken off the clipboard"
! grep -qx 'image/png' <<<"$(targets)" || fail "the image is still offered"
copy_text 'sentinel after the image'
wait_for_clipping "${t}sentinel after the image" 5 || fail "the copy after the image was not recorded"
! clippings | grep -q "^1${t}" || fail "the image from a no-images application was recorded: $(clippings)"
(($(clipping_count) == 2)) || fail "expected 2 clippings, found: $(clippings)"

rc=0
stop_pid "$KESTOVAN_PID" TERM 15 || rc=$?
((rc == 0)) || fail "kestovan exited with code $rc"
echo "text-only and no-images rules rewrite the clipboard with the marker and record as they should"
