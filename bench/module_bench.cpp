// Start-up loading, verse-link rebuilds and verse-link look-ups on synthetic
// modules of realistic size.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "core/catalogue/module_catalogue.h"
#include "core/codec/base205.h"
#include "core/modules/bible_mapping_cache.h"
#include "tests/support/test_bible.h"
#include "tools/builder/entry_builders.h"

namespace lumora::bench {
namespace {

namespace fs = std::filesystem;

// A Book of `entries` entries naming `links` verses in all, in 20-verse lists.
builder::BookSource MakeBook(const std::string& abbreviation, int entries, int links) {
  builder::BookSource s;
  s.title = abbreviation + " Book";
  s.abbreviation = abbreviation;
  std::mt19937 rng(static_cast<unsigned>(entries + links));
  const int per_entry = links / entries;
  for (int e = 0; e < entries; ++e) {
    std::string text = "<b>Topic " + std::to_string(e) + "</b> ";
    TVerseRangeList ranges;
    for (int k = 0; k < per_entry; ++k) {
      const int v = 1 + static_cast<int>(rng() % 31102);
      ranges.push_back({v, v});
    }
    text += "\x05" + EncodeVerseRanges(ranges) + "\x08";
    char title[16];
    std::snprintf(title, sizeof title, "T%05d", e);
    s.entries.push_back({title, text});
  }
  return s;
}

// 3 Bibles, 5 Books, 4 Commentaries with current indexes, built once.
const std::string& LibraryFolder() {
  static const std::string folder = [] {
    const fs::path root = fs::temp_directory_path() / "lumora-bench-library";
    fs::remove_all(root);
    for (const char* sub : {"Bibles", "Books", "Commentaries"}) fs::create_directories(root / sub);
    for (const char* abbr : {"KJV", "WEB", "RV1909"})
      test::WriteTestBible((root / "Bibles").string(), std::string(abbr) + ".lmb",
                           test::MakeTestBible(abbr));
    test::WriteTestStrongsData(root.string());
    for (int b = 0; b < 5; ++b) {
      const std::string abbr = "book" + std::to_string(b);
      (void)builder::WriteBookModule(MakeBook(abbr, 2000, 20000),
                                     (root / "Books" / (abbr + ".lmk")).string());
    }
    for (int c = 0; c < 4; ++c) {
      builder::CommentarySource s;
      s.abbreviation = "comm" + std::to_string(c);
      s.title = s.abbreviation + " Commentary";
      s.slots.resize(31102);
      for (int v = 0; v < 31102; v += 3) s.slots[v] = "A comment on this verse.";
      (void)builder::WriteCommentaryModule(s, (root / "Commentaries" / (s.abbreviation + ".lmc")).string());
    }
    return root.string();
  }();
  return folder;
}

void BM_LoadModules(benchmark::State& state) {
  const std::string& folder = LibraryFolder();
  for (auto _ : state) {
    BibleMappingCache::Instance().Clear();
    TModuleCatalogue catalogue;
    if (!catalogue.LoadModules(folder).ok()) {
      state.SkipWithError("load failed");
      break;
    }
    benchmark::DoNotOptimize(catalogue.Books().size());
  }
  state.SetLabel("3 Bibles, 5 Books, 4 Commentaries");
}
BENCHMARK(BM_LoadModules)->Unit(benchmark::kMillisecond);

void BM_RebuildVerseLinks(benchmark::State& state) {
  const fs::path user = fs::temp_directory_path() / "lumora-bench-user";
  fs::create_directories(user);
  const std::string path = (user / "big.lmk").string();
  (void)builder::WriteBookModule(MakeBook("big", 5000, 100000), path);
  Result<std::unique_ptr<TLMDictionaryModule>> book =
      TLMDictionaryModule::Create(path, DefaultFileSystem(), user.string());
  if (!book.ok() || (*book)->IsReadOnly()) {
    state.SkipWithError("cannot open the Book writable");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize((*book)->RebuildVerseLinks().ok());
  state.SetLabel("5,000 entries, 100,000 verse links, in place");
}
BENCHMARK(BM_RebuildVerseLinks)->Unit(benchmark::kMillisecond);

void BM_GetVerseEntries(benchmark::State& state) {
  BibleMappingCache::Instance().Clear();
  const std::string path = LibraryFolder() + "/Books/book0.lmk";
  Result<std::unique_ptr<TLMDictionaryModule>> book = TLMDictionaryModule::Create(path);
  if (!book.ok()) {
    state.SkipWithError(book.status().message().c_str());
    return;
  }
  int v = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize((*book)->GetVerseEntries(v));
    v = (v + 7919) % 31102;
  }
}
BENCHMARK(BM_GetVerseEntries);

void BM_HasVerseEntries(benchmark::State& state) {
  const std::string path = LibraryFolder() + "/Commentaries/comm0.lmc";
  Result<std::unique_ptr<TLMCommentaryModule>> c = TLMCommentaryModule::Create(path);
  if (!c.ok()) {
    state.SkipWithError(c.status().message().c_str());
    return;
  }
  int v = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize((*c)->HasVerseEntries(v));
    v = (v + 7919) % 31102;
  }
}
BENCHMARK(BM_HasVerseEntries);

}  // namespace
}  // namespace lumora::bench
