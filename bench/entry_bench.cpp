// The entry renderer on the longest entry of the sample library (the entry
// with the most verse lists is the worst case for the Book view). Skipped
// without LUMORA_LIBRARY.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/bench_library.h"
#include "render/entry_renderer.h"

namespace lumora::bench {
namespace {

struct LongestEntry {
  std::string text, title, label;
  std::vector<std::string> titles;
};

// Scans every Book and Commentary entry of the shared library once.
const LongestEntry* FindLongestEntry() {
  static const LongestEntry* found = []() -> const LongestEntry* {
    const BenchLibrary* library = SampleLibrary();
    if (library == nullptr) return nullptr;
    const TModuleCatalogue& catalogue = *library->catalogue;
    auto* e = new LongestEntry;
    auto consider = [e](std::string text, const std::string& title,
                        const std::vector<std::string>& titles, const std::string& label) {
      if (text.size() <= e->text.size()) return;
      e->text = std::move(text);
      e->title = title;
      e->titles = titles;
      e->label = label;
    };
    for (const auto& book : catalogue.Books())
      for (int i = 0; i < book->EntryCount(); ++i) {
        const std::string& title = book->EntryTitles()[static_cast<size_t>(i)];
        consider(book->GetEntryText(i), title, book->EntryTitles(),
                 book->GetAbbreviation() + " " + title);
      }
    for (const auto& commentary : catalogue.Commentaries())
      for (int slot = 0; slot < 31102; ++slot) {
        if (!commentary->HasEntry(slot)) continue;
        const std::string label = commentary->GetAbbreviation() + " slot " + std::to_string(slot);
        consider(commentary->GetEntryText(slot), label, commentary->EntryTitles(), label);
      }
    return e;
  }();
  return found;
}

void BM_ShowLongestEntry(benchmark::State& state) {
  const LongestEntry* e = FindLongestEntry();
  if (e == nullptr) {
    state.SkipWithError(NoSampleLibrary());
    return;
  }
  TEntryRenderer renderer(*SampleLibrary()->catalogue->KjvBible());
  for (auto _ : state) {
    renderer.ShowEntry(e->text, e->title, e->titles, 0, 0);
    benchmark::DoNotOptimize(renderer.Html().data());
  }
  state.SetLabel(e->label + ", " + std::to_string(e->text.size()) + " bytes");
}
BENCHMARK(BM_ShowLongestEntry)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumora::bench
