#include "bench/read_everything.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace lumora::bench {

uint64_t ReadEverything(const TBigSearchArray& job, int threads) {
  struct Slice {
    const ModuleRef* module;
    int first, end;
  };
  constexpr int kSliceItems = 1000;
  std::vector<Slice> slices;
  for (const TBigSearchNode& node : job)
    for (int first = 0; first < node.module.ItemCount(); first += kSliceItems)
      slices.push_back({&node.module, first, std::min(first + kSliceItems, node.module.ItemCount())});
  std::atomic<uint64_t> bytes{0};
  std::atomic<size_t> next{0};
  auto read = [&] {
    uint64_t mine = 0;
    for (size_t s = next++; s < slices.size(); s = next++) {
      const ModuleRef& m = *slices[s].module;
      for (int item = slices[s].first; item < slices[s].end; ++item) {
        std::string text;
        if (m.kind == ModuleKind::kBible)
          text = m.bible->GetVerseText(item + 1, false, true);
        else if (m.kind == ModuleKind::kBook)
          text = m.book->GetEntryText(item);
        else if (m.commentary->HasEntry(item))
          text = m.commentary->GetEntryText(item);
        mine += text.size();
        benchmark::DoNotOptimize(text);
      }
    }
    bytes += mine;
  };
  std::vector<std::thread> others;
  for (int t = 1; t < threads; ++t) others.emplace_back(read);
  read();
  for (std::thread& t : others) t.join();
  return bytes;
}

}  // namespace lumora::bench
