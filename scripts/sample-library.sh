#!/usr/bin/env bash
# Builds the sample library from Debian's SWORD Bible packages:
#   DIR/Bibles/KJV.lmb, DIR/Bibles/WEB.lmb, DIR/Bibles/RV1909.lmb, DIR/pmap.dat
# Usage: scripts/sample-library.sh DIR
# LUMORA_BUILD_DIR names the build folder holding lumora-import (default build/).
# Re-running only redoes a Bible whose package or importer changed since.
set -euo pipefail

if [[ $# -ne 1 ]]; then
  echo "usage: $0 DIR" >&2
  exit 2
fi
out=$1
source "$(dirname "$0")/lib.sh"
build=${LUMORA_BUILD_DIR:-$LUMORA_ROOT/build}
importer=$build/tools/import/lumora-import

lumora_apt_install "${LUMORA_LIBRARY_PACKAGES[@]}"

[[ -x $importer ]] || { echo "$importer not found: build the lumora-import target first" >&2; exit 1; }

# bible PACKAGE MODULE ABBREVIATION TITLE [lumora-import options]
# Skips the Bible when its outputs are newer than the package's installation
# (dpkg's file list) and than the importer.
bible() {
  local pkg=$1 module=$2 abbrev=$3 title=$4
  shift 4
  local lmb=$out/Bibles/$abbrev.lmb
  local targets=("$lmb") prev='' arg target
  for arg in "$@"; do
    [[ $prev == --pmap ]] && targets+=("$arg")
    prev=$arg
  done
  local installed=/var/lib/dpkg/info/$pkg.list
  for target in "${targets[@]}"; do
    if [[ ! -e $target || ! $target -nt $installed || ! $target -nt $importer ]]; then
      "$importer" bible --module "$module" --abbrev "$abbrev" --title "$title" --out "$lmb" "$@"
      return
    fi
  done
  echo "$lmb is up to date"
}

mkdir -p "$out/Bibles"
bible sword-text-kjv engKJV2006eb KJV "King James Version" --pmap "$out/pmap.dat"
# The WEB package tags its words with Strong's numbers by machine alignment,
# and in the Old Testament most tags sit on the wrong words ("and", "of"
# carrying H3068): a Strong's search over them would mislead.
bible sword-text-web engWEB2015eb WEB "World English Bible" --no-strongs
bible sword-text-sparv spaRV1909eb RV1909 "Reina-Valera 1909"
