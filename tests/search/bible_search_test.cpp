#include "search/bible_search.h"

#include <gtest/gtest.h>

#include <map>

#include "core/modules/bible_mapping_cache.h"
#include "core/platform/memory/memory_file_system.h"
#include "core/refs/verse_index.h"
#include "search/bible_search_text.h"
#include "tools/builder/bible_builder.h"

namespace lumora {
namespace {

constexpr int kMatthew1_1 = kFirstNewTestamentVerse;

// Verse texts chosen for the cases below; every other verse has no text.
std::map<int, std::string> SearchVerses() {
  const std::string h7225 = builder::StrongsToken(true, 7225);
  const std::string g26 = builder::StrongsToken(false, 26);
  return {
      {1, "In the beginning" + h7225 + " God created the heaven"},
      {2, "the son of man came"},
      {3, "the grandson of man; and a son of man"},
      {4, "son of manifold things"},
      {5, "Son, of man."},
      {6, "the LORD said unto Moses"},
      {7, "the lord and the LORDS of the land"},
      {8, "O Lord God"},
      {9, "love and loved and lovely"},
      {10, "goodness and ness"},
      {11, "forever and ever everlasting"},
      {12, "Canaan and an"},
      {13, "he went {Or, walked slowly} away"},
      {14, "walked home {walked}"},
      {15, "he came slowly {slow}"},
      {16, "\xC9xodo and \xC9L"},
      {17, "have [everlasting] life, amen"},
      {30, "grace and peace"},
      {31, "grace only"},
      {32, "peace only"},
      {kMatthew1_1, "the son of man loved" + g26 + " them"},
      {kMatthew1_1 + 1, "the LORD spoke"},
  };
}

class BibleSearchTest : public ::testing::Test {
 protected:
  static std::unique_ptr<TLMBibleModule> Open(MemoryFileSystem& fs, bool strongs,
                                              std::map<int, std::string> verses) {
    builder::BibleSource s;
    s.title = "Search Test";
    s.abbreviation = strongs ? "ST" : "PLAIN";
    s.has_strongs = strongs;
    s.has_brackets = true;
    s.has_footnotes = true;
    s.verses.resize(kVerseCount);
    for (auto& [index, text] : verses) s.verses[static_cast<size_t>(index - 1)] = text;
    Result<std::string> bytes = builder::BuildBibleModule(s);
    EXPECT_TRUE(bytes.ok()) << bytes.status().message();
    const std::string path = "/" + s.abbreviation + ".lmb";
    EXPECT_TRUE(fs.WriteFile(path, bytes.ok() ? bytes.value() : "").ok());
    auto bible = TLMBibleModule::Create(path, fs);
    EXPECT_TRUE(bible.ok()) << bible.status().message();
    return bible.ok() ? std::move(bible).value() : nullptr;
  }

  void SetUp() override {
    BibleMappingCache::Instance().Clear();
    bible_ = Open(fs_, true, SearchVerses());
    ASSERT_TRUE(bible_);
  }

  BibleSearchResult Search(const std::string& text, int type = 0, bool case_sensitive = false,
                           bool footnotes = true, bool substring = false, int first = 1,
                           int last = kVerseCount) const {
    BibleSearchRequest r;
    r.bible = bible_.get();
    r.text = CleanSearchText(text);
    r.type = type;
    r.case_sensitive = case_sensitive;
    r.include_footnotes = footnotes;
    r.substring = substring;
    r.first_verse = first;
    r.last_verse = last;
    return RunBibleSearch(r);
  }

  MemoryFileSystem fs_;
  std::unique_ptr<TLMBibleModule> bible_;
};

using Verses = TVerseList;
using Keys = TKeyArray;

TEST_F(BibleSearchTest, CombinesWordSetsByType) {
  struct Case {
    const char* text;
    int type;
    Verses verses;
  } const cases[] = {
      {"grace peace", 0, {30}},      {"grace peace", 1, {30, 31, 32}},
      {"grace peace", 2, {31, 32}},  {"grace nothere", 1, {30, 31}},
      {"grace nothere", 0, {}},      {"grace", 3, {30, 31}},
      {"  grace   peace ", 0, {30}}, {"grace peace", 4, {}},
      {"grace peace", -1, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Search(c.text, c.type).verses, c.verses) << c.text << " type " << c.type;
}

TEST_F(BibleSearchTest, PhraseCountsAnyOccurrenceBetweenNonLetters) {
  // Verse 3's first "son of man" is glued to "grand"; its second counts.
  // Verse 4's only one runs into "manifold"; verse 5 matches once "," and
  // "." are gone, but not with case.
  EXPECT_EQ(Search("son of man", 3).verses, (Verses{2, 3, 5, kMatthew1_1}));
  EXPECT_EQ(Search("son of man", 3, true).verses, (Verses{2, 3, kMatthew1_1}));
  EXPECT_EQ(Search("son of man", 3, false, true, false, kFirstNewTestamentVerse).verses,
            Verses{kMatthew1_1});
  EXPECT_EQ(Search("everlasting life", 3).verses, Verses{17});  // across "[...]" and ","
  EXPECT_TRUE(Search("lov* and", 3).verses.empty());            // no wildcards in a phrase
  EXPECT_TRUE(Search("son  of man", 3).verses.empty());         // the doubled blank is kept
}

TEST_F(BibleSearchTest, CaseSensitiveWordsNeedTheirCapitalsAsWholeWords) {
  EXPECT_EQ(Search("lord").verses, (Verses{6, 7, 8, kMatthew1_1 + 1}));
  EXPECT_EQ(Search("lord").keys, Keys{"lord"});
  // Verse 7 has only "lord" and "LORDS"; verse 8 "Lord".
  EXPECT_EQ(Search("LORD", 0, true).verses, (Verses{6, kMatthew1_1 + 1}));
  EXPECT_EQ(Search("LORD", 0, true).keys, Keys{"LORD"});
  EXPECT_EQ(Search("lord", 0, true).verses, (Verses{6, 7, 8, kMatthew1_1 + 1}));
}

TEST_F(BibleSearchTest, WildcardsAndSubstringExpandInIndexOrder) {
  struct Case {
    const char* text;
    bool substring;
    Verses verses;
    Keys keys;
  } const cases[] = {
      {"lov*", false, {9, kMatthew1_1}, {"love", "loved", "lovely"}},
      {"*ness", false, {10}, {"ness", "goodness"}},
      {"*ever*", false, {11, 17}, {"ever", "everlasting", "forever"}},
      // "Canaan" ends with "an" although "an" first occurs earlier in it.
      {"*an", false, {2, 3, 5, 12, kMatthew1_1}, {"an", "canaan", "man"}},
      {"ove", true, {9, kMatthew1_1}, {"love", "loved", "lovely"}},
      {"ove", false, {}, {}},
      {"*", false, {}, {}},
  };
  for (const Case& c : cases) {
    const BibleSearchResult r = Search(c.text, 0, false, true, c.substring);
    EXPECT_EQ(r.verses, c.verses) << c.text;
    EXPECT_EQ(r.keys, c.keys) << c.text;
  }
}

TEST_F(BibleSearchTest, ExcludedFootnotesHideWholeWordsOnlyThere) {
  EXPECT_EQ(Search("walked").verses, (Verses{13, 14}));
  EXPECT_EQ(Search("walked", 0, false, false).verses, Verses{14});
  // "slow" stands only in the note; "slowly" in the text is another word.
  EXPECT_EQ(Search("slow").verses, Verses{15});
  EXPECT_TRUE(Search("slow", 0, false, false).verses.empty());
}

TEST_F(BibleSearchTest, StrongsNumbersAreStrictDecimal) {
  EXPECT_EQ(Search("H7225").verses, Verses{1});
  EXPECT_EQ(Search("H7225").keys, Keys{"\x02$1c39"});
  EXPECT_EQ(Search("G26", 0, true).keys, Keys{"\x03$001a"});
  EXPECT_EQ(Search("g0026").verses, Verses{kMatthew1_1});
  EXPECT_EQ(Search("G26", 0, false, true, false, 1, kLastOldTestamentVerse).verses, Verses{});
  for (const char* ordinary : {"G0", "G5625", "H8675", "G+26", "G26a", "G 26", "G$1A",
                               "G99999999999999999999", "G", "X26"}) {
    const BibleSearchResult r = Search(ordinary);
    EXPECT_TRUE(r.verses.empty()) << ordinary;
    EXPECT_TRUE(r.keys.empty()) << ordinary;
  }
}

TEST_F(BibleSearchTest, StrongsFormIsAnOrdinaryWordWithoutStrongs) {
  MemoryFileSystem fs;
  auto plain = Open(fs, false, {{40, "H7225 written out"}, {41, "nothing"}});
  ASSERT_TRUE(plain);
  TKeyArray keys;
  const TKeyLocation set =
      FindWordVerses(*plain, "h7225", true, 1, kVerseCount, false, false, keys);
  EXPECT_EQ(set.Count(), 1);
  EXPECT_TRUE(set.Test(39));
  EXPECT_EQ(keys, Keys{"h7225"});
}

TEST_F(BibleSearchTest, EveryListedWordIsFoundAndKeyedInLowerCase) {
  EXPECT_EQ(Search("\xC9XODO").verses, Verses{16});
  EXPECT_EQ(Search("\xC9XODO").keys, Keys{"\xE9xodo"});
  const PackedStrings& words = bible_->Words();
  ASSERT_GT(words.size(), 30u);
  for (size_t p = 0; p < words.size(); ++p) {
    const std::string word(words[p]);
    for (bool case_sensitive : {false, true}) {
      TKeyArray keys;
      const TKeyLocation set =
          FindWordVerses(*bible_, word, true, 1, kVerseCount, case_sensitive, false, keys);
      EXPECT_GT(set.Count(), 0) << word << " case " << case_sensitive;
      ASSERT_EQ(keys.size(), 1u) << word;
    }
  }
}

TEST_F(BibleSearchTest, PunctuationOnlyTextFindsNothingForEveryType) {
  for (const char* text : {".", ",;.", " . , ; ", ""}) {
    for (int type = 0; type <= 3; ++type) {
      const BibleSearchResult r = Search(text, type);
      EXPECT_TRUE(r.verses.empty()) << '"' << text << "\" type " << type;
      EXPECT_TRUE(r.keys.empty());
    }
  }
  EXPECT_FALSE(IsBlankSearchText("..."));  // the dialog passes it on
  EXPECT_TRUE(IsBlankSearchText(" \t "));
}

TEST_F(BibleSearchTest, RangeIsClampedToTheBible) {
  EXPECT_EQ(Search("grace", 0, false, true, false, -7, 99999).verses, (Verses{30, 31}));
  EXPECT_EQ(Search("grace", 0, false, true, false, 31, 31).verses, Verses{31});
  EXPECT_TRUE(Search("grace", 0, false, true, false, 40, 20).verses.empty());
  EXPECT_TRUE(RunBibleSearch(BibleSearchRequest{}).verses.empty());  // no Bible
}

}  // namespace
}  // namespace lumora
