// The Book and Commentary panes in the main window on the offscreen
// platform: a Book tab change that refills Strong's Hebrew's titles, the two
// strips painted with their corresponding colours, and a Strong's link
// clicked in the Commentary pane until the Book pane has painted the
// article. Needs the sample library (LUMORA_LIBRARY); skips without it.
// Part of lumora-ui-bench (its main is in bible_view_bench.cpp).
#include <benchmark/benchmark.h>

#include <QPixmap>
#include <string>

#include "bench/ui_bench_window.h"
#include "core/catalogue/module_catalogue.h"
#include "render/ui/html_view.h"
#include "views/bible_view.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/entry_box.h"
#include "views/library.h"
#include "views/resource_tabs.h"
#include "views/resource_view_frame.h"

namespace lumora::ui {
namespace {

using Window = TBenchWindow;

Window* OpenWindow() {
  Window* w = OpenBenchWindow();
  if (w == nullptr || w->library.HebrewStrongsBook() == nullptr ||
      w->library.Commentaries().empty())
    return nullptr;
  return w;
}

int TabOf(const Window& w, const TLMDictionaryModule* book) { return w.library.IndexOf(book); }

// A click on the Strong's Hebrew tab (from the Greek one and back): the
// entry box refilled with its 8,674 titles, the topic looked up, the entry
// rendered and painted.
void BM_BookTabChangeToStrongsHebrew(benchmark::State& state) {
  Window* w = OpenWindow();
  if (w == nullptr) {
    state.SkipWithError("LUMORA_LIBRARY not set");
    return;
  }
  TFrameDictView& view = *w->main->DictView();
  const int hebrew = TabOf(*w, w->library.HebrewStrongsBook());
  const int greek = TabOf(*w, w->library.GreekStrongsBook());
  view.ShowBook(w->library.GreekStrongsBook());
  for (auto _ : state) {
    state.PauseTiming();
    view.Tabs()->setCurrentIndex(greek);
    state.ResumeTiming();
    view.Tabs()->setCurrentIndex(hebrew);
    view.HTMLView()->viewport()->repaint();
  }
  state.counters["titles"] = view.CurrentBook()->EntryCount();
}
BENCHMARK(BM_BookTabChangeToStrongsHebrew)->Unit(benchmark::kMillisecond);

// Only the refill of the entry box with Strong's Hebrew's titles.
void BM_EntryBoxRefillStrongsHebrew(benchmark::State& state) {
  Window* w = OpenWindow();
  if (w == nullptr) {
    state.SkipWithError("LUMORA_LIBRARY not set");
    return;
  }
  const std::vector<std::string>& titles = w->library.HebrewStrongsBook()->EntryTitles();
  TFrameDictView& view = *w->main->DictView();
  view.ShowBook(w->library.HebrewStrongsBook());
  for (auto _ : state) {
    view.EntryBox()->SetTitles(titles);
    view.EntryBox()->Select(static_cast<int>(titles.size()) / 2);
  }
}
BENCHMARK(BM_EntryBoxRefillStrongsHebrew)->Unit(benchmark::kMillisecond);

// Both strips painted, Nave's entry ABRAHAM and the Commentary at John 3:16
// shown, so the other tabs with something there take the corresponding
// colour.
void BM_StripsPaintedWithCorrespondingColours(benchmark::State& state) {
  Window* w = OpenWindow();
  if (w == nullptr || w->library.FindBook("Naves") == nullptr) {
    state.SkipWithError("LUMORA_LIBRARY not set");
    return;
  }
  TFrameDictView& books = *w->main->DictView();
  const TLMDictionaryModule* naves = w->library.FindBook("Naves");
  books.ShowBookEntry(naves, naves->FindTitle("ABRAHAM"), 0, 0);
  w->main->ShowCommentary(w->library.Commentaries().front(), 26136, 0, 0);
  TResourceTabs& book_tabs = *books.Tabs();
  TResourceTabs& comment_tabs = *w->main->CommentView()->Tabs();
  QPixmap book_pixmap(book_tabs.size());
  QPixmap comment_pixmap(comment_tabs.size());
  int corresponding = 0;
  for (int i = 0; i < book_tabs.count(); ++i) corresponding += books.Corresponds(i);
  for (int i = 0; i < comment_tabs.count(); ++i)
    corresponding += w->main->CommentView()->Corresponds(i);
  for (auto _ : state) {
    book_tabs.render(&book_pixmap);
    comment_tabs.render(&comment_pixmap);
  }
  state.counters["corresponding"] = corresponding;
}
BENCHMARK(BM_StripsPaintedWithCorrespondingColours)->Unit(benchmark::kMicrosecond);

// "g:26" clicked in the Commentary pane: the window shows Strong's Greek at
// G26 in the Book pane, which paints it. The Book pane starts on another
// Book each time, so the click changes the tab too.
void BM_StrongsClickToBookPanePainted(benchmark::State& state) {
  Window* w = OpenWindow();
  if (w == nullptr || w->library.FindBook("Naves") == nullptr) {
    state.SkipWithError("LUMORA_LIBRARY not set");
    return;
  }
  TFrameDictView& books = *w->main->DictView();
  TFrameResourceView& frame = *w->main->CommentView()->ResourceView();
  const TLMDictionaryModule* naves = w->library.FindBook("Naves");
  for (auto _ : state) {
    state.PauseTiming();
    books.ShowBookEntry(naves, 0, 0, 0);
    state.ResumeTiming();
    bool handled = false;
    frame.HTMLViewerHotSpotClick("g:26", handled);
    books.HTMLView()->viewport()->repaint();
  }
  if (books.CurrentEntry() != 25) state.SkipWithError("the click did not reach G26");
}
BENCHMARK(BM_StrongsClickToBookPanePainted)->Unit(benchmark::kMillisecond);

// What the window's Book link does in one step (the Book pane's own
// ShowBookEntry): the tab changes and the article is drawn once, where
// ShowBook then ShowEntry draw the tab-change rule's entry first.
void BM_StrongsArticleShownInOneStep(benchmark::State& state) {
  Window* w = OpenWindow();
  if (w == nullptr || w->library.FindBook("Naves") == nullptr) {
    state.SkipWithError("LUMORA_LIBRARY not set");
    return;
  }
  TFrameDictView& books = *w->main->DictView();
  const TLMDictionaryModule* naves = w->library.FindBook("Naves");
  const TLMDictionaryModule* greek = w->library.GreekStrongsBook();
  for (auto _ : state) {
    state.PauseTiming();
    books.ShowBookEntry(naves, 0, 0, 0);
    state.ResumeTiming();
    books.ShowBookEntry(greek, 25, 0, 0);
    books.HTMLView()->viewport()->repaint();
  }
}
BENCHMARK(BM_StrongsArticleShownInOneStep)->Unit(benchmark::kMillisecond);

// The same click within Strong's Greek (G26 and G27 in turn): no tab change.
void BM_StrongsClickWithinTheLexicon(benchmark::State& state) {
  Window* w = OpenWindow();
  if (w == nullptr) {
    state.SkipWithError("LUMORA_LIBRARY not set");
    return;
  }
  TFrameDictView& books = *w->main->DictView();
  TFrameResourceView& frame = *w->main->CommentView()->ResourceView();
  bool odd = false;
  for (auto _ : state) {
    bool handled = false;
    frame.HTMLViewerHotSpotClick(odd ? "g:27" : "g:26", handled);
    books.HTMLView()->viewport()->repaint();
    odd = !odd;
  }
}
BENCHMARK(BM_StrongsClickWithinTheLexicon)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumora::ui
