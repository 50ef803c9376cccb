#include <benchmark/benchmark.h>

#include "bench/bench_library.h"
#include "core/modules/bible_module.h"
#include "core/text/fast_strings.h"

namespace lumora::bench {
namespace {

// The whole Bible as one text, the shape of a full-resource search.
const std::string& WholeText(benchmark::State& state) {
  static std::string all;
  if (all.empty())
    if (const TLMBibleModule* bible = BenchBible(state))
      for (int i = 1; i <= bible->VerseCount(); ++i)
        all += bible->GetVerseText(i, false, true) + "\n";
  return all;
}

void BM_SkipScanNoCase(benchmark::State& state) {
  const std::string& text = WholeText(state);
  if (text.empty()) return;
  SkipTable table;
  const std::string pattern = "everlasting life";
  (void)BuildSkipTableNoCase(pattern, table);
  for (auto _ : state) {
    int hits = 0;
    const char* p = text.data();
    int64_t left = static_cast<int64_t>(text.size());
    while (const char* hit = SkipScanNoCase(p, pattern, left, table)) {
      ++hits;
      left -= (hit - p) + 1;
      p = hit + 1;
    }
    benchmark::DoNotOptimize(hits);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_SkipScanNoCase)->Unit(benchmark::kMillisecond);

void BM_ReplaceAll(benchmark::State& state) {
  const std::string& text = WholeText(state);
  if (text.empty()) return;
  for (auto _ : state) benchmark::DoNotOptimize(ReplaceAll(text, ",", "", true));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReplaceAll)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumora::bench
