#include "tools/import/entry_converter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/codec/base205.h"
#include "core/codec/compression.h"
#include "core/modules/entry_file.h"
#include "tools/builder/kjv_versification.h"
#include "tools/import/entry_record_fit.h"

namespace lumora::import {
namespace {

using builder::KjvVerseIndex;

std::string EntryText(std::string_view markup, const EntryContext& context = {}) {
  return ConvertEntry(markup, context).text;
}

std::string List(const TVerseRangeList& ranges) {
  return "\x05" + EncodeVerseRanges(ranges) + "\x08";
}
std::string List(int first, int last) { return List(TVerseRangeList{{first, last}}); }

// Checks the control sequences of entry markup: every control byte opens a
// known sequence that is closed where the renderer expects it.
void ExpectWellFormed(const std::string& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b >= 32) continue;
    if (b == 0x0E) {
      ASSERT_LE(i + 3, text.size()) << "cut 0x0E link";
      EXPECT_TRUE(IsBase205Digit(static_cast<unsigned char>(text[i + 1])));
      EXPECT_TRUE(IsBase205Digit(static_cast<unsigned char>(text[i + 2])));
      i += 2;
      continue;
    }
    ASSERT_TRUE(b >= 1 && b <= 6) << "stray control byte " << int(b) << " at " << i;
    const size_t end = text.find('\x08', i + 1);
    ASSERT_NE(end, std::string::npos) << "unclosed sequence at " << i;
    for (size_t k = i + 1; k < end; ++k)
      ASSERT_GE(static_cast<unsigned char>(text[k]), 32) << "control byte inside a sequence";
    i = end;
  }
}

TEST(EntryConverter, FormattingBecomesPlainHtml) {
  EXPECT_EQ(EntryText("<hi rend=\"italic\">father</hi> and <hi type=\"bold\">son</hi>"),
            "<i>father</i> and <b>son</b>");
  EXPECT_EQ(EntryText("t<hi rend=\"super\">e</hi>nay"), "t<sup>e</sup>nay");
  EXPECT_EQ(EntryText("one<lb/>two"), "one<br>two");
  // Paragraph marks (milestones or containers) give one break between text,
  // none before the first or after the last words.
  EXPECT_EQ(EntryText("<div sID=\"a\" type=\"x-p\"/> A <div eID=\"a\" type=\"x-p\"/> "
                      "<div sID=\"b\" type=\"x-p\"/>B<div eID=\"b\" type=\"x-p\"/>"),
            "A<p>B");
  EXPECT_EQ(EntryText("<title type=\"x-s\">EXPOSITION</title>Verse"), "<b>EXPOSITION</b><p>Verse");
  EXPECT_EQ(EntryText("<list><item>one</item><item>two</item></list>"),
            "<ul><li>one</li><li>two</li></ul>");
  EXPECT_EQ(EntryText("a   b\n\tc"), "a b c");
}

TEST(EntryConverter, TextBecomesEscapedWindows1252) {
  EXPECT_EQ(EntryText("a &lt;b&gt; &amp; c"), "a &lt;b&gt; &amp; c");
  EXPECT_EQ(EntryText("\xE2\x80\x9CGod\xE2\x80\x9D \xC3\xA9"), "\x93God\x94 \xE9");
  EXPECT_EQ(EntryText("\xE2\x86\x92 Lineage"), "\xBB Lineage");  // Nave's arrow
  EXPECT_EQ(EntryText("x\x05y\x08z\x0E"), "x y z");  // control bytes of the source are blanks
}

TEST(EntryConverter, GreekAndHebrewBecomeScriptRuns) {
  EXPECT_EQ(EntryText("<orth>\xD7\x90\xD7\x91</orth> 'ab"), "\x01\xE0\xE1\x08 'ab");
  // Words of one script with blanks between them make one run.
  EXPECT_EQ(
      EntryText("love, \xE1\xBC\x80\xCE\xB3\xCE\xAC\xCF\x80\xCE\xB7 \xCE\xB8\xCE\xB5\xCE\xBF\xE1"
                "\xBF\xA6, of God"),
      "love, \x02"
      "agaph qeou\x08, of God");
  const EntryConversion points = ConvertEntry("\xD7\x91\xD6\xB0\xD6\xBC");  // bet, sheva, dagesh
  EXPECT_EQ(points.text, "\x01\xE1\x08");
  EXPECT_EQ(points.dropped_script_chars, 2u);
}

TEST(EntryConverter, StrongsReferencesBecomeLinks) {
  EXPECT_EQ(EntryText("From <ref target=\"StrongsHebrew:7218\">H7218</ref>; the"),
            "From \x03"
            "7218\x08; the");
  // The Greek lexicon points to Hebrew words through its own module name;
  // the letter shown decides.
  EXPECT_EQ(EntryText("(<ref target=\"StrongsGreek:0175\">H0175</ref>)"),
            "(\x03"
            "175\x08)");
  EXPECT_EQ(EntryText("<ref target=\"StrongsGreek:25\">G25</ref>"),
            "\x04"
            "25\x08");
  const EntryConversion beyond = ConvertEntry("<ref target=\"StrongsGreek:9999\">G9999</ref>");
  EXPECT_EQ(beyond.text, "G9999");
  EXPECT_EQ(beyond.unresolved, 1);
  EXPECT_EQ(EntryText("<w lemma=\"strong:G2078\">\xCE\xB5</w> x"),
            "\x02"
            "e\x08<sup>\x04"
            "2078\x08</sup> x");
}

TEST(EntryConverter, AdjacentScriptureReferencesShareOneVerseList) {
  const int ex6_23 = KjvVerseIndex(2, 6, 23), ex6_25 = KjvVerseIndex(2, 6, 25);
  const int ch6_3 = KjvVerseIndex(13, 6, 3);
  const EntryConversion c = ConvertEntry(
      "Children of <ref osisRef=\"Exod.6.23\">Ex 6:23</ref>,<ref osisRef=\"Exod.6.25\">25</ref>; "
      "<ref osisRef=\"1Chr.6.3\">1Ch 6:3</ref> <lb/>Next");
  EXPECT_EQ(c.text, "Children of " + List({{ex6_23, ex6_23}, {ex6_25, ex6_25}, {ch6_3, ch6_3}}) +
                        "<br>Next");
  EXPECT_EQ(c.verse_lists, 1);
  EXPECT_EQ(c.verse_ranges, 3);
  // Words between references end the list; its trailing separators stay.
  const int gen1_1 = KjvVerseIndex(1, 1, 1);
  EXPECT_EQ(
      EntryText(
          "<ref osisRef=\"Gen.1.1\">Ge 1:1</ref>; see also <ref osisRef=\"Gen.1.1\">x</ref>."),
      List(gen1_1, gen1_1) + "; see also " + List(gen1_1, gen1_1) + ".");
  EXPECT_EQ(EntryText("<reference osisRef=\"ge 1\">Read the chapter</reference>"),
            List(gen1_1, KjvVerseIndex(1, 1, 31)));
}

TEST(EntryConverter, ReferencesThatNameNothingStayText) {
  const EntryConversion c = ConvertEntry(
      "in <ref osisRef=\"Jude.5.14\">Jude 5:14</ref> and "
      "<ref target=\"Other:X\">X</ref>");
  EXPECT_EQ(c.text, "in Jude 5:14 and X");
  EXPECT_EQ(c.unresolved, 2);
  EXPECT_EQ(c.verse_lists, 0);
}

TEST(EntryConverter, LinksWithinTheSameWork) {
  EntryContext nave;
  nave.work = "Nave";
  nave.entry_number = [](std::string_view key) { return key == "ACHBOR" ? 0x2A : -1; };
  EXPECT_EQ(EntryText("See <ref target=\"Nave:ACHBOR\">ACHBOR</ref>", nave),
            "See \x06"
            "2A\x08");
  EXPECT_EQ(EntryText("See <ref target=\"Nave:NOTHING\">NOTHING</ref>", nave), "See NOTHING");

  EntryContext scofield;
  scofield.work = "Scofield";
  const EntryConversion note = ConvertEntry(
      "(See \"<reference osisRef=\"Scofield:Ge 1:28\">Genesis 1:28</reference>\")", scofield);
  EXPECT_EQ(note.text, "(See \"" + CommentLink(KjvVerseIndex(1, 1, 28)) + "\")");
  EXPECT_EQ(note.comment_links, 1);
}

TEST(EntryConverter, CommentLinksHoldExactlyTwoDigits) {
  EXPECT_EQ(CommentLink(5), std::string("\x0E") + '0' + '5');
  EXPECT_EQ(CommentLink(31102), "\x0E" + EncodeBase205(31102));
  EXPECT_EQ(DecodeBase205(CommentLink(5).substr(1)), 5);
}

TEST(EntryConverter, DroppedAndCollectedContent) {
  EXPECT_EQ(EntryText("<orth>\xCE\xB1</orth> <orth type=\"writing\">*A</orth> <pron>al</pron>"),
            "\x02"
            "a\x08 al");
  EXPECT_EQ(PlainText("<orth>tatt<hi rend=\"super\">e</hi>nay</orth>\n  x &amp; y"),
            "tattenay x & y");
}

TEST(EntryConverter, MalformedMarkupStillGivesWellFormedSequences) {
  const char* pieces[] = {"<ref osisRef=\"Gen.1.1\">",
                          "</ref>",
                          "<ref target=\"StrongsHebrew:1\">",
                          "<hi rend=\"bold\">",
                          "</hi>",
                          "<lb/>",
                          "\xD7\x90",
                          "\xCE\xB1",
                          ", ",
                          "; ",
                          "text ",
                          "<w lemma=\"strong:H1\">",
                          "</w>",
                          "<",
                          "&amp",
                          "<reference osisRef=\"Scofield:Ge 1:1\">",
                          "\x05",
                          "\x0E",
                          "<title>",
                          "</title>",
                          "<list><item>"};
  std::mt19937 random(7);
  EntryContext context;
  context.work = "Scofield";
  for (int round = 0; round < 400; ++round) {
    std::string markup;
    const int n = static_cast<int>(random() % 24);
    for (int k = 0; k < n; ++k) markup += pieces[random() % std::size(pieces)];
    SCOPED_TRACE(markup);
    ExpectWellFormed(ConvertEntry(markup, context).text);
  }
}

TEST(EntryConverter, OverLongEntriesAreCutAtABreakToFit) {
  std::mt19937 random(11);
  std::string text;
  while (text.size() < 200000) {
    for (int w = 0; w < 40; ++w) {
      for (int c = 0; c < 6; ++c) text += static_cast<char>('a' + random() % 26);
      text += ' ';
    }
    text += List(1, 3) + "<p>";
  }
  std::string fitted = text;
  ASSERT_TRUE(FitEntryRecord(fitted));
  const Result<std::string> packed = CompressString(fitted);
  ASSERT_TRUE(packed.ok());
  EXPECT_LE(packed->size(), kMaxEntryRecordSize);
  EXPECT_GT(packed->size(), kMaxEntryRecordSize * 9 / 10);  // not cut far too early
  const size_t note = fitted.find("<p><i>[");
  ASSERT_NE(note, std::string::npos);
  EXPECT_EQ(text.compare(0, note, fitted, 0, note), 0);
  ExpectWellFormed(fitted);

  std::string small = "short<p>entry";
  EXPECT_FALSE(FitEntryRecord(small));
  EXPECT_EQ(small, "short<p>entry");
}

}  // namespace
}  // namespace lumora::import
