#include "core/modules/bible_module.h"

#include <gtest/gtest.h>

#include "core/modules/bible_mapping_cache.h"
#include "core/text/cp1252.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_bible.h"
#include "tools/builder/kjv_versification.h"

namespace lumora {
namespace {

class BibleModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BibleMappingCache::Instance().Clear();
    source_ = test::MakeTestBible("KJV");
    path_ = dir_.File("kjv.lmb");
    ASSERT_TRUE(DefaultFileSystem().WriteFile(path_, test::TestBibleBytes("KJV")).ok());
    Result<std::unique_ptr<TLMBibleModule>> opened = TLMBibleModule::Create(path_);
    ASSERT_TRUE(opened.ok()) << opened.status().message();
    bible_ = std::move(opened).value();
  }

  test::TempFolder dir_;
  builder::BibleSource source_;
  std::string path_;
  std::unique_ptr<TLMBibleModule> bible_;
};

TEST_F(BibleModuleTest, HeaderValues) {
  EXPECT_EQ(bible_->GetTitle(), "KJV Test Bible");
  EXPECT_EQ(bible_->GetAbbreviation(), "KJV");
  EXPECT_EQ(bible_->VerseCount(), 31102);
  EXPECT_EQ(bible_->BookCount(), 66);
  EXPECT_TRUE(bible_->HasStrongs());
  EXPECT_TRUE(bible_->HasBrackets());
  EXPECT_TRUE(bible_->HasFootnotes());
  EXPECT_FALSE(bible_->HasFont());
  EXPECT_EQ(bible_->FileName(), path_);
  EXPECT_TRUE(bible_->tab_visible);
  EXPECT_FALSE(bible_->IsStrongsLinks());
}

TEST_F(BibleModuleTest, BookTitlesAndOutOfRangeTexts) {
  EXPECT_EQ(bible_->GetShortBookTitle(43), "Joh");
  EXPECT_EQ(bible_->GetLongBookTitle(62), "1 John");
  EXPECT_EQ(bible_->GetLongBookTitle(22), "Song of Solomon");
  EXPECT_EQ(bible_->GetShortBookTitle(0),
            "[Non-fatal internal error: book out of range on GetShortBookTitle (0)]");
  EXPECT_EQ(bible_->GetLongBookTitle(67),
            "[Non-fatal internal error: book out of range on GetLongBookTitle (67)]");
}

TEST_F(BibleModuleTest, LocateVerseClampsAsDocumented) {
  const int prov5 = builder::KjvVerseIndex(20, 5, 1);
  EXPECT_EQ(bible_->LocateVerse(20, 5, 1), prov5);
  EXPECT_EQ(bible_->GetChapterCount(20), 31);
  EXPECT_EQ(bible_->LocateVerse(43, 3, 99), builder::KjvVerseIndex(43, 3, 36));
  EXPECT_EQ(bible_->LocateVerse(43, 99, 1), builder::KjvVerseIndex(43, 21, 25));
  EXPECT_EQ(bible_->LocateVerse(0, 1, 1), 1);
  EXPECT_EQ(bible_->LocateVerse(67, 1, 1), 1);
  EXPECT_EQ(bible_->LocateVerse(66, 255, 255), 31102);
  EXPECT_EQ(bible_->LocateVerse(1, 1, 1), 1);
  EXPECT_EQ(bible_->LocateVerse(43, 3, 16), test::kJohn3_16);
  EXPECT_EQ(bible_->GetVerseCount(19, 119), 176);
  EXPECT_EQ(bible_->GetChapterCount(65), 1);
  // Chapter 0 steps back to the verse before the book.
  EXPECT_EQ(bible_->LocateVerse(2, 0, 1), builder::KjvVerseIndex(1, 50, 26));
}

TEST_F(BibleModuleTest, LocateVerseAgreesWithTheVersificationEverywhere) {
  const auto& table = builder::KjvVerseTable();
  for (int i = 1; i <= 31102; i += 11) {
    const auto& v = table[i - 1];
    ASSERT_EQ(bible_->LocateVerse(v.book, v.chapter, v.verse), i);
    ASSERT_EQ(bible_->GetVerseLocation(i), (TVerseLocation{v.book, v.chapter, v.verse}));
  }
  EXPECT_EQ(bible_->GetVerseLocation(0), TVerseLocation{});
  EXPECT_EQ(bible_->GetVerseLocation(31103), TVerseLocation{});
}

TEST_F(BibleModuleTest, EveryVerseReadsBackAsWritten) {
  for (int i = 1; i <= 31102; ++i) {
    const auto& expected = source_.verses[i - 1];
    ASSERT_EQ(bible_->GetVerseText(i, true, true), expected ? *expected : "-") << i;
  }
}

TEST_F(BibleModuleTest, StrongsTokensWrittenOutOrRemoved) {
  EXPECT_EQ(bible_->GetVerseText(1, true, true),
            "In the beginning\x02$1c39 God created the heaven and the earth.");
  EXPECT_EQ(bible_->GetVerseText(1, false, true),
            "In the beginning God created the heaven and the earth.");
}

TEST_F(BibleModuleTest, FootnotesKeptOrRemoved) {
  const std::string with = bible_->GetVerseText(test::kJohn3_16, false, true);
  EXPECT_NE(with.find("perish, {Or, be lost} but"), std::string::npos);
  const std::string without = bible_->GetVerseText(test::kJohn3_16, false, false);
  EXPECT_NE(without.find("perish, but have [everlasting] life."), std::string::npos);
}

TEST_F(BibleModuleTest, OutOfRangeAndMissingVerses) {
  EXPECT_EQ(bible_->GetVerseText(0, false, false),
            "[Non-fatal internal error: Verse out of range on GetVerseText (0)]");
  EXPECT_EQ(bible_->GetVerseText(31103, true, true),
            "[Non-fatal internal error: Verse out of range on GetVerseText (31103)]");
  for (bool strongs : {false, true})
    for (bool notes : {false, true})
      EXPECT_EQ(bible_->GetVerseText(test::kFirstVerseWithoutText, strongs, notes), "-");
}

TEST_F(BibleModuleTest, WordIndexFindsEveryCaseVariant) {
  const int god = bible_->FindWord("GOD");
  ASSERT_GE(god, 0);
  EXPECT_EQ(bible_->FindWord("god"), god);
  // Whichever spelling the lookup lands on, its verses include both "God"
  // (Genesis 1:1) and "god" verses of the synthetic text.
  const TStoredVerseList verses = bible_->WordVerses(god);
  EXPECT_NE(std::find(verses.begin(), verses.end(), 0), verses.end());
  EXPECT_GT(verses.size(), 3000u);
  EXPECT_TRUE(std::is_sorted(verses.begin(), verses.end()));
  EXPECT_EQ(bible_->FindWord("nonexistentword"), -1);
  EXPECT_GE(bible_->FindWord("beth-el"), 0);
  EXPECT_TRUE(bible_->WordVerses(-1).empty());
  EXPECT_TRUE(bible_->WordVerses(bible_->WordCount()).empty());
  for (size_t p = 1; p < bible_->Words().size(); ++p)
    ASSERT_LE(cp1252::CompareNoCase(bible_->Words()[p - 1], bible_->Words()[p]), 0);
}

// A word list another writer sorted by byte order (capitals first, accented
// letters last): the lookup still finds every word with its own verses.
TEST(BibleWordLookup, FindsEveryWordOfAListInAnotherOrder) {
  builder::BibleSource source = test::MakeTestBible("ODD");
  source.verses[0] =
      "Zion and apple \xC9"
      "b\xE8ne \xE9"
      "clat Beth-el";
  source.word_order = [](const std::string& a, const std::string& b) { return a < b; };
  const Result<std::string> bytes = builder::BuildBibleModule(source);
  ASSERT_TRUE(bytes.ok()) << bytes.status().message();
  test::TempFolder dir;
  const std::string path = dir.File("odd.lmb");
  ASSERT_TRUE(DefaultFileSystem().WriteFile(path, *bytes).ok());
  BibleMappingCache::Instance().Clear();
  Result<std::unique_ptr<TLMBibleModule>> bible = TLMBibleModule::Create(path);
  ASSERT_TRUE(bible.ok()) << bible.status().message();
  const PackedStrings& words = (*bible)->Words();
  ASSERT_GT(words.size(), 10u);
  for (size_t p = 0; p < words.size(); ++p) {
    const std::string word(words[p]);
    const int found = (*bible)->FindWord(cp1252::LowerAscii(word));
    ASSERT_GE(found, 0) << word;
    EXPECT_TRUE(cp1252::EqualNoCase(words[static_cast<size_t>(found)], word)) << word;
  }
  for (const char* word : {"zion", "APPLE",
                           "\xC9"
                           "B\xC8NE",
                           "\xE9"
                           "clat"}) {
    const int found = (*bible)->FindWord(word);
    ASSERT_GE(found, 0) << word;
    const TStoredVerseList verses = (*bible)->WordVerses(found);
    EXPECT_NE(std::find(verses.begin(), verses.end(), 0), verses.end()) << word;
  }
  EXPECT_EQ((*bible)->FindWord("nonexistentword"), -1);
}

TEST_F(BibleModuleTest, StrongsIndexes) {
  EXPECT_EQ(bible_->HebrewVerses(7225), TStoredVerseList{0});
  EXPECT_EQ(bible_->GreekVerses(25), TStoredVerseList{test::kJohn3_16 - 1});
  EXPECT_TRUE(bible_->GreekVerses(26).empty());
  EXPECT_TRUE(bible_->HebrewVerses(0).empty());
  EXPECT_TRUE(bible_->HebrewVerses(8675).empty());
  EXPECT_TRUE(bible_->GreekVerses(5625).empty());
}

TEST_F(BibleModuleTest, SecondOpenRightAfterTheFirstSharesTheMapping) {
  Result<std::unique_ptr<TLMBibleModule>> twin = TLMBibleModule::Create(path_);
  ASSERT_TRUE(twin.ok()) << twin.status().message();
  EXPECT_EQ((*twin)->GetVerseText(1, false, false), bible_->GetVerseText(1, false, false));
}

TEST_F(BibleModuleTest, ReopenAfterAnotherBibleFails) {
  const std::string other = dir_.File("web.lmb");
  ASSERT_TRUE(DefaultFileSystem().WriteFile(other, test::TestBibleBytes("WEB")).ok());
  Result<std::unique_ptr<TLMBibleModule>> web = TLMBibleModule::Create(other);
  ASSERT_TRUE(web.ok());
  Result<std::unique_ptr<TLMBibleModule>> again = TLMBibleModule::Create(path_);
  ASSERT_FALSE(again.ok());
  EXPECT_EQ(again.status().message(), "File mapping failed on " + path_);
  EXPECT_EQ(again.status().kind(), ErrorKind::kCreate);
}

TEST_F(BibleModuleTest, ReopenAfterCloseWorks) {
  bible_.reset();  // the cache must not hand out a released mapping
  Result<std::unique_ptr<TLMBibleModule>> again = TLMBibleModule::Create(path_);
  ASSERT_TRUE(again.ok()) << again.status().message();
  EXPECT_EQ((*again)->GetAbbreviation(), "KJV");
}

TEST_F(BibleModuleTest, StrongsLinksTwinOverridesNames) {
  bible_->MakeStrongsLinksTwin("KJV Test Bible with Strong's Links", "KJVSL");
  EXPECT_TRUE(bible_->IsStrongsLinks());
  EXPECT_EQ(bible_->GetAbbreviation(), "KJVSL");
  EXPECT_EQ(bible_->Header().abbreviation, "KJV");
}

TEST(BibleModuleOpen, MissingFileFailsWithMappingError) {
  BibleMappingCache::Instance().Clear();
  Result<std::unique_ptr<TLMBibleModule>> r = TLMBibleModule::Create("/nonexistent/x.lmb");
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.status().message(), "File mapping failed on /nonexistent/x.lmb");
}

TEST(BibleModuleOpen, WrongMagicNamesWhatWasFound) {
  BibleMappingCache::Instance().Clear();
  test::TempFolder dir;
  std::string bytes = test::TestBibleBytes("KJV");
  bytes.replace(149, 5, "LMCOM");
  ASSERT_TRUE(DefaultFileSystem().WriteFile(dir.File("bad.lmb"), bytes).ok());
  Result<std::unique_ptr<TLMBibleModule>> r = TLMBibleModule::Create(dir.File("bad.lmb"));
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.status().message(), "File header invalid: LMCOM");
}

}  // namespace
}  // namespace lumora
