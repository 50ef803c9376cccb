// Verse text markup in the passage renderer: key highlighting, small text,
// Strong's links, footnotes, italics, own font, compare display and damaged
// records.
#include <gtest/gtest.h>

#include "render/key_highlighter.h"
#include "render/verse_markup.h"
#include "tests/render/passage_fixture.h"

namespace lumora::test {
namespace {

std::string Hl(const std::string& s) { return "<b><font color=\"#FF0000\">" + s + "</font></b>"; }
std::string HebrewLink(int n, const std::string& word) {
  return Fmt(" <a href=\"h:%d\"><font face=\"%s\" color=\"%s\">%s</font></a>",
             {N(n), "Basic Hebrew", "008000", word});
}
std::string Mark(char letter) {
  return Fmt("<font color=\"#%s\"><sup>%s </sup></font>", {"800080", std::string(1, letter)});
}
std::string SideNote(char letter, const std::string& note) {
  return Fmt("%s<font color=\"#%s\"><b>%s.</b> %s<br>", {"", "800080", std::string(1, letter), note});
}
std::string FlowPiece(int e, const std::string& text) {
  return Fmt("<a name=\"#%d\"><b>%s</b></a>&nbsp;%s", {N(e), "Genesis&nbsp;1:" + N(e), text});
}
std::string ColumnPiece(int e, const std::string& text, const std::string& side) {
  return Fmt("<tr><td valign=top><a name=\"#%d\"><b>%s</b></a></td><td valign=top>%s</td><td "
             "valign=top>%s</td><td valign=top><font size=-1><b>%d.</b> %s</font></td></tr>",
             {N(e), "Genesis&nbsp;1:" + N(e), text, "", N(e), side});
}

class PassageMarkup : public ::testing::Test {
 protected:
  // One verse, flowing layout unless `column`.
  std::string Render(const TLMBibleModule& bible, int e, const TKeyArray& keys = {},
                     bool case_sensitive = false) {
    r_ = PlainRenderer(&bible);
    r_.SetSettings(settings_);
    r_.ShowVerses({static_cast<uint16_t>(e)}, keys, case_sensitive, false);
    return r_.Html();
  }
  void Flowing() { settings_.column_mode = false; }

  config::TPropertiesBibleView settings_ = PlainRenderer(nullptr).Settings();
  TPassageRenderer r_;
};

TEST_F(PassageMarkup, WordKeysMarkWholeWordsOnly) {
  Flowing();
  const std::string expected = FlowPiece(kLoveVerse, Hl("love") + " beloved " + Hl("love") +
                                                         ". Lovely " + Hl("love")) + "<br>";
  EXPECT_EQ(Render(*Library().bible, kLoveVerse, {"love"}), expected);
  EXPECT_EQ(Render(*Library().bible, kLoveVerse, {"love"}, true), expected);
  EXPECT_EQ(Render(*Library().bible, kLoveVerse, {"Love"}, true).find("<b><font"),
            std::string::npos);
}

TEST_F(PassageMarkup, StrongsKeysMarkTheWordsTheNumberTags) {
  Flowing();
  const TLMBibleModule& sl = *Library().strongs_links;
  const std::string first = "In the beginning" + HebrewLink(7225, "ray");
  const std::string second = " God" + HebrewLink(430, "'lhym");
  const std::string rest = " created the heaven.";
  EXPECT_EQ(Render(sl, kStrongsVerse, {"\x02$01ae"}),
            FlowPiece(kStrongsVerse, "\xB6 " + first + Hl(second) + rest) + "<br>");
  EXPECT_EQ(Render(sl, kStrongsVerse, {"\x02$1c39"}),
            FlowPiece(kStrongsVerse, "\xB6 " + Hl(first) + second + rest) + "<br>");
  // A word key never matches inside a token's number.
  EXPECT_EQ(Render(sl, kStrongsVerse, {"1c39", "ae", "god"}),
            FlowPiece(kStrongsVerse, "\xB6 " + first + " " + Hl("God") +
                                         HebrewLink(430, "'lhym") + rest) +
                "<br>");
}

TEST_F(PassageMarkup, KeysThatMatchTheirOwnMarkAndEmptyKeysEnd) {
  Flowing();
  EXPECT_EQ(Render(*Library().bible, kCaretVerse, {"", "^"}),
            FlowPiece(kCaretVerse, "a^b " + Hl("^") + Hl("^")) + "<br>");
}

TEST_F(PassageMarkup, SmallTextAndAHighlightInsideIt) {
  Flowing();
  settings_.show_paragraph_marks = false;
  EXPECT_EQ(Render(*Library().bible, kSmallTextVerse),
            FlowPiece(kSmallTextVerse, "<font size=-1>Title</font> text") + "<br>");
  EXPECT_EQ(Render(*Library().bible, kSmallTextVerse, {"title"}),
            FlowPiece(kSmallTextVerse, "<font size=-1>" + Hl("Title") + "</font> text") + "<br>");
}

TEST_F(PassageMarkup, FootnotesAsLetteredSideNotesInlineOrHidden) {
  settings_.show_footnotes = true;
  EXPECT_EQ(Render(*Library().bible, kFootnoteVerse),
            "<table cellspacing=0 cellpadding=2>" +
                ColumnPiece(kFootnoteVerse, "\xB6 word" + Mark('a') + " more" + Mark('b') + "end",
                            SideNote('a', "note one") + SideNote('b', "note two")) +
                "</table>");
  Flowing();
  EXPECT_EQ(Render(*Library().bible, kFootnoteVerse),
            FlowPiece(kFootnoteVerse, "\xB6 word <font color=\"#800080\">{note one}</font> more "
                                      "<font color=\"#800080\">{note two}</font>end") +
                "<br>");
  settings_.show_footnotes = false;
  EXPECT_EQ(Render(*Library().bible, kBlankNoteVerse), FlowPiece(kBlankNoteVerse, "one two") + "<br>");
}

TEST_F(PassageMarkup, TwentySeventhFootnoteOfAPageIsLetteredAAgain) {
  settings_.show_footnotes = true;
  TPassageRenderer r = PlainRenderer(Library().bible.get());
  r.SetSettings(settings_);
  r.ShowVerses({kFourteenNotes, kThirteenNotes}, {}, false, false);
  const std::string& h = r.Html();
  EXPECT_NE(h.find(SideNote('n', "n13")), std::string::npos);
  EXPECT_NE(h.find(SideNote('z', "n25")), std::string::npos);
  EXPECT_NE(h.find(SideNote('a', "n26")), std::string::npos);
  EXPECT_EQ(Count(h, "<sup>a </sup>"), 2u);
  // The next page starts again at "a".
  r.ShowVerses({kThirteenNotes}, {}, false, false);
  EXPECT_NE(r.Html().find(SideNote('a', "n14")), std::string::npos);
}

TEST_F(PassageMarkup, ItalicsModes) {
  Flowing();
  const std::pair<int, const char*> modes[] = {
      {0, "he <I>was</I> good"}, {1, "he [was] good"}, {2, "he was good"}, {7, "he [was] good"}};
  for (const auto& [mode, text] : modes) {
    settings_.italics_mode = static_cast<uint8_t>(mode);
    EXPECT_EQ(Render(*Library().bible, kItalicVerse), FlowPiece(kItalicVerse, text) + "<br>");
  }
}

TEST_F(PassageMarkup, StrongsWordsAreEscapedAndNeverReadAsMarkup) {
  Flowing();
  settings_.show_footnotes = true;
  const std::string word = "a[b]{c}&lt;d&gt;&amp;";
  EXPECT_EQ(Render(*Library().strongs_links, kMarkupWordVerse),
            FlowPiece(kMarkupWordVerse,
                      "x" + HebrewLink(1, word) + " <I>y</I> <font color=\"#800080\">{z}</font>") +
                "<br>");
  settings_.column_mode = true;
  EXPECT_NE(Render(*Library().strongs_links, kMarkupWordVerse)
                .find("x" + HebrewLink(1, word) + " <I>y</I>" + Mark('a') + "</td>"),
            std::string::npos);
  Flowing();
  // A number beyond the table gives an empty word; a 0x01 byte of the text
  // stays as it is.
  EXPECT_EQ(Render(*Library().strongs_links, kBadTokenVerse),
            FlowPiece(kBadTokenVerse, "big" + HebrewLink(9000, "") + " end") + "<br>");
  EXPECT_EQ(Render(*Library().strongs_links, kHoleByteVerse),
            FlowPiece(kHoleByteVerse, "odd\x01 byte" + HebrewLink(1, word) + " here") + "<br>");
}

TEST_F(PassageMarkup, CompareShowsBothTextsWithOwnFontAndAbbreviations) {
  settings_.show_footnotes = true;
  settings_.show_paragraph_marks = false;
  TPassageRenderer r = PlainRenderer(Library().bible.get());
  r.SetSettings(settings_);
  r.SetCompareBible(Library().compare.get());
  r.ShowVerses({kStrongsVerse}, {}, false, false);
  const std::string side = Fmt("%s<font color=\"#%s\"><b>%s.</b> <font face=\"%s\">%s</font><br>",
                               {"", "800080", "a", "Fnt", "fn"});
  EXPECT_EQ(r.Html(),
            Fmt("<table cellspacing=0 cellpadding=2><tr><td valign=top><a name=\"#%d\"><b>%s</b></a>"
                "</td><td valign=top>%s</td><td valign=top>%s</td><td valign=top><font "
                "size=-1><b>%d.</b> %s</font></td></tr></table>",
                {"1", "Genesis&nbsp;1:1", "In the beginning God created the heaven. (TST)",
                 "<font face=\"Fnt\">Am Anfang" + Mark('a') + " schuf</font> (CMP)", "1", side}));
  // The Bible itself as compare Bible, or paragraph mode: no compare display.
  r.SetCompareBible(Library().bible.get());
  r.ShowVerses({kStrongsVerse}, {}, false, false);
  EXPECT_EQ(r.Html().find("(TST)"), std::string::npos);
}

TEST_F(PassageMarkup, DamagedRecordShowsItsMessageAndTheRestRenders) {
  TPassageRenderer r = PlainRenderer(Library().damaged.get());
  EXPECT_EQ(r.ShowVerses({1, kDamagedVerse, 3}, {"the"}, false, false), 3);
  const std::string& h = r.Html();
  EXPECT_NE(h.find("<td valign=top>[Non-fatal internal error: "), std::string::npos) << h;
  EXPECT_EQ(h.find("<I>Non-fatal"), std::string::npos);
  EXPECT_NE(h.find(Hl("the") + " beginning"), std::string::npos);
  EXPECT_EQ(Count(h, "<a name="), 3u);
}

TEST(VerseMarkup, TokensWithoutANumberLoseTheirByteOnly) {
  TVerseMarkupOptions o;
  o.strongs_links = true;
  o.strongs_color = "008000";
  std::string side;
  char letter = kFootnoteLetterStart;
  EXPECT_EQ(MarkUpVerseText("big\x02zz \x03$1x tail\x02$1", o, side, letter),
            "bigzz $1x tail" + HebrewLink(1, ""));
  EXPECT_EQ(MarkUpVerseText("\x03-1234\x02\x02", o, side, letter),
            Fmt(" <a href=\"g:%d\"><font face=\"%s\" color=\"%s\">%s</font></a>",
                {"-1234", "Symbol", "008000", ""}));
  EXPECT_TRUE(side.empty());
}

TEST(KeyHighlighter, AnsiLowerFollowsTheCodePage) {
  EXPECT_EQ(AnsiLower("AZ\xC0\xC9\xDE\x8A\x9F az\xDF\xD7"), "az\xE0\xE9\xFE\x9A\xFF az\xDF\xD7");
}

}  // namespace
}  // namespace lumora::test
