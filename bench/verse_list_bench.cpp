// The verse list and the verse previews on the offscreen platform: a page
// of 100 verses as the user sees it (render, load, lay out, paint), and the
// library's longest "vr" and "vrl" link previews computed and shown.
// Needs the sample library (LUMORA_LIBRARY); skips without it.
#include <benchmark/benchmark.h>

#include <QToolTip>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "bench/ui_bench_window.h"
#include "core/catalogue/module_catalogue.h"
#include "render/entry_markup.h"
#include "render/hover_preview.h"
#include "render/href.h"
#include "render/ui/html_view.h"
#include "views/link_preview.h"
#include "views/text_view_frame.h"
#include "views/verse_list_view.h"

namespace lumora::ui {
namespace {

// 100 consecutive verses starting at `first`.
TVerseList HundredFrom(int first) {
  TVerseList list;
  for (int v = first; v < first + 100; ++v) list.push_back(static_cast<uint16_t>(v));
  return list;
}

// A search result page: 100 verses through the New Testament, a page each
// time, the search words highlighted, each page painted.
void BM_VerseListPagePainted(benchmark::State& state) {
  TBenchWindow* lib = OpenBenchWindow();
  if (lib == nullptr) {
    state.SkipWithError("LUMORA_LIBRARY not set");
    return;
  }
  TFrameVerseListView& list = *lib->main->VerseListView();
  const bool strongs = state.range(0) != 0;
  list.SetBible(strongs ? lib->library.Catalogue().StrongsLinksBible() : lib->library.Catalogue().KjvBible());
  int first = kFirstNewTestamentVerse;
  for (auto _ : state) {
    list.LoadList(HundredFrom(first), {"love", "god"}, "KJV search: love god", false);
    list.TextView()->HTMLView()->viewport()->repaint();
    first = first + 100 > kVerseCount - 100 ? kFirstNewTestamentVerse : first + 100;
  }
  list.SetBible(lib->library.Catalogue().KjvBible());
}
BENCHMARK(BM_VerseListPagePainted)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Its parts: the renderer's HTML alone, and the widget loading (and laying
// out) that HTML.
void BM_VerseListPageParts(benchmark::State& state) {
  TBenchWindow* lib = OpenBenchWindow();
  if (lib == nullptr) {
    state.SkipWithError("LUMORA_LIBRARY not set");
    return;
  }
  TFrameVerseListView& list = *lib->main->VerseListView();
  const bool strongs = state.range(0) != 0;
  const bool widget = state.range(1) != 0;
  list.SetBible(strongs ? lib->library.Catalogue().StrongsLinksBible() : lib->library.Catalogue().KjvBible());
  list.LoadList(HundredFrom(kFirstNewTestamentVerse), {"love", "god"}, "KJV search", false);
  TPassageRenderer& r = list.TextView()->Renderer();
  const std::string html = r.Html();
  for (auto _ : state) {
    if (widget)
      list.TextView()->HTMLView()->LoadHtml(html);
    else
      benchmark::DoNotOptimize(r.Rerender());
  }
  list.SetBible(lib->library.Catalogue().KjvBible());
}
BENCHMARK(BM_VerseListPageParts)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"strongs", "widget"})
    ->Unit(benchmark::kMillisecond);

// The verse-range lists of every Book and Commentary entry: the item with
// the most verses (a "vr" link) and the list with the most verses over all
// its items (a "vrl" link).
struct LongestLinks {
  std::string vr;
  std::string vrl;
};

void ScanLists(int entries, const std::function<std::string(int)>& text_of, LongestLinks& out,
               int& best_item, int& best_list) {
  for (int e = 0; e < entries; ++e) {
    const std::string text = text_of(e);
    for (size_t at = text.find(entry_markup::kVerseList); at != std::string::npos;
         at = text.find(entry_markup::kVerseList, at + 1)) {
      const size_t end = text.find(entry_markup::kTerminator, at + 1);
      if (end == std::string::npos) break;
      const std::string_view data(text.data() + at + 1, end - at - 1);
      int total = 0;
      for (const std::string_view item : SplitVerseRangeList(data)) {
        const std::optional<TVerseRangeItem> range = ParseVerseRangeItem(item);
        if (!range) continue;
        const int span = range->LastWithin(kVerseCount) - range->first + 1;
        total += span;
        if (span > best_item) {
          best_item = span;
          out.vr = "vr:" + std::string(item);
        }
      }
      if (total > best_list) {
        best_list = total;
        out.vrl = "vrl:" + std::string(data);
      }
    }
  }
}

const LongestLinks& FindLongestLinks(const TModuleCatalogue& catalogue) {
  static const LongestLinks links = [&] {
    LongestLinks out;
    int best_item = 0;
    int best_list = 0;
    for (const auto& book : catalogue.Books())
      ScanLists(
          book->EntryCount(), [&](int e) { return book->GetEntryText(e); }, out, best_item,
          best_list);
    for (const auto& c : catalogue.Commentaries())
      ScanLists(
          kVerseCount,
          [&](int slot) { return c->HasEntry(slot) ? c->GetEntryText(slot) : std::string(); }, out,
          best_item, best_list);
    return out;
  }();
  return links;
}

// Resting on the link until the preview shows: the preview computed from
// the link, converted and put up as the hint.
void VersePreviewShown(benchmark::State& state, bool list_link) {
  TBenchWindow* lib = OpenBenchWindow();
  if (lib == nullptr) {
    state.SkipWithError("LUMORA_LIBRARY not set");
    return;
  }
  const LongestLinks& links = FindLongestLinks(lib->library.Catalogue());
  const std::string& href = list_link ? links.vrl : links.vr;
  if (href.empty()) {
    state.SkipWithError("no verse-range list in the library");
    return;
  }
  THtmlView* view = lib->main->VerseListView()->TextView()->HTMLView();
  const TPreviewContext context = MakePreviewContext(lib->library.Catalogue(), lib->library.Catalogue().KjvBible());
  TLinkPreview preview(
      view, kResourceViewPreviewDelayMs,
      [&context](const std::string& link) { return ResourceViewPreview(link, context); }, {});
  size_t shown = 0;
  for (auto _ : state) {
    preview.Covered(href, view->mapToGlobal(QPoint(40, 40)));
    preview.Fire();
    shown = preview.HintText().size();
    state.PauseTiming();
    preview.Covered("", {});
    state.ResumeTiming();
  }
  state.counters["chars"] = static_cast<double>(shown);
}

void BM_LongestVrPreviewShown(benchmark::State& state) { VersePreviewShown(state, false); }
BENCHMARK(BM_LongestVrPreviewShown)->Unit(benchmark::kMillisecond);

void BM_LongestVrlPreviewShown(benchmark::State& state) { VersePreviewShown(state, true); }
BENCHMARK(BM_LongestVrlPreviewShown)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumora::ui
