// The Qt-free texts of the copy, export and print commands.
#include "app/output_texts.h"

#include <gtest/gtest.h>

#include "core/platform/memory/memory_file_system.h"
#include "tests/support/test_bible.h"

namespace lumora {
namespace {

const TLMBibleModule& OutputTestBible() {
  static MemoryFileSystem fs;
  static std::unique_ptr<TLMBibleModule> bible = [] {
    fs.SetFile("/KJV.lmb", test::TestBibleBytes("KJV"));
    auto b = TLMBibleModule::Create("/KJV.lmb", fs);
    EXPECT_TRUE(b.ok());
    return std::move(b).value();
  }();
  return *bible;
}

TEST(OutputTexts, RangesExpandInOrderWithDuplicatesAndWithinTheBible) {
  const int j = test::kJohn3_16;
  EXPECT_EQ(ExpandRanges({{j, j + 2}, {1, 1}, {j, j}}, 31102),
            (TVerseList{static_cast<uint16_t>(j), static_cast<uint16_t>(j + 1),
                        static_cast<uint16_t>(j + 2), 1, static_cast<uint16_t>(j)}));
  EXPECT_EQ(ExpandRanges({{31101, 31105}, {-3, 1}, {5, 3}}, 31102),
            (TVerseList{31101, 31102, 1, 3, 4, 5}));
  EXPECT_TRUE(ExpandRanges({}, 31102).empty());
}

TEST(OutputTexts, PlaceholderLinksLoseTheirAnchorsOnly) {
  struct Case {
    const char* in;
    const char* out;
  };
  for (const Case& c : {Case{"a <a href=\"0:0\">John 3:16</a> b", "a John 3:16 b"},
                        Case{"<a href=\"0:0\">x</a><a href=\"0:0\">y</a>", "xy"},
                        Case{"<a href=\"vr:1\">kept</a>", "<a href=\"vr:1\">kept</a>"},
                        Case{"<a href=\"0:0\">never closed", "never closed"}, Case{"", ""}})
    EXPECT_EQ(UnlinkPlaceholders(c.in), c.out) << c.in;
}

TEST(OutputTexts, VerseListTextsFollowTheirLayouts) {
  const TLMBibleModule& kjv = OutputTestBible();
  const ExportFormatSettings style_a;
  const ExportBibleView view;
  const int j = test::kJohn3_16;
  const TVerseList list = {static_cast<uint16_t>(j), kVerseListSeparator, 40000,
                           static_cast<uint16_t>(j + 1)};
  const std::string one = FormatVerses(j, j, kjv, false, style_a, view);
  const std::string two = FormatVerses(j + 1, j + 1, kjv, false, style_a, view);
  EXPECT_EQ(VerseListText(list, kjv, style_a, view, false), one + "\r\n\r\n" + two);
  EXPECT_EQ(VerseListExportText(list, kjv, style_a, view, false),
            one + "\r\n\r\n" + two + "\r\n\r\n");
  const std::string html = FormatVerses(j, j, kjv, true, style_a, view);
  EXPECT_EQ(VerseListExportText({static_cast<uint16_t>(j)}, kjv, style_a, view, true),
            html + "\r\n<p>\r\n");
  EXPECT_EQ(VerseListText({}, kjv, style_a, view, true), "");
}

TEST(OutputTexts, JobNamesSayWhatIsPrinted) {
  const TLMBibleModule& kjv = OutputTestBible();
  const int j = test::kJohn3_16;
  EXPECT_EQ(PrintJobName(RangesCaption({{j, j + 2}}, kjv)), "Lumora - John 3:16-18");
  const std::string long_caption = RangesCaption({{1, 31102}, {5, 5}, {9, 9}}, kjv, 20);
  EXPECT_EQ(long_caption.size(), 20u);
  EXPECT_EQ(long_caption.substr(17), "...");
  EXPECT_EQ(OrderedEntryRange(9, 2), (std::pair{2, 9}));
  EXPECT_EQ(OrderedEntryRange(3, 3), (std::pair{3, 3}));
}

}  // namespace
}  // namespace lumora
