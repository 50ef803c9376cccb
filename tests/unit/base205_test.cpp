#include "core/codec/base205.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

TEST(Base205, EncodesDigitsFrom48To252) {
  EXPECT_EQ(EncodeBase205(0), "0");
  EXPECT_EQ(EncodeBase205(204), std::string(1, '\xFC'));
  EXPECT_EQ(EncodeBase205(205), "10");
  EXPECT_EQ(EncodeBase205(31102), std::string("\xC7\xC3"));  // 151 x 205 + 147
  EXPECT_EQ(EncodeBase205(-1), "");
}

TEST(Base205, DecodesAndRoundTrips) {
  EXPECT_EQ(DecodeBase205(""), 0);
  EXPECT_EQ(DecodeBase205("0a"), 49);
  for (int64_t n : {0, 1, 204, 205, 42024, 42025, 31102, 8674, 2147483647})
    EXPECT_EQ(DecodeBase205(EncodeBase205(n)), n) << n;
}

TEST(Base205, NonDigitsAndOverflowDecodeToMinusOne) {
  EXPECT_EQ(DecodeBase205(std::string(1, '\x05')), -1);
  EXPECT_EQ(DecodeBase205("1,"), -1);
  EXPECT_EQ(DecodeBase205(std::string(1, '\xFD')), -1);
  EXPECT_EQ(DecodeBase205(std::string(20, '\xFC')), -1);  // far beyond 32 bits
}

TEST(VerseRanges, EncodesSinglesAndRanges) {
  EXPECT_EQ(EncodeVerseRanges({{1, 3}}), "1+2");
  EXPECT_EQ(EncodeVerseRanges({{26137, 26137}}), EncodeBase205(26137));
  EXPECT_EQ(EncodeVerseRanges({{1, 1}, {5, 7}}), "1,5+2");
  EXPECT_EQ(EncodeVerseRanges({}), "");
}

TEST(VerseRanges, OutOfBoundsRangesAreLeftOutAndReversedOnesSwapped) {
  EXPECT_EQ(EncodeVerseRanges({{31100, 31103}}), "");
  EXPECT_EQ(EncodeVerseRanges({{0, 3}, {2, 2}}), "2");
  EXPECT_EQ(EncodeVerseRanges({{7, 5}}), "5+2");
  // No marker byte can appear in the output.
  for (char c : EncodeVerseRanges({{31102, 1}, {-5, -1}, {100, 200}}))
    EXPECT_TRUE(c == ',' || c == '+' || IsBase205Digit(static_cast<unsigned char>(c)));
}

TEST(VerseRanges, DecodeReadsWhatEncodeWrote) {
  const TVerseRangeList ranges = {{1, 3}, {26137, 26137}, {23146, 31102}};
  EXPECT_EQ(DecodeVerseRanges(EncodeVerseRanges(ranges)), ranges);
  EXPECT_EQ(DecodeVerseRanges(""), TVerseRangeList{});
  EXPECT_EQ(DecodeVerseRanges(",\x01,+5,5+"), (TVerseRangeList{{5, 5}}));
}

}  // namespace
}  // namespace lumora
