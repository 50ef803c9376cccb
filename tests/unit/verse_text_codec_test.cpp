#include "core/modules/verse_text_codec.h"

#include <gtest/gtest.h>

#include <random>

namespace lumora {
namespace {

PackedStrings Words(std::initializer_list<std::string_view> words) {
  PackedStrings packed;
  for (std::string_view w : words) packed.Append(w);
  return packed;
}

const PackedStrings kWords = Words({"beginning", "created", "God"});

TEST(WordCodes, ExpandOneAndTwoDigitCodes) {
  EXPECT_EQ(ExpandWordCodes("In the \x04" "0 \x04" "2 \x05" "01 it", kWords),
            "In the beginning God created it");
}

TEST(WordCodes, InsertedWordsAreNotScannedAgain) {
  const PackedStrings words = Words({"\x04" "1", "X"});
  EXPECT_EQ(ExpandWordCodes("\x04" "0", words), std::string("\x04") + "1");
}

TEST(WordCodes, IncompleteOrInvalidCodesStayAsTheyAre) {
  EXPECT_EQ(ExpandWordCodes("end\x04", kWords), "end\x04");           // no digit
  EXPECT_EQ(ExpandWordCodes("a\x05" "0", kWords), "a\x05" "0");       // one of two digits
  EXPECT_EQ(ExpandWordCodes("a\x04" "9", kWords), "a\x04" "9");       // position 9 > list
  EXPECT_EQ(ExpandWordCodes("a\x04\x01", kWords), "a\x04\x01");       // not a digit
  EXPECT_EQ(ExpandWordCodes("\x05\xFC\xFC", kWords), "\x05\xFC\xFC"); // far past the list
}

// The limit that keeps a damaged Bible from expanding one verse to gigabytes
// (BibleCorruptionTest.WordCodesOfAHugeWordGiveErrorText).
TEST(WordCodes, ExpansionStopsAtTheLimit) {
  const PackedStrings words = Words({"abcd", "x"});
  EXPECT_EQ(ExpandWordCodes("\x04" "0\x04" "0", words, 8), "abcdabcd");
  EXPECT_EQ(ExpandWordCodes("\x04" "0\x04" "0", words, 7), std::nullopt);
  EXPECT_EQ(ExpandWordCodes("\x04" "1123", words, 4), "x123");
  EXPECT_EQ(ExpandWordCodes("\x04" "11234", words, 4), std::nullopt);
  // The one-pass decoder every verse read takes keeps the same limit.
  const VerseWordTable table(&words);
  for (StrongsTokens tokens : {StrongsTokens::kKeep, StrongsTokens::kRemove}) {
    EXPECT_EQ(DecodeVerseText("\x04" "0\x04" "0", table, tokens, 8), "abcdabcd");
    EXPECT_EQ(DecodeVerseText("\x04" "0\x04" "0", table, tokens, 7), std::nullopt);
    EXPECT_EQ(DecodeVerseText("\x04" "11234", table, tokens, 4), std::nullopt);
  }
}

TEST(StrongsTokens, WrittenOutAsDollarAndFourHexDigits) {
  // 0 x 205 + 49 = 49 = 0x31
  EXPECT_EQ(WriteOutStrongs("God\x03" "0a so"), "God\x03$0031 so");
  EXPECT_EQ(RemoveStrongs("God\x03" "0a so"), "God so");
  EXPECT_EQ(WriteOutStrongs("In\x02\x44\xEB"), "In\x02$10bf");  // 20 x 205 + 187 = 4287
}

TEST(StrongsTokens, IncompleteTokensAreLeft) {
  EXPECT_EQ(RemoveStrongs("word\x03"), "word\x03");
  EXPECT_EQ(RemoveStrongs("word\x03" "0"), "word\x03" "0");
  EXPECT_EQ(WriteOutStrongs("word\x02" "0"), "word\x02" "0");
  EXPECT_EQ(WriteOutStrongs("x\x02\x01\x01"), "x\x02\x01\x01");
}

TEST(Footnotes, RemovedWithTheOneBlankAfterThem) {
  EXPECT_EQ(RemoveFootnotes("perish, {Or, be lost} but have"), "perish, but have");
  EXPECT_EQ(RemoveFootnotes("a{1}b{2} c"), "abc");
  EXPECT_EQ(RemoveFootnotes("end{note}"), "end");
  EXPECT_EQ(RemoveFootnotes("no notes"), "no notes");
}

TEST(Footnotes, ByteAfterTheNoteIsRemovedOnlyWhenBlank) {
  EXPECT_EQ(RemoveFootnotes("word{note}, next"), "word, next");
  EXPECT_EQ(RemoveFootnotes("word{note}."), "word.");
}

TEST(Footnotes, UnclosedNoteCutsTheTextBeforeTheBrace) {
  EXPECT_EQ(RemoveFootnotes("some text {never closed"), "some text ");
  EXPECT_EQ(RemoveFootnotes("a {x} b {y"), "a b ");
  EXPECT_EQ(RemoveFootnotes("{x} {y}z {"), "z ");
}

// The one-pass decoder against the passes one after the other, on random
// texts made of the bytes that matter: word codes with good and bad digits,
// Strong's markers, digits, braces, blanks. Also with words that hold
// markers and digits themselves, where only the passes can tell.
TEST(VerseTextDecoding, OnePassEqualsThePassesInTurn) {
  // Words 7 to 9 fill a slot exactly, or are too long for one.
  const std::string fifteen(15, 'f'), sixteen(16, 's');
  const PackedStrings plain = Words({"In", "the", "beginning", "God", "created", "0a", "x",
                                     fifteen, sixteen, "longer than any slot"});
  const PackedStrings odd = Words({"in\x03", "\x02" "0", "ab", "\x03" "00"});
  const char alphabet[] = {'\x02', '\x03', '\x04', '\x05', '0', '1', 'a', '\xFC', '\x01',
                           '{',    '}',    ' ',    'G',    '7',    '8',    '9'};
  std::mt19937 rng(16);
  for (int round = 0; round < 24000; ++round) {
    // Short texts of the bytes that matter, and long ones of runs of plain
    // bytes between them, where codes fall on both sides of every 16- and
    // 64-byte boundary the decoder works in.
    const bool long_text = round % 4 == 0;
    std::string raw(long_text ? rng() % 300 : rng() % 12, ' ');
    for (char& c : raw)
      c = long_text && rng() % 4 != 0 ? "plain text "[rng() % 11] : alphabet[rng() % sizeof alphabet];
    for (const PackedStrings* words : {&plain, &odd}) {
      const std::string expanded = ExpandWordCodes(raw, *words).value();
      const VerseWordTable table(words);
      ASSERT_EQ(table.holds_strongs_bytes(), words == &odd);
      ASSERT_EQ(DecodeVerseText(raw, table, StrongsTokens::kKeep), expanded);
      ASSERT_EQ(DecodeVerseText(raw, table, StrongsTokens::kRemove), RemoveStrongs(expanded));
      ASSERT_EQ(DecodeVerseText(raw, table, StrongsTokens::kWriteOut), WriteOutStrongs(expanded));
    }
  }
  // Long words ten times the length of their codes, far past the buffer a
  // thread keeps between verses: the decoder grows it as it writes.
  std::string many;
  for (int k = 0; k < 60000; ++k) many += "\x04" "9";
  EXPECT_EQ(DecodeVerseText(many, VerseWordTable(&plain), StrongsTokens::kRemove),
            ExpandWordCodes(many, plain));
  // A marker whose digits are a word: the word supplies them.
  EXPECT_EQ(DecodeVerseText("x\x03\x04" "5", VerseWordTable(&plain), StrongsTokens::kRemove), "x");
}

}  // namespace
}  // namespace lumora
