// The passage renderer on the sample library: the longest chapter with every
// kind of link, and a search-result page with highlighted keys. Skipped
// without LUMORA_LIBRARY.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench/bench_library.h"
#include "render/passage_renderer.h"

namespace lumora::bench {
namespace {

// The sample library with its Strong's-links KJV, or null.
const BenchLibrary* LoadLibrary() {
  const BenchLibrary* l = SampleLibrary();
  return l != nullptr && l->catalogue->StrongsLinksBible() != nullptr ? l : nullptr;
}

TPassageRenderer MakeRenderer(const BenchLibrary& l, const TLMBibleModule* bible) {
  TPassageRenderer r;
  r.SetBible(bible);
  r.SetStrongsData(l.catalogue->StrongsData());
  r.SetParagraphMap(&l.paragraphs);
  r.SetLinkedCommentaries(l.catalogue->Commentaries());
  r.SetLinkedBooks(l.catalogue->Books());
  // The library has no user Commentary: let every Commentary carry an edit
  // link, the worst case.
  std::vector<const TLMCommentaryModule*> all;
  for (const auto& c : l.catalogue->Commentaries()) all.push_back(c.get());
  r.SetEditableCommentaries(std::move(all));
  return r;
}

void BM_RenderPsalm119WithAllLinks(benchmark::State& state) {
  const BenchLibrary* l = LoadLibrary();
  if (l == nullptr) {
    state.SkipWithError(NoSampleLibrary());
    return;
  }
  TPassageRenderer r = MakeRenderer(*l, l->catalogue->StrongsLinksBible());
  r.SetSettings(config::TPropertiesBibleView{});  // Bible view: column, all links
  r.SetNextChapterLink(true);
  const TLMBibleModule* kjvsl = l->catalogue->StrongsLinksBible();
  const int first = kjvsl->LocateVerse(19, 119, 1);
  TVerseList verses;
  for (int v = first; v < first + kjvsl->GetVerseCount(19, 119); ++v)
    verses.push_back(static_cast<uint16_t>(v));
  for (auto _ : state) {
    benchmark::DoNotOptimize(r.ShowVerses(verses, {}, false, false));
    benchmark::DoNotOptimize(r.Html().data());
  }
  state.SetLabel("KJVSL Ps 119, " + std::to_string(verses.size()) + " verses, " +
                 std::to_string(r.Html().size()) + " bytes");
}
BENCHMARK(BM_RenderPsalm119WithAllLinks)->Unit(benchmark::kMicrosecond);

void BM_RenderSearchPageWithThreeKeys(benchmark::State& state) {
  const BenchLibrary* l = LoadLibrary();
  if (l == nullptr) {
    state.SkipWithError(NoSampleLibrary());
    return;
  }
  const TLMBibleModule* kjv = l->catalogue->KjvBible();
  // The verses of "love", "world" and "god" from the word index, in order.
  const TKeyArray keys = {"love", "world", "god"};
  std::vector<uint16_t> found;
  for (const std::string& key : keys)
    for (uint16_t v0 : kjv->WordVerses(kjv->FindWord(key))) found.push_back(v0 + 1);
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  const TVerseList verses(found.begin(), found.end());
  TPassageRenderer r = MakeRenderer(*l, kjv);
  r.SetSettings(config::VerseListViewDefaults());
  r.SetPaged(true);
  r.SetPageFirst(0);
  for (auto _ : state) {
    benchmark::DoNotOptimize(r.ShowVerses(verses, keys, false, true));
    benchmark::DoNotOptimize(r.Html().data());
  }
  state.SetLabel("KJV, page 1 of " + std::to_string(verses.size()) + " verses, " +
                 std::to_string(r.Html().size()) + " bytes");
}
BENCHMARK(BM_RenderSearchPageWithThreeKeys)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumora::bench
