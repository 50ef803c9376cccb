// The main window's bookkeeping on the offscreen platform, on the sample
// library: one refresh of every action's enabled, checked and caption state
// (what runs after a focus, pane, library or settings change), and one
// rebuild of the resource menus (end of start-up, a user module created or
// deleted). Needs LUMORA_LIBRARY; skips without it.
#include <benchmark/benchmark.h>

#include "bench/ui_bench_window.h"
#include "views/actions.h"

namespace lumora::ui {
namespace {

void BM_ActionStateRefresh(benchmark::State& state) {
  TBenchWindow* w = OpenBenchWindow();
  if (w == nullptr) return state.SkipWithError("LUMORA_LIBRARY not set");
  for (auto _ : state) w->main->Actions().UpdateNow();
}
BENCHMARK(BM_ActionStateRefresh)->Unit(benchmark::kMicrosecond);

void BM_ResourceMenuRebuild(benchmark::State& state) {
  TBenchWindow* w = OpenBenchWindow();
  if (w == nullptr) return state.SkipWithError("LUMORA_LIBRARY not set");
  for (auto _ : state) w->main->RebuildResourceMenus();
}
BENCHMARK(BM_ResourceMenuRebuild)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumora::ui
