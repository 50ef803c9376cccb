// The full reference search and the topic and verse guide over the whole
// sample library (LUMORA_LIBRARY; skipped without it), with the cost of
// reading (inflating) every text alone and of reading plus plain-text
// conversion, to show where the search's time goes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>

#include "bench/bench_library.h"
#include "bench/read_everything.h"
#include "search/full_search_pool.h"
#include "search/full_search_scan.h"
#include "search/full_search_text.h"
#include "search/topic_guide.h"

namespace lumora::bench {
namespace {

const TModuleCatalogue* Library(benchmark::State& state) {
  const BenchLibrary* l = SampleLibrary();
  if (l == nullptr) state.SkipWithError(NoSampleLibrary());
  return l ? l->catalogue.get() : nullptr;
}

TBigSearchArray WholeLibrary(const TModuleCatalogue& c) {
  return BuildSetJob(c, kSetEverything, {}).value();
}

void SetBytes(benchmark::State& state, uint64_t bytes) {
  state.counters["bytes"] = static_cast<double>(bytes);
  state.counters["rate"] = benchmark::Counter(static_cast<double>(bytes) * state.iterations(),
                                              benchmark::Counter::kIsRate,
                                              benchmark::Counter::kIs1024);
}

// Full reference search for "grace" over every Bible, Book and Commentary.
void BM_FullSearchGrace(benchmark::State& state) {
  const TModuleCatalogue* c = Library(state);
  if (c == nullptr) return;
  auto matcher = FullSearchMatcher::Create("grace", false, true);
  FullSearchOutcome outcome;
  for (auto _ : state) {
    TBigSearchArray job = WholeLibrary(*c);
    outcome = RunFullSearch(job, *matcher, *c->KjvBible(), nullptr);
    benchmark::DoNotOptimize(job);
  }
  state.counters["found"] = outcome.found;
  SetBytes(state, outcome.bytes_scanned);
}
BENCHMARK(BM_FullSearchGrace)->Unit(benchmark::kMillisecond);

// The KJV alone, the scope of `diatheke -b KJV -s multiword -k grace`.
void BM_FullSearchGraceKjvOnly(benchmark::State& state) {
  const TModuleCatalogue* c = Library(state);
  if (c == nullptr) return;
  auto matcher = FullSearchMatcher::Create("grace", false, true);
  FullSearchOutcome outcome;
  for (auto _ : state) {
    TBigSearchArray job = BuildSingleModuleJob(ModuleRef::Of(*c->KjvBible()));
    outcome = RunFullSearch(job, *matcher, *c->KjvBible(), nullptr);
    benchmark::DoNotOptimize(job);
  }
  state.counters["found"] = outcome.found;
  SetBytes(state, outcome.bytes_scanned);
}
BENCHMARK(BM_FullSearchGraceKjvOnly)->Unit(benchmark::kMillisecond);

// Every verse and entry read as stored, on one thread: the floor under a
// scan on one thread.
void BM_FullSearchReadOnly(benchmark::State& state) {
  const TModuleCatalogue* c = Library(state);
  if (c == nullptr) return;
  const TBigSearchArray job = WholeLibrary(*c);
  uint64_t bytes = 0;
  for (auto _ : state) bytes = ReadEverything(job);
  SetBytes(state, bytes);
}
BENCHMARK(BM_FullSearchReadOnly)->Unit(benchmark::kMillisecond);

// The same reading shared by as many threads as the full search has
// workers: the floor under the search as it runs, on every core.
void BM_FullSearchReadOnlyOnWorkers(benchmark::State& state) {
  const TModuleCatalogue* c = Library(state);
  if (c == nullptr) return;
  const TBigSearchArray job = WholeLibrary(*c);
  const int workers = std::max(1, DefaultFullSearchWorkers());
  uint64_t bytes = 0;
  for (auto _ : state) bytes = ReadEverything(job, workers);
  SetBytes(state, bytes);
  state.SetLabel(std::to_string(workers) + " threads");
}
BENCHMARK(BM_FullSearchReadOnlyOnWorkers)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reading plus the plain-text conversion of entries, no matching.
void BM_FullSearchReadAndConvert(benchmark::State& state) {
  const TModuleCatalogue* c = Library(state);
  if (c == nullptr) return;
  uint64_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    for (const TBigSearchNode& node : WholeLibrary(*c))
      for (int item = 0; item < node.module.ItemCount(); ++item) {
        const FullSearchItem text = FullSearchItemText(node.module, item, *c->KjvBible());
        bytes += text.text.size();
        benchmark::DoNotOptimize(text);
      }
  }
  SetBytes(state, bytes);
}
BENCHMARK(BM_FullSearchReadAndConvert)->Unit(benchmark::kMillisecond);

// The topic and verse guide in verse mode for a three-verse range.
void BM_TopicGuideVerseMode(benchmark::State& state) {
  const TModuleCatalogue* c = Library(state);
  if (c == nullptr) return;
  const TopicGuide guide(*c);
  size_t hits = 0;
  for (auto _ : state) {
    auto result = guide.Search("john 3:16-18");
    hits = result.ok() ? result->hits.size() : 0;
    benchmark::DoNotOptimize(result);
  }
  state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_TopicGuideVerseMode)->Unit(benchmark::kMicrosecond);

// Topic mode reads every entry title of every Book.
void BM_TopicGuideTopicMode(benchmark::State& state) {
  const TModuleCatalogue* c = Library(state);
  if (c == nullptr) return;
  const TopicGuide guide(*c);
  for (auto _ : state) {
    auto result = guide.Search("love");
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_TopicGuideTopicMode)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumora::bench
