#include "render/ui/display_text.h"

#include <gtest/gtest.h>

#include <string>

namespace lumora::ui {
namespace {

const TDisplayTextOptions kDecodeAll{true, true, true};
const TDisplayTextOptions kDecodeNone{false, false, true};

QString U(const char16_t* s) { return QString::fromUtf16(s); }

TEST(DisplayText, Cp1252SpecialsBothWays) {
  struct Case {
    std::string bytes;
    const char16_t* unicode;
  } cases[] = {
      {"\x93quoted\x94", u"\u201Cquoted\u201D"},
      {"wait\x85", u"wait\u2026"},
      {"\xB6 para", u"\u00B6 para"},
      {"\x80\x99\xE9\xA0", u"\u20AC\u2122\u00E9\u00A0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToDisplayText(c.bytes), U(c.unicode)) << c.bytes;
    EXPECT_EQ(FromDisplayText(U(c.unicode)), c.bytes) << c.bytes;
  }
}

TEST(DisplayText, UnmappableAndSeparatorsComeBackAsCodePageText) {
  // Greek letters and a character outside the BMP are one "?" each; the
  // widget's paragraph and line separators are line feeds.
  EXPECT_EQ(FromDisplayText(U(u"\u03B1\u03B2 x\u2029y\u2028z \U0001F600!")), "?? x\ny\nz ?!");
}

TEST(DisplayText, LexiconFontRunsDecodeToScript) {
  const std::string html =
      "<a href=\"g:26\"><font face=\"Symbol\" color=\"008000\">agaph</font></a> agaph "
      "<font face=\"Basic Hebrew\" size=+1>\xE0\xE1&amp;<b>\xFA</b></font>\xE0";
  const QString out = ToDisplayHtml(html, kDecodeAll);
  // Greek: the face is dropped, the colour gets its "#", text after the
  // element stays Latin.
  EXPECT_TRUE(out.contains(U(u"<font color=\"#008000\">\u03B1\u03B3\u03B1\u03C0\u03B7</font></a> agaph")))
      << out.toStdString();
  // Hebrew: logical order kept, entities and nested elements pass, the run
  // ends with its own </font>.
  EXPECT_TRUE(out.contains(U(u"<font size=+1>\u05D0\u05D1&amp;<b>\u05EA</b></font>\u00E0")))
      << out.toStdString();
}

TEST(DisplayText, InstalledLexiconFontKeepsBytesAndFace) {
  const std::string html = "<font face=\"basic hebrew\">\xE0</font><font face=Symbol>a</font>";
  EXPECT_EQ(ToDisplayHtml(html, kDecodeNone),
            U(u"<font face=\"basic hebrew\">\u00E0</font><font face=Symbol>a</font>"));
}

TEST(DisplayText, ColourAttributesGetTheirHash) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"<font color=\"008000\">x</font>", "<font color=\"#008000\">x</font>"},
      {"<td bgcolor='FFfF00'>", "<td bgcolor='#FFfF00'>"},
      {"<font color=800080>", "<font color=#800080>"},
      {"<font color=\"#800080\">", "<font color=\"#800080\">"},   // already has one
      {"<font color=\"red\">", "<font color=\"red\">"},           // a name
      {"<font color=\"0080000\">", "<font color=\"0080000\">"},   // not six digits
      {"color=\"008000\" in text", "color=\"008000\" in text"},   // not an attribute
      {"<a title=\"color=008000\">", "<a title=\"color=008000\">"},          // inside a value
  };
  for (const Case& c : cases) EXPECT_EQ(ToDisplayHtml(c.in, kDecodeAll).toStdString(), c.out);
}

TEST(DisplayText, MalformedMarkupIsKeptAsText) {
  EXPECT_EQ(ToDisplayHtml("a < b <3 c", kDecodeAll).toStdString(), "a < b <3 c");
  EXPECT_EQ(ToDisplayHtml("x <font face=\"Symbol", kDecodeAll).toStdString(), "x <font face=\"Symbol");
  EXPECT_EQ(ToDisplayHtml("</font></font>a<font face=Symbol>", kDecodeAll).toStdString(),
            "</font></font>a<font>");
}

TEST(DisplayText, MarkedRunsRecordTheirSourceRanges) {
  const std::string html =
      "<title>T</title><p>In <b>the</b> \n <i>beginning</i>&nbsp;</p>";
  std::vector<TTextRun> runs;
  const QString out = ToDisplayHtmlMarked(html, kDecodeAll, runs);
  std::vector<std::string> texts;
  for (const TTextRun& r : runs) texts.push_back(html.substr(r.begin, r.end - r.begin));
  // The title and the blank-only run are not marked; "&nbsp;" shows.
  EXPECT_EQ(texts, (std::vector<std::string>{"In ", "the", "beginning", "&nbsp;"}));
  EXPECT_TRUE(out.contains(QStringLiteral("<b><a name=\"") + MarkName(1) + QStringLiteral("\"></a>the</b>")));
  EXPECT_EQ(MarkResidue(MarkName(kMarkCycle + 3)), std::optional<size_t>(3));
  EXPECT_EQ(MarkResidue(QStringLiteral("#3")), std::nullopt);
}

TEST(DisplayText, WordCharactersFollowTheCodePage) {
  for (char16_t c : {u'a', u'Z', u'7', u'\u00C0', u'\u00E9', u'\u00FF', u'\u03B1', u'\u05D0'})
    EXPECT_TRUE(IsDisplayWordChar(QChar(c))) << int(c);
  for (char16_t c : {u' ', u'-', u'\'', u'\u201C', u'\u00A0', u'\u00B6', u'\u2029'})
    EXPECT_FALSE(IsDisplayWordChar(QChar(c))) << int(c);
}

}  // namespace
}  // namespace lumora::ui
