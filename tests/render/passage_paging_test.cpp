// Chapter links, paging, separators and the verse guard of the passage
// renderer.
#include <gtest/gtest.h>

#include "tests/render/passage_fixture.h"

namespace lumora::test {
namespace {

TVerseList Range(int first, int last) {
  TVerseList list;
  for (int v = first; v <= last; ++v) list.push_back(static_cast<uint16_t>(v));
  return list;
}

const char* const kPrevious =
    "<div align=\"right\"><font size=-1><a href=\"lp:%d\">Previous Chapter</a></font></div><br>";
const char* const kNext =
    "<p align=\"right\"><font size=-1><a href=\"lp:%d\">Next Chapter</a></font></p>";

TEST(PassagePaging, ChapterLinksPointAcrossBooksAndStopAtTheEnds) {
  const TLMBibleModule& bible = *Library().bible;
  TPassageRenderer r = PlainRenderer(&bible);
  r.SetPrevChapterLink(true);
  r.SetNextChapterLink(true);
  auto chapter = [&](int book, int ch) {
    const int first = bible.LocateVerse(book, ch, 1);
    return Range(first, first + bible.GetVerseCount(book, ch) - 1);
  };
  r.ShowVerses(chapter(2, 1), {}, false, false);  // Exodus 1
  EXPECT_EQ(r.Html().rfind(Fmt(kPrevious, {N(kGenesis50_26)}), 0), 0u);
  r.ShowVerses(chapter(1, 50), {}, false, false);
  EXPECT_TRUE(r.Html().ends_with(Fmt(kNext, {N(kExodus1_1)})));
  r.ShowVerses(chapter(1, 1), {}, false, false);
  EXPECT_EQ(r.Html().find("Previous Chapter"), std::string::npos);
  EXPECT_NE(r.Html().find("Next Chapter"), std::string::npos);
  r.ShowVerses(chapter(66, 22), {}, false, false);
  EXPECT_EQ(r.Html().find("Next Chapter"), std::string::npos);
  EXPECT_NE(r.Html().find("Previous Chapter"), std::string::npos);
  r.SetPrevChapterLink(false);
  r.SetNextChapterLink(false);
  r.ShowVerses(chapter(2, 1), {}, false, false);
  EXPECT_EQ(r.Html().find("Chapter</a>"), std::string::npos);
}

std::string PageLine(int first, int last, int length, int prev, int next, int next_count) {
  std::string line = Fmt("Showing %d to %d of %d.", {N(first), N(last), N(length)});
  if (prev >= 0) line = Fmt("%s | <a href=\"pn:%d\">Previous&nbsp;%d</a>", {line, N(prev), "100"});
  if (next >= 0) line = Fmt("%s | <a href=\"pn:%d\">Next&nbsp;%d</a>", {line, N(next), N(next_count)});
  return Fmt("<font size=-1>%s</font>", {line});
}

TEST(PassagePaging, LongListsShowPagesOfOneHundred) {
  TPassageRenderer r = PlainRenderer(Library().bible.get());
  config::TPropertiesBibleView s = config::VerseListViewDefaults();
  s.column_mode = false;
  r.SetSettings(s);
  r.SetPaged(true);
  const TVerseList list = Range(1000, 1249);
  struct Page {
    int first;
    std::string line;
  };
  const Page pages[] = {{0, PageLine(1, 100, 250, -1, 100, 100)},
                        {100, PageLine(101, 200, 250, 0, 200, 50)},
                        {200, PageLine(201, 250, 250, 100, -1, 0)}};
  for (const Page& p : pages) {
    r.SetPageFirst(p.first);
    EXPECT_EQ(r.ShowVerses(list, {}, false, true), p.first == 200 ? 50 : 100);
    const std::string& h = r.Html();
    EXPECT_EQ(h.rfind(Fmt("<center>%s</center><p>%s", {p.line, "<a name=\"#"}), 0), 0u) << h;
    EXPECT_TRUE(h.ends_with(Fmt("%s<p><center>%s</center>", {"<br>", p.line}))) << h;
    EXPECT_NE(h.find("<a name=\"#" + N(1000 + p.first) + "\">"), std::string::npos);
    EXPECT_EQ(r.PageLast(), std::min(p.first + 99, 249));
  }
  // A "pn:" click: the stored list again from the new start.
  r.SetPageFirst(100);
  EXPECT_EQ(r.Rerender(), 100);
  EXPECT_NE(r.Html().find(PageLine(101, 200, 250, 0, 200, 50)), std::string::npos);
  // Exactly one page: no page line.
  r.SetPageFirst(0);
  r.ShowVerses(Range(1000, 1099), {}, false, true);
  EXPECT_EQ(r.Html().find("Showing"), std::string::npos);
}

TEST(PassagePaging, StaleOrBadPageStartsAreClampedIntoTheList) {
  TPassageRenderer r = PlainRenderer(Library().bible.get());
  r.SetPaged(true);
  r.SetPageFirst(5000);
  EXPECT_EQ(r.ShowVerses(Range(1, 250), {}, false, true), 50);
  EXPECT_EQ(r.PageFirst(), 200);
  r.SetPageFirst(-40);
  EXPECT_EQ(r.ShowVerses(Range(1, 250), {}, false, true), 100);
  EXPECT_EQ(r.PageFirst(), 0);
  r.SetPageFirst(300);
  EXPECT_EQ(r.ShowVerses({}, {}, false, true), 0);
  EXPECT_EQ(r.Html(), "<table cellspacing=0 cellpadding=2></table>");
  // Not paged: always the whole list.
  r.SetPaged(false);
  r.SetPageFirst(120);
  EXPECT_EQ(r.ShowVerses(Range(1, 250), {}, false, false), 250);
  EXPECT_EQ(r.PageFirst(), 0);
  EXPECT_EQ(r.PageLast(), 249);
}

TEST(PassagePaging, SeparatorsLeaveGapsAndUnusableEntriesAreSkipped) {
  TPassageRenderer r = PlainRenderer(Library().bible.get());
  r.SetPrevChapterLink(true);
  r.SetNextChapterLink(true);
  const TVerseList list = {0, 30, kVerseListSeparator, 31, 40000, 31103, 0};
  for (bool column : {true, false}) {
    config::TPropertiesBibleView s = r.Settings();
    s.column_mode = column;
    r.SetSettings(s);
    std::vector<TVersePosition> before = r.VersePositions();
    EXPECT_EQ(r.ShowVerses(list, {}, false, false), 2);
    const std::string& h = r.Html();
    EXPECT_NE(h.find(column ? "</tr><tr><td>&nbsp;</td></tr><tr>" : "<br><p><a name"),
              std::string::npos)
        << h;
    EXPECT_EQ(Count(h, "<a name="), 2u);
    EXPECT_EQ(h.find("Chapter"), std::string::npos);  // first and last are not verses
    for (size_t v : {size_t{0}, size_t{31103 - 1}}) {
      EXPECT_EQ(r.VersePositions()[v].SourceOffset, before[v].SourceOffset);
      EXPECT_EQ(r.VersePositions()[v].LabelLength, before[v].LabelLength);
    }
  }
  EXPECT_GE(r.VersePositions().size(), kMinVersePositions);
}

TEST(PassagePaging, NothingRendersWithoutABible) {
  TPassageRenderer r;
  EXPECT_EQ(r.VersePositions().size(), kMinVersePositions);
  EXPECT_EQ(r.ShowVerses({1, 2}, {"x"}, true, true), 0);
  EXPECT_EQ(r.Html(), "");
  EXPECT_TRUE(r.VerseList().empty());
  EXPECT_EQ(r.Keys(), TKeyArray{"x"});
  config::TPropertiesBibleView s;
  s.main_font = "Georgia";
  s.main_size = 14;
  r.SetSettings(s);
  const TPassageWidgetDefaults d = r.WidgetDefaults();
  EXPECT_EQ(d.font_name, "Georgia");
  EXPECT_EQ(d.font_size, 14);
  EXPECT_EQ(d.background, config::kClWindow);
  EXPECT_EQ(d.text_color, config::kClWindowText);
}

}  // namespace
}  // namespace lumora::test
