// The quick-jump box's Enter on a synthetic KJV: full references, the forms
// relative to the current verse, what is not recognised, and the
// "Display Verse(s)" expansion.
#include "app/quick_jump.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "core/modules/bible_mapping_cache.h"
#include "core/refs/reference_parser.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_bible.h"

namespace lumora {
namespace {

using test::V;

class QuickJumpTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    BibleMappingCache::Instance().Clear();
    dir_ = new test::TempFolder;
    const std::string path = dir_->File("kjv.lmb");
    ASSERT_TRUE(DefaultFileSystem().WriteFile(path, test::TestBibleBytes("KJV")).ok());
    Result<std::unique_ptr<TLMBibleModule>> opened = TLMBibleModule::Create(path);
    ASSERT_TRUE(opened.ok()) << opened.status().message();
    kjv_ = std::move(opened).value().release();
    parser_ = new ReferenceParser(*kjv_);
  }
  static void TearDownTestSuite() {
    delete parser_;
    delete kjv_;
    delete dir_;
    BibleMappingCache::Instance().Clear();
  }
  void SetUp() override { ASSERT_NE(kjv_, nullptr); }

  static QuickJumpResult Jump(const std::string& typed, int current) {
    return QuickJumpTarget(typed, current, *parser_, *kjv_);
  }

  static test::TempFolder* dir_;
  static TLMBibleModule* kjv_;
  static ReferenceParser* parser_;
};
test::TempFolder* QuickJumpTest::dir_ = nullptr;
TLMBibleModule* QuickJumpTest::kjv_ = nullptr;
ReferenceParser* QuickJumpTest::parser_ = nullptr;

TEST(QuickJumpText, NormalisesBlanksAndTheLeadingBookNumber) {
  const struct {
    const char* typed;
    const char* want;
  } cases[] = {
      {"  jn 3:16 ", "jn 3:16"},
      {"jn 3: 16", "jn 3:16"},
      {"jn    3:16", "jn 3:16"},  // four blanks: two passes
      {"1 John 1:9", "1John 1:9"},
      {"1 2", "1 2"},  // no letter after the blank
      {"1 j", "1j"},
      {"\t4:1\r\n", "4:1"},
      {"", ""},
      {"   ", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(NormalizeQuickJumpText(c.typed), c.want) << c.typed;
}

TEST(QuickJumpText, WholeNumbersFitAnInteger) {
  const struct {
    const char* text;
    bool ok;
    int value;
  } cases[] = {
      {"16", true, 16},
      {" 16 ", true, 16},
      {"-16", true, -16},
      {"+4", true, 4},
      {"", false, 0},
      {"-", false, 0},
      {"4a", false, 0},
      {"1 6", false, 0},
      {"2147483647", true, INT_MAX},
      {"2147483648", false, 0},
      {"-2147483648", true, INT_MIN},
      {"99999999999999999999", false, 0},
  };
  for (const auto& c : cases) {
    int value = 0;
    EXPECT_EQ(ParseWholeNumber(c.text, value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

TEST_F(QuickJumpTest, GoesWhereTheTypedReferencePoints) {
  const int john3_1 = V(43, 3, 1);
  const int rom8_1 = V(45, 8, 1);
  const struct {
    const char* typed;
    int current;
    int target;
  } cases[] = {
      {"16", john3_1, V(43, 3, 16)},
      {"-16", john3_1, V(43, 3, 16)},
      {"4:1", john3_1, V(43, 4, 1)},
      {"4.1", john3_1, V(43, 4, 1)},
      {"4: 2", john3_1, V(43, 4, 2)},
      {"4:", john3_1, V(43, 4, 1)},    // no verse: verse 1
      {"4:1:", john3_1, V(43, 4, 1)},  // verse "1:" is no number: verse 1
      {"4:-", john3_1, V(43, 4, 1)},
      {"4:12345", john3_1, V(43, 4, 54)},  // four characters of verse, clamped to the chapter
      {"99", john3_1, V(43, 3, 36)},       // past the chapter: its last verse
      {"0", john3_1, john3_1},
      {"8:28", john3_1, V(43, 8, 28)},
      {"8:28", rom8_1, V(45, 8, 28)},
      {"jn 3:16", rom8_1, V(43, 3, 16)},
      {"Joh 3:16", rom8_1, V(43, 3, 16)},
      {"1 John 1:9", rom8_1, V(62, 1, 9)},
      {"1John 1:9", rom8_1, V(62, 1, 9)},
      {" 1  John  1: 9 ", rom8_1, V(62, 1, 9)},
      {"Joh 3:16 Rom 8:28", rom8_1, V(43, 3, 16)},  // the first verse of the first range
      {"jn 3:18-16", rom8_1, V(43, 3, 16)},         // backwards: its smaller verse
      {"ps 23", rom8_1, V(19, 23, 1)},
  };
  for (const auto& c : cases) {
    const QuickJumpResult got = Jump(c.typed, c.current);
    EXPECT_FALSE(got.unrecognized) << c.typed;
    EXPECT_EQ(got.target, c.target) << c.typed;
  }
}

TEST_F(QuickJumpTest, WhatCannotBePlacedIsUnrecognised) {
  const int john3_1 = V(43, 3, 1);
  for (const char* typed :
       // A letter sends "4:x" to the parser, which finds no book in it.
       {"xyzzy", "qq 3:16", "a", "4:x", ":5", "-4:1", "0:5", "3;16", "--16", "99999999999",
        "2147483648:1", "-2147483648"}) {
    const QuickJumpResult got = Jump(typed, john3_1);
    EXPECT_TRUE(got.unrecognized) << typed;
    EXPECT_EQ(got.target, 0) << typed;
  }
  // No current verse: the relative forms have nothing to stand on.
  EXPECT_TRUE(Jump("16", 0).unrecognized);
  EXPECT_FALSE(Jump("jn 3:16", 0).unrecognized);
  // Nothing typed: no target, and nothing to tell.
  for (const char* typed : {"", "   ", ": "}) {
    const QuickJumpResult got = Jump(typed, john3_1);
    EXPECT_EQ(got.target, 0) << '"' << typed << '"';
    EXPECT_EQ(got.unrecognized, std::string_view(typed) == ": ") << '"' << typed << '"';
  }
}

TEST(DisplayVerses, ExpandsRangesInOrderKeepingRepeats) {
  EXPECT_EQ(ExpandVerseRanges({{5, 7}, {2, 2}, {6, 6}}), (TVerseList{5, 6, 7, 2, 6}));
  EXPECT_EQ(ExpandVerseRanges({{9, 7}}), (TVerseList{7, 8, 9}));  // backwards
  EXPECT_EQ(ExpandVerseRanges({{31101, 40000}, {-3, 1}}), (TVerseList{31101, 31102, 1}));
  EXPECT_TRUE(ExpandVerseRanges({}).empty());
}

}  // namespace
}  // namespace lumora
