#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ (clang, ASan + UBSan, in build-fuzz/)
# and runs them, then prints per target the executions, executions per
# second, coverage and every finding.
#
#   scripts/fuzz.sh [-t SECONDS] [-r RUNS] [-j PARALLEL] [--ci] [--no-build] [TARGET...]
#
#   -t SECONDS   run each target this long (default 60; 10 with --ci)
#   -r RUNS      and stop a target earlier after this many executions
#   -j PARALLEL  targets run at the same time (default 1; nproc with --ci)
#   --ci         first run every committed seed and every saved finding
#                (tests/data/fuzz/TARGET) as they are, then fuzz briefly;
#                any finding fails the run
#   --no-build   use the targets already built
#   TARGET       bible_module, entry_module, ... (default: all of them)
#
# Each target keeps a working corpus in build-fuzz/corpus/TARGET (started
# from fuzz/corpus/TARGET; runs go on from what earlier runs found; --ci
# starts afresh in build-fuzz/ci-corpus/) and writes findings to
# build-fuzz/findings/TARGET/. The exit status is 1 when
# a target found something.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cd "$LUMORA_ROOT"

ALL_TARGETS=(bible_module entry_module strongs_data codecs reference_parser renderers export
  href_preview settings_file search)
seconds=""
runs=""
parallel=""
ci=0
build=1
targets=()
while (($#)); do
  case $1 in
    -t) seconds=$2; shift 2 ;;
    -r) runs=$2; shift 2 ;;
    -j) parallel=$2; shift 2 ;;
    --ci) ci=1; shift ;;
    --no-build) build=0; shift ;;
    -h|--help) sed -n '2,22p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
((${#targets[@]})) || targets=("${ALL_TARGETS[@]}")
if ((ci)); then
  seconds=${seconds:-10}
  parallel=${parallel:-$(nproc)}
else
  seconds=${seconds:-60}
  parallel=${parallel:-1}
fi

dir=build-fuzz
if ((build)); then
  lumora_apt_install "${LUMORA_FUZZ_PACKAGES[@]}"
  # Only the libraries the targets link are built: no tests, tools, GUI or
  # benchmarks. Optimised with line tables, for speed and stack traces.
  if [ ! -f "$dir/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$LUMORA_ROOT" -B "$dir" -G Ninja -DLUMORA_BUILD_FUZZERS=ON \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1 -g1" -DCMAKE_UNITY_BUILD=ON \
      -DLUMORA_BUILD_TESTS=OFF -DLUMORA_BUILD_BENCH=OFF -DLUMORA_BUILD_GUI=OFF \
      -DLUMORA_BUILD_IMPORTER=OFF
  fi
  cmake --build "$dir" --target lumora-fuzzers
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

# Runs one target; its log goes to build-fuzz/logs/TARGET.log.
run_target() {
  local t=$1
  local exe="$dir/fuzz/fuzz-$t" corpus="$dir/corpus/$t" findings="$dir/findings/$t"
  if ((ci)); then
    # A fresh corpus of its own: the committed seeds and the saved findings
    # are the test, and a developer's corpus is left alone.
    corpus="$dir/ci-corpus/$t"
    rm -rf "$corpus"
  fi
  mkdir -p "$corpus" "$findings" "$dir/logs"
  local inputs=("$corpus")
  [ -d "fuzz/corpus/$t" ] && inputs+=("fuzz/corpus/$t")
  ((ci)) && [ -d "tests/data/fuzz/$t" ] && inputs+=("tests/data/fuzz/$t")
  local options=(-max_total_time="$seconds" -print_final_stats=1 -timeout=25 -rss_limit_mb=3072
    -artifact_prefix="$findings/" -close_fd_mask=1)
  [ -n "$runs" ] && options+=(-runs="$runs")
  [ -f "fuzz/dict/$t.dict" ] && options+=(-dict="fuzz/dict/$t.dict")
  "$exe" "${options[@]}" "${inputs[@]}" > "$dir/logs/$t.log" 2>&1
}

# One line per target from its log.
report() {
  local t=$1 log="$dir/logs/$1.log" status=$2
  local execs rate cov ft corpus found
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  cov=$(grep -oE ' cov: [0-9]+' "$log" | tail -1 | grep -oE '[0-9]+' || true)
  ft=$(grep -oE ' ft: [0-9]+' "$log" | tail -1 | grep -oE '[0-9]+' || true)
  corpus=$(grep -oE ' corp: [0-9]+/[0-9]+[a-zA-Z]*' "$log" | tail -1 | sed 's/ corp: //' || true)
  # Slow units are reported, not failures.
  found=$(sed -n 's/.*Test unit written to //p' "$log" | { grep -v '/slow-unit-' || true; } | tr '\n' ' ')
  printf '%-17s %11s %9s %7s %8s %12s  %s\n' "$t" "${execs:--}" "${rate:--}" "${cov:--}" \
    "${ft:--}" "${corpus:--}" "${found:-$([ "$status" = 0 ] && echo none || echo "exit $status, see $log")}"
}

declare -A pids status
running=0
for t in "${targets[@]}"; do
  [ -x "$dir/fuzz/fuzz-$t" ] || { echo "no target $t (built: $dir/fuzz/fuzz-*)" >&2; exit 2; }
  if ((running >= parallel)); then
    wait -n || true
    running=$((running - 1))
  fi
  run_target "$t" &
  pids[$t]=$!
  running=$((running + 1))
done
failed=0
for t in "${targets[@]}"; do
  if wait "${pids[$t]}"; then status[$t]=0; else status[$t]=$?; failed=1; fi
done

printf '%-17s %11s %9s %7s %8s %12s  %s\n' target executions "exec/s" cov features corpus findings
for t in "${targets[@]}"; do report "$t" "${status[$t]}"; done
exit $failed
