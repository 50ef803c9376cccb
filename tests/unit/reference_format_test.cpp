// FormatRange and FormatVerseList on a synthetic Bible with the KJV titles,
// and the round trip through ParseReferences.
#include "core/refs/reference_format.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "core/modules/bible_mapping_cache.h"
#include "core/refs/reference_parser.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_bible.h"
#include "tools/builder/kjv_versification.h"

namespace lumora {
namespace {

using test::V;

class ReferenceFormatTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    BibleMappingCache::Instance().Clear();
    dir_ = new test::TempFolder;
    const std::string path = dir_->File("kjv.lmb");
    EXPECT_TRUE(DefaultFileSystem().WriteFile(path, test::TestBibleBytes("KJV")).ok());
    Result<std::unique_ptr<TLMBibleModule>> opened = TLMBibleModule::Create(path);
    EXPECT_TRUE(opened.ok()) << opened.status().message();
    if (opened.ok()) bible_ = std::move(opened).value().release();
  }
  static void TearDownTestSuite() {
    delete bible_;
    delete dir_;
  }
  void SetUp() override { ASSERT_NE(bible_, nullptr); }

  static std::string List(const std::vector<int>& verses) {
    return FormatVerseList(verses, *bible_);
  }

  static test::TempFolder* dir_;
  static TLMBibleModule* bible_;
};
test::TempFolder* ReferenceFormatTest::dir_ = nullptr;
TLMBibleModule* ReferenceFormatTest::bible_ = nullptr;

TEST_F(ReferenceFormatTest, RangeFormsWithBothTitleKinds) {
  const std::string kNoBook0 =
      "[Non-fatal internal error: book out of range on GetShortBookTitle (0)]";
  const struct {
    int first, last;
    const char* short_form;
    const char* long_form;
  } kCases[] = {
      {V(43, 3, 16), V(43, 3, 16), "Joh 3:16", "John 3:16"},
      {V(43, 3, 16), V(43, 3, 18), "Joh 3:16-18", "John 3:16-18"},
      {V(43, 3, 18), V(43, 3, 16), "Joh 3:18-16", "John 3:18-16"},  // as given
      {V(43, 3, 36), V(43, 4, 2), "Joh 3:36-4:2", "John 3:36-4:2"},
      {V(43, 4, 2), V(43, 4, 12), "Joh 4:2-12", "John 4:2-12"},  // same verse number not enough
      {V(43, 3, 16), V(43, 4, 16), "Joh 3:16-4:16", "John 3:16-4:16"},
      {V(1, 50, 26), V(2, 1, 1), "Ge 50:26 - Ex 1:1", "Genesis 50:26 - Exodus 1:1"},
      {V(1, 3, 16), V(43, 3, 16), "Ge 3:16 - Joh 3:16", "Genesis 3:16 - John 3:16"},
      {1, 31102, "Ge 1:1 - Re 22:21", "Genesis 1:1 - Revelation 22:21"},
      {V(62, 1, 9), V(62, 1, 10), "1 Jo 1:9-10", "1 John 1:9-10"},
      {V(22, 2, 1), V(22, 2, 1), "So 2:1", "Song of Solomon 2:1"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(FormatRange(*bible_, c.first, c.last, BookTitleKind::kShort), c.short_form);
    EXPECT_EQ(FormatRange(*bible_, c.first, c.last, BookTitleKind::kLong), c.long_form);
  }
  // Outside the Bible: the module's title text, chapter and verse 0.
  EXPECT_EQ(FormatRange(*bible_, 0, 0, BookTitleKind::kShort), kNoBook0 + " 0:0");
  EXPECT_EQ(FormatRange(*bible_, 1, 31103, BookTitleKind::kShort), "Ge 1:1 - " + kNoBook0 + " 0:0");
}

TEST_F(ReferenceFormatTest, VerseLists) {
  const int j316 = V(43, 3, 16), j317 = V(43, 3, 17), j318 = V(43, 3, 18);
  const struct {
    std::vector<int> verses;
    const char* text;
  } kCases[] = {
      {{j316, j317, j318, V(43, 3, 20), V(43, 4, 1), V(45, 5, 8)},
       "John 3:16-18,20; 4:1; Romans 5:8"},
      {{}, ""},
      {{j316}, "John 3:16"},
      {{j316, j317, j318}, "John 3:16-18"},        // the run closes at the end
      {{j316, j316, j317}, "John 3:16-17"},        // a repeated verse is written once
      {{j316, j317, j317, j318}, "John 3:16-18"},  // also inside a run
      {{j317, j316}, "John 3:17,16"},
      {{j316, j317, j316}, "John 3:16-17,16"},
      {{j316, V(43, 3, 20), V(43, 3, 21), V(43, 3, 30)}, "John 3:16,20-21,30"},
      {{V(43, 3, 35), V(43, 3, 36), V(43, 4, 1), V(43, 4, 2)}, "John 3:35-36; 4:1-2"},
      {{V(43, 3, 1), V(43, 4, 2)}, "John 3:1; 4:2"},   // verse 2 follows 1, chapter differs
      {{j316, V(44, 3, 17)}, "John 3:16; Acts 3:17"},  // chapter 3 again, book differs
      {{j316, V(45, 5, 8), j317}, "John 3:16; Romans 5:8; John 3:17"},
      {{V(62, 1, 9), V(22, 2, 1)}, "1 John 1:9; Song of Solomon 2:1"},
      {{0, j316},
       "[Non-fatal internal error: book out of range on GetLongBookTitle (0)] 0:0; John 3:16"},
  };
  for (const auto& c : kCases) EXPECT_EQ(List(c.verses), c.text);
}

// Same-book ranges written with either kind of title parse back to
// themselves, "Song of Solomon" with its blanks too.
TEST_F(ReferenceFormatTest, SameBookRangesRoundTrip) {
  const auto& table = builder::KjvVerseTable();
  const ReferenceParser parser(*bible_);
  std::mt19937 rng(31102);
  for (int round = 0; round < 4000; ++round) {
    const int first = 1 + static_cast<int>(rng() % 31102);
    const int book = table[static_cast<size_t>(first - 1)].book;
    int last = first + static_cast<int>(rng() % 60) * (round % 3);  // a third single verses
    while (last > 31102 || table[static_cast<size_t>(last - 1)].book != book) --last;
    for (const BookTitleKind kind : {BookTitleKind::kShort, BookTitleKind::kLong}) {
      const std::string text = FormatRange(*bible_, first, last, kind);
      const TVerseRangeList got = parser.Parse(text).ranges;
      EXPECT_EQ(got, (TVerseRangeList{{first, last}})) << text;
    }
  }
}

TEST_F(ReferenceFormatTest, VerseListParsesBack) {
  const std::string text =
      List({V(43, 3, 16), V(43, 3, 17), V(43, 3, 18), V(43, 3, 20), V(43, 4, 1), V(45, 5, 8)});
  const TVerseRangeList expected = {{V(43, 3, 16), V(43, 3, 18)},
                                    {V(43, 3, 20), V(43, 3, 20)},
                                    {V(43, 4, 1), V(43, 4, 1)},
                                    {V(45, 5, 8), V(45, 5, 8)}};
  EXPECT_EQ(ParseReferences(text, *bible_).ranges, expected) << text;
}

}  // namespace
}  // namespace lumora
