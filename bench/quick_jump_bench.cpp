// The quick jump as the user sees it, on the offscreen platform: a reference
// typed into the box and Enter, the Bible view at the verse (chapter
// rendered, verse selected) and the Commentary view following, both painted,
// and the window's pending updates run. Needs the sample library
// (LUMORA_LIBRARY); skips without it.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <iterator>

#include "bench/ui_bench_window.h"
#include "render/ui/html_view.h"
#include "views/bible_view.h"
#include "views/comment_view.h"
#include "views/text_view_frame.h"

namespace lumora::ui {
namespace {

void JumpAndPaint(TMain& w, const char* typed) {
  QLineEdit* box = w.QuickJump();
  box->setText(QString::fromLatin1(typed));
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(box, &enter);
  w.BibleView()->TextView()->HTMLView()->viewport()->repaint();
  w.CommentView()->HTMLView()->viewport()->repaint();
  QCoreApplication::processEvents();
}

// A new chapter every time, the Commentary pane showing.
void BM_QuickJumpToPaintedVerseCommentaryFollowing(benchmark::State& state) {
  TBenchWindow* lib = OpenBenchWindow();
  if (lib == nullptr) {
    state.SkipWithError("LUMORA_LIBRARY not set");
    return;
  }
  TMain& w = *lib->main;
  w.ShowPane(TPane::kCommentary);
  const char* refs[] = {"jn 3:16",    "Rom 8:28",  "Ps 119:105", "Gen 1:1",
                        "1 John 1:9", "Rev 22:21", "Mt 5:3",     "Isa 53:5"};
  size_t i = 0;
  for (auto _ : state) JumpAndPaint(w, refs[i++ % std::size(refs)]);
  if (!w.PaneVisible(TPane::kCommentary) || w.CommentView()->CurrentPosition() < 0)
    state.SkipWithError("the Commentary view did not follow");
}
BENCHMARK(BM_QuickJumpToPaintedVerseCommentaryFollowing)->Unit(benchmark::kMillisecond);

// Within the chapter on screen ("16", "4"): no new chapter to render.
void BM_QuickJumpWithinTheChapter(benchmark::State& state) {
  TBenchWindow* lib = OpenBenchWindow();
  if (lib == nullptr) {
    state.SkipWithError("LUMORA_LIBRARY not set");
    return;
  }
  TMain& w = *lib->main;
  w.ShowPane(TPane::kCommentary);
  JumpAndPaint(w, "Ps 119:1");
  const char* refs[] = {"160", "4", "88", "120"};
  size_t i = 0;
  for (auto _ : state) JumpAndPaint(w, refs[i++ % std::size(refs)]);
}
BENCHMARK(BM_QuickJumpWithinTheChapter)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumora::ui
