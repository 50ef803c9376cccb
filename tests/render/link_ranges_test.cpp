#include "render/link_ranges.h"

#include <gtest/gtest.h>

#include "core/codec/base205.h"

namespace lumora {
namespace {

std::string Item(int first, int count = -1) {
  return EncodeBase205(first) + (count >= 0 ? "+" + EncodeBase205(count) : std::string());
}

TEST(LinkRanges, ReadEachItemAgainstTheBibleTheyAreReadIn) {
  const int kjv = 31102;
  const struct {
    std::string href;
    int verse_count;
    TVerseRangeList ranges;
  } cases[] = {
      {"vr:" + Item(26137), kjv, {{26137, 26137}}},
      {"VR:" + Item(26137, 2), kjv, {{26137, 26139}}},  // the scheme in any case
      {"vr:" + Item(31100, 5), kjv, {{31100, 31100}}},  // the count runs past: first only
      {"vr:" + Item(26137) + "," + Item(1), kjv, {}},   // one item only
      {"vr:", kjv, {}},
      {"vr:" + Item(0), kjv, {}},
      {"vr:" + Item(31103), kjv, {}},
      {"vr:" + Item(30000), 23145, {}},  // not a verse of a shorter Bible
      {"vrl:" + Item(1) + "," + Item(3) + "," + Item(105, 2), kjv, {{1, 1}, {3, 3}, {105, 107}}},
      {"vrl:" + Item(1) + ",," + Item(3) + ",", kjv, {{1, 1}, {3, 3}}},  // empty codes skipped
      {"vrl:,", kjv, {}},
      {"vrl:" + Item(31102) + "+" + EncodeBase205(5), kjv, {{31102, 31102}}},
      {"vrl:" + Item(2) + "+", kjv, {}},  // a "+" without a count
      {"vrl:" + Item(2) + "+" + std::string("\x01", 1), kjv, {}},
      {"lc:0,1", kjv, {}},
      {"novr", kjv, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LinkedVerseRanges(c.href, c.verse_count), c.ranges) << c.href;
    EXPECT_EQ(IsVerseLink(c.href), c.href.rfind("vr", 0) == 0 || c.href.rfind("VR", 0) == 0)
        << c.href;
  }
  EXPECT_EQ(ExpandRanges({{1, 3}, {2, 2}}), (TVerseList{1, 2, 3, 2}));
  EXPECT_TRUE(IsVerseListLink("VRL:1"));
  EXPECT_FALSE(IsVerseListLink("vr:1"));
}

TEST(LinkRanges, StrongsSearchTextIsALetterAndADecimalNumber) {
  for (const char* good : {"H7225", "G26", "G0026"}) EXPECT_EQ(StrongsSearchText(good), good);
  for (const char* bad : {"", "H", "G0", "h26", "X26", "G$1A", "G26a", "G-1", "G 26", "26"})
    EXPECT_EQ(StrongsSearchText(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace lumora
