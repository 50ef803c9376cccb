#!/usr/bin/env bash
# Cross-builds the Qt-free core, lumora-cli and the tests for 64-bit Windows
# with Debian's mingw-w64 toolchain (in build-win/) and runs them under wine
# in a throw-away prefix: the unit tests, then, when the sample library has
# been built (LUMORA_LIBRARY, else build/library), the library tests and
# lumora-cli on it, whose output must match that of the Linux build
# (LUMORA_BUILD_DIR, else build/).
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cd "$LUMORA_ROOT"
start=$SECONDS

lumora_apt_install cmake ninja-build g++-mingw-w64-x86-64-posix libz-mingw-w64-dev googletest \
  wine64

build=$LUMORA_ROOT/build-win
toolchain=$LUMORA_ROOT/cmake/mingw-w64-x86_64.cmake

# GoogleTest from the sources Debian ships, built once per package version.
gtest=$build/googletest
gtest_version=$(dpkg-query -W -f='${Version}' googletest)
if [[ $(cat "$gtest/version" 2>/dev/null) != "$gtest_version" ]]; then
  echo "== GoogleTest $gtest_version for Windows"
  rm -rf "$gtest" "$gtest-build"
  cmake -S /usr/src/googletest -B "$gtest-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest" >/dev/null
  cmake --build "$gtest-build"
  cmake --install "$gtest-build" >/dev/null
  echo "$gtest_version" >"$gtest/version"
fi

echo "== Windows build"
# -O2 as in the Linux release build; at -O3 GCC 12 warns falsely (-Wrestrict)
# inside libstdc++. A unity build, as in the sanitizer build, for speed.
lumora_build "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DLUMORA_BUILD_BENCH=OFF -DLUMORA_BUILD_IMPORTER=OFF -DLUMORA_BUILD_GUI=OFF \
  -DCMAKE_UNITY_BUILD=ON \
  -DGTest_DIR="$gtest/lib/cmake/GTest"

# Debian keeps the wine64 loader out of PATH.
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
[[ -x $wine ]] || wine=$(command -v wine64)
[[ -x $wineserver ]] || wineserver=$(command -v wineserver)

scratch=$(mktemp -d "${TMPDIR:-/tmp}/lumora-windows.XXXXXX")
export WINEPREFIX=$scratch/prefix WINEARCH=win64 WINEDEBUG=-all
# Console programs only: no Mono, no Gecko. Arguments and file names are
# UTF-8 on the Linux side.
export WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

echo "== wine prefix"
# One server for the whole run, so wine starts up once, not per program.
mkdir "$WINEPREFIX"
"$wineserver" -p
"$wine" wineboot -i >"$scratch/wineboot.log" 2>&1 || { cat "$scratch/wineboot.log" >&2; exit 1; }

# Runs a Windows program with a terminal as its input, as from a command
# prompt: wine then gives it a console (the console tests need one). The
# output goes through a file, untouched by the terminal.
with_console() {
  local log=$scratch/output.txt status=0
  if script -qec true /dev/null </dev/null >/dev/null 2>&1; then
    script -qec "$(printf '%q ' "$wine" "$@") >$(printf %q "$log") 2>&1" /dev/null \
      </dev/null >/dev/null || status=$?
  else
    "$wine" "$@" >"$log" 2>&1 || status=$?
  fi
  cat "$log"
  return "$status"
}

echo "== Unit tests under wine"
# Drive Y: is an empty folder: a drive root lists no entries at all.
mkdir "$scratch/empty-drive"
ln -s "$scratch/empty-drive" "$WINEPREFIX/dosdevices/y:"
LUMORA_TEST_EMPTY_DRIVE='Y:\' with_console "$build/tests/lumora-unit-tests.exe" --gtest_brief=1

library=${LUMORA_LIBRARY:-$LUMORA_ROOT/build/library}
if [[ ! -f $library/Bibles/KJV.lmb ]]; then
  echo "== No sample library at $library: library tests and lumora-cli skipped"
  echo "Windows step: $((SECONDS - start)) s"
  exit 0
fi
windows_library=$("$wine" winepath -w "$library")

echo "== Library tests under wine ($windows_library)"
LUMORA_LIBRARY=$windows_library "$wine" "$build/tests/lumora-library-tests.exe" --gtest_brief=1
for program in lumora-render-tests lumora-search-tests lumora-concurrency-tests; do
  if [[ -f $build/tests/$program.exe ]]; then
    echo "== $program under wine"
    LUMORA_LIBRARY=$windows_library "$wine" "$build/tests/$program.exe" --gtest_brief=1
  fi
done

echo "== lumora-cli.exe on the sample library"
cli=$build/tools/cli/lumora-cli.exe
linux_cli=${LUMORA_BUILD_DIR:-$LUMORA_ROOT/build}/tools/cli/lumora-cli
[[ -x $linux_cli ]] || linux_cli=
# Also under a drive letter and a folder name outside every ANSI code page.
ln -s "$library" "$WINEPREFIX/drive_c/Bibliothèque Ψ"
for args in "bibles" "verse KJV 43 3 16" "verse KJV 43 3 16 --strongs"; do
  read -ra words <<<"$args"
  echo "\$ lumora-cli.exe --data '$windows_library' $args"
  "$wine" "$cli" --data "$windows_library" "${words[@]}" >"$scratch/windows.txt"
  cat "$scratch/windows.txt"
  "$wine" "$cli" --data 'C:\Bibliothèque Ψ' "${words[@]}" >"$scratch/drive-c.txt"
  cmp "$scratch/windows.txt" "$scratch/drive-c.txt"
  # Byte for byte what the Linux build prints.
  if [[ $linux_cli ]]; then
    "$linux_cli" --data "$library" "${words[@]}" >"$scratch/linux.txt"
    cmp "$scratch/linux.txt" "$scratch/windows.txt"
  fi
done
grep -q '^John 3:16 For<G1063> God<G2316> so<G3779> loved<G0025>' "$scratch/windows.txt" ||
  { echo "lumora-cli.exe: John 3:16 is not as expected" >&2; exit 1; }
[[ $linux_cli ]] || echo "(no Linux build of lumora-cli to compare with)"

# Without --data it opens its own folder, here one whose path is longer
# than MAX_PATH (260 characters).
deep=$scratch/$(printf 'd%.0s' {1..140})/$(printf 'e%.0s' {1..140})
mkdir -p "$deep"
for entry in "$library"/*; do ln -s "$entry" "$deep/"; done
cp "$cli" "$deep/"
"$wine" "$deep/lumora-cli.exe" bibles >"$scratch/deep.txt"
"$wine" "$cli" --data "$windows_library" bibles | cmp - "$scratch/deep.txt"

echo "Windows step: $((SECONDS - start)) s"
