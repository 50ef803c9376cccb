#include "tools/import/osis_converter.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "tools/builder/bible_builder.h"
#include "tools/builder/kjv_versification.h"
#include "tools/import/transliteration.h"

namespace lumora::import {
namespace {

std::string H(int n) { return builder::StrongsToken(true, n); }
std::string G(int n) { return builder::StrongsToken(false, n); }

std::string Text(std::string_view osis, OsisOptions options = {}) {
  return ConvertOsisVerse(osis, options).text;
}

OsisOptions NoFootnotes() {
  OsisOptions o;
  o.footnotes = false;
  return o;
}

// What the reader shows with notes hidden: each "{...}" goes together with
// exactly one blank after its "}".
std::string HideNotes(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '{') {
      out += text[i];
      continue;
    }
    const size_t close = text.find('}', i);
    if (close == std::string::npos) return out + "<unclosed note>";
    i = close;
    if (i + 1 < text.size() && text[i + 1] == ' ') ++i;
  }
  return out;
}

// Every rule a verse text must keep, whatever the input: no control bytes
// but well-formed Strong's tokens, no reserved bytes, notes and brackets
// balanced and not nested, no doubled angle brackets, no blank at either
// end or twice in a row.
::testing::AssertionResult IsWellFormed(const std::string& text) {
  bool in_note = false, in_brackets = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b == 0x02 || b == 0x03) {
      if (i + 6 > text.size() || text[i + 1] != '$')
        return ::testing::AssertionFailure() << "bad token at " << i;
      for (size_t k = i + 2; k < i + 6; ++k)
        if (!isxdigit(static_cast<unsigned char>(text[k])) || isupper(static_cast<unsigned char>(text[k])))
          return ::testing::AssertionFailure() << "bad token digits at " << i;
      if (in_note) return ::testing::AssertionFailure() << "token inside a note at " << i;
      i += 5;
      continue;
    }
    if (b < 0x20) return ::testing::AssertionFailure() << "control byte " << int(b) << " at " << i;
    if (b == '{') {
      if (in_note) return ::testing::AssertionFailure() << "nested note at " << i;
      in_note = true;
    } else if (b == '}') {
      if (!in_note) return ::testing::AssertionFailure() << "stray } at " << i;
      in_note = false;
    } else if (b == '[') {
      if (in_brackets || in_note) return ::testing::AssertionFailure() << "misplaced [ at " << i;
      in_brackets = true;
    } else if (b == ']') {
      if (!in_brackets) return ::testing::AssertionFailure() << "stray ] at " << i;
      in_brackets = false;
    } else if ((b == '<' || b == '>') && i + 1 < text.size() && text[i + 1] == text[i]) {
      return ::testing::AssertionFailure() << "doubled angle bracket at " << i;
    } else if (b == ' ' && (i == 0 || i + 1 == text.size() || text[i + 1] == ' ')) {
      return ::testing::AssertionFailure() << "untrimmed blank at " << i;
    }
  }
  if (in_note || in_brackets) return ::testing::AssertionFailure() << "unclosed note or brackets";
  return ::testing::AssertionSuccess();
}

// ---------------------------------------------------------------------------

TEST(OsisStrongs, KjvStyleVerseGetsTokensRightAfterTheTaggedWords) {
  const auto v = ConvertOsisVerse(
      "<q marker=\"\" who=\"Jesus\">\xC2\xB6 <w lemma=\"strong:G1063\">For</w> "
      "<w lemma=\"strong:G2316\">God</w> <w lemma=\"strong:G3779\">so</w> "
      "<w lemma=\"strong:G0025\">loved</w> <w lemma=\"strong:G2889\">the world</w>, "
      "<w lemma=\"strong:G5620\">that</w> <w lemma=\"strong:G1325\">he gave</w> ...</q>");
  EXPECT_EQ(v.text, "For" + G(1063) + " God" + G(2316) + " so" + G(3779) + " loved" + G(25) +
                        " the world" + G(2889) + ", that" + G(5620) + " he gave" + G(1325) + " ...");
  EXPECT_EQ(v.strongs, 7);
  EXPECT_TRUE(v.paragraph);
}

TEST(OsisStrongs, SeveralLemmasGiveSeveralTokensInOrder) {
  EXPECT_EQ(Text("<w lemma=\"strong:G1161 strong:G2532\">but</w>"), "but" + G(1161) + G(2532));
  // Some modules name the scheme once: "strong:H0001 H0002".
  EXPECT_EQ(Text("<w lemma=\"strong:H0853 H0430\">God</w>"), "God" + H(853) + H(430));
  // The same number twice in one word is one token.
  EXPECT_EQ(Text("<w lemma=\"strong:G0846 strong:G0846\">him</w>"), "him" + G(846));
  // A letter suffix narrows the entry; the number stays.
  EXPECT_EQ(Text("<w lemma=\"strong:H1254a\">created</w>"), "created" + H(1254));
}

TEST(OsisStrongs, OnlyStrongsSchemeAndValidRangesCount) {
  EXPECT_EQ(Text("<w lemma=\"lemma.TR:\xCE\xBB\xCF\x8C\xCE\xB3\xCE\xBF\xCF\x82 strong:G3056\">word</w>"),
            "word" + G(3056));
  EXPECT_EQ(Text("<w lemma=\"lemma.TR:G3056\">word</w>"), "word");
  EXPECT_EQ(Text("<w lemma=\"strong:G3056\" morph=\"robinson:N-NSM\">word</w>"), "word" + G(3056));
  EXPECT_EQ(Text("<w lemma=\"strong:H8674 strong:H8675 strong:H0\">x</w>"), "x" + H(8674));
  EXPECT_EQ(Text("<w lemma=\"strong:G5624 strong:G5625 strong:G11537\">y</w>"), "y" + G(5624));
  EXPECT_EQ(Text("<w lemma=\"strong:X12 strong:G strong:G12x3\">z</w>"), "z");
}

TEST(OsisStrongs, TokenStaysOnItsWordAcrossBlanksAndPunctuation) {
  EXPECT_EQ(Text("<w lemma=\"strong:G0025\">loved </w>the"), "loved" + G(25) + " the");
  EXPECT_EQ(Text("<w lemma=\"strong:G2889\">world</w>, that"), "world" + G(2889) + ", that");
  // A word without text has nothing to tag.
  EXPECT_EQ(Text("a <w lemma=\"strong:H0853\"/> b <w lemma=\"strong:H0853\"></w> c"), "a b c");
}

TEST(OsisStrongs, OptionOffLeavesTheSameTextWithoutTokens) {
  OsisOptions off;
  off.strongs = false;
  const auto v = ConvertOsisVerse(
      "In the <w lemma=\"strong:H7225\">beginning</w> <w lemma=\"strong:H0430\">God</w>.", off);
  EXPECT_EQ(v.text, "In the beginning God.");
  EXPECT_EQ(v.strongs, 0);
}

// ---------------------------------------------------------------------------

TEST(OsisBrackets, SuppliedWordsAreBracketedWithBlanksOutside) {
  const auto v = ConvertOsisVerse(
      "<w lemma=\"strong:H3588\">that</w> <transChange type=\"added\">it was</transChange> "
      "<w lemma=\"strong:H2896\">good</w>");
  EXPECT_EQ(v.text, "that" + H(3588) + " [it was] good" + H(2896));
  EXPECT_TRUE(v.has_brackets);
  EXPECT_EQ(Text("many <transChange type=\"added\"> are </transChange>they"), "many [are] they");
}

TEST(OsisBrackets, OnlyAddedWordsAndOnlyOnePair) {
  const auto amplified = ConvertOsisVerse("a <transChange type=\"amplified\">b</transChange> c");
  EXPECT_EQ(amplified.text, "a b c");
  EXPECT_FALSE(amplified.has_brackets);
  const auto empty = ConvertOsisVerse("a <transChange type=\"added\"> </transChange> c");
  EXPECT_EQ(empty.text, "a c");
  EXPECT_FALSE(empty.has_brackets);
  EXPECT_EQ(Text("<transChange type=\"added\">a <transChange type=\"added\">b</transChange> c</transChange>"),
            "[a b c]");
  EXPECT_EQ(Text("<transChange type=\"added\"><w lemma=\"strong:H2098\">which</w></transChange> was"),
            "[which" + H(2098) + "] was");
}

TEST(OsisBrackets, SuppliedWordsGluedToTheirNeighboursGetBlanksUnlessEnclitic) {
  // Spanish attaches a supplied pronoun to its verb; the Reina-Valera source
  // also lost blanks around whole supplied words.
  EXPECT_EQ(Text("s\xC3\xA1" "ca<transChange type=\"added\">lo</transChange> de este lugar"),
            "s\xE1" "ca[lo] de este lugar");
  EXPECT_EQ(Text("hay all\xC3\xAD<transChange type=\"added\">tambi\xC3\xA9n</transChange>"
                 "<w lemma=\"strong:H0916\">bdelio</w>"),
            "hay all\xED [tambi\xE9n] bdelio" + H(916));
  EXPECT_EQ(Text("Abram<transChange type=\"added\">de all\xC3\xAD</transChange>, caminando"),
            "Abram [de all\xED], caminando");
  // A note right after supplied words is no word.
  EXPECT_EQ(Text("wrest <transChange type=\"added\">judgment:</transChange><note>speak: Heb. "
                 "answer</note>"),
            "wrest [judgment:]{speak: Heb. answer}");
}

TEST(OsisBrackets, LiteralBracketsAndBracesInTheSourceBecomeParentheses) {
  const auto v = ConvertOsisVerse("a [b] {c} d");
  EXPECT_EQ(v.text, "a (b) (c) d");
  EXPECT_FALSE(v.has_brackets);
  EXPECT_EQ(v.footnotes, 0);
}

// ---------------------------------------------------------------------------

TEST(OsisNotes, KjvMarginNoteLosesItsAnchorLabel) {
  const auto v = ConvertOsisVerse(
      "the <w lemma=\"strong:H2822\">darkness</w>.<note placement=\"foot\"><reference "
      "type=\"annotateRef\">1.4 </reference>the light from\xE2\x80\xA6: Heb. between the light and "
      "between the darkness</note>");
  EXPECT_EQ(v.text, "the darkness" + H(2822) +
                        ".{the light from\x85: Heb. between the light and between the darkness}");
  EXPECT_EQ(v.footnotes, 1);
}

TEST(OsisNotes, NoteBetweenWordsStandsBetweenBlanks) {
  const std::string osis =
      "<w lemma=\"strong:H0430\">God</w><note placement=\"foot\"><reference type=\"annotateRef\">1:1 "
      "</reference>Elohim</note><w lemma=\"strong:H1254\">created</w>";
  EXPECT_EQ(Text(osis), "God" + H(430) + " {Elohim} created" + H(1254));
  EXPECT_EQ(Text(osis, NoFootnotes()), "God" + H(430) + " created" + H(1254));
}

TEST(OsisNotes, NoteInsideAWordFollowsItsStrongsToken) {
  EXPECT_EQ(Text("<w lemma=\"strong:G3439\">only born<note>monogenes</note></w> Son"),
            "only born" + G(3439) + " {monogenes} Son");
  // A note is not the word's text: nothing to tag.
  EXPECT_EQ(Text("a<w lemma=\"strong:G1\"><note>n</note></w> b"), "a {n} b");
}

TEST(OsisNotes, HidingNotesGivesTheTextWithoutThem) {
  const char* const kCases[] = {
      "word <note>n</note> next",
      "word<note>n</note>next",
      "word<note>n</note>, next",
      "word <note>n</note>.",
      "<note>n</note> In the beginning",
      "a<note>one</note><note>two</note> b",
      "spirit,</q> <note type=\"crossReference\"><reference>Isaiah 57:15</reference></note> for",
      "x <note> </note> y",
      "\xE2\x80\x9C<note>n</note>Blessed",
      "said<note>n</note>\" then",
      "said <note>n</note> \"Go",
      "many <note>n</note><transChange type=\"added\">are</transChange> they",
      "offspring,<note placement=\"foot\"><reference type=\"annotateRef\">12:17 </reference>or, "
      "seed</note> <w lemma=\"strong:G3588\">who</w> keep",
  };
  for (const char* osis : kCases) {
    const std::string with = Text(osis);
    EXPECT_EQ(HideNotes(with), Text(osis, NoFootnotes())) << osis << "\n -> " << with;
    EXPECT_TRUE(IsWellFormed(with)) << osis;
  }
}

TEST(OsisNotes, EmptyNotesAndOptionOffWriteNothing) {
  const auto cross = ConvertOsisVerse(
      "Heaven.</q> <note type=\"crossReference\"> <reference subType=\"x-origin\" "
      "type=\"annotateRef\">5:3 </reference> <reference>Isaiah 57:15; 66:2</reference> </note>",
      NoFootnotes());
  EXPECT_EQ(cross.text, "Heaven.");
  EXPECT_EQ(cross.footnotes, 0);
  EXPECT_EQ(Text("a<note><reference type=\"annotateRef\">1:1</reference></note>."), "a.");
  const auto off = ConvertOsisVerse("a<note>b</note> c", NoFootnotes());
  EXPECT_EQ(off.text, "a c");
  EXPECT_EQ(off.footnotes, 0);
}

std::string Link(int b, int c, int v, const std::string& text) {
  return "<a href=\"lp:" + std::to_string(builder::KjvVerseIndex(b, c, v)) + "\">" + text + "</a>";
}

// Each reference of a cross-reference note links to its first verse; what
// names no verse of the 66 books stays text.
TEST(OsisNotes, CrossReferencesBecomeNotesWithVerseLinks) {
  const std::string label =
      "<note type=\"crossReference\"><reference subType=\"x-origin\" type=\"annotateRef\">5:3 "
      "</reference><reference>";
  const struct {
    const char* references;
    std::string note;
    int links;
  } kCases[] = {
      {"Isaiah 57:15; 66:2", Link(23, 57, 15, "Isaiah 57:15") + "; " + Link(23, 66, 2, "66:2"), 2},
      {"Ezekiel 34:11-12,15", Link(26, 34, 11, "Ezekiel 34:11-12") + "," + Link(26, 34, 15, "15"),
       2},
      {"2 Kings 6:31\xE2\x80\x93"
       "7:20",
       Link(12, 6, 31,
            "2 Kings 6:31\x96"
            "7:20"),
       1},
      {"Song of Solomon 2:1", Link(22, 2, 1, "Song of Solomon 2:1"), 1},
      {"Deuteronomy 32:43 LXX", Link(5, 32, 43, "Deuteronomy 32:43") + " LXX", 1},
      {"Exodus 23:13; Wisdom 14:21", Link(2, 23, 13, "Exodus 23:13") + "; Wisdom 14:21", 1},
      {"Tobit 1:1", "Tobit 1:1", 0},
  };
  for (const auto& c : kCases) {
    const auto v =
        ConvertOsisVerse("Heaven. " + label + c.references + "</reference></note> Blessed");
    EXPECT_EQ(v.text, "Heaven. {" + c.note + "} Blessed") << c.references;
    EXPECT_EQ(v.footnotes, 1);
    EXPECT_EQ(v.cross_references, 1);
    EXPECT_EQ(v.verse_links, c.links) << c.references;
    EXPECT_EQ(HideNotes(v.text), "Heaven. Blessed");
  }
  // Between words without blanks, as the sources write it.
  EXPECT_EQ(Text("world," + label + "Psalm 2:9</reference></note>that"),
            "world, {" + Link(19, 2, 9, "Psalm 2:9") + "} that");
}

TEST(OsisNotes, NoteContentIsPlainText) {
  // Readings, catchwords and divine names stay; supplied words and Strong's
  // numbers inside a note get no markup.
  EXPECT_EQ(Text("x<note>Literally, <rdg type=\"alternate\">head of the corner</rdg></note>"),
            "x{Literally, head of the corner}");
  EXPECT_EQ(Text("x<note>of the <seg type=\"x-nested\"><divineName>LORD</divineName></seg> "
                 "<transChange type=\"added\">is</transChange> "
                 "<w lemma=\"strong:H1\">it</w></note>"),
            "x{of the LORD is it}");
  EXPECT_EQ(Text("x<note>a <note>b</note> c</note> y"), "x {a b c} y");
}

TEST(OsisNotes, OriginalLanguageWordsAreTransliterated) {
  EXPECT_EQ(Text("x<note>Greek \xE2\x80\x9C\xCE\xBC\xCE\xBF\xCE\xBD\xCE\xBF\xCE\xB3\xCE\xB5\xCE\xBD"
                 "\xCE\xB7\xE2\x80\x9D</note>"),
            "x{Greek \x93monogene\x94}");
  EXPECT_EQ(Text("x<note>\xD7\x90\xD6\xB1\xD7\x9C\xD6\xB9\xD7\x94\xD6\xB4\xD6\x91\xD7\x99\xD7\x9D "
                 "(Elohim)</note>"),
            "x{elohim (Elohim)}");
}

// ---------------------------------------------------------------------------

TEST(OsisTitles, CanonicalPsalmTitleStartsTheVerse) {
  const auto v = ConvertOsisVerse(
      "<div type=\"x-milestone\" subType=\"x-preverse\" sID=\"pv2376\"/><title canonical=\"true\" "
      "type=\"psalm\">A <w lemma=\"strong:H4210\">Psalm</w> of <w lemma=\"strong:H1732\">David</w>."
      "</title> <lg sID=\"gen2897\"/> <l level=\"1\" sID=\"gen2898\"/> <div type=\"x-milestone\" "
      "subType=\"x-preverse\" eID=\"pv2376\"/>The <divineName><w lemma=\"strong:H3068\">LORD</w>"
      "</divineName> <transChange type=\"added\">is</transChange> my <w lemma=\"strong:H7462\">"
      "shepherd</w>; I shall not <w lemma=\"strong:H2637\">want</w>. <l eID=\"gen2898\" level=\"1\"/>");
  EXPECT_EQ(v.text, "A Psalm" + H(4210) + " of David" + H(1732) + ". The LORD" + H(3068) +
                        " [is] my shepherd" + H(7462) + "; I shall not want" + H(2637) + ".");
  EXPECT_EQ(Text("<title type=\"psalm\">To the chief Musician.</title>Hear"), "To the chief Musician. Hear");
}

// Headings the printed text has stay where they stand: before the verse's
// words, or after them as the subscriptions of Paul's epistles do.
TEST(OsisTitles, PrintedHeadingsAndSpeakerLabelsStay) {
  const struct {
    const char* osis;
    const char* text;
  } kCases[] = {
      {"<title><foreign>\xD7\x91 BETH.</foreign></title> <lg sID=\"g\"/>Wherewithal shall",
       "BETH. Wherewithal shall"},
      {"<w lemma=\"strong:G0281\">Amen</w>.  <div eID=\"g\" type=\"x-p\"/> <chapter "
       "eID=\"Gal.6\"/> "
       "<title>Unto the Galatians written from Rome.</title> <div eID=\"g\" type=\"book\"/>",
       "Amen\x03$0119. Unto the Galatians written from Rome."},
      {"Amen. <title>The first <transChange type=\"added\">epistle</transChange> to the "
       "Corinthians was written from Philippi.</title>",
       "Amen. The first [epistle] to the Corinthians was written from Philippi."},
      {"<title canonical=\"true\" type=\"psalm\">A Prayer by Moses, the man of God.<note>Hebrew "
       "\xD7\x90\xD7\x9C</note></title> Lord,",
       "A Prayer by Moses, the man of God. {Hebrew l} Lord,"},  // the note keeps its word
      {"<speaker>Beloved</speaker> <lg sID=\"g\"/> <l level=\"1\"/>Let him kiss me",
       "Beloved Let him kiss me"},
      {"me. <speaker> <w lemma=\"strong:H1730\">Friends</w> </speaker> <l level=\"1\"/>We will",
       "me. Friends\x02$06c2 We will"},
  };
  for (const auto& c : kCases) {
    const OsisVerse v = ConvertOsisVerse(c.osis);
    EXPECT_EQ(v.text, c.text) << c.osis;
    EXPECT_EQ(v.headings, 1) << c.osis;
  }
}

// An introduction gives only its headings, for the verse after it.
TEST(OsisTitles, HeadingsOnlyForIntroductions) {
  OsisOptions headings;
  headings.headings_only = true;
  const struct {
    const char* osis;
    const char* text;
  } kCases[] = {
      {"<chapter n=\"119\" osisID=\"Ps.119\" sID=\"Ps.119\"/> <title><foreign>\xD7\x90 ALEPH."
       "</foreign></title> <lg sID=\"g\"/> <l level=\"1\" sID=\"g\"/>",
       "ALEPH."},
      {"<chapter n=\"42\"/> <milestone n=\"Psalm 42\" type=\"x-chapterLabel\"/> <title>BOOK "
       "2</title>",
       "BOOK 2"},
      {"<chapter n=\"2\"/> <speaker>Beloved</speaker> <lg sID=\"g\"/>", "Beloved"},
      {"<title type=\"x-introduction\">What is the Holy Bible?</title> <div sID=\"g\" "
       "type=\"x-p\"/> The Holy Bible is a collection of books<note>n</note>.",
       ""},
      {"<title level=\"1\" type=\"main\">The Psalms</title>", ""},
  };
  for (const auto& c : kCases) EXPECT_EQ(Text(c.osis, headings), c.text) << c.osis;
  EXPECT_TRUE(
      ConvertOsisVerse("<title>BOOK 1</title> <div sID=\"g\" type=\"x-p\"/>", headings).paragraph);
}

TEST(OsisTitles, SectionHeadingsAndBookNamesAreDropped) {
  EXPECT_EQ(Text("<title type=\"section\">The Creation</title>In the beginning"), "In the beginning");
  EXPECT_EQ(Text("<title type=\"psalm\" canonical=\"false\">Psalm 1</title>Blessed"), "Blessed");
  EXPECT_EQ(Text("<title canonical=\"false\">Note</title>Blessed"), "Blessed");
  const auto intro = ConvertOsisVerse(
      "<div canonical=\"true\" osisID=\"Gen\" sID=\"gen2\" type=\"book\"/> <milestone "
      "n=\"Genesis\" type=\"x-usfm-h\"/> <title level=\"1\" type=\"main\">The First Book of Moses, "
      "called Genesis</title> <div sID=\"gen3\" type=\"x-p\"/>");
  EXPECT_EQ(intro.text, "");
  EXPECT_TRUE(intro.paragraph);
}

// ---------------------------------------------------------------------------

TEST(OsisParagraphs, MarksBeforeTheFirstWordStartAParagraph) {
  const auto pilcrow = ConvertOsisVerse("\xC2\xB6 <w lemma=\"strong:H0428\">These</w> are");
  EXPECT_TRUE(pilcrow.paragraph);
  EXPECT_EQ(pilcrow.text, "These" + H(428) + " are");
  EXPECT_TRUE(ConvertOsisVerse("<div sID=\"gen4\" type=\"x-p\"/> And God said").paragraph);
  EXPECT_TRUE(ConvertOsisVerse("<milestone type=\"x-p\"/>And").paragraph);
  EXPECT_TRUE(ConvertOsisVerse("<div type=\"paragraph\">And</div>").paragraph);
  EXPECT_TRUE(ConvertOsisVerse("<lb type=\"x-p\"/> <l level=\"1\"/>The ungodly").paragraph);
  EXPECT_TRUE(ConvertOsisVerse("<p>And</p>").paragraph);
  // A title before the mark is no verse text yet.
  EXPECT_TRUE(ConvertOsisVerse("<title type=\"psalm\">A Psalm.</title><div sID=\"p\" type=\"x-p\"/>Lord").paragraph);
}

TEST(OsisParagraphs, EndMarksAndMarksAfterWordsDoNotStartThisVerse) {
  EXPECT_FALSE(ConvertOsisVerse("<div eID=\"gen4\" type=\"x-p\"/> And").paragraph);
  EXPECT_FALSE(ConvertOsisVerse("And <lb/> more").paragraph);
  const auto mid = ConvertOsisVerse("He said. <div sID=\"g\" type=\"x-p\"/> Then he went.");
  EXPECT_FALSE(mid.paragraph);
  EXPECT_FALSE(mid.paragraph_after);
  EXPECT_EQ(mid.text, "He said. Then he went.");
  const auto trailing = ConvertOsisVerse("my heart. <l eID=\"g\"/> <lb type=\"x-p\"/>");
  EXPECT_FALSE(trailing.paragraph);
  EXPECT_TRUE(trailing.paragraph_after);
  // A pilcrow is never text, wherever it stands.
  EXPECT_EQ(Text("a \xC2\xB6 b&#182;c"), "a bc");
  EXPECT_FALSE(ConvertOsisVerse("<note>\xC2\xB6 n</note>x").paragraph);
}

// ---------------------------------------------------------------------------

TEST(OsisMarkup, QuotesDivineNamesAndStructureBecomePlainText) {
  EXPECT_EQ(Text("<q marker=\"\" who=\"Jesus\">Follow me.</q>"), "Follow me.");
  EXPECT_EQ(Text("He said, <q marker=\"&quot;\">Go.</q>"), "He said, \"Go.\"");
  EXPECT_EQ(Text("<q sID=\"q1\" marker=\"\xE2\x80\x9C\"/>Go.<q eID=\"q1\" marker=\"\xE2\x80\x9D\"/>"),
            "\x93Go.\x94");
  EXPECT_EQ(Text("the <divineName>Lord</divineName> <hi type=\"small-caps\">God</hi>"),
            "the LORD God");
  // Line and list boundaries separate words even without blanks.
  EXPECT_EQ(Text("one<lb/>two<l level=\"1\">three</l><l>four</l><item>five</item>"),
            "one two three four five");
  EXPECT_EQ(Text("  a \t\n b  \r\n"), "a b");
  EXPECT_EQ(Text("a<!-- a comment -->b<?pi x?>c<![CDATA[d<e]]>"), "abcd<e");
}

// The divine name prints in capitals whole, possessive and supplied words
// included; Strong's tokens keep their lower-case digits.
TEST(OsisMarkup, DivineNamesAreUpperCasedWhole) {
  const struct {
    const char* osis;
    std::string text;
  } kCases[] = {
      {"the <divineName><w lemma=\"strong:H3068\">LORD\xE2\x80\x99s</w></divineName> house",
       "the LORD\x92S" + H(3068) + " house"},
      {"meet <transChange type=\"added\">the <seg type=\"x-nested\"><divineName>Lord</divineName>"
       "</seg></transChange> yonder",
       "meet [the LORD] yonder"},
      {"his name <divineName><w lemma=\"strong:H3050\">Jah</w></divineName>, and",
       "his name JAH" + H(3050) + ", and"},
      {"<divineName>J\xC3\xa9hov\xC3\xa1</divineName>", "J\xC9HOV\xC1"},
      {"x<note>or, <divineName>Jehovah</divineName></note> y", "x {or, JEHOVAH} y"},
      // USFM markers the source kept in a note mark the divine name too.
      {"x<note>the \\nd LORD\xE2\x80\x99s\\+nd*\xE2\x80\xA6: Heb.</note> y",
       "x {the LORD\x92S\x85: Heb.} y"},
      {"x<note>\\nd Lord never closed</note> the Lord", "x {LORD NEVER CLOSED} the Lord"},
      {"x<note>the <divineName>LORD\\+nd*: or, <seg><divineName>Jehovah</divineName></seg></note>",
       "x{the LORD: or, JEHOVAH}"},
  };
  for (const auto& c : kCases) EXPECT_EQ(Text(c.osis), c.text) << c.osis;
}

TEST(OsisMarkup, NestedTagsKeepEveryWord) {
  EXPECT_EQ(Text("<q who=\"Jesus\"><seg><w lemma=\"strong:G3004\"><hi type=\"italic\">say</hi></w> "
                 "<foreign>Talitha</foreign> <name>cumi</name></seg></q>"),
            "say" + G(3004) + " Talitha cumi");
}

TEST(OsisMarkup, LeftoverUsfmMarkersAreRemoved) {
  EXPECT_EQ(Text("by my name \\nd <w lemma=\"strong:H3068\">JEHOVAH</w></divineName> was I"),
            "by my name JEHOVAH" + H(3068) + " was I");
  EXPECT_EQ(Text("x<note>the \\nd LORD\\+nd*, therefore</note>"), "x{the LORD, therefore}");
  EXPECT_EQ(Text("a \\ b"), "a \\ b");
}

// ---------------------------------------------------------------------------

TEST(OsisEncoding, AccentsSurviveInWindows1252) {
  EXPECT_EQ(Text("<w lemma=\"strong:H7307\">Esp\xC3\xADritu</w> de Dios. Y DESPU\xC3\x89S"),
            "Esp\xEDritu" + H(7307) + " de Dios. Y DESPU\xC9S");
  EXPECT_EQ(Text("\xC2\xA1OH Jehov\xC3\xA1!"), "\xA1OH Jehov\xE1!");
  EXPECT_EQ(Text("God\xE2\x80\x99s heart\xE2\x80\x94" "a \xE2\x80\x9C" "Father\xE2\x80\x9D"),
            "God\x92s heart\x97" "a \x93" "Father\x94");
}

TEST(OsisEncoding, CharactersOutsideTheCodePageGetStandIns) {
  EXPECT_EQ(Text("\xC4\x80" "b \xE2\x86\x92 c \xE4\xB8\xAD"), "Ab -> c ?");
  EXPECT_EQ(Text("a\xC2\xA0\xC2\xA0" "b"), "a b");  // no-break spaces collapse too
}

TEST(OsisEncoding, EntitiesDecodeAndBrokenOnesStayLiteral) {
  EXPECT_EQ(Text("Moses &amp; Aaron &lt;x&gt; &#233;&#xE9; &apos;"), "Moses & Aaron <x> \xE9\xE9 '");
  EXPECT_EQ(Text("&foo; &#xZZ; & &#; &#99999999;"), "&foo; &#xZZ; & &#; &#99999999;");
}

TEST(OsisEncoding, ReservedAndControlBytesNeverReachTheText) {
  const auto v = ConvertOsisVerse("a&#2;$0001 b&#4;&#5;\x01" "c&#x3;d \x7F" "e");
  EXPECT_EQ(v.text, "a$0001 bcd e");
  EXPECT_EQ(v.strongs, 0);
  // Literal angle brackets must not pair up into the small-text markers.
  const std::string angles = Text("&lt;&lt;small&gt;&gt; a &lt;&lt;&lt;");
  EXPECT_EQ(angles.find("<<"), std::string::npos);
  EXPECT_EQ(angles.find(">>"), std::string::npos);
  EXPECT_TRUE(IsWellFormed(angles));
}

// ---------------------------------------------------------------------------

TEST(OsisMalformed, TruncatedAndUnbalancedMarkupKeepsEveryWord) {
  EXPECT_EQ(Text("<w lemma=\"strong:G0025\">loved</w> <w lemma=\"str"), "loved" + G(25));
  EXPECT_EQ(Text("<w lemma=\"strong:G0025\">loved"), "loved" + G(25));  // word never closed
  EXPECT_EQ(Text("word<note>unfinished note"), "word{unfinished note}");
  EXPECT_EQ(Text("<transChange type=\"added\">is"), "[is]");
  EXPECT_EQ(Text("a</w></note></transChange></title> b"), "a b");
  // A quote never closed ends at the tag's ">".
  EXPECT_EQ(Text("<w lemma=\"strong:G25>loved</w> more"), "loved" + G(25) + " more");
  EXPECT_EQ(Text("a < b > c <3 <"), "a < b > c <3 <");
  EXPECT_EQ(Text("<title>heading never closed"), "heading never closed");
  EXPECT_EQ(Text("<title type=\"x\">heading never closed"), "");
  EXPECT_EQ(Text("<"), "<");
  EXPECT_EQ(Text("</"), "</");
  EXPECT_EQ(Text("<!-- open comment"), "");
  EXPECT_EQ(Text(""), "");
}

TEST(OsisMalformed, RandomInputAlwaysGivesWellFormedText) {
  const std::vector<std::string> pieces = {
      "<w lemma=\"strong:G0025\">", "</w>", "<w lemma=\"strong:H1 H2\">", "<transChange type=\"added\">",
      "</transChange>", "<note>", "</note>", "<note type=\"crossReference\">", "<title>", "</title>",
      "<title type=\"psalm\" canonical=\"true\">", "<q marker=\"&lt;\">", "</q>", "<div sID=\"x\" type=\"x-p\"/>",
      "\xC2\xB6", "word", " ", "  ", ",", ".", "{", "}", "[", "]", "<", ">", "&", "&lt;", "&#2;", "\"", "'",
      "\xCE\xBC", "\xD7\x90\xD6\xB1", "\xC3", "\xE2\x80", "\x02", "\x04", "<reference type=\"annotateRef\">",
      "</reference>", "<lb/>", "<!--", "-->", "\\nd ", "<w lemma='strong:G1'", "/>", "<divineName>"};
  std::mt19937 rng(20240611);
  for (int round = 0; round < 3000; ++round) {
    std::string osis;
    const int count = static_cast<int>(rng() % 40);
    for (int k = 0; k < count; ++k) osis += pieces[rng() % pieces.size()];
    if (round % 7 == 0) osis.resize(rng() % (osis.size() + 1));  // cut anywhere, even inside a tag
    for (const bool footnotes : {true, false}) {
      OsisOptions options;
      options.footnotes = footnotes;
      const auto v = ConvertOsisVerse(osis, options);
      ASSERT_TRUE(IsWellFormed(v.text)) << "input: " << osis;
      if (!footnotes) {
        EXPECT_EQ(v.text.find('{'), std::string::npos) << osis;
      }
    }
  }
}

// ---------------------------------------------------------------------------

TEST(Transliteration, GreekKeepsBreathingsDiphthongsAndNasals) {
  EXPECT_EQ(TransliterateGreekHebrew("\xE1\xBF\xA5\xE1\xBF\x86\xCE\xBC\xCE\xB1"), "rhema");
  EXPECT_EQ(TransliterateGreekHebrew("\xE1\xBC\xB0\xCE\xB4\xCE\xBF\xE1\xBD\xBA"), "idou");
  EXPECT_EQ(TransliterateGreekHebrew("\xE1\xBC\xB8\xCE\xB7\xCF\x83\xCE\xBF\xE1\xBF\xA6\xCF\x82"), "Iesous");
  EXPECT_EQ(TransliterateGreekHebrew("\xE1\xBC\x84\xCE\xB3\xCE\xB3\xCE\xB5\xCE\xBB\xCE\xBF\xCF\x82"), "angelos");
  EXPECT_EQ(TransliterateGreekHebrew("\xCE\xBF\xE1\xBD\x97\xCF\x84\xCE\xBF\xCF\x82"), "houtos");
  EXPECT_EQ(TransliterateGreekHebrew("\xE1\xBD\x89 \xCF\x80\xCE\xBD\xCE\xB5\xE1\xBF\xA6\xCE\xBC\xCE\xB1"),
            "Ho pneuma");
  EXPECT_EQ(TransliterateGreekHebrew("\xCE\xBA\xCE\xBF\xCE\xB9\xCE\xBD\xCF\x89\xCE\xBD\xCE\xAF\xE1\xBE\xB3"),
            "koinonia");
}

TEST(Transliteration, HebrewReadsPointsAndVowelLetters) {
  EXPECT_EQ(TransliterateGreekHebrew("\xD7\x94\xD6\xB4\xD7\xA0\xD6\xB5\xD6\xBC\xD7\x94"), "hineh");
  EXPECT_EQ(TransliterateGreekHebrew("\xD7\xA9\xD6\xB8\xD7\x81\xD7\x9C\xD7\x95\xD6\xB9\xD7\x9D"), "shalom");
  EXPECT_EQ(TransliterateGreekHebrew("\xD7\x90 ALEPH."), " ALEPH.");
}

TEST(Transliteration, OtherTextIsUntouched) {
  EXPECT_EQ(TransliterateGreekHebrew("caf\xC3\xA9 \xE2\x80\x9Cx\xE2\x80\x9D \xCC\x81"),
            "caf\xC3\xA9 \xE2\x80\x9Cx\xE2\x80\x9D \xCC\x81");
  EXPECT_EQ(TransliterateGreekHebrew("\xCE"), "\xCE");  // a broken sequence stays for FromUtf8
}

}  // namespace
}  // namespace lumora::import
