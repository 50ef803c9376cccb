// The reading path before and after the fast inflater and the full search's
// worker pool, in one run on the same library (LUMORA_LIBRARY; skipped
// without it). Each iteration runs the reference path (zlib, one thread)
// and the fast path (libdeflate, one worker per core) in turn, so the
// machine's load falls on both alike; the counters give each path's mean
// time and the ratio reference / fast. Both paths decode verse texts in one
// pass (verse_text_codec.h); the passes before it are measured by running
// BM_AllVerses of an older build beside this one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "bench/read_everything.h"
#include "core/catalogue/module_catalogue.h"
#include "core/codec/compression.h"
#include "core/modules/bible_mapping_cache.h"
#include "search/full_search_pool.h"
#include "search/full_search_scan.h"

namespace lumora::bench {
namespace {

namespace fs = std::filesystem;

// A private copy of the library: a module file is mapped by one owner at a
// time, and other benchmarks of this program hold the library's own files.
const TModuleCatalogue* FastPathLibrary(benchmark::State& state) {
  (void)BibleMappingCache::Instance();  // outlives the catalogue below
  static std::string error;
  static std::unique_ptr<TModuleCatalogue> catalogue = []() -> std::unique_ptr<TModuleCatalogue> {
    const char* library = std::getenv("LUMORA_LIBRARY");
    if (library == nullptr || !fs::exists(fs::path(library) / "Bibles" / "KJV.lmb")) {
      error = "set LUMORA_LIBRARY to the sample library";
      return nullptr;
    }
    const fs::path copy = fs::temp_directory_path() / "lumora-fast-path-bench";
    std::error_code ec;
    fs::remove_all(copy, ec);
    fs::copy(library, copy, fs::copy_options::recursive, ec);
    auto c = std::make_unique<TModuleCatalogue>();
    const Status loaded = c->LoadModules(copy.string());
    if (!loaded.ok()) {
      error = loaded.message();
      return nullptr;
    }
    return c;
  }();
  if (!catalogue) state.SkipWithError(error.c_str());
  return catalogue.get();
}

double Seconds(InflateEngine engine, const std::function<void()>& run) {
  SetInflateEngine(engine);
  const auto start = std::chrono::steady_clock::now();
  run();
  const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  SetInflateEngine(InflateEngine::kFast);
  return s;
}

void ReportPair(benchmark::State& state, double reference, double fast) {
  const double n = static_cast<double>(state.iterations());
  state.counters["reference_ms"] = reference / n * 1e3;
  state.counters["fast_ms"] = fast / n * 1e3;
  state.counters["ratio"] = reference / fast;
  state.SetLabel(std::string(HasFastInflater() ? "libdeflate" : "zlib only") + ", " +
                 std::to_string(DefaultFullSearchWorkers()) + " workers");
}

// Full reference search for "grace" over every Bible, Book and Commentary.
void BM_FullSearchGraceReferenceVsFast(benchmark::State& state) {
  const TModuleCatalogue* c = FastPathLibrary(state);
  if (c == nullptr) return;
  auto matcher = FullSearchMatcher::Create("grace", false, true);
  int found[2] = {0, 0};
  auto search = [&](int workers, int& hits) {
    return [&, workers] {
      TBigSearchArray job = BuildSetJob(*c, kSetEverything, {}).value();
      hits = RunFullSearch(job, *matcher, *c->KjvBible(), nullptr, workers).found;
      benchmark::DoNotOptimize(job);
    };
  };
  double reference = 0, fast = 0;
  for (auto _ : state) {
    reference += Seconds(InflateEngine::kZlib, search(0, found[0]));
    fast += Seconds(InflateEngine::kFast, search(kFullSearchAutoWorkers, found[1]));
  }
  ReportPair(state, reference, fast);
  state.counters["found"] = found[1];
  if (found[0] != found[1]) state.SkipWithError("the two paths found different counts");
}
BENCHMARK(BM_FullSearchGraceReferenceVsFast)->Unit(benchmark::kMillisecond);

// Every verse and entry of the library read as stored: the floor under the
// full search, zlib on one thread against the fast inflater on one thread
// and on the search's workers.
void BM_ReadEverythingReferenceVsFast(benchmark::State& state) {
  const TModuleCatalogue* c = FastPathLibrary(state);
  if (c == nullptr) return;
  const TBigSearchArray job = BuildSetJob(*c, kSetEverything, {}).value();
  const int workers = std::max(1, DefaultFullSearchWorkers());
  double reference = 0, fast = 0, on_workers = 0;
  for (auto _ : state) {
    reference += Seconds(InflateEngine::kZlib, [&] { bench::ReadEverything(job); });
    fast += Seconds(InflateEngine::kFast, [&] { bench::ReadEverything(job); });
    on_workers += Seconds(InflateEngine::kFast, [&] { bench::ReadEverything(job, workers); });
  }
  ReportPair(state, reference, fast);
  state.counters["workers_ms"] = on_workers / static_cast<double>(state.iterations()) * 1e3;
  state.counters["workers_ratio"] = reference / on_workers;
}
BENCHMARK(BM_ReadEverythingReferenceVsFast)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every KJV verse through GetVerseText as the Bible view reads it (plain,
// without footnotes), zlib against the fast inflater.
void BM_KjvVersesReferenceVsFast(benchmark::State& state) {
  const TModuleCatalogue* c = FastPathLibrary(state);
  if (c == nullptr) return;
  const TLMBibleModule& kjv = *c->KjvBible();
  auto read = [&kjv] {
    for (int i = 1; i <= kjv.VerseCount(); ++i)
      benchmark::DoNotOptimize(kjv.GetVerseText(i, false, false));
  };
  double reference = 0, fast = 0;
  for (auto _ : state) {
    reference += Seconds(InflateEngine::kZlib, read);
    fast += Seconds(InflateEngine::kFast, read);
  }
  ReportPair(state, reference, fast);
}
BENCHMARK(BM_KjvVersesReferenceVsFast)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumora::bench
