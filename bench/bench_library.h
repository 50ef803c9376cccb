// What the benchmarks of lumora-bench measure, opened once per run and
// shared by all of them: the program maps module files exclusively, so a
// second catalogue, or a second open of the KJV, in one process fails.
//
// A benchmark that needs the sample library:
//   const BenchLibrary* l = SampleLibrary();
//   if (l == nullptr) return state.SkipWithError(NoSampleLibrary());
//   ... l->catalogue->KjvBible(), l->catalogue->Books(), l->paragraphs ...
// One that measures the KJV, real or synthetic: BenchBible(state). One that
// opens a Bible itself (a cold open): BenchBiblePath() (bench_bible.h), a file
// that no one holds. None may keep a module of its own open past its run.
#pragma once

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <string_view>

#include "core/catalogue/module_catalogue.h"
#include "core/modules/bible_module.h"
#include "core/refs/paragraph_map.h"

namespace lumora::bench {

struct BenchLibrary {
  std::string folder;
  std::unique_ptr<TModuleCatalogue> catalogue;  // every module loaded, KJVSL twin included
  ParagraphMap paragraphs;
};

// The start of an error text that only says a benchmark cannot run here (no
// sample library named, a comparison tool not installed); lumora-bench
// counts every other error as a failure and exits with 1.
inline constexpr std::string_view kSkipped = "skipped: ";

// The sample library LUMORA_LIBRARY names, loaded on first use and kept for
// the whole run; null when it is not set or does not load.
const BenchLibrary* SampleLibrary();
// Why SampleLibrary() is null: a skip when LUMORA_LIBRARY is not set, a
// failure when the library it names does not load.
const char* NoSampleLibrary();

// The KJV to measure: the sample library's, else a synthetic Bible opened
// once. Null (and the benchmark skipped with the reason) when neither opens.
// The label says which one it is.
const TLMBibleModule* BenchBible(benchmark::State& state, std::string* label = nullptr);

}  // namespace lumora::bench
