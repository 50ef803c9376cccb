#!/usr/bin/env bash
# Builds Lumora, imports the sample library from Debian's packages and starts
# the desktop program on it (without a display, it shows the library with the
# command-line program instead).
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cd "$LUMORA_ROOT"

lumora_apt_install "${LUMORA_BUILD_PACKAGES[@]}" "${LUMORA_LIBRARY_PACKAGES[@]}"
lumora_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
LUMORA_BUILD_DIR="$LUMORA_ROOT/build" scripts/sample-library.sh "$LUMORA_ROOT/build/library"

cli=(build/tools/cli/lumora-cli --data build/library)
echo
echo "\$ lumora-cli bibles"
"${cli[@]}" bibles
echo
echo "\$ lumora-cli verse KJV 43 3 16"
"${cli[@]}" verse KJV 43 3 16
echo
echo "\$ lumora-cli verse KJV 43 3 16 --strongs"
"${cli[@]}" verse KJV 43 3 16 --strongs
echo
echo "More: ${cli[*]} help"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: not starting the window (build/lumora --data build/library)."
  exit 0
fi
exec build/lumora --data build/library "$@"
