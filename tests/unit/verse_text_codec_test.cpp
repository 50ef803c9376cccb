#include "core/modules/verse_text_codec.h"

#include <gtest/gtest.h>

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
}

}  // namespace
}  // namespace lumora
