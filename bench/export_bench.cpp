// The export formatter on the sample library (skipped without
// LUMORA_LIBRARY): the plain-text conversion of the longest Book entry, and
// Psalm 119 of the Strong's-links KJV in style E as HTML.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/bench_library.h"
#include "config/view_properties.h"
#include "render/export_procs.h"

namespace lumora::bench {
namespace {

const TModuleCatalogue* SampleCatalogue() {
  const BenchLibrary* l = SampleLibrary();
  return l ? l->catalogue.get() : nullptr;
}

void BM_ExportLongestBookEntryPlain(benchmark::State& state) {
  const TModuleCatalogue* c = SampleCatalogue();
  if (c == nullptr) {
    state.SkipWithError(NoSampleLibrary());
    return;
  }
  const TLMDictionaryModule* book = nullptr;
  std::string longest;
  for (const auto& b : c->Books())
    for (int n = 0; n < b->EntryCount(); ++n)
      if (std::string t = b->GetEntryText(n); t.size() > longest.size()) {
        longest = std::move(t);
        book = b.get();
      }
  state.SetLabel(book->GetAbbreviation() + ", " + std::to_string(longest.size()) + " bytes");
  for (auto _ : state)
    benchmark::DoNotOptimize(ExportEntryText(longest, *book, *c->KjvBible(), true, true, true));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(longest.size()));
}
BENCHMARK(BM_ExportLongestBookEntryPlain)->Unit(benchmark::kMicrosecond);

void BM_ExportPsalm119StyleEHtml(benchmark::State& state) {
  const TModuleCatalogue* c = SampleCatalogue();
  const TLMBibleModule* kjvsl = nullptr;
  if (c != nullptr)
    for (const auto& b : c->Bibles())
      if (b->GetAbbreviation() == "KJVSL") kjvsl = b.get();
  if (kjvsl == nullptr) {
    state.SkipWithError(NoSampleLibrary());
    return;
  }
  const int first = kjvsl->LocateVerse(19, 119, 1);
  const int last = kjvsl->LocateVerse(19, 119, 255);
  const ExportFormatSettings settings{4, false, false, false};
  const ExportBibleView view = ExportViewFrom(config::TPropertiesBibleView{}, c->StrongsData());
  size_t size = 0;
  for (auto _ : state) {
    const std::string html = FormatVerses(first, last, *kjvsl, true, settings, view);
    size = html.size();
    benchmark::DoNotOptimize(html.data());
  }
  state.SetLabel(std::to_string(last - first + 1) + " verses, " + std::to_string(size) +
                 " bytes of HTML");
}
BENCHMARK(BM_ExportPsalm119StyleEHtml)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumora::bench
