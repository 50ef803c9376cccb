#include <gtest/gtest.h>

#include "core/modules/bible_mapping_cache.h"
#include "core/platform/memory/memory_file_system.h"
#include "search/bible_search_text.h"
#include "search/search_range.h"
#include "tests/support/test_bible.h"

namespace lumora {
namespace {

TEST(SearchText, CommandCleanUpAndPrefills) {
  EXPECT_EQ(CleanSearchText("a.b,c;d [e] (f)!"), "abcd [e] (f)!");
  EXPECT_EQ(StrongsSearchText(true, 7225), "H7225");
  EXPECT_EQ(StrongsSearchText(false, 26), "G26");
}

TEST(SearchText, SelectionKeepsLettersDigitsBlanksAndHyphens) {
  struct Case {
    std::string selection;
    std::string search;
  } cases[] = {
      {"In the beginning, God;", "In the beginning God"},
      {"Jerusalem's well-known \"gate\" 12:3!", "Jerusalems well-known gate 123"},
      {"\xC9glise \xE0 Jes\xFAs", "\xC9glise \xE0 Jes\xFAs"},  // accented letters stay
      {"ni\xF1o\x93\x94\xB6\xA7", "ni\xF1o"},                  // quotes, pilcrow, section go
      {"God's love,\r\nthe Beth-el", "Gods lovethe Beth-el"},  // line ends go too
      {"", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SearchTextFromSelection(c.selection), c.search) << c.selection;
}

TEST(SearchText, RangesAndTheirLabel) {
  BibleMappingCache::Instance().Clear();
  MemoryFileSystem fs;
  ASSERT_TRUE(fs.WriteFile("/KJV.lmb", test::TestBibleBytes("KJV")).ok());
  auto opened = TLMBibleModule::Create("/KJV.lmb", fs);
  ASSERT_TRUE(opened.ok());
  const TLMBibleModule& kjv = *opened.value();
  EXPECT_EQ(OldTestamentRange(), (SearchRange{1, 23145}));
  EXPECT_EQ(NewTestamentRange(kjv), (SearchRange{23146, 31102}));
  EXPECT_EQ(WholeBibleRange(kjv), (SearchRange{1, 31102}));
  EXPECT_EQ(BookSearchRange(kjv, 43), (SearchRange{26046, 26924}));
  EXPECT_EQ(ClampSearchRange({0, 5}, kjv), (SearchRange{1, 5}));
  EXPECT_EQ(ClampSearchRange({40, 20}, kjv), (SearchRange{40, 31102}));
  EXPECT_EQ(ClampSearchRange({31103, 99999}, kjv), (SearchRange{1, 31102}));
  EXPECT_EQ(SearchRangeLabel(kjv, NewTestamentRange(kjv)), "Mt 1:1 - Re 22:21");
  EXPECT_EQ(BibleSearchTitle(kjv, "son, of man"), "KJV search: son, of man");
}

}  // namespace
}  // namespace lumora
