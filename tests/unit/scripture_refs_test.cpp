#include "tools/import/scripture_refs.h"

#include <gtest/gtest.h>

#include "tools/builder/kjv_versification.h"

namespace lumora::import {
namespace {

using builder::KjvVerseIndex;

TVerseRange R(int book, int c1, int v1, int c2, int v2) {
  return {KjvVerseIndex(book, c1, v1), KjvVerseIndex(book, c2, v2)};
}
TVerseRange V(int book, int chapter, int verse) { return R(book, chapter, verse, chapter, verse); }

TVerseRangeList Ranges(std::string_view ref) { return ParseScriptureRef(ref).ranges; }

TEST(ScriptureRefs, OsisReferences) {
  EXPECT_EQ(Ranges("Exod.6.23"), TVerseRangeList{V(2, 6, 23)});
  EXPECT_EQ(Ranges("Exod.6.16-Exod.6.20"), TVerseRangeList{R(2, 6, 16, 6, 20)});
  EXPECT_EQ(Ranges("1Chr.24"), TVerseRangeList{R(13, 24, 1, 24, 31)});
  EXPECT_EQ(Ranges("Ps.23.1 Ps.23.4"), (TVerseRangeList{V(19, 23, 1), V(19, 23, 4)}));
  EXPECT_EQ(Ranges("Gen.1.31-Gen.2.3"), TVerseRangeList{R(1, 1, 31, 2, 3)});
  // OSIS "Jude.1" is a chapter even in a book of one chapter.
  EXPECT_EQ(Ranges("Jude.1"), TVerseRangeList{R(65, 1, 1, 1, 25)});
  EXPECT_EQ(Ranges("Obad"), TVerseRangeList{R(31, 1, 1, 1, 21)});
}

TEST(ScriptureRefs, AbbreviatedReferencesCarryBookAndChapter) {
  EXPECT_EQ(Ranges("mt 19:4-6"), TVerseRangeList{R(40, 19, 4, 19, 6)});
  EXPECT_EQ(Ranges("lu 17:26-29 lu 17:32"),
            (TVerseRangeList{R(42, 17, 26, 17, 29), V(42, 17, 32)}));
  EXPECT_EQ(Ranges("joh 8:44,56"), (TVerseRangeList{V(43, 8, 44), V(43, 8, 56)}));
  EXPECT_EQ(Ranges("ge 29:1-ge 31:55"), TVerseRangeList{R(1, 29, 1, 31, 55)});
  EXPECT_EQ(Ranges("1co 12:12-14"), TVerseRangeList{R(46, 12, 12, 12, 14)});
  EXPECT_EQ(Ranges("Gen 1:26"), TVerseRangeList{V(1, 1, 26)});
  // Online Bible names: "jud" is Judges, "jude" Jude; a lone number after a
  // book of one chapter is a verse.
  EXPECT_EQ(Ranges("jud 6:24"), TVerseRangeList{V(7, 6, 24)});
  EXPECT_EQ(Ranges("jude 14"), TVerseRangeList{V(65, 1, 14)});
  EXPECT_EQ(Ranges("jud 1"), TVerseRangeList{R(7, 1, 1, 1, 36)});
}

TEST(ScriptureRefs, WhatNamesNoVerseIsRejected) {
  const ParsedScripture jude = ParseScriptureRef("Jude.5.14");
  EXPECT_TRUE(jude.ranges.empty());
  EXPECT_EQ(jude.rejected, 1);
  EXPECT_TRUE(Ranges("Wis.2").empty());  // outside the 66 books
  EXPECT_TRUE(Ranges("4:24").empty());   // no book to take it from
  EXPECT_TRUE(Ranges("Mark.18.43").empty());
  EXPECT_TRUE(Ranges("").empty());
  // A good item next to a bad one survives.
  const ParsedScripture mixed = ParseScriptureRef("phm 4:4 phm 1:10");
  EXPECT_EQ(mixed.ranges, TVerseRangeList{V(57, 1, 10)});
  EXPECT_EQ(mixed.rejected, 1);
}

// References as the WEB's cross-reference notes write them, with where
// each item stands.
TEST(ScriptureRefs, WrittenOutNamesAndItemSpans) {
  const std::string text = "2 Kings 6:31-7:20; Song of Solomon 2:1, 4; Wisdom 14:21; Psalm 2:9";
  const ParsedScripture got = ParseScriptureRef(text);
  EXPECT_EQ(got.ranges,
            (TVerseRangeList{R(12, 6, 31, 7, 20), V(22, 2, 1), V(22, 2, 4), V(19, 2, 9)}));
  std::vector<std::string> items;
  for (const auto& span : got.spans) items.push_back(text.substr(span.offset, span.length));
  EXPECT_EQ(items, (std::vector<std::string>{"2 Kings 6:31-7:20", "Song of Solomon 2:1", "4",
                                             "Psalm 2:9"}));
  EXPECT_EQ(got.rejected, 2);  // "Wisdom" and its "14:21"
  // A number and a word apart are a name only together.
  EXPECT_EQ(Ranges("1 Corinthians 13:4"), TVerseRangeList{V(46, 13, 4)});
  EXPECT_EQ(Ranges("ge 1:1 2 ki 3"), (TVerseRangeList{V(1, 1, 1), R(12, 3, 1, 3, 27)}));
  EXPECT_EQ(Ranges("ge 1:1, 2 and"), (TVerseRangeList{V(1, 1, 1), V(1, 1, 2)}));
  EXPECT_EQ(Ranges("Song of Songs 1"), TVerseRangeList{});
}

TEST(ScriptureRefs, RangeEndsPastTheTextAreCut) {
  // A verse past the chapter's end stops at the end; a chapter past the
  // book's end leaves the first verse alone.
  EXPECT_EQ(Ranges("jer 4:23-40"), TVerseRangeList{R(24, 4, 23, 4, 31)});
  EXPECT_EQ(Ranges("isa 11:10-isa 1214:1"), TVerseRangeList{V(23, 11, 10)});
  EXPECT_EQ(Ranges("Gen.1.5-Gen.1.3"), TVerseRangeList{V(1, 1, 5)});
}

TEST(ScriptureRefs, BookNames) {
  EXPECT_EQ(FindBook("Gen"), 1);
  EXPECT_EQ(FindBook("genesis"), 1);
  EXPECT_EQ(FindBook("1 Sa"), 9);
  EXPECT_EQ(FindBook("1Sam"), 9);
  EXPECT_EQ(FindBook("Song of Solomon"), 22);
  EXPECT_EQ(FindBook("psa"), 19);
  EXPECT_EQ(FindBook("1Jn"), 62);
  EXPECT_EQ(FindBook("deu"), 5);  // a prefix of a long title
  EXPECT_EQ(FindBook("x"), 0);
  EXPECT_EQ(FindBook("Wis"), 0);
}

TEST(ScriptureRefs, WorkPrefixes) {
  EXPECT_EQ(SplitWorkPrefix("Scofield:Ge 1:26").work, "Scofield");
  EXPECT_EQ(SplitWorkPrefix("Scofield:Ge 1:26").ref, "Ge 1:26");
  EXPECT_EQ(SplitWorkPrefix("StrongsGreek:0175").ref, "0175");
  EXPECT_EQ(SplitWorkPrefix("19:4").work, "");
  EXPECT_EQ(SplitWorkPrefix("mt 19:4").work, "");
  EXPECT_EQ(SplitWorkPrefix("Gen.1.1").work, "");
}

}  // namespace
}  // namespace lumora::import
