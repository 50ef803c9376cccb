// The Bible pane on the offscreen platform: a chapter change as the user
// sees it (render, load into the widget, lay out, paint) and its parts.
// Needs the sample library (LUMORA_LIBRARY); skips without it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "config/properties.h"
#include "core/catalogue/module_catalogue.h"
#include "render/passage_renderer.h"
#include "render/ui/html_view.h"
#include "views/bible_view.h"
#include "app/ui/main_window.h"
#include "config/memory_storage.h"
#include "views/library.h"
#include "views/settings.h"
#include "views/bible_view_logic.h"
#include "views/text_view_frame.h"
#include "bench/ui_bench_window.h"

namespace lumora::ui {
namespace {

using bench::Library;
using bench::OpenLibrary;

// Next Chapter through the Bible and back to Genesis, each change painted.
void BM_ChapterChangePainted(benchmark::State& state) {
  Library* lib = OpenLibrary();
  if (lib == nullptr) {
    state.SkipWithError("LUMORA_LIBRARY not set");
    return;
  }
  TFrameBibleView& view = *lib->view;
  for (auto _ : state) {
    view.ActionNextChapter->trigger();
    view.TextView()->HTMLView()->viewport()->repaint();
  }
}
BENCHMARK(BM_ChapterChangePainted)->Unit(benchmark::kMillisecond);

// The same with the Strong's-links Bible (every word a link).
void BM_ChapterChangeStrongsLinks(benchmark::State& state) {
  Library* lib = OpenLibrary();
  if (lib == nullptr || lib->catalogue->StrongsLinksBible() == nullptr) {
    state.SkipWithError("LUMORA_LIBRARY not set");
    return;
  }
  TFrameBibleView& view = *lib->view;
  view.ShowBible(lib->catalogue->StrongsLinksBible());
  for (auto _ : state) {
    view.ActionNextChapter->trigger();
    view.TextView()->HTMLView()->viewport()->repaint();
  }
  view.ShowBible(lib->catalogue->KjvBible());
}
BENCHMARK(BM_ChapterChangeStrongsLinks)->Unit(benchmark::kMillisecond);

// Only the passage renderer's share: John 1 to HTML.
void BM_RenderChapterHtml(benchmark::State& state) {
  Library* lib = OpenLibrary();
  if (lib == nullptr) {
    state.SkipWithError("LUMORA_LIBRARY not set");
    return;
  }
  TPassageRenderer& r = lib->view->TextView()->Renderer();
  const ChapterSpan john1 = ChapterOf(*lib->catalogue->KjvBible(), kDefaultVerse);
  TVerseList verses;
  for (int v = john1.first; v <= john1.last; ++v) verses.push_back(static_cast<uint16_t>(v));
  for (auto _ : state) benchmark::DoNotOptimize(r.ShowVerses(verses, {}, false, false));
}
BENCHMARK(BM_RenderChapterHtml)->Unit(benchmark::kMillisecond);

// Only the widget's share: loading (and laying out) the John 1 page.
void BM_LoadChapterIntoWidget(benchmark::State& state) {
  Library* lib = OpenLibrary();
  if (lib == nullptr) {
    state.SkipWithError("LUMORA_LIBRARY not set");
    return;
  }
  lib->view->GoToVerse(kDefaultVerse);
  const std::string html = lib->view->TextView()->Renderer().Html();
  THtmlView* widget = lib->view->TextView()->HTMLView();
  for (auto _ : state) widget->LoadHtml(html);
}
BENCHMARK(BM_LoadChapterIntoWidget)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumora::ui

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
