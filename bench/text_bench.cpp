#include <benchmark/benchmark.h>

#include "bench/bench_bible.h"
#include "core/modules/bible_mapping_cache.h"
#include "core/modules/bible_module.h"
#include "core/text/fast_strings.h"

namespace lumora::bench {
namespace {

// The whole Bible as one text, the shape of a full-resource search.
const std::string& WholeText() {
  static const std::string text = [] {
    BibleMappingCache::Instance().Clear();
    std::string all;
    Result<std::unique_ptr<TLMBibleModule>> bible = TLMBibleModule::Create(BenchBiblePath());
    if (!bible.ok()) return all;
    for (int i = 1; i <= 31102; ++i) all += (*bible)->GetVerseText(i, false, true) + "\n";
    return all;
  }();
  return text;
}

void BM_SkipScanNoCase(benchmark::State& state) {
  const std::string& text = WholeText();
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
  const std::string& text = WholeText();
  for (auto _ : state) benchmark::DoNotOptimize(ReplaceAll(text, ",", "", true));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReplaceAll)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumora::bench
