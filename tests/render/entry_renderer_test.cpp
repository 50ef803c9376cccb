#include "render/entry_renderer.h"

#include <gtest/gtest.h>

#include "tests/render/entry_fixture.h"
#include "tools/builder/kjv_versification.h"

namespace lumora::test::entry {
namespace {

const std::string kPage = "<title>%s</title><font size=+1><b>%s</b></font><br>%s <p>";
const std::string kHeader = "<font size=-1>%s</font><p>%s";
const std::string kVr = "<a href=\"vr:%s\">%s</a>";
const std::string kVrl = "<a href=\"vrl:%s\">%s</a>";
const std::string kBookRef = "<b>%s</b> %d:%d";
const std::string kHighlight = "<font color=\"#%s\"><b>%s</b></font>";
const std::string kAnchor = "<a name=\"v%d\"></a>";
const std::string kCen = "<a href=\"cen:%s\">%s</a>";
const std::string kCmt = "<a href=\"cen:$%s\">Cmt. on %s</a>";

std::string List(const std::string& codes) { return "\x05" + codes + "\x08"; }
// A 0x0E sequence always has two digits.
std::string Cmt(int verse) { return "\x0E" + std::string(verse < 205 ? "0" : "") + B(verse); }

struct EntryRenderer : ::testing::Test {
  TEntryRenderer r{*Library().kjv};
  std::vector<std::string> titles = {"Alpha", "Beta", "Genesis 1:1"};
  // The page of an entry with the test title and no header.
  std::string Page(const std::string& body) { return Fmt(kPage, {"T", "T", body}); }
  std::string Render(const std::string& text, int first = 0, int last = 0) {
    r.ShowEntry(text, "T", titles, first, last);
    return r.Html();
  }
};

// Genesis 1:1, 1:3 and 2:4-6.
const std::string kGenCodes = B(kGen1_1) + "," + B(kGen1_3) + "," + B(kGen2_4) + "+" + B(2);

TEST_F(EntryRenderer, ReferenceListsLinkEachReferenceOrTheWholeList) {
  const std::string gen = Fmt(kBookRef, {"Genesis", "1", "1"});
  EXPECT_EQ(Render(List(kGenCodes)),
            Page(Fmt(kVr, {B(kGen1_1), gen}) + "," + Fmt(kVr, {B(kGen1_3), "3"}) + "; " +
                 Fmt(kVr, {B(kGen2_4) + "+" + B(2), "2:4-6"})));
  r.SetLinkMultipleVerses(true);
  EXPECT_EQ(Render(List(kGenCodes)), Page(Fmt(kVrl, {kGenCodes, gen + ",3; 2:4-6"})));
}

TEST_F(EntryRenderer, RangesAcrossBooksAndChapters) {
  // Genesis 2:1 and 30 further verses end in Genesis 3:6 (chapter 2 has 25).
  const std::string codes = B(kGen50_26) + "+" + B(1) + "," + B(kGen2_1) + "+" + B(30);
  EXPECT_EQ(r.FormatReferences(codes, 0, 0),
            Fmt(kVr, {B(kGen50_26) + "+" + B(1),
                      Fmt(kBookRef, {"Genesis", "50", "26"}) + "-Exodus 1:1"}) +
                "; " + Fmt(kVr, {B(kGen2_1) + "+" + B(30), "2:1-3:6"}));
}

TEST_F(EntryRenderer, MarkedVerseIsHighlightedAndAnchoredOnce) {
  const int rom5_8 = builder::KjvVerseIndex(45, 5, 8);
  const std::string codes =
      B(kJohn3_16) + "," + B(kJohn3_14) + "+" + B(4) + "," + B(rom5_8);
  const std::string red = "FF0000";
  const std::string first_list =
      Fmt(kAnchor, {N(kJohn3_16)}) + Fmt(kVr, {B(kJohn3_16), Fmt(kHighlight, {red, "John 3:16"})}) +
      "," + Fmt(kVr, {B(kJohn3_14) + "+" + B(4), Fmt(kHighlight, {red, "14-18"})}) + "; " +
      Fmt(kVr, {B(rom5_8), Fmt(kBookRef, {"Romans", "5", "8"})});
  const std::string second_list = Fmt(kVr, {B(kJohn3_16), Fmt(kHighlight, {red, "John 3:16"})});
  EXPECT_EQ(Render(List(codes) + " and " + List(B(kJohn3_16)), kJohn3_16, kJohn3_16),
            Page(first_list + " and " + second_list));
  EXPECT_EQ(r.Anchor(), "#v" + N(kJohn3_16));
  // 31103 or more, or a first verse 0, marks nothing.
  EXPECT_EQ(Render(List(B(kJohn3_16)), kJohn3_16, 60000),
            Page(Fmt(kVr, {B(kJohn3_16), Fmt(kBookRef, {"John", "3", "16"})})));
  EXPECT_EQ(Render(List(B(kJohn3_16)), 0, kJohn3_16),
            Page(Fmt(kVr, {B(kJohn3_16), Fmt(kBookRef, {"John", "3", "16"})})));
  EXPECT_EQ(r.Anchor(), "");
}

TEST_F(EntryRenderer, HeaderTitleEscapingAndHyphens) {
  r.SetEntryHeader("<a href=\"editc:0\">Edit</a>");
  r.ShowEntry("x&#8209;y", "A<&>B", titles, 0, 0);
  EXPECT_EQ(r.Html(), Fmt(kPage, {"A&lt;&amp;&gt;B", "A&lt;&amp;&gt;B",
                                  Fmt(kHeader, {"<a href=\"editc:0\">Edit</a>", "x-y"})}));
}

TEST_F(EntryRenderer, ReferencedVersesAreAscendingAndUnique) {
  EXPECT_TRUE(r.GetReferencedVerses().empty());
  Render(List(B(3) + "," + B(1)) + List(B(1) + "+" + B(2)));
  EXPECT_EQ(r.GetReferencedVerses(), (TVerseList{1, 2, 3}));
  Render("none");
  EXPECT_TRUE(r.GetReferencedVerses().empty());
}

// Found by fuzzing: every reference set its verses' bits one at a time, so an
// entry naming the whole Bible in each of its items took minutes to show.
TEST_F(EntryRenderer, WholeBibleReferencesRepeatedMarkEveryVerseOnce) {
  const std::string whole = B(1) + "+" + B(31100);
  std::string codes = whole;
  for (int i = 0; i < 500'000; ++i) codes += "," + whole;
  r.SetLinkMultipleVerses(true);
  Render(List(codes) + List(B(31102)));
  const TVerseList referenced = r.GetReferencedVerses();
  ASSERT_EQ(referenced.size(), 31102u);
  EXPECT_EQ(referenced.front(), 1);
  EXPECT_EQ(referenced.back(), 31102);
}

TEST_F(EntryRenderer, ControlSequences) {
  titles.push_back("john 3:16");
  for (int i = 0; i < 30; ++i) titles.push_back("t" + N(i));
  titles.push_back("Genesis 1:3");  // entry 34 = $22
  const struct {
    std::string text, html;
  } cases[] = {
      {"\x01'lhym\x08", "<font face=\"Basic Hebrew\" size=+1>'lhym</font>"},
      {"\x02\x03qeos\x08", "<font face=\"Symbol\" size=+1>\x03qeos</font>"},
      {"\x03" "7225\x08", "<a href=\"h:7225\">7225</a>"},
      {"\x04" "25\x08", "<a href=\"g:25\">25</a>"},
      {"\x06" "1\x08", Fmt(kCen, {"$1", "Beta"})},
      {"\x06" "22\x08", Fmt(kCen, {"$22", "Genesis 1:3"})},
      {Cmt(kJohn3_16), Fmt(kCmt, {"3", "John 3:16"})},
      {Cmt(kGen1_3), Fmt(kCmt, {"22", "Genesis 1:3"})},
      {Cmt(kGen2_1), "Cmt. on Genesis 2:1"},
  };
  for (const auto& c : cases) EXPECT_EQ(Render("<" + c.text + ">"), Page("<" + c.html + ">")) << c.html;
}

TEST_F(EntryRenderer, DamagedMarkupShowsMarkers) {
  const std::string u_ref = std::string("?") + kUnclosedRefMarker;
  const std::string u_link = std::string("?") + kUnclosedLinkMarker;
  const std::string font = "<font face=\"Basic Hebrew\" size=+1>w</font>";
  const struct {
    std::string text, html;
  } cases[] = {
      {"a\x01 b", "a? b"},
      {"a\x03" "12 b", "a?2 b"},
      {"a\x03" "12a<\x01w\x08", "a?2a<" + font},  // the 0x08 is the font run's
      {"a\x03\x08 b", "a? b"},
      {"a\x05" + B(1) + " b", "a" + u_ref + B(1) + " b"},
      {"a\x05" + B(1) + "<\x01w\x08", "a" + u_ref + B(1) + "<" + font},
      {"a\x05\x08 b", "a" + u_ref + " b"},
      {"a\x06" "1 b", "a" + u_link + "1 b"},
      {"a\x06" "1x\x08 b", "a" + u_link + "1x b"},  // the stray 0x08 is dropped
      {"a\x06" "5\x08 b", std::string("a?") + kBadLinkMarker + " b"},
      {"a\x06" "FFFFFFFFF\x08 b", "a" + u_link + "FFFFFFFFF b"},
      {"a\x0E x", "a? x"},
      {"a\x0E\xFC\xFC", "a?\xFC\xFC"},  // past the last verse
      {"a\x0E", "a?"},
  };
  for (const auto& c : cases) EXPECT_EQ(Render(c.text), Page(c.html)) << c.html;
}

TEST_F(EntryRenderer, UnusableListItemsAreLeftOut) {
  const std::string codes = "0," + B(31103) + ",," + B(1) + "+," + B(31102) + "+" + B(5) + "," +
                            B(5) + " ," + B(kGen1_3) + ",";
  EXPECT_EQ(r.FormatReferences(codes, 0, 0),
            Fmt(kVr, {B(31102), Fmt(kBookRef, {"Revelation", "22", "21"})}) + "; " +
                Fmt(kVr, {B(kGen1_3), Fmt(kBookRef, {"Genesis", "1", "3"})}));
  EXPECT_EQ(r.GetReferencedVerses(), (TVerseList{kGen1_3, 31102}));
}

}  // namespace
}  // namespace lumora::test::entry
