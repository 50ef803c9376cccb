// ParseReferences on synthetic Bibles with the KJV versification: the
// grammar's consequences, the stop position at every exit, placeholders,
// the pairwise merge, the book keys, the mends, and random input (run under
// the sanitizer build to show that nothing is read outside the text).
#include "core/refs/reference_parser.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <random>

#include "core/modules/bible_header.h"
#include "core/modules/bible_mapping_cache.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_bible.h"
#include "tools/builder/kjv_versification.h"

namespace lumora {
namespace {

// Expected verses come from the versification table, not from a module.
using test::V;
int LastChapter(int b) {
  return static_cast<int>(
      builder::KjvBooks()[static_cast<size_t>(b - 1)].verses_per_chapter.size());
}
int LastVerse(int b, int c) {
  return builder::KjvBooks()[static_cast<size_t>(b - 1)]
      .verses_per_chapter[static_cast<size_t>(c - 1)];
}
TVerseRange One(int b, int c, int v) { return {V(b, c, v), V(b, c, v)}; }
TVerseRange Span(int b, int c, int v, int c2, int v2) { return {V(b, c, v), V(b, c2, v2)}; }
TVerseRange Chapter(int b, int c) { return Span(b, c, 1, c, LastVerse(b, c)); }
TVerseRange Book(int b) { return Span(b, 1, 1, LastChapter(b), LastVerse(b, LastChapter(b))); }

// "43 3:16-43 3:18" for readable failures.
std::string Show(const TVerseRangeList& list) {
  const auto& table = builder::KjvVerseTable();
  auto one = [&](int i) {
    if (i < 1 || i > 31102) return "#" + std::to_string(i);
    const auto& t = table[static_cast<size_t>(i - 1)];
    return std::to_string(t.book) + " " + std::to_string(t.chapter) + ":" + std::to_string(t.verse);
  };
  std::string s;
  for (const TVerseRange& r : list) s += "[" + one(r.first) + " - " + one(r.last) + "] ";
  return s;
}

std::unique_ptr<TLMBibleModule> Open(const std::string& path, const std::string& bytes) {
  EXPECT_TRUE(DefaultFileSystem().WriteFile(path, bytes).ok());
  Result<std::unique_ptr<TLMBibleModule>> opened = TLMBibleModule::Create(path);
  EXPECT_TRUE(opened.ok()) << opened.status().message();
  return opened.ok() ? std::move(opened).value() : nullptr;
}

class ReferenceParserTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    BibleMappingCache::Instance().Clear();
    dir_ = new test::TempFolder;
    bible_ = Open(dir_->File("kjv.lmb"), test::TestBibleBytes("KJV")).release();
  }
  static void TearDownTestSuite() {
    delete bible_;
    delete dir_;
  }
  void SetUp() override { ASSERT_NE(bible_, nullptr); }

  static ParsedReferences Parse(std::string_view text) { return ParseReferences(text, *bible_); }

  static test::TempFolder* dir_;
  static TLMBibleModule* bible_;
};
test::TempFolder* ReferenceParserTest::dir_ = nullptr;
TLMBibleModule* ReferenceParserTest::bible_ = nullptr;

struct Case {
  const char* text;
  TVerseRangeList ranges;
  int stop;
};

// Both ways in: the plain call (lookups in the module) and a held parser
// (lookups in its copy of the verse table).
void ExpectCases(const TLMBibleModule& bible, const std::vector<Case>& cases) {
  const ReferenceParser parser(bible);
  for (const Case& c : cases) {
    for (const ParsedReferences& got : {ParseReferences(c.text, bible), parser.Parse(c.text)}) {
      EXPECT_EQ(Show(got.ranges), Show(c.ranges)) << '"' << c.text << '"';
      EXPECT_EQ(got.stop, c.stop) << '"' << c.text << '"';
    }
  }
}

TEST_F(ReferenceParserTest, WhatTheGrammarAccepts) {
  const std::vector<Case> cases = {
      {"jn", {Book(43)}, 2},
      {"jn 3", {Chapter(43, 3)}, 5},
      {"jn 3:16", {One(43, 3, 16)}, 8},
      {"jn 3.16", {One(43, 3, 16)}, 8},
      {"joh 3:16", {One(43, 3, 16)}, 9},  // the alias target
      {"jn. 3:16", {One(43, 3, 16)}, 9},  // period after the book
      {"JOHN 3:16", {One(43, 3, 16)}, 10},
      {"1jn 1:9", {One(62, 1, 9)}, 8},
      {"1 jn 1:9", {One(62, 1, 9)}, 8},  // digit-blank exchange
      {"jn 3:16-18", {Span(43, 3, 16, 3, 18)}, 11},
      {"jn 3:36-4:2", {Span(43, 3, 36, 4, 2)}, 12},
      {"jn 3:36-4.2", {Span(43, 3, 36, 4, 2)}, 12},
      {"jn 3:36-4:", {Span(43, 3, 36, 4, 54)}, 10},  // ends on the chapter's last verse
      {"jn 3-4", {Span(43, 3, 1, 3, 4)}, 7},         // the number after "-" is a verse
      {"jn 3:", {Chapter(43, 3)}, 5},
      {"jn 3:x", {One(43, 3, 1)}, -1},  // no digits after ":" is verse 1
      {"jn 3 4", {Chapter(43, 3), Chapter(43, 4)}, 7},
      {"jn 3:16; 4:1", {One(43, 3, 16), One(43, 4, 1)}, 13},
      {"jn 3:16, 20", {One(43, 3, 16), One(43, 3, 20)}, 12},
      {"jn 3, 20", {Chapter(43, 3), One(43, 3, 20)}, 9},  // after a comma always a verse
      {"jn 3:16-4:2, 5", {Span(43, 3, 16, 4, 2), One(43, 4, 5)}, 15},
      // Blanks after a listed verse are skipped, so a number after them is a
      // chapter that replaces that verse; at the end they are left alone.
      {"jn 3:16, 17 18", {One(43, 3, 16), Chapter(43, 18)}, 15},
      {"jn 3:16, 17 ", {Span(43, 3, 16, 3, 17)}, 13},
      // Several blanks after a list end at the text's end plus one, never
      // past it (a stop beyond the text sent callers outside it).
      {"jn 3:16, 17   ", {Span(43, 3, 16, 3, 17)}, 15},
      {"jn 3:16,17,18,19   ", {Span(43, 3, 16, 3, 17), Span(43, 3, 18, 3, 19)}, 20},
      {"jn 1:1, 3:16", {One(43, 1, 1), One(43, 1, 16)}, 13},  // "3" is a verse of chapter 1
      {"jn 3:16 ; romans 5:8", {One(43, 3, 16), One(45, 5, 8)}, 21},
      {"jn 3:16, romans 5:8", {One(43, 3, 16), One(45, 5, 8)}, 20},
      {"jn 3:16 romans 5:8", {One(43, 3, 16), One(45, 5, 8)}, 19},
      {"jn 3:16; 1jo 1:9", {One(43, 3, 16), One(62, 1, 9)}, 17},
      // A book name may begin with a digit, after a book, "-" and ",".
      {"genesis 1jo", {Book(1), Book(62)}, 11},
      {"jn 3-1jo 1:9", {Chapter(43, 3), One(62, 1, 9)}, 13},
      {"jn 3:16, 1jo 1:9", {One(43, 3, 16), One(62, 1, 9)}, 17},
      {"genesis exodus", {Book(1), Book(2)}, 14},
      {"genesis 1-exodus 2", {Chapter(1, 1), Chapter(2, 2)}, 19},
      {"genesis 1 - exodus 2", {Chapter(1, 1)}, 11},
      {"jn3:16", {}, 0},  // the book must be followed by a blank
      {"xyz 3:16", {}, 0},
  };
  ExpectCases(*bible_, cases);
}

TEST_F(ReferenceParserTest, NumbersBeyondTheBookClamp) {
  const std::vector<Case> cases = {
      {"jn 99", {One(43, 21, 25)}, 6},
      {"jn 3:99", {One(43, 3, 36)}, 8},
      {"jn 3:16-99", {Span(43, 3, 16, 3, 36)}, 11},
      {"re 22:21-25", {One(66, 22, 21)}, 12},
      {"jude 3", {One(65, 1, 25)}, 7},  // a chapter number, not verse 3
      // A run of digits too long for any integer saturates, and clamps like
      // any other number past the end.
      {"jn 3:99999999999999999999", {One(43, 3, 36)}, 26},
      {"jn 99999999999999999999:1", {One(43, 21, 25)}, 26},
      {"jn 3:16-99999999999999999999", {Span(43, 3, 16, 3, 36)}, 29},
      {"jn 3:16, 99999999999999999999", {One(43, 3, 16), One(43, 3, 36)}, 30},
  };
  ExpectCases(*bible_, cases);
}

TEST_F(ReferenceParserTest, StopPositionAtEveryExit) {
  const std::vector<Case> cases = {
      // BOOK: the text ends.
      {"", {}, 0},
      {"   ", {}, 0},
      {"romans", {Book(45)}, 6},
      {"jn 3:16", {One(43, 3, 16)}, 8},
      // BOOK: a token of one character, without and with a period.
      {"j 3:16", {}, 0},
      {"jn 3:16; x 4", {One(43, 3, 16)}, 9},
      {"x. 3", {}, 0},
      {"jn 3:16; x. 4", {One(43, 3, 16)}, 9},
      // BOOK: no book; the token's length is counted without its period.
      {"see jn 3:16", {}, 0},
      {"jn 3:16 and more", {One(43, 3, 16)}, 8},
      {"jn 3:16 and. more", {One(43, 3, 16)}, 9},
      // PART: a stray character.
      {"jn 3:16!", {One(43, 3, 16)}, 7},
      {"jn 3:16 \x96 18", {One(43, 3, 16)}, 8},  // en dash
      {"jn 3:16\t17", {One(43, 3, 16)}, 7},
      // PART: the text ends right after ":", "-" or ",".
      {"jn 3:16-", {One(43, 3, 16)}, 8},
      {"jn 3:16-4:", {Span(43, 3, 16, 4, 54)}, 10},
      {"jn 3:16,", {One(43, 3, 16)}, 8},
      {"John 3:16.", {One(43, 3, 16)}, 10},
      // PART: no digits where a number must follow.
      {"jn 3:16-x", {One(43, 3, 16)}, 8},
      {"jn 3:16,x", {One(43, 3, 16)}, 8},
      {"jn 3:16, ", {One(43, 3, 16)}, 10},  // reads past the end see a blank
      {"jn 3:16,   ", {One(43, 3, 16)}, 12},
      // PART: a lone letter after a reference.
      {"jn 3:16a", {One(43, 3, 16)}, -1},
      {"jn 3:16-17a", {Span(43, 3, 16, 3, 17)}, -1},
      {"jn 3 a", {Chapter(43, 3)}, -1},
  };
  ExpectCases(*bible_, cases);
}

TEST_F(ReferenceParserTest, FollowingWordsAreTriedAsBooks) {
  // "is" is a prefix of Isaiah's "Isa": the whole book joins the list.
  const std::vector<Case> cases = {
      {"jn 3:16 is good", {One(43, 3, 16), Book(23)}, 11},
      {"jn 3:16 job", {One(43, 3, 16), Book(18)}, 11},
  };
  ExpectCases(*bible_, cases);
}

// Words after a reference that begin a long title but are no title and no
// short-title prefix are words: the reference ends before them. A long
// title ("job") and a short-title prefix ("am", "joe") still name a book.
TEST_F(ReferenceParserTest, TrailingWordsThatBeginALongTitle) {
  const struct {
    const char* word;
    int book;  // 0: the reference ends before the word
  } kWords[] = {{"son", 0}, {"act", 0}, {"number", 0}, {"gen", 0},  {"dan", 0}, {"mar", 0},
                {"pro", 0}, {"lam", 0}, {"rev", 0},    {"job", 18}, {"am", 30}, {"joe", 29}};
  for (const auto& w : kWords) {
    const std::string word = w.word;
    const int end = 8 + static_cast<int>(word.size());  // "jn 3:16 " and the word
    const std::string texts[] = {"jn 3:16 " + word, "jn 3:16 " + word + " of man",
                                 "jn 3:16 " + word + ". of man"};
    const std::vector<Case> cases =
        w.book == 0
            ? std::vector<Case>{{texts[0].c_str(), {One(43, 3, 16)}, 8},
                                {texts[1].c_str(), {One(43, 3, 16)}, 8},
                                {texts[2].c_str(), {One(43, 3, 16)}, 9}}
            : std::vector<Case>{{texts[0].c_str(), {One(43, 3, 16), Book(w.book)}, end},
                                {texts[1].c_str(), {One(43, 3, 16), Book(w.book)}, end + 1},
                                {texts[2].c_str(), {One(43, 3, 16), Book(w.book)}, end + 2}};
    ExpectCases(*bible_, cases);
  }
}

// Beginnings of full names count where a chapter number follows, after
// blanks or the token's period.
TEST_F(ReferenceParserTest, BeginningsOfNamesBeforeAChapter) {
  const std::vector<Case> cases = {
      {"rom 5:8", {One(45, 5, 8)}, 8},
      {"rom. 5:8", {One(45, 5, 8)}, 9},
      {"rom   5:8", {Book(45), One(45, 5, 8)}, 10},  // as "romans   5:8" reads
      {"jn 3:16 rom 5:8", {One(43, 3, 16), One(45, 5, 8)}, 16},
      {"jn 3:16; matt 5:3", {One(43, 3, 16), One(40, 5, 3)}, 18},
      {"jn 3:16, gen 1:1", {One(43, 3, 16), One(1, 1, 1)}, 17},
      {"jn 3-number 2", {Chapter(43, 3), Chapter(4, 2)}, 14},
      {"rom", {}, 0},
      {"rom of", {}, 0},
      {"romans", {Book(45)}, 6},  // whole names need nothing after them
      {"songofsolomon", {Book(22)}, 13},
  };
  ExpectCases(*bible_, cases);
}

TEST_F(ReferenceParserTest, PlaceholdersAreFilledOrDropped) {
  const std::vector<Case> cases = {
      {"jn 3;", {Chapter(43, 3)}, 6},
      {"jn 3; ", {Chapter(43, 3)}, 7},
      {"jn 3 ;", {Chapter(43, 3)}, 7},
      {"jn 3;; 4", {Chapter(43, 3), Chapter(43, 4)}, 9},
      {"jn 3 ; 4", {Chapter(43, 3), Chapter(43, 4)}, 9},
      {"jn 3; romans", {Chapter(43, 3), Book(45)}, 12},
      {"jn 3; :5", {Chapter(43, 3), One(43, 3, 5)}, 9},
      {"jn 3; -5", {Chapter(43, 3)}, 9},  // a range end alone never completes one
  };
  ExpectCases(*bible_, cases);
}

TEST_F(ReferenceParserTest, SingleVersesMergePairwise) {
  const std::vector<Case> cases = {
      {"jn 3:16,17", {Span(43, 3, 16, 3, 17)}, 11},
      {"jn 3:16,17,18", {Span(43, 3, 16, 3, 17), One(43, 3, 18)}, 14},
      {"jn 3:16,17,18,19", {Span(43, 3, 16, 3, 17), Span(43, 3, 18, 3, 19)}, 17},
      {"jn 3:16-17, 18", {Span(43, 3, 16, 3, 17), One(43, 3, 18)}, 15},
      {"jn 3:16,16", {One(43, 3, 16), One(43, 3, 16)}, 11},
      {"jn 3:17,16", {One(43, 3, 17), One(43, 3, 16)}, 11},
      {"jn 3:16; 3:17", {Span(43, 3, 16, 3, 17)}, 14},
      // True ranges neither merge nor start a merge.
      {"jn 3:16; 3:17-18", {One(43, 3, 16), Span(43, 3, 17, 3, 18)}, 17},
      {"jn 3:16-20, 17", {Span(43, 3, 16, 3, 20), One(43, 3, 17)}, 15},
      // Indexes, not books, decide: the last verse of John and the first of
      // Acts become one range.
      {"jn 21:25; acts 1:1", {{V(43, 21, 25), V(44, 1, 1)}}, 19},
      {"jn 3:18-16", {{V(43, 3, 18), V(43, 3, 16)}}, 11},  // stays as typed
  };
  ExpectCases(*bible_, cases);
}

TEST_F(ReferenceParserTest, AliasesReachTheirBooks) {
  const struct {
    const char* typed;
    int book;
  } kAliases[] = {{"mk", 41},  {"dt", 5},   {"jn", 43},  {"jdg", 7},  {"ca", 22},
                  {"1jn", 62}, {"2jn", 63}, {"3jn", 64}, {"sos", 22}, {"mtt", 40}};
  for (const auto& a : kAliases) {
    const ParsedReferences got = Parse(std::string(a.typed) + " 1:1");
    EXPECT_EQ(Show(got.ranges), Show({One(a.book, 1, 1)})) << a.typed;
  }
  // Whole tokens only: "jna" is no alias and no book.
  EXPECT_TRUE(Parse("jna 1:1").ranges.empty());
}

TEST_F(ReferenceParserTest, BookKeysFromTheKjvTitles) {
  const BookKeys keys(*bible_);
  const struct {
    const char* token;
    int book;
  } kKeys[] = {
      {"genesis", 1},
      {"ge", 1},
      {"psalms", 19},
      {"ps", 19},
      {"isa", 23},
      {"is", 23},
      {"jo", 6},  // Joshua's "jos" comes before Job and John
      {"ph", 50},
      {"1jo", 62},
      {"1j", 62},
      {"so", 22},
      {"jude", 65},
      {"1john", 62},
      {"1corinthians", 46},
      {"songofsolomon", 22},  // long titles without blanks
      // Beginnings of the full names, three characters or more.
      {"gen", 1},
      {"rom", 45},
      {"psalm", 19},
      {"song", 22},
      {"1sam", 9},
      {"matt", 40},
      {"phil", 50},  // Philippians comes before Philemon
      {"phile", 57},
      {"ro", 45},    // two characters: short titles only
      {"gn", 0},
      {"1 jo", 0},
      {"g", 0},
      {"", 0},
      {"song of solomon", 0},
  };
  for (const auto& k : kKeys) EXPECT_EQ(keys.Find(k.token), k.book) << k.token;
  // Without a chapter number after them, beginnings of names are words.
  const struct {
    const char* token;
    int book;
  } kWords[] = {{"gen", 0},     {"rom", 0}, {"psalm", 0},  {"song", 0},
                {"genesis", 1}, {"ge", 1},  {"1john", 62}, {"songofsolomon", 22},
                {"is", 23},     {"1j", 62}, {"phile", 0}};
  for (const auto& k : kWords)
    EXPECT_EQ(keys.Find(k.token, BookKeys::NumberFollows::kNo), k.book) << k.token;
}

TEST_F(ReferenceParserTest, LongTitlesWithTheirBlanks) {
  const BookKeys keys(*bible_);
  const struct {
    const char* text;
    int book;
    size_t length;
  } kTitles[] = {
      {"song of solomon 2:1", 22, 15},
      {"song   of  solomon ", 22, 18},
      {"song of solomon. 2", 22, 16},
      {"1 corinthians 13 ", 46, 13},
      {"1  john ", 62, 7},
      {"song of solomons ", 0, 0},  // the last word whole
      {"song of solomon", 0, 0},    // the prepared text always ends in a blank
      {"songof solomon ", 0, 0},
      {"song solomon ", 0, 0},
      {"genesis 1 ", 0, 0},  // titles without blanks are single tokens
      {"", 0, 0},
  };
  for (const auto& t : kTitles) {
    size_t length = 99;
    EXPECT_EQ(keys.FindTitleAt(t.text, length), t.book) << t.text;
    EXPECT_EQ(length, t.length) << t.text;
  }
  const std::vector<Case> cases = {
      {"Song of Solomon 2:1", {One(22, 2, 1)}, 20},
      {"song of solomon 2", {Chapter(22, 2)}, 18},
      {"SONG OF SOLOMON", {Book(22)}, 15},
      {"Song of Solomon. 2:1-3", {Span(22, 2, 1, 2, 3)}, 23},
      {"1 Corinthians 13:4-7", {Span(46, 13, 4, 13, 7)}, 20},
      {"1  Corinthians 13:4-7", {Span(46, 13, 4, 13, 7)}, 21},  // the exchange moves one blank
      {"jn 3:16; song of solomon 2:1", {One(43, 3, 16), One(22, 2, 1)}, 29},
      {"jn 3:16 song of songs", {One(43, 3, 16)}, 8},
      {"jn 3:16 song of solomon's", {One(43, 3, 16)}, 8},
  };
  ExpectCases(*bible_, cases);
}

// Titles chosen so that the order of the key kinds and "first book wins"
// decide the answers.
TEST(BookKeysOrder, LongTitlesThenShortPrefixesThenJoinedTitles) {
  builder::BibleSource source = test::MakeTestBible("ODD", false);
  for (const auto& b : builder::KjvBooks()) {
    source.short_titles.push_back(b.short_title);
    source.long_titles.push_back(b.long_title);
  }
  source.short_titles[0] = "Exodusian";  // book 1's short key starts with book 2's long title
  source.long_titles[2] = "Ab Cd";       // joined "abcd" ...
  source.short_titles[9] = "Abcde";      // ... is also a prefix of book 10's short title
  source.short_titles[3] = "A B C";      // only the first blank goes: key "ab c"
  source.long_titles[4] = "\xC9xodo";    // upper-case E acute stays as it is
  test::TempFolder dir;
  BibleMappingCache::Instance().Clear();
  const Result<std::string> bytes = builder::BuildBibleModule(source);
  ASSERT_TRUE(bytes.ok()) << bytes.status().message();
  std::unique_ptr<TLMBibleModule> bible = Open(dir.File("odd.lmb"), *bytes);
  ASSERT_NE(bible, nullptr);
  const BookKeys keys(*bible);
  EXPECT_EQ(keys.Find("exodus"), 2);
  EXPECT_EQ(keys.Find("exo"), 1);
  EXPECT_EQ(keys.Find("abcd"), 10);  // the joined long title of book 3 comes last
  EXPECT_EQ(keys.Find("ab"), 4);
  EXPECT_EQ(keys.Find("abc"), 10);
  EXPECT_EQ(keys.Find("\xC9xodo"), 5);
  EXPECT_EQ(keys.Find("\xE9xodo"), 0);
  // The parser lower-cases A-Z only, like the keys.
  EXPECT_EQ(Show(ParseReferences("\xC9XODO 2:1", *bible).ranges), Show({One(5, 2, 1)}));
}

TEST_F(ReferenceParserTest, FullNamesWithoutBlanks) {
  const std::vector<Case> cases = {
      {"1 John 1:9", {One(62, 1, 9)}, 10},
      {"1john 1:9", {One(62, 1, 9)}, 10},
      {"songofsolomon 2:1", {One(22, 2, 1)}, 18},
      {"SongOfSolomon 2:1-3", {Span(22, 2, 1, 2, 3)}, 20},
      {"2 Corinthians 5:17", {One(47, 5, 17)}, 18},
      {"song of solomon 2:1", {One(22, 2, 1)}, 20},
  };
  ExpectCases(*bible_, cases);
}

TEST_F(ReferenceParserTest, LeadingBlanksGoBeforeTheDigitBlankExchange) {
  for (const char* text : {" 1 jn 1:9", "   1 jn 1:9", "\t 1 jn 1:9", "\r\n1 jn 1:9"}) {
    const ParsedReferences got = Parse(text);
    EXPECT_EQ(Show(got.ranges), Show({One(62, 1, 9)})) << text;
    EXPECT_EQ(got.stop, 8) << text;
    // The blank that the exchange moved to the front goes as well.
    EXPECT_EQ(got.skipped, static_cast<int>(std::string_view(text).find('1')) + 1) << text;
  }
  // The exchange needs three characters, and only a single blank moves.
  EXPECT_EQ(Parse("1 ").ranges.size(), 0u);
  EXPECT_EQ(Parse("1 ").skipped, 0);
  EXPECT_TRUE(Parse("1  jn 1:9").ranges.empty());
}

TEST_F(ReferenceParserTest, StopAndSkippedLocateTheRestOfTheText) {
  const std::string text = "  jn 3:16 is not Greek";
  const ParsedReferences got = Parse(text);
  EXPECT_EQ(Show(got.ranges), Show({One(43, 3, 16), Book(23)}));
  EXPECT_EQ(text.substr(static_cast<size_t>(got.skipped + got.stop)), "not Greek");
}

TEST_F(ReferenceParserTest, FastLookupsAgreeWithTheModule) {
  const ReferenceParser parser(*bible_);
  std::vector<int> odd = {0, 254, 255, 256, 1000, INT_MAX};
  for (int b = 0; b <= 67; ++b) {
    const int chapters = b >= 1 && b <= 66 ? LastChapter(b) : 3;
    std::vector<int> cs = odd;
    for (int c = 1; c <= chapters + 1; ++c) cs.push_back(c);
    for (const int c : cs) {
      const int verses = b >= 1 && b <= 66 && c >= 1 && c <= chapters ? LastVerse(b, c) : 3;
      std::vector<int> vs = odd;
      for (int v : {1, 2, verses - 1, verses, verses + 1}) vs.push_back(v);
      for (const int v : vs) {
        const int expected = bible_->LocateVerse(b, c, v);
        ASSERT_EQ(FastLocateVerse(*bible_, b, c, v), expected) << b << ' ' << c << ' ' << v;
        ASSERT_EQ(parser.LocateVerse(b, c, v), expected) << b << ' ' << c << ' ' << v;
      }
    }
  }
}

// Random text over the grammar's characters, book names and any byte. The
// text lives in a buffer of exactly its size, so the sanitizer build catches
// any read outside it.
TEST_F(ReferenceParserTest, RandomInputStaysInBounds) {
  std::mt19937 rng(20240607);
  static const char* const kPieces[] = {
      "jn", "1 jn", " ",   "  ", ":",           ".",  "-",        ",",  ";",
      "3",  "16",   "9",   "0",  "99999999999", "a",  "romans",   "ge", "x",
      "\t", "\x96", "1jo", "is", "re",          "22", "-exodus ", ", 5"};
  const ReferenceParser parser(*bible_);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const int pieces = static_cast<int>(rng() % 12);
    for (int i = 0; i < pieces; ++i) {
      if (rng() % 5 == 0)
        text += static_cast<char>(rng() % 256);
      else
        text += kPieces[rng() % std::size(kPieces)];
    }
    auto buffer = std::make_unique<char[]>(text.size() + 1);  // never empty for make_unique
    std::copy(text.begin(), text.end(), buffer.get());
    const std::string_view view(buffer.get(), text.size());
    const ParsedReferences got = parser.Parse(view);
    for (const TVerseRange& r : got.ranges) {
      ASSERT_TRUE(r.first >= 1 && r.first <= 31102 && r.last >= 1 && r.last <= 31102)
          << text << " -> " << Show(got.ranges);
    }
    ASSERT_GE(got.skipped, 0) << text;
    ASSERT_LE(got.skipped, static_cast<int>(text.size())) << text;
    ASSERT_GE(got.stop, -1) << text;
    ASSERT_LE(got.stop, static_cast<int>(text.size()) - got.skipped + 1) << text;
    const ParsedReferences plain = ParseReferences(view, *bible_);
    ASSERT_EQ(plain.ranges, got.ranges) << text;
    ASSERT_EQ(plain.stop, got.stop) << text;
  }
}

// A verse table out of canonical order (a damaged file): the fast lookups
// may disagree with the module's scan, but they agree with each other, every
// answer is a verse, and parsing survives.
TEST(FastLocateVerseDamaged, UnorderedTableStillGivesVerses) {
  std::string bytes = test::TestBibleBytes("KJV");
  ASSERT_FALSE(bytes.empty());
  const BibleHeader h = BibleHeader::DecodeFrom(reinterpret_cast<const uint8_t*>(bytes.data()));
  std::mt19937 rng(7);
  for (int k = 0; k < 3000; ++k) {
    const size_t record = h.verse_table + (rng() % 31102) * kBibleVerseRecordSize;
    bytes[record + 6 + rng() % 3] = static_cast<char>(rng() % 256);
  }
  test::TempFolder dir;
  BibleMappingCache::Instance().Clear();
  std::unique_ptr<TLMBibleModule> bible = Open(dir.File("damaged.lmb"), bytes);
  ASSERT_NE(bible, nullptr);
  const ReferenceParser parser(*bible);
  for (int b = 0; b <= 67; ++b)
    for (int c : {0, 1, 2, 7, 50, 255})
      for (int v : {0, 1, 9, 255}) {
        const int i = FastLocateVerse(*bible, b, c, v);
        ASSERT_TRUE(i >= 1 && i <= 31102) << b << ' ' << c << ' ' << v;
        ASSERT_EQ(parser.LocateVerse(b, c, v), i) << b << ' ' << c << ' ' << v;
      }
  for (const char* text : {"jn 3:16-18; romans 5:8, 10", "re 22:21", "ge 1-exodus 2", "ps 119"})
    for (const TVerseRange& r : ParseReferences(text, *bible).ranges)
      EXPECT_TRUE(r.first >= 1 && r.first <= 31102 && r.last >= 1 && r.last <= 31102) << text;
}

}  // namespace
}  // namespace lumora
