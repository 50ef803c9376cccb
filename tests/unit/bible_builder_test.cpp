#include "tools/builder/bible_builder.h"

#include <gtest/gtest.h>

#include "core/modules/bible_header.h"
#include "tests/support/test_bible.h"
#include "tools/builder/kjv_versification.h"
#include "tools/builder/word_coder.h"

namespace lumora::builder {
namespace {

TEST(KjvVersification, HasTheStandardShape) {
  EXPECT_EQ(KjvVerseTable().size(), 31102u);
  EXPECT_EQ(KjvBooks().size(), 66u);
  size_t chapters = 0;
  for (const KjvBook& b : KjvBooks()) chapters += b.verses_per_chapter.size();
  EXPECT_EQ(chapters, 1189u);
  EXPECT_EQ(KjvVerseIndex(43, 3, 16), 26137);
  EXPECT_EQ(KjvVerseIndex(40, 1, 1), 23146);
  EXPECT_EQ(KjvVerseIndex(66, 22, 21), 31102);
  EXPECT_EQ(KjvVerseIndex(43, 3, 37), 0);
  EXPECT_EQ(KjvBooks()[42].short_title.substr(0, 3), "Joh");
  EXPECT_EQ(KjvBooks()[40].short_title.substr(0, 2), "Mr");
  EXPECT_EQ(KjvBooks()[6].short_title.substr(0, 2), "Jg");
  EXPECT_EQ(KjvBooks()[21].short_title.substr(0, 2), "So");
}

TEST(WordCoder, SplitsWordsAndSkipsStrongsDigits) {
  std::vector<std::string> words;
  const std::string text = std::string("LORD's Beth-el, \x03" "ab said -- 'quoted' x");
  ForEachWord(text, [&](size_t off, size_t len) { words.push_back(text.substr(off, len)); });
  EXPECT_EQ(words, (std::vector<std::string>{"LORD's", "Beth-el", "said", "quoted", "x"}));
}

TEST(WordCoder, HtmlTagsAreNoWords) {
  const struct {
    const char* text;
    std::vector<std::string> words;
  } kCases[] = {
      {"see {<a href=\"lp:2342\">Exodus 30:12</a>} here", {"see", "Exodus", "30", "12", "here"}},
      {"a < b and c > d", {"a", "b", "and", "c", "d"}},  // a literal "<" is no tag
      {"x <b <a href=\"y\">z</a>", {"x", "b", "z"}},     // nor one a later tag interrupts
      {"tail <a href=", {"tail", "a", "href"}},          // nor one without its ">"
  };
  for (const auto& c : kCases) {
    std::vector<std::string> words;
    const std::string text = c.text;
    ForEachWord(text, [&](size_t off, size_t len) { words.push_back(text.substr(off, len)); });
    EXPECT_EQ(words, c.words) << c.text;
  }
}

TEST(WordCoder, CodesOnlyWhenShorter) {
  EXPECT_EQ(WordCode(0, 2), "");
  EXPECT_EQ(WordCode(0, 3), std::string("\x04") + "0");
  EXPECT_EQ(WordCode(205, 3), "");
  EXPECT_EQ(WordCode(205, 4), std::string("\x05") + "10");
  EXPECT_EQ(WordCode(5, 4), std::string("\x04") + "5");
  EXPECT_EQ(WordCode(42025, 10), "");
}

TEST(BibleBuilder, RefusesReservedBytesAndMalformedTokens) {
  BibleSource s;
  s.title = "T";
  s.abbreviation = "T";
  s.verses = {std::string("bad\x04" "0")};
  EXPECT_FALSE(BuildBibleModule(s).ok());
  s.verses = {std::string("bad\x03" "12")};
  EXPECT_FALSE(BuildBibleModule(s).ok());
  s.verses = {std::string("bad\x03$zzzz")};
  EXPECT_FALSE(BuildBibleModule(s).ok());
  s.verses = {std::string("ok") + StrongsToken(false, 25)};
  EXPECT_TRUE(BuildBibleModule(s).ok());
  s.verses.resize(31103);
  EXPECT_FALSE(BuildBibleModule(s).ok());
}

TEST(BibleBuilder, WordCodesShrinkTheText) {
  BibleBuildStats stats;
  ASSERT_TRUE(BuildBibleModule(test::MakeTestBible("KJV"), &stats).ok());
  EXPECT_EQ(stats.verses_with_text, 31099u);
  EXPECT_GT(stats.coded_words, 31099u);
  EXPECT_GT(stats.word_count, 10u);
}

TEST(BibleBuilder, HeaderCarriesTheFlagsAndCounts) {
  BibleSource s = test::MakeTestBible("RV1909", false);
  s.title = std::string(60, 'T');  // cut to the 40-character field
  s.has_font = true;
  s.font_name = "Basic Hebrew";
  Result<std::string> bytes = BuildBibleModule(s);
  ASSERT_TRUE(bytes.ok());
  const BibleHeader h = BibleHeader::DecodeFrom(reinterpret_cast<const uint8_t*>(bytes->data()));
  EXPECT_EQ(h.title, std::string(40, 'T'));
  EXPECT_EQ(h.abbreviation, "RV1909");
  EXPECT_EQ(h.verse_count, 31102);
  EXPECT_EQ(h.book_count, 66);
  EXPECT_FALSE(h.has_strongs);
  EXPECT_TRUE(h.has_font);
  EXPECT_EQ(h.font_name, "Basic Hebrew");
  EXPECT_EQ(h.magic, "LMBIB");
  EXPECT_TRUE(h.Validate(bytes->size(), "x").ok());
}

}  // namespace
}  // namespace lumora::builder
