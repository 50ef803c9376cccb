#!/bin/sh
# Copy and print delivery on a real X display: runs the XvfbDelivery widget
# tests on a virtual display of their own (another program, xclip, reads the
# clipboard) and leaves their pictures in ARTIFACTS.
#
#   scripts/xvfb-delivery-test.sh UI_TESTS [ARTIFACTS]
#
# Exits 77 (skipped) without Xvfb or xclip.
set -u

here=$(cd "$(dirname "$0")/.." && pwd)
tests=${1:?usage: xvfb-delivery-test.sh UI_TESTS [ARTIFACTS]}
artifacts=${2:-$here/build/artifacts}

for tool in Xvfb xclip pdftoppm; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed"
    exit 77
  fi
done

mkdir -p "$artifacts"
tmp=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT INT TERM

display=120
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
  display=$((display + 1))
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
tries=0
until [ -e "/tmp/.X11-unix/X$display" ]; do
  tries=$((tries + 1))
  if [ "$tries" -gt 100 ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "skipped: Xvfb did not start"
    cat "$tmp/xvfb.log"
    exit 77
  fi
  sleep 0.1
done

DISPLAY=":$display" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$tmp/config" \
  LUMORA_ARTIFACTS="$artifacts" timeout 120 "$tests" --gtest_filter='XvfbDelivery.*'
