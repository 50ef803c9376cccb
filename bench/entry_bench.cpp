// The entry renderer on the longest entry of the sample library (the entry
// with the most verse lists is the worst case for the Book view). Skipped
// without LUMORA_LIBRARY.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "core/catalogue/module_catalogue.h"
#include "render/entry_renderer.h"

namespace lumora::bench {
namespace {

struct LongestEntry {
  std::string kjv_path, text, title, label;
  std::vector<std::string> titles;
};

// Scans every Book and Commentary entry once. The catalogue is closed again
// (it holds the module files exclusively, and other benchmarks open them).
const LongestEntry* FindLongestEntry() {
  static const LongestEntry* found = []() -> const LongestEntry* {
    const char* folder = std::getenv("LUMORA_LIBRARY");
    if (folder == nullptr || *folder == '\0') return nullptr;
    TModuleCatalogue catalogue;
    if (!catalogue.LoadModules(folder).ok()) return nullptr;
    auto* e = new LongestEntry;
    e->kjv_path = catalogue.KjvBible()->FileName();
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
    state.SkipWithError("sample library not set (LUMORA_LIBRARY)");
    return;
  }
  Result<std::unique_ptr<TLMBibleModule>> kjv = TLMBibleModule::Create(e->kjv_path);
  if (!kjv.ok()) {
    state.SkipWithError(kjv.status().message().c_str());
    return;
  }
  TEntryRenderer renderer(**kjv);
  for (auto _ : state) {
    renderer.ShowEntry(e->text, e->title, e->titles, 0, 0);
    benchmark::DoNotOptimize(renderer.Html().data());
  }
  state.SetLabel(e->label + ", " + std::to_string(e->text.size()) + " bytes");
}
BENCHMARK(BM_ShowLongestEntry)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumora::bench
