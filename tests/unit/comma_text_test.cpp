#include "core/text/comma_text.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

using Items = std::vector<std::string>;

TEST(CommaText, ReadsPlainAndQuotedItems) {
  EXPECT_EQ(ParseCommaText("Ge,Ex,Le"), (Items{"Ge", "Ex", "Le"}));
  EXPECT_EQ(ParseCommaText("\"1 Samuel\",\"Song of Solomon\",Job"),
            (Items{"1 Samuel", "Song of Solomon", "Job"}));
  EXPECT_EQ(ParseCommaText("\"say \"\"hi\"\"\",x"), (Items{"say \"hi\"", "x"}));
}

TEST(CommaText, BlanksSeparateUnquotedItemsAndAreSkippedAroundItems) {
  EXPECT_EQ(ParseCommaText("  a b ,\tc\r\n"), (Items{"a", "b", "c"}));
  EXPECT_EQ(ParseCommaText(""), Items{});
  EXPECT_EQ(ParseCommaText("a,"), Items{"a"});
}

TEST(CommaText, EmptyItemsBetweenCommasAreKept) {
  EXPECT_EQ(ParseCommaText("a,,b"), (Items{"a", "", "b"}));
  EXPECT_EQ(ParseCommaText(",a"), (Items{"", "a"}));
}

TEST(CommaText, UnclosedQuoteEndsAtTheText) {
  EXPECT_EQ(ParseCommaText("\"abc"), Items{"abc"});
  EXPECT_EQ(ParseCommaText("\""), Items{""});
}

TEST(CommaText, ZeroBytesNeverStallTheScan) {
  const std::string text("a\0b,c", 5);
  const Items items = ParseCommaText(text);
  ASSERT_FALSE(items.empty());
  EXPECT_EQ(items.front(), "a");
  EXPECT_EQ(items.back(), "c");
}

TEST(CommaText, FormatReadsBackItemForItem) {
  const Items items = {"plain", "with blank", "", "quote\"d", "comma,here", "\xE9t\xE9",
                       "tab\tin"};
  EXPECT_EQ(ParseCommaText(FormatCommaText(items)), items);
  EXPECT_EQ(FormatCommaText({"1 Jo", "Re"}), "\"1 Jo\",Re");
}

TEST(CommaText, PackedListHoldsTheSameItems) {
  for (const char* text : {"Ge,Ex,\"1 Sa\"", "a,,\"q\"\"x\",\"open", "", "  x  y  "}) {
    const Items plain = ParseCommaText(text);
    const PackedStrings packed = ParseCommaTextPacked(text);
    ASSERT_EQ(packed.size(), plain.size()) << text;
    for (size_t i = 0; i < plain.size(); ++i) EXPECT_EQ(packed[i], plain[i]) << text;
  }
}

}  // namespace
}  // namespace lumora
