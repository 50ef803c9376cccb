#!/usr/bin/env bash
# Builds everything and runs every test: the unit tests, the tests on the
# sample library imported from Debian's packages, the unit tests again
# under AddressSanitizer and UndefinedBehaviorSanitizer, the full search's
# concurrency tests under ThreadSanitizer, the fuzz targets over their seeds
# and saved findings (scripts/fuzz.sh --ci), and last the Windows
# build with its tests under wine (scripts/test-windows.sh).
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cd "$LUMORA_ROOT"

lumora_apt_install "${LUMORA_BUILD_PACKAGES[@]}" "${LUMORA_LIBRARY_PACKAGES[@]}" \
  "${LUMORA_TEST_PACKAGES[@]}" "${LUMORA_FUZZ_PACKAGES[@]}"

# Each stage's heading says how long the run has taken so far.
stage() { echo "== $1 (at $((SECONDS / 60)) min $((SECONDS % 60)) s)"; }

stage "Release build"
# Without debug information: it takes a third of the compile time, and CI
# only runs the programs.
lumora_build build -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG"

stage "Sample library"
LUMORA_BUILD_DIR="$LUMORA_ROOT/build" scripts/sample-library.sh "$LUMORA_ROOT/build/library"
export LUMORA_LIBRARY="$LUMORA_ROOT/build/library"

stage "Tests"
ctest --test-dir build --output-on-failure -j"$(nproc)"

stage "Benchmarks, one short run"
# Every benchmark once with a minimal time, on the sample library: one that
# breaks makes lumora-bench exit 1. Timings of a loaded CI machine mean
# nothing; the log is kept for a look.
if [ -x build/bench/lumora-bench ]; then
  build/bench/lumora-bench --benchmark_min_time=0.001 >build/bench-run.log 2>&1 ||
    { cat build/bench-run.log; exit 1; }
  grep -c '^BM_' build/bench-run.log | sed 's/$/ benchmarks ran/'
fi

stage "Sanitizer build (ASan + UBSan)"
# Line tables only (-g1): enough for the sanitizers' stack traces, far
# cheaper to compile than full debug information. A unity build (files
# compiled in batches) halves the compile time of this throw-away tree.
lumora_build build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DLUMORA_SANITIZE=ON \
  -DLUMORA_BUILD_BENCH=OFF -DLUMORA_BUILD_IMPORTER=OFF -DCMAKE_UNITY_BUILD=ON
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
# Each test program runs as one process per core (gtest shards): one process
# per test would rebuild the shared fixtures hundreds of times under the
# sanitizer.
run_sharded() {
  local program=$1 shards i failed=0
  shards=$(nproc)
  local pids=()
  for ((i = 0; i < shards; i++)); do
    GTEST_TOTAL_SHARDS=$shards GTEST_SHARD_INDEX=$i "$program" --gtest_brief=1 \
      > "build-asan/shard-$i.log" 2>&1 &
    pids+=($!)
  done
  for ((i = 0; i < shards; i++)); do
    if wait "${pids[$i]}"; then
      grep -E "^\[ *(PASSED|SKIPPED) *\]" "build-asan/shard-$i.log"
    else
      failed=1
      cat "build-asan/shard-$i.log"
    fi
  done
  return $failed
}
run_sharded build-asan/tests/lumora-unit-tests
run_sharded build-asan/tests/lumora-library-tests
run_sharded build-asan/tests/lumora-render-tests
if [ -x build-asan/tests/lumora-search-tests ]; then run_sharded build-asan/tests/lumora-search-tests; fi
run_sharded build-asan/tests/lumora-concurrency-tests
run_sharded build-asan/tests/lumora-fuzz-tests
# The widget tests in one process: several of them share the per-user
# settings and the single-instance names.
if [ -x build-asan/lumora-ui-tests ]; then
  QT_QPA_PLATFORM=offscreen build-asan/lumora-ui-tests --gtest_brief=1
fi
ctest --test-dir build-asan --output-on-failure -R '^cli\.'

stage "ThreadSanitizer build (full search workers)"
# Only what the full search's workers run: the Qt-free libraries and the
# concurrency tests, synthetic and on the sample library (less the one that
# reads the library on one thread, the longest under the sanitizer).
if [ ! -f build-tsan/build.ninja ]; then
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DLUMORA_SANITIZE_THREAD=ON -DLUMORA_BUILD_GUI=OFF \
    -DLUMORA_BUILD_BENCH=OFF -DLUMORA_BUILD_IMPORTER=OFF -DCMAKE_UNITY_BUILD=ON
fi
cmake --build build-tsan --target lumora-concurrency-tests
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
  build-tsan/tests/lumora-concurrency-tests --gtest_brief=1 \
  --gtest_filter=-ParallelLibraryTest.EveryTextReadsTheSameWithBothInflaters

stage "Fuzz targets (clang, libFuzzer)"
# Builds only what the targets link (build-fuzz/), runs every committed seed
# and saved finding, then fuzzes each target for a few seconds.
scripts/fuzz.sh --ci -t 8

stage "Windows build and tests"
scripts/test-windows.sh
stage "All passed"
