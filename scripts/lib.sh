# Shared helpers for the set-up scripts. Source it; do not run it.

# Packages every build needs. The importer's library and the Bible packages
# come with the sample library.
LUMORA_BUILD_PACKAGES=(build-essential cmake ninja-build pkg-config zlib1g-dev libdeflate-dev
  libgtest-dev libbenchmark-dev libsword-dev
  qt6-base-dev fonts-dejavu-core fonts-liberation)
# The window's end-to-end check runs the program on a virtual display; the
# print tests read their PDF files with poppler's tools, the clipboard test
# reads the X selection with xclip, the input test types and clicks with
# xdotool and takes its pictures with ImageMagick's import.
LUMORA_TEST_PACKAGES=(xvfb xauth poppler-utils xclip xdotool imagemagick)
# The fuzz targets (scripts/fuzz.sh) are built with clang and libFuzzer.
LUMORA_FUZZ_PACKAGES=(clang libfuzzer-14-dev)
LUMORA_LIBRARY_PACKAGES=(sword-text-kjv sword-text-web sword-text-sparv sword-dict-strongs-hebrew sword-dict-strongs-greek sword-dict-naves sword-comm-scofield sword-comm-tdavid sword-comm-mhcc)

# Installs the Debian packages that are missing, as root or through sudo.
lumora_apt_install() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "need root or sudo to install: ${missing[*]}" >&2; return 1; }
    sudo=(sudo)
  fi
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Configures (once) and builds a tree: lumora_build DIR [cmake options...]
lumora_build() {
  local dir=$1
  shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$LUMORA_ROOT" -B "$dir" -G Ninja "$@"
  fi
  cmake --build "$dir"
}

LUMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
