#!/bin/sh
# The widget tests that need a real X display (Xvfb*): copy and print
# delivery (another program, xclip, reads the clipboard) and pictures of the
# search windows, on a virtual display of their own; their pictures go to
# ARTIFACTS.
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

. "$here/scripts/xvfb.sh"
start_xvfb 120 "$tmp/xvfb.log"

DISPLAY=":$display" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$tmp/config" \
  LUMORA_ARTIFACTS="$artifacts" timeout 120 "$tests" --gtest_filter='Xvfb*'
