// The readers the full search calls from its workers, called from several
// threads at once: every thread must read what one thread alone reads.
// Run under ThreadSanitizer by scripts/test.sh.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "core/codec/compression.h"
#include "core/modules/bible_mapping_cache.h"
#include "core/modules/bible_module.h"
#include "core/platform/memory/memory_file_system.h"
#include "search/full_search_text.h"
#include "tests/search/bigsearch_fixture.h"
#include "tests/support/test_bible.h"

namespace lumora {
namespace {

constexpr int kReaders = 4;

// Runs `read(thread)` on kReaders threads released together, and returns
// what each gave.
std::vector<std::string> ReadTogether(const std::function<std::string(int)>& read) {
  std::vector<std::string> results(kReaders);
  std::atomic<int> ready{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kReaders; ++t)
    threads.emplace_back([&, t] {
      ready.fetch_add(1);
      while (ready.load() < kReaders) std::this_thread::yield();
      results[static_cast<size_t>(t)] = read(t);
    });
  for (std::thread& t : threads) t.join();
  return results;
}

// Every verse in every reading mode, from a Bible none has read before: the
// threads race for the word list's first inflation too.
TEST(ConcurrentReadersTest, BibleVersesFromAFreshModule) {
  (void)BibleMappingCache::Instance();
  MemoryFileSystem fs;
  fs.SetFile("/c/kjv.lmb", test::TestBibleBytes("KJV"));
  BibleMappingCache::Instance().Clear();
  auto bible = TLMBibleModule::Create("/c/kjv.lmb", fs);
  ASSERT_TRUE(bible.ok()) << bible.status().message();
  const TLMBibleModule& b = **bible;
  auto all_verses = [&b](int t) {
    std::string text;
    for (int i = 0; i <= b.VerseCount() + 1; ++i)
      text += b.GetVerseText(i, (i + t) % 2 == 0, (i + t) % 3 == 0) + "\n";
    return text;
  };
  const std::vector<std::string> together = ReadTogether(all_verses);
  for (int t = 0; t < kReaders; ++t)
    EXPECT_EQ(together[static_cast<size_t>(t)], all_verses(t)) << "thread " << t;
  EXPECT_NE(together[0].find("In the beginning God"), std::string::npos);
  BibleMappingCache::Instance().Clear();
}

// Every item of every module of the full search's test library as the
// search reads it: Bible verses, Book entries (one of them damaged) and
// Commentary entries converted to plain text with the KJV's references.
TEST(ConcurrentReadersTest, FullSearchTextsOfEveryModuleKind) {
  const TModuleCatalogue& library = test::BigSearchLibrary();
  std::vector<ModuleRef> modules;
  for (const auto& m : library.Bibles()) modules.push_back(ModuleRef::Of(*m));
  for (const auto& m : library.Books()) modules.push_back(ModuleRef::Of(*m));
  for (const auto& m : library.Commentaries()) modules.push_back(ModuleRef::Of(*m));
  auto every_item = [&](int t) {
    std::string text;
    // Each thread starts at another module, so different readers overlap.
    for (size_t k = 0; k < modules.size(); ++k) {
      const ModuleRef& m = modules[(k + static_cast<size_t>(t)) % modules.size()];
      for (int item = 0; item < m.ItemCount(); ++item) {
        const FullSearchItem read = FullSearchItemText(m, item, *library.KjvBible());
        if (read.present && !read.text.empty()) text += m.Abbreviation() + " " + read.text + "\n";
      }
    }
    return text;
  };
  const std::vector<std::string> together = ReadTogether(every_item);
  for (int t = 0; t < kReaders; ++t)
    EXPECT_EQ(together[static_cast<size_t>(t)].size(), together[0].size()) << "thread " << t;
  for (int t = 0; t < kReaders; ++t) EXPECT_EQ(together[size_t(t)], every_item(t)) << t;
}

// Inflating on several threads: each keeps its own inflater and buffer,
// which grows for a large text and goes to zlib for a damaged one.
TEST(ConcurrentReadersTest, InflateOnEveryThread) {
  std::vector<std::string> texts = {"short", std::string(200000, 'q') + "end",
                                    std::string(3000, 'a') + "grace"};
  std::vector<std::string> streams;
  for (const std::string& text : texts) streams.push_back(CompressString(text).value());
  std::string damaged = streams[2];
  damaged[damaged.size() / 2] ^= 0x55;
  const Result<std::string> reference = DecompressBytes(damaged.data(), damaged.size());
  ASSERT_FALSE(reference.ok());
  auto inflate_all = [&](int t) {
    std::string log;
    for (int round = 0; round < 50; ++round) {
      const size_t k = static_cast<size_t>(round + t) % streams.size();
      Result<std::string> text = DecompressBytes(streams[k].data(), streams[k].size());
      log += text.ok() && *text == texts[k] ? "." : "x";
      Result<std::string_view> bad = DecompressToScratch(damaged.data(), damaged.size());
      log += !bad.ok() && bad.status().message() == reference.status().message() ? "." : "y";
    }
    return log;
  };
  for (const std::string& log : ReadTogether(inflate_all)) EXPECT_EQ(log, std::string(100, '.'));
}

}  // namespace
}  // namespace lumora
