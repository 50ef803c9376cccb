#include <benchmark/benchmark.h>

#include "bench/bench_bible.h"
#include "bench/bench_library.h"
#include "core/modules/bible_mapping_cache.h"
#include "core/modules/bible_module.h"

namespace lumora::bench {

namespace {

// Cold opens of a copy of the KJV: the shared library holds its own file.
void BM_OpenBible(benchmark::State& state) {
  std::string label;
  BenchBiblePath(&label);
  for (auto _ : state) {
    BibleMappingCache::Instance().Clear();  // a cold open, not the twin's shared one
    Result<std::unique_ptr<TLMBibleModule>> bible = TLMBibleModule::Create(BenchBiblePath());
    if (!bible.ok()) {
      state.SkipWithError(bible.status().message().c_str());
      break;
    }
    benchmark::DoNotOptimize(bible->get());
  }
  state.SetLabel(label);
}
BENCHMARK(BM_OpenBible)->Unit(benchmark::kMicrosecond);

// What the first chapter shown costs: the open plus the word list that the
// first verse text needs.
void BM_OpenAndReadFirstVerse(benchmark::State& state) {
  for (auto _ : state) {
    BibleMappingCache::Instance().Clear();
    Result<std::unique_ptr<TLMBibleModule>> bible = TLMBibleModule::Create(BenchBiblePath());
    if (!bible.ok()) {
      state.SkipWithError(bible.status().message().c_str());
      break;
    }
    benchmark::DoNotOptimize((*bible)->GetVerseText(26046, false, false));
  }
}
BENCHMARK(BM_OpenAndReadFirstVerse)->Unit(benchmark::kMicrosecond);

void BM_AllVerses(benchmark::State& state) {
  const TLMBibleModule* bible = BenchBible(state);
  if (!bible) return;
  const bool strongs = state.range(0) != 0;
  size_t bytes = 0;
  for (auto _ : state) {
    for (int i = 1; i <= bible->VerseCount(); ++i) {
      std::string text = bible->GetVerseText(i, strongs, false);
      bytes += text.size();
      benchmark::DoNotOptimize(text);
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
  state.SetLabel(strongs ? "with Strong's" : "plain");
}
BENCHMARK(BM_AllVerses)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_LocateVerse(benchmark::State& state) {
  const TLMBibleModule* bible = BenchBible(state);
  if (!bible) return;
  for (auto _ : state) benchmark::DoNotOptimize(bible->LocateVerse(66, 22, 21));
}
BENCHMARK(BM_LocateVerse)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumora::bench
