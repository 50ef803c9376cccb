#include "render/href.h"

#include <gtest/gtest.h>

#include "tests/render/entry_fixture.h"

namespace lumora::test::entry {
namespace {

TEST(Href, SplitsAtTheFirstColon) {
  EXPECT_FALSE(SplitHref("nocolon"));
  EXPECT_FALSE(SplitHref(""));
  const auto h = SplitHref("lmcmt:ABC|Jn 3:16");
  ASSERT_TRUE(h);
  EXPECT_EQ(h->scheme, "lmcmt");
  EXPECT_EQ(h->data, "ABC|Jn 3:16");
  EXPECT_EQ(SplitHref(":x")->scheme, "");
  EXPECT_EQ(SplitHref("vr:")->data, "");
}

TEST(Href, NumbersAreStrictDecimalOrDollarHex) {
  const struct {
    const char* text;
    std::optional<int32_t> value;
  } cases[] = {
      {"0", 0},           {"7225", 7225},     {"007", 7},         {"$1F", 31},
      {"$1f", 31},        {"$0", 0},          {"2147483647", INT32_MAX},
      {"$7FFFFFFF", INT32_MAX},               {"2147483648", std::nullopt},
      {"$80000000", std::nullopt},            {"99999999999999999999999", std::nullopt},
      {"", std::nullopt}, {"$", std::nullopt}, {"-1", std::nullopt}, {"+1", std::nullopt},
      {" 1", std::nullopt}, {"1 ", std::nullopt}, {"12a", std::nullopt}, {"0x1F", std::nullopt},
      {"$g", std::nullopt}, {"$$1", std::nullopt}, {"1.5", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseLinkNumber(c.text), c.value) << c.text;
}

TEST(Href, LinkPairs) {
  EXPECT_EQ(ParseLinkPair("3,15")->k, 3);
  EXPECT_EQ(ParseLinkPair("$A,$10")->n, 16);
  for (const char* bad : {"3", ",5", "3,", "3,5,7", "a,1", "1,-1", ""})
    EXPECT_FALSE(ParseLinkPair(bad)) << bad;
}

TEST(Href, VerseRangeItems) {
  const auto one = ParseVerseRangeItem(B(kJohn3_16));
  ASSERT_TRUE(one);
  EXPECT_EQ(one->first, kJohn3_16);
  EXPECT_EQ(one->last, kJohn3_16);
  EXPECT_FALSE(one->has_count);

  const std::string item = B(1) + "+" + B(2);  // `head` views into it
  const auto range = ParseVerseRangeItem(item);
  ASSERT_TRUE(range);
  EXPECT_EQ(range->head, B(1));
  EXPECT_EQ(range->last, 3);
  EXPECT_TRUE(range->has_count);

  // Only four count digits are read; a count past the Bible keeps the first.
  const std::string long_count = B(31102) + "+\xFC\xFC\xFC\xFC\xFC";
  const auto huge = ParseVerseRangeItem(long_count);
  ASSERT_TRUE(huge);
  EXPECT_EQ(huge->last, 31102 + 205 * 205 * 205 * 205 - 1);
  EXPECT_EQ(huge->LastWithin(31102), 31102);
  EXPECT_EQ(range->LastWithin(2), 1);

  for (const std::string& bad : {std::string(), std::string("0"), B(31103), "+" + B(1), B(1) + "+",
                                 B(1) + "+" + B(1) + "+1", B(1) + " ", std::string("\x05")})
    EXPECT_FALSE(ParseVerseRangeItem(bad)) << bad;
}

TEST(Href, VerseRangeListsDropOneEmptyItemAtTheEnd) {
  using V = std::vector<std::string_view>;
  EXPECT_EQ(SplitVerseRangeList(""), V{});
  EXPECT_EQ(SplitVerseRangeList("a"), V{"a"});
  EXPECT_EQ(SplitVerseRangeList("a,"), V{"a"});
  EXPECT_EQ(SplitVerseRangeList("a,,b"), (V{"a", "", "b"}));
  EXPECT_EQ(SplitVerseRangeList(",a"), (V{"", "a"}));
  EXPECT_EQ(SplitVerseRangeList("a,,"), (V{"a", ""}));
}

}  // namespace
}  // namespace lumora::test::entry
