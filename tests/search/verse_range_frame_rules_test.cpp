#include <gtest/gtest.h>

#include "core/modules/bible_mapping_cache.h"
#include "core/platform/memory/memory_file_system.h"
#include "search/verse_range_frame_rules.h"
#include "tests/support/test_bible.h"

namespace lumora {
namespace {

struct Ref {
  int book, chapter, verse;
};

class VerseRangeFrameRulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BibleMappingCache::Instance().Clear();
    ASSERT_TRUE(fs_.WriteFile("/KJV.lmb", test::TestBibleBytes("KJV")).ok());
    auto opened = TLMBibleModule::Create("/KJV.lmb", fs_);
    ASSERT_TRUE(opened.ok());
    kjv_ = std::move(opened.value());
  }
  int At(Ref r) const { return kjv_->LocateVerse(r.book, r.chapter, r.verse); }

  MemoryFileSystem fs_;
  std::unique_ptr<TLMBibleModule> kjv_;
};

enum Choice { kFirstBook, kFirstChapter, kFirstVerse, kLastBook, kLastChapter, kLastVerse };

TEST_F(VerseRangeFrameRulesTest, EachChoiceMovesTheEndsAsTheRulesSay) {
  struct Case {
    Ref first, last;
    Choice choice;
    int value;
    Ref want_first, want_last;
  } cases[] = {
      // A first book takes its whole book.
      {{1, 1, 1}, {66, 22, 21}, kFirstBook, 43, {43, 1, 1}, {43, 21, 25}},
      {{43, 1, 1}, {43, 21, 25}, kFirstChapter, 3, {43, 3, 1}, {43, 21, 25}},
      // Moving the first verse past the last: the last becomes the end of
      // the first verse's chapter.
      {{43, 3, 1}, {43, 3, 36}, kFirstChapter, 5, {43, 5, 1}, {43, 5, 47}},
      {{43, 3, 1}, {43, 3, 36}, kFirstVerse, 16, {43, 3, 16}, {43, 3, 36}},
      {{43, 3, 10}, {43, 3, 12}, kFirstVerse, 20, {43, 3, 20}, {43, 3, 36}},
      {{1, 1, 1}, {1, 50, 26}, kLastBook, 43, {1, 1, 1}, {43, 21, 25}},
      // Moving the last verse before the first: the first becomes verse 1
      // of the last verse's chapter.
      {{43, 5, 1}, {43, 21, 25}, kLastBook, 1, {1, 50, 1}, {1, 50, 26}},
      {{43, 1, 1}, {43, 21, 25}, kLastChapter, 3, {43, 1, 1}, {43, 3, 36}},
      {{43, 5, 1}, {43, 21, 25}, kLastChapter, 3, {43, 3, 1}, {43, 3, 36}},
      {{43, 3, 1}, {43, 3, 36}, kLastVerse, 16, {43, 3, 1}, {43, 3, 16}},
      {{43, 3, 20}, {43, 3, 36}, kLastVerse, 16, {43, 3, 1}, {43, 3, 16}},
      // A chapter or verse beyond the book stops at the last verse.
      {{43, 1, 1}, {43, 21, 25}, kFirstChapter, 99, {43, 21, 25}, {43, 21, 25}},
      {{43, 1, 1}, {43, 1, 9}, kLastVerse, 200, {43, 1, 1}, {43, 1, 51}},
  };
  for (const Case& c : cases) {
    VerseRangeFrameRules rules(*kjv_);
    rules.SetRange(At(c.first), At(c.last));
    switch (c.choice) {
      case kFirstBook: rules.ChooseFirstBook(c.value); break;
      case kFirstChapter: rules.ChooseFirstChapter(c.value); break;
      case kFirstVerse: rules.ChooseFirstVerse(c.value); break;
      case kLastBook: rules.ChooseLastBook(c.value); break;
      case kLastChapter: rules.ChooseLastChapter(c.value); break;
      case kLastVerse: rules.ChooseLastVerse(c.value); break;
    }
    const std::string what = "choice " + std::to_string(c.choice) + " value " +
                             std::to_string(c.value) + " from " + std::to_string(At(c.first));
    EXPECT_EQ(rules.First(), At(c.want_first)) << what;
    EXPECT_EQ(rules.Last(), At(c.want_last)) << what;
    EXPECT_LE(rules.First(), rules.Last()) << what;
  }
}

TEST_F(VerseRangeFrameRulesTest, RangesAreClampedToTheBible) {
  VerseRangeFrameRules rules(*kjv_);
  EXPECT_EQ(rules.First(), 1);
  EXPECT_EQ(rules.Last(), 31102);
  rules.SetRange(0, 40);
  EXPECT_EQ(rules.First(), 1);
  EXPECT_EQ(rules.Last(), 40);
  rules.SetRange(500, 20);
  EXPECT_EQ(rules.Last(), 31102);
  rules.SetRange(40000, 50000);
  EXPECT_EQ(rules.First(), 1);
  EXPECT_EQ(rules.Last(), 31102);
  EXPECT_EQ(rules.FirstLocation(), (TVerseLocation{1, 1, 1}));
  EXPECT_EQ(rules.LastLocation(), (TVerseLocation{66, 22, 21}));
}

}  // namespace
}  // namespace lumora
