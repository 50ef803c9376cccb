#include "core/text/fast_strings.h"

#include <gtest/gtest.h>

#include <random>

namespace lumora {
namespace {

TEST(SkipTable, EmptyPatternIsRefused) {
  SkipTable table;
  table.fill(7);
  const Status s = BuildSkipTable("", table);
  EXPECT_FALSE(s.ok());
  EXPECT_EQ(s.message(), "BufferLen is 0");
  EXPECT_EQ(table[0], 7);  // untouched
  EXPECT_FALSE(BuildSkipTableNoCase("", table).ok());
}

TEST(SkipTable, DistancesFromLastOccurrenceBeforeTheFinalByte) {
  SkipTable t;
  ASSERT_TRUE(BuildSkipTable("abcab", t).ok());
  EXPECT_EQ(t['a'], 1);
  EXPECT_EQ(t['b'], 3);  // final b does not count
  EXPECT_EQ(t['c'], 2);
  EXPECT_EQ(t['z'], 5);
  ASSERT_TRUE(BuildSkipTableNoCase("Ab", t).ok());
  EXPECT_EQ(t['A'], 1);
  EXPECT_EQ(t['a'], 2);  // keys go through the upper-case map
}

TEST(SkipScan, FindsTheLeftmostMatch) {
  const std::string text = "the LORD said unto the LORD";
  SkipTable t;
  ASSERT_TRUE(BuildSkipTable("LORD", t).ok());
  EXPECT_EQ(SkipScan(text.data(), "LORD", static_cast<int64_t>(text.size()), t), text.data() + 4);
  EXPECT_EQ(SkipScan(text.data(), "LORD", 7, t), nullptr);  // window ends inside the match
  EXPECT_EQ(SkipScan(text.data(), "LORD", 0, t), nullptr);
  EXPECT_EQ(SkipScan(text.data(), "LORD", -5, t), nullptr);
}

TEST(PosFrom, EdgePositions) {
  EXPECT_EQ(PosFrom("abcabc", "a"), 1u);
  EXPECT_EQ(PosFrom("abcabc", "abcabc"), 1u);
  EXPECT_EQ(PosFrom("abc", "abcd"), 0u);
  EXPECT_EQ(PosFrom("abcabc", "a", 2), 4u);
  EXPECT_EQ(PosFrom("abcabc", "c", 6), 6u);
  EXPECT_EQ(PosFrom("abcabc", "a", 7), 0u);
  EXPECT_EQ(PosFrom("abcabc", "a", 0), 1u);   // below 1 counts as 1
  EXPECT_EQ(PosFrom("abcabc", "a", -9), 1u);
  EXPECT_EQ(PosFrom("abc", ""), 0u);
  EXPECT_EQ(PosFrom("", "a"), 0u);
}

TEST(PosFrom, NoCaseUsesTheCodePageMap) {
  EXPECT_EQ(PosFromNoCase("The LORD is my shepherd", "lord"), 5u);
  EXPECT_EQ(PosFromNoCase("And God said", "god"), 5u);
  EXPECT_EQ(PosFromNoCase("\xC9GLISE", "\xE9glise"), 1u);
  EXPECT_EQ(PosFrom("\xC9GLISE", "\xE9glise"), 0u);
}

TEST(PosBackNoCase, FindsTheLastOccurrenceAtOrBeforeStart) {
  EXPECT_EQ(PosBackNoCase("abcABCabc", "abc", 0), 7u);
  EXPECT_EQ(PosBackNoCase("abcABCabc", "abc", 6), 4u);
  EXPECT_EQ(PosBackNoCase("abcABCabc", "abc", 3), 1u);
  EXPECT_EQ(PosBackNoCase("abcABCabc", "abc", 100), 7u);  // too late: from the end
  EXPECT_EQ(PosBackNoCase("ab", "abc", 0), 0u);
  EXPECT_EQ(PosBackNoCase("abc", "", 0), 0u);
  EXPECT_EQ(PosBackNoCase("xbx", "xax", 0), 0u);  // first and last match, middle differs
}

TEST(CharPosFrom, Positions) {
  EXPECT_EQ(CharPosFrom("a{b}c", '{'), 2u);
  EXPECT_EQ(CharPosFrom("a{b}c", '{', 3), 0u);
  EXPECT_EQ(CharPosFrom("a{b}c", '}', 0), 4u);
  EXPECT_EQ(CharPosFrom("", '{'), 0u);
  EXPECT_EQ(CharPosFrom("abc", 'c', 4), 0u);
}

TEST(ReplaceAll, ReplacesLeftToRightWithoutOverlap) {
  EXPECT_EQ(ReplaceAll("a.b.c", ".", "", true), "abc");
  EXPECT_EQ(ReplaceAll("a<b<c", "<", "&lt;", true), "a&lt;b&lt;c");
  EXPECT_EQ(ReplaceAll("aaa", "aa", "b", true), "ba");
  EXPECT_EQ(ReplaceAll("no match", "xyz", "q", true), "no match");
  EXPECT_EQ(ReplaceAll("", "a", "b", true), "");
  EXPECT_EQ(ReplaceAll("Lord LORD lord", "lord", "God", false), "God God God");
  EXPECT_EQ(ReplaceAll("Lord LORD lord", "lord", "God", true), "Lord LORD God");
  EXPECT_EQ(ReplaceAll("abc", "", "x", true), "abc");
}

// The skip search must agree with a naive search on every input.
TEST(SkipScan, AgreesWithNaiveSearchOnRandomText) {
  std::mt19937 rng(42);
  std::uniform_int_distribution<int> letter(0, 3);
  for (int round = 0; round < 2000; ++round) {
    std::string text(rng() % 40, 'a'), pattern(1 + rng() % 4, 'a');
    for (char& c : text) c = static_cast<char>("abAB"[letter(rng)]);
    for (char& c : pattern) c = static_cast<char>("abAB"[letter(rng)]);
    const size_t exact = text.find(pattern);
    EXPECT_EQ(PosFrom(text, pattern), exact == std::string::npos ? 0 : exact + 1);
    std::string lower_text = text, lower_pattern = pattern;
    for (char& c : lower_text) c = static_cast<char>(std::tolower(c));
    for (char& c : lower_pattern) c = static_cast<char>(std::tolower(c));
    const size_t nocase = lower_text.find(lower_pattern);
    EXPECT_EQ(PosFromNoCase(text, pattern), nocase == std::string::npos ? 0 : nocase + 1);
    const size_t back = lower_text.rfind(lower_pattern);
    EXPECT_EQ(PosBackNoCase(text, pattern, 0), back == std::string::npos ? 0 : back + 1);
  }
}

}  // namespace
}  // namespace lumora
