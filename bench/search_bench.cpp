// The Bible search on the imported KJV (LUMORA_LIBRARY), and Debian's
// diatheke on the same text for comparison.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "bench/bench_library.h"
#include "core/modules/bible_module.h"
#include "core/refs/verse_index.h"
#include "search/bible_search.h"

namespace lumora::bench {
namespace {

const TLMBibleModule* SearchBible(benchmark::State& state) {
  std::string label;
  const TLMBibleModule* bible = BenchBible(state, &label);
  if (bible == nullptr) return nullptr;
  (void)bible->Words();  // inflated once per session, not per search
  state.SetLabel(label);
  return bible;
}

void RunSearch(benchmark::State& state, const char* text, BibleSearchType type,
               bool substring = false) {
  const TLMBibleModule* bible = SearchBible(state);
  if (bible == nullptr) return;
  BibleSearchRequest r;
  r.bible = bible;
  r.text = text;
  r.type = static_cast<int>(type);
  r.substring = substring;
  r.first_verse = 1;
  r.last_verse = kVerseCount;
  size_t found = 0;
  for (auto _ : state) {
    BibleSearchResult result = RunBibleSearch(r);
    found = result.verses.size();
    benchmark::DoNotOptimize(result);
  }
  state.counters["verses"] = static_cast<double>(found);
}

void BM_SearchOneWord(benchmark::State& s) { RunSearch(s, "lord", BibleSearchType::kAllWords); }
void BM_SearchThreeWordsAll(benchmark::State& s) {
  RunSearch(s, "son of man", BibleSearchType::kAllWords);
}
void BM_SearchThreeWordPhrase(benchmark::State& s) {
  RunSearch(s, "son of man", BibleSearchType::kExactPhrase);
}
void BM_SearchStrongs(benchmark::State& s) { RunSearch(s, "G26", BibleSearchType::kAllWords); }
// What diatheke's phrase search for "love" finds: the text anywhere in a word.
void BM_SearchLoveSubstring(benchmark::State& s) {
  RunSearch(s, "love", BibleSearchType::kAllWords, true);
}
BENCHMARK(BM_SearchOneWord)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchThreeWordsAll)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchThreeWordPhrase)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchStrongs)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchLoveSubstring)->Unit(benchmark::kMicrosecond);

// Output size of a shell command, or -1 when it cannot run.
long CommandOutputSize(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  char buffer[4096];
  long total = 0;
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) total += static_cast<long>(n);
  return pclose(pipe) == 0 ? total : -1;
}

double ChildCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The whole diatheke run (it loads the module on every call, as a user's
// search does). Debian names the KJV module engKJV2006eb; older packages "KJV".
void BM_DiathekePhraseLove(benchmark::State& state) {
  static const std::string command = [] {
    for (const char* module : {"KJV", "engKJV2006eb"}) {
      const std::string c = std::string("diatheke -b ") + module + " -s phrase -k love 2>/dev/null";
      if (CommandOutputSize(c) > 100) return c;
    }
    return std::string();
  }();
  if (command.empty()) {
    state.SkipWithError("skipped: diatheke with a KJV module not found (apt-get install diatheke)");
    return;
  }
  // Its CPU time shows in the children's usage, not in this process's.
  const double before = ChildCpuSeconds();
  for (auto _ : state) benchmark::DoNotOptimize(CommandOutputSize(command));
  state.counters["child_cpu_ms"] = benchmark::Counter((ChildCpuSeconds() - before) * 1000.0 /
                                                      static_cast<double>(state.iterations()));
  state.SetLabel(command.substr(0, command.find(" 2>")));
}
BENCHMARK(BM_DiathekePhraseLove)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace lumora::bench
