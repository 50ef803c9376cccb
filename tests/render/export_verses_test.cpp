#include <gtest/gtest.h>

#include "config/properties.h"
#include "render/export_procs.h"
#include "tests/render/export_fixture.h"
#include "tests/support/test_bible.h"

namespace lumora::test {
namespace {

// John 3:16 of the test Bible with its pieces chosen: the two Strong's
// insertions, the footnote as shown (with the blank after it) and the
// italic word as shown.
std::string John316(const std::string& god, const std::string& loved, const std::string& note,
                    const std::string& everlasting) {
  return "For God" + god + " so loved" + loved +
         " the world, that he gave his only begotten Son, that whosoever believeth in him "
         "should not perish, " +
         note + "but have " + everlasting + " life.";
}

const std::string kJ16 = John316("", "", "", "everlasting");
const std::string kJ16Html = John316("", "", "", "<i>everlasting</i>");

ExportFormatSettings Style(int style, bool tag = false) { return {style, false, false, tag}; }

class ExportVersesTest : public ::testing::Test {
 protected:
  std::string Format(int first, int last, const ExportFormatSettings& s, bool html = false,
                     const TLMBibleModule* bible = nullptr) {
    return FormatVerses(first, last, bible ? *bible : *lib_.kjv, html, s, view_);
  }

  const ExportLibrary& lib_ = ExportModules();
  ExportBibleView view_ = ExportViewFrom(config::TPropertiesBibleView{}, lib_.strongs.get());
  const int j16_ = kJohn3_16, j17_ = kJohn3_16 + 1;
  const std::string t17_ = StoredVerse(kJohn3_16 + 1);
};

TEST_F(ExportVersesTest, EveryStyleOverJohn316To17) {
  const std::string both = kJ16 + " " + t17_;
  struct Case {
    int style;
    bool tag;
    std::string plain;
  } cases[] = {
      {0, true, "Joh 3:16-17 (KJV)  " + both},
      {0, false, "Joh 3:16-17  " + both},
      {1, true, "John 3:16-17 (KJV)  " + both},
      {2, false, both + " (Joh 3:16-17)"},
      {2, true, both + " (Joh 3:16-17 KJV)"},
      {3, false, both + " (John 3:16-17)"},
      {4, false, "Joh 3:16 " + kJ16 + "\r\n\r\n17 " + t17_},
      {5, true, "John 3:16 (KJV) " + kJ16 + "\r\n\r\n17 " + t17_},
      {6, true, "Joh 3:16 (KJV) " + kJ16 + "\r\nJoh 3:17 (KJV) " + t17_},
      {7, false, "John 3:16 " + kJ16 + "\r\nJohn 3:17 " + t17_},
      {9, false, "Joh 3:16-17  " + both},  // unknown style: A
  };
  for (const Case& c : cases)
    EXPECT_EQ(Format(j16_, j17_, Style(c.style, c.tag)), c.plain) << "style " << c.style;
}

TEST_F(ExportVersesTest, HtmlLayouts) {
  struct Case {
    int style;
    bool tag;
    std::string html;
  } cases[] = {
      {0, true, "<b>Joh 3:16-17 (KJV)  </b>" + kJ16Html + " " + t17_},
      {3, true, kJ16Html + " " + t17_ + " <b>(John 3:16-17 KJV)</b>"},
      {2, false, kJ16Html + " " + t17_ + " <b>(Joh 3:16-17)</b>"},
      {4, true, "<br><b>Joh 3:16 (KJV)</b> " + kJ16Html + "<br><b>17</b> " + t17_},
      {6, false, "<br><b>Joh 3:16</b> " + kJ16Html + "<br><b>Joh 3:17</b> " + t17_},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Format(j16_, j17_, Style(c.style, c.tag), true), c.html) << "style " << c.style;
}

TEST_F(ExportVersesTest, StyleEGivesFullReferencesAtChapterAndBookStarts) {
  auto v = [](int b, int c, int n) { return StoredVerse(Verse(b, c, n)); };
  EXPECT_EQ(Format(Verse(43, 3, 35), Verse(43, 4, 2), Style(4)),
            "Joh 3:35 " + v(43, 3, 35) + "\r\n\r\n36 " + v(43, 3, 36) + "\r\n\r\nJoh 4:1 " +
                v(43, 4, 1) + "\r\n\r\n2 " + v(43, 4, 2));
  EXPECT_EQ(Format(Verse(31, 1, 21), Verse(32, 1, 1), Style(4)),
            "Ob 1:21 " + v(31, 1, 21) + "\r\n\r\nJon 1:1 " + v(32, 1, 1));
}

TEST_F(ExportVersesTest, BracketsFootnotesAndItalicsModes) {
  ExportFormatSettings s = Style(0);
  s.include_brackets = true;
  s.include_footnotes = true;
  EXPECT_EQ(Format(j16_, j16_, s),
            "Joh 3:16  " + John316("", "", "{Or, be lost} ", "[everlasting]"));
  EXPECT_EQ(Format(j16_, j16_, s, true),
            "<b>Joh 3:16  </b>" +
                John316("", "", "<font color=800080>{Or, be lost}</font> ", "<i>everlasting</i>"));
  view_.footnotes_color = 0x00FF0000;
  s.include_brackets = false;  // HTML: the italics mode decides
  for (const auto& [mode, word] :
       {std::pair<int, std::string>{1, "[everlasting]"}, {2, "everlasting"}}) {
    view_.italics_mode = static_cast<uint8_t>(mode);
    EXPECT_EQ(
        Format(j16_, j16_, s, true),
        "<b>Joh 3:16  </b>" + John316("", "", "<font color=0000FF>{Or, be lost}</font> ", word));
  }
}

TEST_F(ExportVersesTest, StrongsLinksBibleShowsTheWordsOfItsNumbers) {
  EXPECT_EQ(Format(j16_, j16_, Style(0), false, lib_.kjvsl.get()),
            "Joh 3:16  " + John316(" <theos>", " <agapao>", "", "everlasting"));
  const std::string font = " <font face=\"Symbol\" color=\"008000\">";
  EXPECT_EQ(Format(j16_, j16_, Style(6), true, lib_.kjvsl.get()),
            "<br><b>Joh 3:16</b> " +
                John316(font + "qeoj</font>", font + "agapaw</font>", "", "<i>everlasting</i>"));
  // A number beyond the tables, or no Strong's data, gives an empty word.
  EXPECT_EQ(Format(kBadStrongsVerse, kBadStrongsVerse, Style(0), false, lib_.kjvsl.get()),
            "Ge 1:2  void <> deep");
  EXPECT_EQ(Format(kBadStrongsVerse, kBadStrongsVerse, Style(0), true, lib_.kjvsl.get()),
            "<b>Ge 1:2  </b>void <font face=\"Basic Hebrew\" color=\"008000\"></font> deep");
  // The inserted words are not verse markup.
  EXPECT_EQ(Format(kMarkupWordVerse, kMarkupWordVerse, Style(0), false, lib_.kjvsl.get()),
            "Ge 1:4  w <x[y]>");
  EXPECT_EQ(Format(kMarkupWordVerse, kMarkupWordVerse, Style(0), true, lib_.kjvsl.get()),
            "<b>Ge 1:4  </b>w <font face=\"Basic Hebrew\" color=\"008000\">a[b]{c}></font>");
  view_.strongs_data = nullptr;
  EXPECT_EQ(Format(j16_, j16_, Style(0), false, lib_.kjvsl.get()),
            "Joh 3:16  " + John316(" <>", " <>", "", "everlasting"));
}

// A cross-reference note links its verses in HTML; plain text keeps the
// reference and loses the tags.
TEST_F(ExportVersesTest, VerseLinksOfNotesAreTextInPlainExports) {
  ExportFormatSettings s = Style(0);
  s.include_footnotes = true;
  EXPECT_EQ(Format(kVerseLinkVerse, kVerseLinkVerse, s), "Ge 1:5  day {Ge 1:2} night");
  EXPECT_EQ(Format(kVerseLinkVerse, kVerseLinkVerse, s, true),
            "<b>Ge 1:5  </b>day <font color=800080>{<a href=\"lp:2\">Ge 1:2</a>}</font> night");
  EXPECT_EQ(Format(kVerseLinkVerse, kVerseLinkVerse, Style(0)), "Ge 1:5  day night");
  // Angle brackets that open no link stay.
  EXPECT_EQ(Format(kSmallTextVerse, kSmallTextVerse, Style(0)), "Ge 1:3  a <<small words>> b");
}

TEST_F(ExportVersesTest, SmallTextAndOwnFont) {
  // ">>" right after an italic word still closes the small text.
  EXPECT_EQ(Format(kSmallTextVerse, kSmallTextVerse, Style(0), true),
            "<b>Ge 1:3  </b>a <font size=-1>small <i>words</i></font> b");
  EXPECT_EQ(Format(j17_, j17_, Style(0), true, lib_.font_bible.get()),
            "<b>Joh 3:17  </b><font face=\"Fnt\" size=+1>" + t17_ + "</font>");
}

TEST_F(ExportVersesTest, RangesAreJoinedByBlankLinesAndVersesStayInsideTheBible) {
  const TVerseRangeList ranges = {{j16_, j17_}, {kGenesis1_1, kGenesis1_1}};
  EXPECT_EQ(FormatVerseRanges(ranges, *lib_.kjv, Style(0), false, view_),
            "Joh 3:16-17  " + kJ16 + " " + t17_ +
                "\r\n\r\nGe 1:1  In the beginning God created the heaven and the earth.");
  EXPECT_EQ(FormatVerseRanges({}, *lib_.kjv, Style(0), false, view_), "");
  EXPECT_EQ(Format(kVerseCount, kVerseCount + 1000, Style(6)), "Re 22:21 -");
  EXPECT_EQ(Format(j17_, j16_, Style(6)), "");
}

TEST(ExportSettingsTest, ComeFromTheStore) {
  config::Properties p;
  p.verse_export_style = 5;
  p.include_footnotes = true;
  p.include_version_tag = true;
  EXPECT_EQ(ExportFormatFrom(p), (ExportFormatSettings{5, false, true, true}));
}

}  // namespace
}  // namespace lumora::test
