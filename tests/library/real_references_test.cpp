// The reference parser and formatters on the imported King James Version:
// what people type, with the book titles the real module carries.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "core/modules/bible_mapping_cache.h"
#include "core/refs/reference_format.h"
#include "core/refs/reference_parser.h"
#include "core/text/cp1252.h"
#include "tests/library/library_fixture.h"
#include "tests/support/test_bible.h"
#include "tools/builder/kjv_versification.h"

namespace lumora {
namespace {

using test::V;
int LastVerse(int b, int c) {
  return builder::KjvBooks()[static_cast<size_t>(b - 1)]
      .verses_per_chapter[static_cast<size_t>(c - 1)];
}
TVerseRange One(int b, int c, int v) { return {V(b, c, v), V(b, c, v)}; }
TVerseRange Span(int b, int c, int v, int c2, int v2) { return {V(b, c, v), V(b, c2, v2)}; }
TVerseRange Chapter(int b, int c) { return Span(b, c, 1, c, LastVerse(b, c)); }
TVerseRange Book(int b) {
  const auto& chapters = builder::KjvBooks()[static_cast<size_t>(b - 1)].verses_per_chapter;
  const int last = static_cast<int>(chapters.size());
  return Span(b, 1, 1, last, LastVerse(b, last));
}

class RealReferencesTest : public ::testing::Test {
 protected:
  void Expect(const ReferenceParser& parser, int b, int c, int v) const {
    const int expected = kjv_->LocateVerse(b, c, v);
    ASSERT_EQ(FastLocateVerse(*kjv_, b, c, v), expected) << b << ' ' << c << ' ' << v;
    ASSERT_EQ(parser.LocateVerse(b, c, v), expected) << b << ' ' << c << ' ' << v;
  }

  void SetUp() override {
    folder_ = test::SampleLibraryFolder();
    if (folder_.empty()) GTEST_SKIP() << "sample library not built (set LUMORA_LIBRARY)";
    BibleMappingCache::Instance().Clear();
    Result<std::unique_ptr<TLMBibleModule>> kjv =
        TLMBibleModule::Create((std::filesystem::path(folder_) / "Bibles" / "KJV.lmb").string());
    ASSERT_TRUE(kjv.ok()) << kjv.status().message();
    owned_ = std::move(kjv).value();
    kjv_ = owned_.get();
  }

  std::string folder_;
  std::unique_ptr<TLMBibleModule> owned_;
  const TLMBibleModule* kjv_ = nullptr;
};

TEST_F(RealReferencesTest, WhatPeopleType) {
  const struct {
    const char* text;
    TVerseRangeList ranges;
    int stop;
  } kCases[] = {
      {"John 3:16", {One(43, 3, 16)}, 10},
      {"jn 3:16", {One(43, 3, 16)}, 8},
      {"Jn. 3:16", {One(43, 3, 16)}, 9},
      {"John 3:16.", {One(43, 3, 16)}, 10},
      {"Ge 1:1", {One(1, 1, 1)}, 7},
      {"Genesis 1", {Chapter(1, 1)}, 10},
      {"genesis", {Book(1)}, 7},
      {"Genesis 1:1-2:3", {Span(1, 1, 1, 2, 3)}, 16},
      {"Ps 23", {Chapter(19, 23)}, 6},
      {"Ps. 23", {Chapter(19, 23)}, 7},
      {"Psalms 119:105", {One(19, 119, 105)}, 15},
      {"Ps 119:176-999", {One(19, 119, 176)}, 15},
      {"Ps 1-2", {Span(19, 1, 1, 1, 2)}, 7},  // verses 1-2 of Psalm 1
      {"Pr 3:5-6", {Span(20, 3, 5, 3, 6)}, 9},
      {"proverbs 3:5-6", {Span(20, 3, 5, 3, 6)}, 15},
      {"Ec 3:1-8", {Span(21, 3, 1, 3, 8)}, 9},
      {"Isa 53:5", {One(23, 53, 5)}, 9},
      {"Jer 29:11", {One(24, 29, 11)}, 10},
      {"Job 19:25", {One(18, 19, 25)}, 10},
      {"Joel 2:28", {One(29, 2, 28)}, 10},
      {"Jonah 1:17", {One(32, 1, 17)}, 11},
      {"Jo 1:1", {One(6, 1, 1)}, 7},  // Joshua: its "Jos" is the first short title
      {"songofsolomon 2:1", {One(22, 2, 1)}, 18},
      {"sos 2:1", {One(22, 2, 1)}, 8},
      {"ca 2:1", {One(22, 2, 1)}, 7},
      {"dt 6:4-9", {Span(5, 6, 4, 6, 9)}, 9},
      {"jdg 6:12", {One(7, 6, 12)}, 9},
      {"ruth 1:16, 17", {Span(8, 1, 16, 1, 17)}, 14},
      {"mtt 5:3-12", {Span(40, 5, 3, 5, 12)}, 11},
      {"Matthew 5:3-12", {Span(40, 5, 3, 5, 12)}, 15},
      {"Mt 5-7", {Span(40, 5, 1, 5, 7)}, 7},  // verses 1-7 of chapter 5
      {"Mt 5; 6; 7", {Chapter(40, 5), Chapter(40, 6), Chapter(40, 7)}, 11},
      {"mk 1:1", {One(41, 1, 1)}, 7},
      {"Mark 16:15", {One(41, 16, 15)}, 11},
      {"Lu 2:1-20", {Span(42, 2, 1, 2, 20)}, 10},
      {"Luke 2", {Chapter(42, 2)}, 7},
      {"Jn 1:1-3,14", {Span(43, 1, 1, 1, 3), One(43, 1, 14)}, 12},
      {"jn 3:16-18; romans 5:8, 10", {Span(43, 3, 16, 3, 18), One(45, 5, 8), One(45, 5, 10)}, 27},
      {"Acts 2:38", {One(44, 2, 38)}, 10},
      {"Romans 8:28", {One(45, 8, 28)}, 12},
      {"Ro 8:28", {One(45, 8, 28)}, 8},
      {"1 co 13:4-7", {Span(46, 13, 4, 13, 7)}, 11},
      {"1 Corinthians 13:4-8", {Span(46, 13, 4, 13, 8)}, 20},
      {"Ga. 5:22-23", {Span(48, 5, 22, 5, 23)}, 12},
      {"Eph 2:8,9", {Span(49, 2, 8, 2, 9)}, 10},
      {"philippians 4:13", {One(50, 4, 13)}, 17},
      {"1th 4:16-17", {Span(52, 4, 16, 4, 17)}, 12},
      {"2 ti 3:16", {One(55, 3, 16)}, 9},
      {"Heb 11:1", {One(58, 11, 1)}, 9},
      {"Jas 1:5", {One(59, 1, 5)}, 8},
      {"1 John 1:9", {One(62, 1, 9)}, 10},
      {"1jn 1:9", {One(62, 1, 9)}, 8},
      {"jude 3", {One(65, 1, 25)}, 7},  // one chapter: 3 is a chapter and clamps
      {"Re 22:21", {One(66, 22, 21)}, 9},
      {"Revelation 22", {Chapter(66, 22)}, 14},
      {"Ge 1:1; Ex 20:1-17", {One(1, 1, 1), Span(2, 20, 1, 20, 17)}, 19},
      // Trailing words and garbage.
      {"jn 3:16 KJV", {One(43, 3, 16)}, 8},
      {"jn 3:16 is wonderful", {One(43, 3, 16), Book(23)}, 11},
      {"jn 3:16 \x96 18", {One(43, 3, 16)}, 8},
      // "1 tim" after the start: "1" is a chapter of Acts and "tim" no book.
      {"jn 14:6; acts 4:12; 1 tim 2:5", {One(43, 14, 6), One(44, 4, 12), Chapter(44, 1)}, 22},
      // Abbreviations longer than the short title: beginnings of full names.
      {"gen 1:1", {One(1, 1, 1)}, 8},
      {"psalm 23", {Chapter(19, 23)}, 9},
      {"Rom 8:28", {One(45, 8, 28)}, 9},
      {"jn 3:16-18; rom 5:8, 10", {Span(43, 3, 16, 3, 18), One(45, 5, 8), One(45, 5, 10)}, 24},
      {"Matt 5:3-12", {Span(40, 5, 3, 5, 12)}, 12},
      {"Lk 2:1", {}, 0},  // no title begins with "lk"
      {"1 Cor 13", {Chapter(46, 13)}, 8},
      {"2 Tim 3:16", {One(55, 3, 16)}, 10},
      {"Rev 22:21", {One(66, 22, 21)}, 10},
      {"Gal. 5:22-23", {Span(48, 5, 22, 5, 23)}, 13},
      {"song of solomon 2:1", {One(22, 2, 1)}, 20},
      {"Song of Solomon 2:1", {One(22, 2, 1)}, 20},
      {"1 Corinthians 13:4-7", {Span(46, 13, 4, 13, 7)}, 20},
      {"rom 5:8", {One(45, 5, 8)}, 8},
      {"jn 3:16 son of man", {One(43, 3, 16)}, 8},
      {"jn 3:16 rom 5:8", {One(43, 3, 16), One(45, 5, 8)}, 16},
      {"see jn 3:16", {}, 0},
      {"jn3:16", {}, 0},
      {"", {}, 0},
      {"!!!", {}, 0},
      {"3:16", {}, 0},
  };
  const ReferenceParser parser(*kjv_);
  for (const auto& c : kCases) {
    for (const ParsedReferences& got : {ParseReferences(c.text, *kjv_), parser.Parse(c.text)}) {
      EXPECT_EQ(got.ranges, c.ranges) << '"' << c.text << '"';
      EXPECT_EQ(got.stop, c.stop) << '"' << c.text << '"';
    }
  }
}

// The module's titles are what the parser's fixed aliases point at.
TEST_F(RealReferencesTest, TitlesCarryTheAliasTargets) {
  EXPECT_EQ(kjv_->GetShortBookTitle(43), "Joh");
  EXPECT_EQ(kjv_->GetLongBookTitle(22), "Song of Solomon");
  const BookKeys keys(*kjv_);
  const struct {
    const char* key;
    int book;
  } kTargets[] = {{"mr", 41},  {"de", 5},   {"joh", 43}, {"jg", 7}, {"so", 22},
                  {"1jo", 62}, {"2jo", 63}, {"3jo", 64}, {"mt", 40}};
  for (const auto& t : kTargets) EXPECT_EQ(keys.Find(t.key), t.book) << t.key;
  // Every long title reaches its book: whole, or joined.
  for (int b = 1; b <= kjv_->BookCount(); ++b) {
    std::string joined = cp1252::LowerAscii(kjv_->GetLongBookTitle(b));
    std::erase(joined, ' ');
    EXPECT_EQ(keys.Find(joined), b) << joined;
  }
}

// Every verse's own reference text, as the formatters write it with either
// kind of title, parses back to that verse.
TEST_F(RealReferencesTest, EveryVerseReferenceParsesBack) {
  const ReferenceParser parser(*kjv_);
  int failures = 0;
  for (const BookTitleKind kind : {BookTitleKind::kLong, BookTitleKind::kShort}) {
    for (int i = 1; i <= kjv_->VerseCount() && failures < 10; ++i) {
      const std::string text = FormatRange(*kjv_, i, i, kind);
      const ParsedReferences got = parser.Parse(text);
      if (got.ranges != TVerseRangeList{{i, i}}) {
        ADD_FAILURE() << '"' << text << "\" gives " << got.ranges.size() << " ranges, first "
                      << (got.ranges.empty() ? 0 : got.ranges[0].first) << ", not " << i;
        ++failures;
      }
    }
  }
  // The plain call agrees on each book's first verse.
  for (int b = 1; b <= kjv_->BookCount(); ++b) {
    const int i = kjv_->LocateVerse(b, 1, 1);
    EXPECT_EQ(ParseReferences(FormatRange(*kjv_, i, i, BookTitleKind::kLong), *kjv_).ranges,
              (TVerseRangeList{{i, i}}))
        << b;
  }
}

TEST_F(RealReferencesTest, FastLookupsAgreeOnEveryChapter) {
  const ReferenceParser parser(*kjv_);
  for (int b = 1; b <= kjv_->BookCount(); ++b) {
    const int chapters = kjv_->GetChapterCount(b);
    for (int c : {0, chapters + 1, 255, INT_MAX})
      for (int v : {0, 1, 255}) Expect(parser, b, c, v);
    for (int c = 1; c <= chapters; ++c) {
      const int verses = kjv_->GetVerseCount(b, c);
      for (int v : {0, 1, verses - 1, verses, verses + 1, 255, INT_MAX}) Expect(parser, b, c, v);
    }
  }
}

TEST_F(RealReferencesTest, FormattersUseTheModuleTitles) {
  EXPECT_EQ(FormatRange(*kjv_, V(43, 3, 16), V(43, 3, 16), BookTitleKind::kShort), "Joh 3:16");
  EXPECT_EQ(FormatRange(*kjv_, V(1, 50, 26), V(2, 1, 1), BookTitleKind::kLong),
            "Genesis 50:26 - Exodus 1:1");
  EXPECT_EQ(FormatRange(*kjv_, V(62, 1, 9), V(62, 2, 2), BookTitleKind::kShort), "1 Jo 1:9-2:2");
  const std::vector<int> verses = {V(43, 3, 16), V(43, 3, 17), V(43, 3, 18),
                                   V(43, 3, 20), V(43, 4, 1),  V(45, 5, 8)};
  const std::string list = FormatVerseList(verses, *kjv_);
  EXPECT_EQ(list, "John 3:16-18,20; 4:1; Romans 5:8");
  EXPECT_EQ(
      ParseReferences(list, *kjv_).ranges,
      (TVerseRangeList{Span(43, 3, 16, 3, 18), One(43, 3, 20), One(43, 4, 1), One(45, 5, 8)}));
}

}  // namespace
}  // namespace lumora
