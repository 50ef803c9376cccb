// The Bible search and find in a resource on the imported sample library.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>

#include "core/catalogue/module_catalogue.h"
#include "core/refs/verse_index.h"
#include "core/text/cp1252.h"
#include "render/key_highlighter.h"
#include "search/bible_search.h"
#include "search/bible_search_text.h"
#include "search/word_match.h"
#include "tests/library/library_fixture.h"
#include "tools/builder/kjv_versification.h"
#include "tools/cli/search_command.h"

namespace lumora {
namespace {

using builder::KjvVerseIndex;

class SearchLibraryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string folder = test::SampleLibraryFolder();
    if (folder.empty()) return;
    catalogue_ = new TModuleCatalogue();
    const Status loaded = catalogue_->LoadModules(folder);
    EXPECT_TRUE(loaded.ok()) << loaded.message();
  }
  static void TearDownTestSuite() {
    delete catalogue_;
    catalogue_ = nullptr;
  }
  void SetUp() override {
    if (catalogue_ == nullptr) GTEST_SKIP() << "sample library not built (set LUMORA_LIBRARY)";
  }

  static const TLMBibleModule& Kjv() { return *catalogue_->KjvBible(); }
  static BibleSearchResult Search(const TLMBibleModule& bible, const std::string& text,
                                  BibleSearchType type = BibleSearchType::kAllWords,
                                  bool substring = false, int first = 1, int last = kVerseCount,
                                  bool case_sensitive = false) {
    BibleSearchRequest r;
    r.bible = &bible;
    r.text = CleanSearchText(text);
    r.type = static_cast<int>(type);
    r.substring = substring;
    r.first_verse = first;
    r.last_verse = last;
    r.case_sensitive = case_sensitive;
    return RunBibleSearch(r);
  }
  static bool Has(const TVerseList& list, int verse) {
    return std::binary_search(list.begin(), list.end(), static_cast<uint16_t>(verse));
  }

  static TModuleCatalogue* catalogue_;
};
TModuleCatalogue* SearchLibraryTest::catalogue_ = nullptr;

TEST_F(SearchLibraryTest, LordWithAndWithoutSubstring) {
  const BibleSearchResult plain = Search(Kjv(), "lord");
  const BibleSearchResult sub = Search(Kjv(), "lord", BibleSearchType::kAllWords, true);
  EXPECT_EQ(plain.keys, TKeyArray{"lord"});
  EXPECT_GT(plain.verses.size(), 6000u);
  EXPECT_TRUE(Has(plain.verses, KjvVerseIndex(1, 2, 4)));  // "the LORD God"
  EXPECT_TRUE(std::includes(sub.verses.begin(), sub.verses.end(), plain.verses.begin(),
                            plain.verses.end()));
  EXPECT_GT(sub.verses.size(), plain.verses.size());
  for (const char* word : {"lord", "lords", "lordship"})
    EXPECT_NE(std::find(sub.keys.begin(), sub.keys.end(), word), sub.keys.end()) << word;
  EXPECT_TRUE(std::is_sorted(plain.verses.begin(), plain.verses.end()));
}

TEST_F(SearchLibraryTest, ThreeWordPhraseAndNewTestamentRange) {
  const BibleSearchResult all = Search(Kjv(), "son of man", BibleSearchType::kExactPhrase);
  const BibleSearchResult nt =
      Search(Kjv(), "son of man", BibleSearchType::kExactPhrase, false, kFirstNewTestamentVerse);
  EXPECT_TRUE(Has(all.verses, KjvVerseIndex(26, 2, 1)));  // "Son of man, stand upon thy feet"
  EXPECT_TRUE(Has(nt.verses, KjvVerseIndex(40, 8, 20)));
  const WholeWordFinder finder("son of man", false);
  for (const uint16_t v : all.verses) {
    std::string text = Kjv().GetVerseText(v, false, true);
    std::erase_if(text, [](char c) { return c == '[' || c == ']' || c == ',' || c == '.'; });
    EXPECT_TRUE(finder.FoundIn(text)) << v;
  }
  TVerseList expected_nt;
  std::copy_if(all.verses.begin(), all.verses.end(), std::back_inserter(expected_nt),
               [](uint16_t v) { return v >= kFirstNewTestamentVerse; });
  EXPECT_EQ(nt.verses, expected_nt);
  EXPECT_GT(nt.verses.size(), 50u);
  EXPECT_LT(all.verses.size(), Search(Kjv(), "son of man").verses.size());
}

TEST_F(SearchLibraryTest, WildcardAtEachEnd) {
  const BibleSearchResult lov = Search(Kjv(), "lov*");
  EXPECT_TRUE(Has(lov.verses, KjvVerseIndex(43, 3, 16)));
  EXPECT_GE(lov.keys.size(), 4u);
  for (const std::string& k : lov.keys) EXPECT_TRUE(k.starts_with("lov")) << k;
  const BibleSearchResult ness = Search(Kjv(), "*ness");
  EXPECT_NE(std::find(ness.keys.begin(), ness.keys.end(), "righteousness"), ness.keys.end());
  for (const std::string& k : ness.keys) EXPECT_TRUE(k.ends_with("ness")) << k;
  EXPECT_TRUE(Has(ness.verses, KjvVerseIndex(1, 15, 6)));  // "counted it to him for righteousness"
}

TEST_F(SearchLibraryTest, StrongsNumbersInTheStrongsLinksBible) {
  const TLMBibleModule* twin = catalogue_->StrongsLinksBible();
  ASSERT_NE(twin, nullptr);
  ASSERT_TRUE(twin->IsStrongsLinks());
  struct Case {
    const char* text;
    const char* key;
    int known;
  } const cases[] = {{"G26", "\x03$001a", KjvVerseIndex(62, 4, 8)},  // "God is love"
                     {"H7225", "\x02$1c39", 1}};                     // Genesis 1:1
  for (const Case& c : cases) {
    const BibleSearchResult r = Search(*twin, c.text);
    EXPECT_EQ(r.keys, TKeyArray{c.key});
    EXPECT_TRUE(Has(r.verses, c.known)) << c.text;
    for (const uint16_t v : r.verses)
      EXPECT_NE(twin->GetVerseText(v, true, true).find(c.key), std::string::npos) << v;
  }
}

TEST_F(SearchLibraryTest, MendedFaults) {
  // Punctuation only: no words, nothing found.
  for (int type = 0; type <= 3; ++type)
    EXPECT_TRUE(Search(Kjv(), ".,;", static_cast<BibleSearchType>(type)).verses.empty());
  // Case-sensitive LORD keeps only verses with LORD standing alone.
  const BibleSearchResult lord =
      Search(Kjv(), "LORD", BibleSearchType::kAllWords, false, 1, kVerseCount, true);
  const WholeWordFinder exact("LORD", true);
  for (const uint16_t v : lord.verses)
    EXPECT_TRUE(exact.FoundIn(Kjv().GetVerseText(v, true, true)));
  EXPECT_LT(lord.verses.size(), Search(Kjv(), "lord").verses.size());
  // Every listed word is found, keyed as the highlighter lower-cases.
  for (const auto& bible : catalogue_->Bibles()) {
    if (bible->IsStrongsLinks()) continue;  // the same word list as its original
    const PackedStrings& words = bible->Words();
    for (size_t p = 0; p < words.size(); ++p) {
      TKeyArray keys;
      const std::string word(words[p]);
      const TKeyLocation set =
          FindWordVerses(*bible, FoldCase(word), true, 1, kVerseCount, false, false, keys);
      if (ParseStrongsSearchWord(word) && bible->HasStrongs()) continue;
      ASSERT_GT(set.Count(), 0) << bible->GetAbbreviation() << ' ' << word;
      ASSERT_EQ(keys, TKeyArray{AnsiLower(word)}) << bible->GetAbbreviation() << ' ' << word;
    }
  }
}

TEST_F(SearchLibraryTest, CommandLinePrintsVersesKeysAndPages) {
  auto run = [](const std::string& command, std::vector<std::string> args) {
    cli::CliOptions o;
    o.command = command;
    o.arguments = std::move(args);
    std::ostringstream out, err;
    const int rc = command == "search" ? cli::RunSearchCommand(*catalogue_, o, out, err)
                                       : cli::RunFindCommand(*catalogue_, o, out, err);
    return std::make_pair(rc, out.str());
  };
  const std::string twin = catalogue_->StrongsLinksBible()->GetAbbreviation();
  auto [rc, text] = run("search", {twin, "G26", "--range", "1 jn 4:8"});
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(text, "verses\t1\n" + std::to_string(KjvVerseIndex(62, 4, 8)) +
                      "\t1 John 4:8\nkey\t<G$001a>\n");
  std::tie(rc, text) = run("search", {"KJV", "lord", "--html"});
  EXPECT_NE(text.find("Showing 1 to 100 of "), std::string::npos);
  std::tie(rc, text) = run("search", {"KJV", "zzzqqq", "--type", "phrase"});
  EXPECT_EQ(rc, 1);
  std::tie(rc, text) = run("find", {"Scofield", "melchizedek", "--from", "355"});
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(text.find("verse\t355\t"), std::string::npos);  // Find Next leaves the current verse
  EXPECT_NE(text.find("verse\t" + std::to_string(KjvVerseIndex(2, 28, 1)) + "\tExodus 28:1\n"),
            std::string::npos);
}

}  // namespace
}  // namespace lumora
