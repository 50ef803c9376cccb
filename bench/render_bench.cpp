// The passage renderer on the sample library: the longest chapter with every
// kind of link, and a search-result page with highlighted keys. Skipped
// without LUMORA_LIBRARY.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "core/catalogue/module_catalogue.h"
#include "core/refs/paragraph_map.h"
#include "render/passage_renderer.h"

namespace lumora::bench {
namespace {

struct Library {
  std::unique_ptr<TModuleCatalogue> catalogue;
  ParagraphMap paragraphs;
  const TLMBibleModule* kjv = nullptr;
  const TLMBibleModule* kjvsl = nullptr;
};

const Library* LoadLibrary() {
  static const Library* library = []() -> const Library* {
    const char* folder = std::getenv("LUMORA_LIBRARY");
    if (folder == nullptr || *folder == '\0') return nullptr;
    auto l = new Library;
    l->catalogue = std::make_unique<TModuleCatalogue>();
    if (!l->catalogue->LoadModules(folder).ok()) return nullptr;
    Result<ParagraphMap> map =
        ParagraphMap::Load(DefaultFileSystem(), JoinPath(folder, kParagraphMapFileName));
    if (map.ok()) l->paragraphs = std::move(map).value();
    l->kjv = l->catalogue->KjvBible();
    l->kjvsl = l->catalogue->StrongsLinksBible();
    return l->kjvsl == nullptr ? nullptr : l;
  }();
  return library;
}

TPassageRenderer MakeRenderer(const Library& l, const TLMBibleModule* bible) {
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
  const Library* l = LoadLibrary();
  if (l == nullptr) {
    state.SkipWithError("sample library not set (LUMORA_LIBRARY)");
    return;
  }
  TPassageRenderer r = MakeRenderer(*l, l->kjvsl);
  r.SetSettings(config::TPropertiesBibleView{});  // Bible view: column, all links
  r.SetNextChapterLink(true);
  const int first = l->kjvsl->LocateVerse(19, 119, 1);
  TVerseList verses;
  for (int v = first; v < first + l->kjvsl->GetVerseCount(19, 119); ++v)
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
  const Library* l = LoadLibrary();
  if (l == nullptr) {
    state.SkipWithError("sample library not set (LUMORA_LIBRARY)");
    return;
  }
  // The verses of "love", "world" and "god" from the word index, in order.
  const TKeyArray keys = {"love", "world", "god"};
  std::vector<uint16_t> found;
  for (const std::string& key : keys)
    for (uint16_t v0 : l->kjv->WordVerses(l->kjv->FindWord(key))) found.push_back(v0 + 1);
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  const TVerseList verses(found.begin(), found.end());
  TPassageRenderer r = MakeRenderer(*l, l->kjv);
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
