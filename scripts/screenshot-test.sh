#!/bin/sh
# The window end to end: starts the real lumora on a virtual X display with
# the sample library and a fresh settings folder (first run: John 1:1 in the
# KJV), saves a picture of the main window as it first paints, and checks
# that the page holds John 1:1. lumora checks the pixels of the picture
# itself (--screenshot): a blank text area makes it exit with an error.
#
#   scripts/screenshot-test.sh [LUMORA [ARTIFACTS]]
#
# LUMORA defaults to build/lumora, ARTIFACTS to build/artifacts (the picture
# is ARTIFACTS/lumora-screenshot.png). Exits 77 (skipped) without
# LUMORA_LIBRARY or without Xvfb.
set -u

here=$(cd "$(dirname "$0")/.." && pwd)
lumora=${1:-$here/build/lumora}
artifacts=${2:-$here/build/artifacts}

if [ -z "${LUMORA_LIBRARY:-}" ] || [ ! -f "$LUMORA_LIBRARY/Bibles/KJV.lmb" ]; then
  echo "skipped: LUMORA_LIBRARY does not name the sample library"
  exit 77
fi
if ! command -v Xvfb >/dev/null 2>&1; then
  echo "skipped: Xvfb is not installed"
  exit 77
fi
if [ ! -x "$lumora" ]; then
  echo "error: $lumora is not built" >&2
  exit 1
fi

mkdir -p "$artifacts"
shot=$artifacts/lumora-screenshot.png
tmp=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT INT TERM
rm -f "$shot"

# A display of our own: the first free number from 90 up.
. "$here/scripts/xvfb.sh"
start_xvfb 90 "$tmp/xvfb.log"

# Fresh settings and a lock of our own, so a running lumora is left alone.
DISPLAY=":$display" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$tmp/config" \
  timeout 60 "$lumora" --data "$LUMORA_LIBRARY" --startup-timing \
  --screenshot "$shot" --page-text "$tmp/page.txt" --instance-key "lumora-screenshot-$$"
rc=$?
if [ "$rc" -ne 0 ]; then
  echo "error: lumora exited with $rc" >&2
  exit 1
fi

status=0
if [ ! -s "$shot" ]; then
  echo "error: no screenshot written" >&2
  exit 1
fi
if ! grep -q "In the beginning was the Word" "$tmp/page.txt"; then
  echo "error: the page does not show John 1:1" >&2
  head -c 500 "$tmp/page.txt" >&2
  status=1
fi

[ "$status" -eq 0 ] && echo "ok: $shot"
exit "$status"
