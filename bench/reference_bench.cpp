#include <benchmark/benchmark.h>

#include "bench/bench_library.h"
#include "core/modules/bible_module.h"
#include "core/refs/reference_format.h"
#include "core/refs/reference_parser.h"

namespace lumora::bench {
namespace {

// Twenty references of every shape, books from both ends of the Bible (the
// far end is where a linear verse-table scan costs most).
constexpr const char* kTwentyReferences =
    "jn 3:16-18; romans 5:8, 10; ge 1:1; ex 20:1-17; ps 23; ps 119:105; pr 3:5-6; "
    "isa 53:5; mt 5:3-12; mk 1:1; lu 2:1-20; acts 2:38; 1 co 13:4-7; ga 5:22, 23; "
    "eph 2:8-9; php 4:13; heb 11:1; jas 1:5; 1jn 1:9; re 22:21";

// A held parser, as a pane that parses often keeps one per Bible.
void BM_ParseTwentyReferences(benchmark::State& state) {
  const TLMBibleModule* bible = BenchBible(state);
  if (!bible) return;
  const ReferenceParser parser(*bible);
  size_t ranges = 0;
  for (auto _ : state) {
    ParsedReferences parsed = parser.Parse(kTwentyReferences);
    ranges = parsed.ranges.size();
    benchmark::DoNotOptimize(parsed);
  }
  std::string label;
  BenchBible(state, &label);
  state.SetLabel(std::to_string(ranges) + " ranges, " + label);
}
BENCHMARK(BM_ParseTwentyReferences)->Unit(benchmark::kMicrosecond);

// The plain call: book keys built each time, verses looked up in the module.
void BM_ParseTwentyReferencesPlainCall(benchmark::State& state) {
  const TLMBibleModule* bible = BenchBible(state);
  if (!bible) return;
  for (auto _ : state) benchmark::DoNotOptimize(ParseReferences(kTwentyReferences, *bible));
}
BENCHMARK(BM_ParseTwentyReferencesPlainCall)->Unit(benchmark::kMicrosecond);

// What holding a parser costs once per Bible.
void BM_BuildReferenceParser(benchmark::State& state) {
  const TLMBibleModule* bible = BenchBible(state);
  if (!bible) return;
  for (auto _ : state) benchmark::DoNotOptimize(ReferenceParser(*bible));
}
BENCHMARK(BM_BuildReferenceParser)->Unit(benchmark::kMicrosecond);

void BM_FastLocateVerse(benchmark::State& state) {
  const TLMBibleModule* bible = BenchBible(state);
  if (!bible) return;
  for (auto _ : state) benchmark::DoNotOptimize(FastLocateVerse(*bible, 66, 22, 21));
}
BENCHMARK(BM_FastLocateVerse);

void BM_FormatVerseList(benchmark::State& state) {
  const TLMBibleModule* bible = BenchBible(state);
  if (!bible) return;
  std::vector<int> verses;
  for (int i = 26137; i < 26137 + 100; i += 1 + (i % 3 == 0)) verses.push_back(i);
  for (auto _ : state) benchmark::DoNotOptimize(FormatVerseList(verses, *bible));
}
BENCHMARK(BM_FormatVerseList)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumora::bench
