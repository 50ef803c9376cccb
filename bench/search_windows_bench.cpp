// The search windows on the offscreen platform, on the sample library:
// the full search through its window against the bare engine (the
// window's overhead and the longest wait between two chances to process
// events, which is how long Stop can take), a page of 100 results, a Bible
// search from OK to the painted verse list, and the topic guide from Search
// to its built tree. Needs LUMORA_LIBRARY; skips without it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/ui/big_search_feature.h"
#include "app/ui/history_combo_box.h"
#include "app/ui/search_bible_dialog.h"
#include "app/ui/search_feature.h"
#include "app/ui/topic_guide_feature.h"
#include "bench/ui_bench_window.h"
#include "render/ui/html_view.h"
#include "search/full_search_match.h"
#include "search/full_search_scan.h"
#include "search/ui/big_search_form.h"
#include "search/ui/big_search_progress.h"
#include "search/ui/topic_guide_form.h"
#include "views/library.h"
#include "views/text_view_frame.h"
#include "views/verse_list_view.h"

namespace lumora::ui {
namespace {

TFormBigSearch* BigSearchForm(TBenchWindow& w) {
  auto* feature = w.main->findChild<TBigSearchFeature*>(QStringLiteral("BigSearchFeature"));
  if (feature == nullptr) return nullptr;
  feature->info_message = [](const QString&) {};
  feature->error_message = [](const QString&) {};
  TFormBigSearch* form = feature->Form();
  form->ShowWindow();
  form->SetRadio()->setChecked(true);
  form->SetList()->setCurrentIndex(0);
  QApplication::processEvents();
  return form;
}

double EngineMs(TBenchWindow& w, const char* text) {
  const TModuleCatalogue& c = w.library.Catalogue();
  TBigSearchArray job = BuildSetJob(c, kSetEverything, {}).value();
  auto matcher = FullSearchMatcher::Create(text, false, true);
  FullSearchObserver observer;
  QElapsedTimer t;
  t.start();
  (void)RunFullSearch(job, *matcher, *c.KjvBible(), &observer);
  return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

// One iteration: the engine alone, then the same search through the window.
void BM_FullSearchWindowVsEngine(benchmark::State& state) {
  TBenchWindow* w = OpenBenchWindow();
  TFormBigSearch* form = w != nullptr ? BigSearchForm(*w) : nullptr;
  if (form == nullptr) return state.SkipWithError("LUMORA_LIBRARY not set");
  double engine = 0, window = 0;
  qint64 gap = 0;
  for (auto _ : state) {
    engine += EngineMs(*w, "grace");
    form->TextBox()->setEditText(QStringLiteral("grace"));
    QElapsedTimer t;
    t.start();
    form->Search();
    window += static_cast<double>(t.nsecsElapsed()) / 1e6;
    gap = std::max(gap, form->Progress()->LongestGapMs());
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["engine_ms"] = engine / n;
  state.counters["window_ms"] = window / n;
  state.counters["overhead_pct"] = 100.0 * (window - engine) / engine;
  state.counters["stop_latency_ms"] = static_cast<double>(gap);
}
BENCHMARK(BM_FullSearchWindowVsEngine)->Unit(benchmark::kMillisecond)->Iterations(5);

// The page of 100 of the module with the most hits, chosen until painted.
void BM_FullSearchPageOf100(benchmark::State& state) {
  TBenchWindow* w = OpenBenchWindow();
  TFormBigSearch* form = w != nullptr ? BigSearchForm(*w) : nullptr;
  if (form == nullptr) return state.SkipWithError("LUMORA_LIBRARY not set");
  form->TextBox()->setEditText(QStringLiteral("grace"));
  form->Search();
  size_t most = 0;
  for (size_t i = 0; i < form->Job().size(); ++i)
    if (form->Job()[i].hit_count > form->Job()[most].hit_count) most = i;
  form->SelectModule(most);
  int page = 0;
  const int pages = form->PageChooser()->count();
  for (auto _ : state) {
    form->ShowPage((page++ % pages) * 100);
    form->ResultView()->PaintNow();
  }
  state.counters["results"] = form->Job()[most].hit_count;
}
BENCHMARK(BM_FullSearchPageOf100)->Unit(benchmark::kMillisecond);

// "love" in the KJV: OK in the Bible search dialog until the verse list
// has painted its first page.
void BM_BibleSearchLoveToVerseList(benchmark::State& state) {
  TBenchWindow* w = OpenBenchWindow();
  auto* feature =
      w != nullptr ? w->main->findChild<TSearchFeature*>(QStringLiteral("SearchFeature")) : nullptr;
  if (feature == nullptr) return state.SkipWithError("LUMORA_LIBRARY not set");
  feature->info_message = [](const QString&, const QString&) {};
  for (auto _ : state) {
    w->main->MainAction("ActionSearchBible")->trigger();
    TSearchBibleDlg* dialog = feature->Dialog();
    dialog->SetText(QStringLiteral("love"));
    dialog->accept();
    w->main->VerseListView()->TextView()->HTMLView()->PaintNow();
  }
}
BENCHMARK(BM_BibleSearchLoveToVerseList)->Unit(benchmark::kMillisecond);

// The guide: Search until the tree is built, a topic and the widest range.
void BM_TopicGuide(benchmark::State& state, const char* text) {
  TBenchWindow* w = OpenBenchWindow();
  auto* feature = w != nullptr
                      ? w->main->findChild<TTopicGuideFeature*>(QStringLiteral("TopicGuideFeature"))
                      : nullptr;
  if (feature == nullptr) return state.SkipWithError("LUMORA_LIBRARY not set");
  TTopicGuideForm* form = feature->Form();
  form->ShowWindow();
  for (auto _ : state) {
    form->TopicBox()->setText(QString::fromLatin1(text));
    form->Search();
  }
  state.counters["hits"] = static_cast<double>(form->LastResult().hits.size());
}
BENCHMARK_CAPTURE(BM_TopicGuide, love, "love")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TopicGuide, whole_bible, "gen 1:1 - rev 22:21")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumora::ui
