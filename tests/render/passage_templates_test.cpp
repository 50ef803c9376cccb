// Golden pages of the passage renderer: each verse-piece template and the way
// pieces and side texts join the page, built from the format strings.
#include <gtest/gtest.h>

#include "tests/render/passage_fixture.h"

namespace lumora::test {
namespace {

const char* const kTable = "<table cellspacing=0 cellpadding=2>";

struct Layout {
  bool reference_links, para, column, compare;
};

TEST(PassageTemplates, EveryLayoutUsesItsTemplate) {
  const PassageLibrary& lib = Library();
  const int e = kPlainVerse;
  const std::string plain = lib.bible->GetVerseText(e, false, false);
  const std::string compare_plain = lib.compare->GetVerseText(e, false, false);
  for (int bits = 0; bits < 16; ++bits) {
    const Layout l{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0};
    SCOPED_TRACE(testing::Message() << "ref " << l.reference_links << " para " << l.para
                                    << " column " << l.column << " compare " << l.compare);
    TPassageRenderer r = PlainRenderer(lib.bible.get());
    config::TPropertiesBibleView s = r.Settings();
    s.para_mode = l.para;
    s.column_mode = l.column;
    r.SetSettings(s);
    if (l.compare) r.SetCompareBible(lib.compare.get());
    EXPECT_EQ(r.ShowVerses({static_cast<uint16_t>(e)}, {}, false, l.reference_links), 1);

    const bool column = l.column && !l.para;
    const bool compare = l.compare && !l.para;
    const std::string text = compare ? plain + " (TST)" : plain;
    const std::string compare_text =
        compare ? Fmt("<font face=\"%s\">%s</font>", {"Fnt", compare_plain}) + " (CMP)" : "";
    const bool short_label = l.para && !l.reference_links;
    const std::string label = short_label ? N(e) : "Genesis&nbsp;1:" + N(e);
    std::string piece;
    if (l.reference_links && column)
      piece = Fmt(
          "<td valign=top><a name=\"#%d\"><a href=\"lp:%d\"><b>%s</b></a></td><td "
          "valign=top>%s</td><td valign=top>%s</td>",
          {N(e), N(e), label, text, compare_text});
    else if (l.reference_links && compare)
      piece = Fmt(
          "<a name=\"#%d\"><a href=\"lp:%d\"><b>%s</b></a>&nbsp;%s</a><br><a "
          "href=\"lp:%d\"><b>%s</b></a>&nbsp;%s</a>",
          {N(e), N(e), label, text, N(e), label, compare_text});
    else if (l.reference_links)
      piece = Fmt("<a name=\"#%d\"><a href=\"lp:%d\"><b>%s</b></a>&nbsp;%s</a>",
                  {N(e), N(e), label, text});
    else if (!l.para && column)
      piece = Fmt(
          "<td valign=top><a name=\"#%d\"><b>%s</b></a></td><td valign=top>%s</td><td "
          "valign=top>%s</td>",
          {N(e), label, text, compare_text});
    else if (!l.para && compare)
      piece = Fmt("<a name=\"#%d\"><b>%s</b></a>&nbsp;%s<br><b>%s</b></a>&nbsp;%s",
                  {N(e), label, text, label, compare_text});
    else if (!l.para)
      piece = Fmt("<a name=\"#%d\"><b>%s</b></a>&nbsp;%s", {N(e), label, text});
    else
      piece = Fmt("<a name=\"#%d\"><sup>%d</sup></a>&nbsp;%s ", {N(e), N(e), text});

    std::string expected;
    if (l.para)
      expected = piece;
    else if (column)
      expected = Fmt("%s<tr>%s<td></td></tr>", {kTable, piece}) + "</table>";
    else
      expected = Fmt("%s%s<br>", {"", piece});
    EXPECT_EQ(r.Html(), expected);
    const TVersePosition at = r.VersePositions()[static_cast<size_t>(e)];
    EXPECT_EQ(at.SourceOffset, column ? static_cast<int>(std::string(kTable).size()) : 0);
    EXPECT_EQ(at.LabelLength, short_label ? 2 : 12);  // "Genesis 1:20"
  }
}

TEST(PassageTemplates, ParagraphModeOpensParagraphsFromTheMap) {
  const PassageLibrary& lib = Library();
  TPassageRenderer r = PlainRenderer(lib.bible.get());
  config::TPropertiesBibleView s = r.Settings();
  s.para_mode = true;
  s.show_paragraph_marks = true;  // never shown in paragraph mode
  s.link_commentaries = true;     // nor side texts
  r.SetSettings(s);
  const int a = kSmallTextVerse, b = kFourteenNotes;  // a opens a paragraph, b not
  r.ShowVerses({static_cast<uint16_t>(a), static_cast<uint16_t>(b)}, {}, false, false);
  const std::string ta = "<font size=-1>Title</font> text";
  const std::string tb = lib.bible->GetVerseText(b, false, false);
  const std::string first =
      Fmt("<p>&nbsp;&nbsp;&nbsp;<a name=\"#%d\"><sup>%d</sup></a>&nbsp;%s ", {N(a), N(a), ta});
  EXPECT_EQ(r.Html(), first + Fmt("<a name=\"#%d\"><sup>%d</sup></a>&nbsp;%s ", {N(b), N(b), tb}));
  EXPECT_EQ(r.VersePositions()[a].SourceOffset, 17);
  EXPECT_EQ(r.VersePositions()[b].SourceOffset, static_cast<int>(first.size()));
  EXPECT_EQ(r.VersePositions()[b].LabelLength, 1);
}

TEST(PassageTemplates, ParagraphMarksPrecedeParagraphStartsOutsideParagraphMode) {
  TPassageRenderer r = PlainRenderer(Library().bible.get());
  config::TPropertiesBibleView s = r.Settings();
  s.column_mode = false;
  r.SetSettings(s);
  r.ShowVerses({kSmallTextVerse, kPlainVerse}, {}, false, false);
  EXPECT_NE(r.Html().find("&nbsp;\xB6 <font size=-1>Title"), std::string::npos);
  EXPECT_EQ(Count(r.Html(), "\xB6"), 1u);
  s.show_paragraph_marks = false;
  r.SetSettings(s);
  r.Rerender();
  EXPECT_EQ(Count(r.Html(), "\xB6"), 0u);
}

TEST(PassageTemplates, LinksFillTheSideTextInEveryLayout) {
  const PassageLibrary& lib = Library();
  TPassageRenderer r = PlainRenderer(lib.bible.get());
  r.SetEditableCommentaries(std::vector<const TLMCommentaryModule*>{lib.commentaries[0].get()});
  r.SetExcludedFromLinking({"cx"});
  config::TPropertiesBibleView s = r.Settings();
  s.link_commentaries = s.link_dictionaries = s.show_edit_links = true;
  const std::string lc = "<a href=\"lc:%d,%d\"><font color=\"%s\">%s</font></a> ";
  const std::string ld = "<a href=\"ld:%d,%d\"><font color=\"%s\">%s</font></a> ";
  const std::string ec = "<a href=\"ec:%d,%d\"><font color=\"%s\">Edit&nbsp;%s</font></a> ";
  auto drop_last = [](const std::string& t) { return t.substr(0, t.size() - 1); };
  // Verse 1: two Commentaries (CX excluded), the Book, the edit link.
  const std::string side =
      " " + drop_last(Fmt(lc, {"0", "0", "008080", "CA"}) + Fmt(lc, {"1", "0", "008080", "C&amp;B"})) +
      " " + drop_last(Fmt(ld, {"0", "1", "808000", "BK"})) + " " +
      drop_last(Fmt(ec, {"0", "0", "008080", "CA"}));
  for (bool column : {true, false}) {
    s.column_mode = column;
    r.SetSettings(s);
    r.ShowVerses({kStrongsVerse}, {}, false, false);
    const std::string h = r.Html();
    if (column)
      EXPECT_NE(h.find(Fmt("<td valign=top><font size=-1><b>%d.</b> %s</font></td></tr>",
                           {"1", side})),
                std::string::npos)
          << h;
    else
      EXPECT_NE(h.find(Fmt("<br><font size=-1>%s</font><br>", {side})), std::string::npos) << h;
  }
  // Verse 3 has no Commentary or Book entry: only the edit link.
  r.ShowVerses({kFootnoteVerse}, {}, false, false);
  EXPECT_NE(r.Html().find("<font size=-1> " + drop_last(Fmt(ec, {"0", "2", "008080", "CA"})) +
                          "</font><br>"),
            std::string::npos);
  // A module whose own flag is off gets no link either.
  lib.commentaries[0]->included_in_linking = false;
  r.ShowVerses({kStrongsVerse}, {}, false, false);
  lib.commentaries[0]->included_in_linking = true;
  EXPECT_EQ(r.Html().find("lc:0,"), std::string::npos);
  EXPECT_NE(r.Html().find("lc:1,0"), std::string::npos);
  // Links off: no side text at all.
  s = r.Settings();
  s.link_commentaries = s.link_dictionaries = s.show_edit_links = false;
  r.SetSettings(s);
  r.ShowVerses({kStrongsVerse}, {}, false, false);
  EXPECT_EQ(Count(r.Html(), "<font size=-1>"), 0u);
}

}  // namespace
}  // namespace lumora::test
