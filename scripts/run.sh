#!/usr/bin/env bash
# Builds the tools, imports the sample library from Debian's packages and
# shows it with the command-line program. (The desktop window is not built
# yet; until it is, this ends in lumora-cli.)
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
