// The importer's Book and Commentary layouts: Strong's lexicons, topical
// indexes and commentaries from SWORD-like entries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/codec/base205.h"
#include "core/text/cp1252.h"
#include "tools/builder/kjv_versification.h"
#include "tools/import/book_converter.h"
#include "tools/import/code_page_folds.h"
#include "tools/import/commentary_converter.h"
#include "tools/import/strongs_lexicon.h"

namespace lumora::import {
namespace {

using builder::KjvVerseIndex;

const char kRosh[] =
    "<entryFree n=\"7225\"> <orth>\xD7\xA8\xD7\x90\xD7\xA9\xD7\x81\xD7\x99\xD7\xAA</orth><lb/> "
    "<orth rend=\"bold\" type=\"trans\">r\xC3\xAA'sh\xC3\xAEyth</orth> "
    "<pron rend=\"italic\">ray-sheeth'</pron><lb/> <def>From the same as "
    "<ref target=\"StrongsHebrew:7218\">H7218</ref>; the <hi rend=\"italic\">first</hi></def> "
    "</entryFree>";

TEST(StrongsLexicon, WordTransliterationAndPronunciation) {
  const StrongsWord w = ExtractStrongsWord(kRosh, LegacyFont::kBasicHebrew);
  EXPECT_EQ(w.word, "\xF8\xE0\xF9\xE9\xFA");  // resh alef shin yod tav, the shin dot dropped
  EXPECT_EQ(w.transliteration, "r\xEA'sh\xEEyth");
  EXPECT_EQ(w.pronunciation, "ray-sheeth'");
  // Greek: the Beta Code <orth type="writing"> is not the word.
  const StrongsWord g = ExtractStrongsWord(
      "<orth>\xE1\xBC\x80\xCE\xB3\xCE\xAC\xCF\x80\xCE\xB7</orth> <orth type=\"writing\">A)GA/PH"
      "</orth> <orth rend=\"bold\" type=\"trans\">ag\xC3\xA1p\xC4\x93</orth> "
      "<pron>ag-ah'-pay</pron>",
      LegacyFont::kSymbolGreek);
  EXPECT_EQ(g.word, "agaph");
  EXPECT_EQ(g.transliteration, "ag\xE1pe");  // e with macron has no Windows-1252 letter
  EXPECT_EQ(g.pronunciation, "ag-ah'-pay");
  // The Hebrew lexicon's omega for the sin's "s" with acute, and a Hebrew
  // word standing in the transliteration field.
  const StrongsWord israel =
      ExtractStrongsWord("<orth type=\"trans\">'\xC3\xAAl yi\xCF\x8Er\xC3\xA2'\xC3\xAAl</orth>",
                         LegacyFont::kBasicHebrew);
  EXPECT_EQ(israel.transliteration, "'\xEAl yisr\xE2'\xEAl");
  const StrongsWord hebrew = ExtractStrongsWord(
      "<orth type=\"trans\">\xD7\xA6\xD7\x95\xD7\xA8</orth>", LegacyFont::kBasicHebrew);
  EXPECT_EQ(hebrew.transliteration.find('?'), std::string::npos) << hebrew.transliteration;
  EXPECT_FALSE(hebrew.transliteration.empty());
}

TEST(StrongsLexicon, EntryNumberIsNumberMinusOneAndTitlesSortByNumber) {
  std::vector<SourceEntry> entries = {{"07225", kRosh},
                                      {"00002", "<def>two</def>"},
                                      {"00002", "<def>again</def>"},
                                      {"banner", "<def>not a number</def>"}};
  const StrongsLexicon lexicon = BuildStrongsLexicon(entries, LegacyFont::kBasicHebrew, 8674);
  ASSERT_EQ(lexicon.book.entries.size(), 8674u);
  EXPECT_EQ(lexicon.missing, 8672);
  EXPECT_EQ(lexicon.duplicates, 1);
  EXPECT_EQ(lexicon.foreign_keys, 1);
  EXPECT_EQ(lexicon.book.entries[7224].title, "7225 r\xEA'sh\xEEyth");
  EXPECT_EQ(lexicon.book.entries[7224].text.substr(0, 7), "\x01\xF8\xE0\xF9\xE9\xFA\x08");
  EXPECT_NE(lexicon.book.entries[7224].text.find("\x03"
                                                 "7218\x08"),
            std::string::npos);
  EXPECT_EQ(lexicon.book.entries[1].text, "two");  // the first of two keys wins
  EXPECT_EQ(lexicon.book.entries[0].title, "0001");
  EXPECT_TRUE(lexicon.book.entries[0].text.empty());
  EXPECT_EQ(lexicon.words[7224].word, "\xF8\xE0\xF9\xE9\xFA");
  // Links open entry number - 1: the title order must be the number order.
  for (size_t i = 1; i < lexicon.book.entries.size(); ++i)
    ASSERT_LT(
        cp1252::CompareNoCase(lexicon.book.entries[i - 1].title, lexicon.book.entries[i].title), 0)
        << i;
  EXPECT_EQ(StrongsKeyNumber("08674"), 8674);
  EXPECT_EQ(StrongsKeyNumber("8674a"), 0);
  EXPECT_EQ(StrongsKeyNumber("123456"), 0);
}

TEST(DictionaryBook, SortsByTitleAndLinksToFinalEntryNumbers) {
  const std::vector<SourceEntry> entries = {
      {"JESUS, THE CHRIST", "Son <ref osisRef=\"Matt.1.1\">Mt 1:1</ref>"},
      {"AARON",
       "See <ref target=\"Nave:PRIESTS\">PRIESTS</ref>, "
       "<ref target=\"Nave:JESUS\">JESUS</ref>, <ref target=\"Nave:ZZZ\">ZZZ</ref>"},
      {"PRIEST", "<ref osisRef=\"Exod.28.1\">Ex 28:1</ref>"},
      {"ABEL", "x"},
  };
  const DictionaryBook book = BuildDictionaryBook(entries, "Nave");
  ASSERT_EQ(book.book.entries.size(), 4u);
  EXPECT_EQ(book.book.entries[0].title, "AARON");
  EXPECT_EQ(book.book.entries[1].title, "ABEL");
  EXPECT_EQ(book.book.entries[2].title, "JESUS, THE CHRIST");
  EXPECT_EQ(book.book.entries[3].title, "PRIEST");
  // "PRIESTS" finds the singular, "JESUS" the title it begins; "ZZZ" stays text.
  EXPECT_EQ(book.book.entries[0].text,
            "See \x06"
            "3\x08, \x06"
            "2\x08, ZZZ");
  EXPECT_EQ(book.totals.entry_links, 2);
  EXPECT_EQ(book.totals.unresolved, 1);
  const int ex28_1 = KjvVerseIndex(2, 28, 1);
  EXPECT_EQ(book.book.entries[3].text, "\x05" + EncodeVerseRanges({{ex28_1, ex28_1}}) + "\x08");
}

TEST(Commentary, RangeCommentsLinkTheirOtherVersesToTheFirst) {
  const int gen1_1 = KjvVerseIndex(1, 1, 1);
  const int gen1_6 = KjvVerseIndex(1, 1, 6);
  const std::vector<SourceComment> comments = {
      {gen1_1, gen1_1 + 1, "<hi type=\"bold\">Verses 1-2</hi> In the beginning"},
      {gen1_1 + 2, gen1_1 + 4, "Light"},
      {gen1_1 + 4, gen1_1 + 4, "A note of its own"},  // inside the range before
      {gen1_6, gen1_6, "Firmament"}};
  const CommentaryLayout layout = LayOutCommentary(comments, {});
  ASSERT_EQ(layout.slots.size(), 31102u);
  EXPECT_EQ(layout.slots[gen1_1 - 1], "<b>Verses 1-2</b> In the beginning");
  EXPECT_EQ(layout.slots[gen1_1], "See " + CommentLink(gen1_1));
  EXPECT_EQ(layout.slots[gen1_1 + 1], "Light");
  EXPECT_EQ(layout.slots[gen1_1 + 2], "See " + CommentLink(gen1_1 + 2));
  EXPECT_EQ(layout.slots[gen1_1 + 3], "A note of its own");
  EXPECT_EQ(layout.slots[gen1_6 - 1], "Firmament");
  EXPECT_TRUE(layout.slots[gen1_6].empty());
  EXPECT_EQ(layout.comments, 4);
  EXPECT_EQ(layout.range_comments, 2);
  EXPECT_EQ(layout.link_entries, 2);
  EXPECT_EQ(layout.overlapping, 1);
}

TEST(Commentary, ChapterCommentsSplitAtVerseHeadingsUnderTheirSections) {
  const std::string psalm =
      "<title type=\"x-s\">Psalm 23 OVERVIEW</title> Overview. "
      "<title type=\"x-s\">EXPOSITION</title> <hi type=\"bold\">Verse 1.</hi> Shepherd. "
      "<hi type=\"bold\">Verses 2, 3.</hi> Pastures. "
      "<title type=\"x-s\">EXPLANATORY NOTES</title> <hi type=\"bold\">Verse 1.</hi> Note one. "
      "<hi type=\"bold\">Ver. 2.</hi> Note two. <hi type=\"bold\">Verse 99.</hi> Still two.";
  const std::vector<VersePiece> pieces = SplitAtVerseHeadings(psalm, 6);
  ASSERT_EQ(pieces.size(), 5u);
  EXPECT_EQ(pieces[0].verse, 1);
  EXPECT_EQ(PlainText(pieces[0].markup), "Psalm 23 OVERVIEW Overview.");
  EXPECT_EQ(PlainText(pieces[1].markup), "EXPOSITION Verse 1. Shepherd.");
  EXPECT_EQ(pieces[2].verse, 2);
  EXPECT_EQ(PlainText(pieces[2].markup), "EXPOSITION Verses 2, 3. Pastures.");
  EXPECT_EQ(PlainText(pieces[3].markup), "EXPLANATORY NOTES Verse 1. Note one.");
  EXPECT_EQ(pieces[4].verse, 2);
  EXPECT_EQ(PlainText(pieces[4].markup),
            "EXPLANATORY NOTES Ver. 2. Note two. Verse 99. Still two.");

  const int ps23_1 = KjvVerseIndex(19, 23, 1);
  CommentaryOptions options;
  options.split_at_verse_headings = true;
  const CommentaryLayout layout = LayOutCommentary({{ps23_1, ps23_1, psalm}}, options);
  EXPECT_EQ(layout.split_comments, 1);
  EXPECT_NE(layout.slots[ps23_1 - 1].find("Shepherd"), std::string::npos);
  EXPECT_NE(layout.slots[ps23_1 - 1].find("Note one"), std::string::npos);
  EXPECT_NE(layout.slots[ps23_1].find("Note two"), std::string::npos);
  // Verses 3..6 have no part of their own: they point to the psalm's first
  // verse (slot = verse index - 1).
  for (int v = 3; v <= 6; ++v)
    EXPECT_EQ(layout.slots[ps23_1 + v - 2], "See " + CommentLink(ps23_1)) << v;
  EXPECT_TRUE(layout.slots[ps23_1 + 5].empty());  // Psalm 24:1
}

// Introductions stored before a verse go to that verse, first, under a
// heading; a verse without a comment of its own gets the introduction alone.
TEST(Commentary, IntroductionsOpenTheVerseTheyIntroduce) {
  const struct {
    const char* markup;
    const char* plain;  // PlainText of the placed markup
  } kHeadings[] = {
      {"<title type=\"x-s\">Book Introduction - Judges</title> <div sID=\"g\" type=\"x-p\"/> "
       "This book takes its name",
       "Book Introduction - Judges This book takes its name"},
      {"<div canonical=\"true\" type=\"book\"/> <title type=\"x-s\"></title> <div sID=\"g3\" "
       "type=\"x-p\"/> Preface <div eID=\"g3\" type=\"x-p\"/> <div sID=\"g4\" type=\"x-p\"/> "
       "My Preface shall at least possess the virtue of brevity.",
       "Preface My Preface shall at least possess the virtue of brevity."},
      {"<div sID=\"g\" type=\"x-p\"/> The first part denounces the destruction of Edom. <div "
       "eID=\"g\" type=\"x-p\"/>",
       "Introduction The first part denounces the destruction of Edom."},
  };
  for (const auto& h : kHeadings) {
    const std::string placed = WithHeading(h.markup);
    EXPECT_EQ(PlainText(placed), h.plain) << h.markup;
    EXPECT_EQ(ConvertEntry(placed).text.substr(0, 4), std::string("<b>") + h.plain[0]) << h.markup;
  }

  const int obad1_1 = KjvVerseIndex(31, 1, 1);
  const int lev19_1 = KjvVerseIndex(3, 19, 1);
  std::vector<SourceComment> comments = {
      {KjvVerseIndex(3, 18, 1), KjvVerseIndex(3, 18, 30), "Chapter 18"},
      {KjvVerseIndex(3, 19, 2), KjvVerseIndex(3, 19, 37), "Verses 2-37"},
      {obad1_1, obad1_1, "<title>Chapter 1</title> Outline"}};
  const std::vector<SourceComment> introductions = {
      {lev19_1, lev19_1, "<title type=\"x-s2\">Chapter 19</title> laws. --There are"},
      {obad1_1, obad1_1, "<title type=\"main\">Obadiah</title> <div/> The first part"},
      {obad1_1 + 1, obad1_1 + 1, "<div sID=\"g\" type=\"x-p\"/>  "}};  // structure only
  EXPECT_EQ(PlaceIntroductions(comments, introductions), 2);
  ASSERT_EQ(comments.size(), 4u);
  EXPECT_EQ(comments[1].first, lev19_1);
  EXPECT_EQ(PlainText(comments[1].text), "Chapter 19 laws. --There are");
  EXPECT_EQ(comments[2].text, "Verses 2-37");
  EXPECT_TRUE(comments[3].text.starts_with("<title type=\"main\">Obadiah</title>"));
  EXPECT_TRUE(comments[3].text.ends_with("<title>Chapter 1</title> Outline"));
  const CommentaryLayout layout = LayOutCommentary(comments, {});
  EXPECT_EQ(layout.slots[lev19_1 - 1], "<b>Chapter 19</b><p>laws. --There are");
  EXPECT_EQ(layout.slots[obad1_1 - 1],
            "<b>Obadiah</b><p>The first part<p><b>Chapter 1</b><p>Outline");
}

// What the code page cannot hold is stored as the nearest character it can
// and counted per character and entry.
TEST(CodePageFolds, FoldsAreCountedPerCharacterAndEntry) {
  CodePageFolds folds;
  folds.SetEntry(6213);
  EXPECT_EQ(folds.Convert("\xE2\x80\x9B\xC3\xA2\xC5\x9B\xC3\xA2h"), "\x91\xE2s\xE2h");
  folds.SetEntry(7549);
  EXPECT_EQ(folds.Convert("r\xC3\xA2q\xC3\xAEya\xE2\x80\x9B"), "r\xE2q\xEEya\x91");
  folds.SetEntry(7549);  // the same entry again: its text after its title
  EXPECT_EQ(folds.Convert("\xE2\x80\x9B"), "\x91");
  // C1 controls are DOS bytes read as Latin-1: "Thom\x82" is "Thom\xE9".
  EXPECT_EQ(folds.Convert("Thom\xC2\x82 h\xC2\x91"
                          "c"),
            "Thom\xE9 h\xE6"
            "c");
  EXPECT_EQ(folds.Total(), 6u);
  const std::vector<std::string> lines = folds.Lines();  // most frequent first
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "U+201B \xE2\x80\x9B as \xE2\x80\x98: 3 in 2 entries");
  EXPECT_EQ(lines[1], "U+0082 (control) as \xC3\xA9: 1 in 1 entry");
  EXPECT_EQ(lines[3], "U+015B \xC5\x9B as s: 1 in 1 entry");
  // The converters count through their options.
  CodePageFolds lexicon;
  const StrongsLexicon built = BuildStrongsLexicon(
      {{"06213",
        "<orth>\xD7\xA2\xD7\xA9\xD7\x82\xD7\x94</orth> <orth type=\"trans\">\xE2\x80\x9B\xC3\xA2"
        "\xC5\x9B\xC3\xA2h</orth> <def>to do; \xE2\x80\x9B\xC3\xA2\xC5\x9B\xC3\xA2h</def>"}},
      LegacyFont::kBasicHebrew, 8674, &lexicon);
  EXPECT_EQ(built.book.entries[6212].title, "6213 \x91\xE2s\xE2h");
  // The title's transliteration, then the entry's own text twice.
  EXPECT_EQ(lexicon.Lines()[1], "U+201B \xE2\x80\x9B as \xE2\x80\x98: 3 in 1 entry");
}

}  // namespace
}  // namespace lumora::import
