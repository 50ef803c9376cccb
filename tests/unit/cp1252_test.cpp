#include "core/text/cp1252.h"

#include <gtest/gtest.h>

namespace lumora::cp1252 {
namespace {

TEST(Cp1252Case, UpperCasesAsciiAndAccentedLettersOnly) {
  EXPECT_EQ(Upper('a'), 'A');
  EXPECT_EQ(Upper('z'), 'Z');
  EXPECT_EQ(Upper(0xE9), 0xC9);  // e acute
  EXPECT_EQ(Upper(0xF1), 0xD1);  // n tilde
  EXPECT_EQ(Upper(0x9A), 0x8A);  // s caron
  EXPECT_EQ(Upper(0xFF), 0x9F);  // y diaeresis
  EXPECT_EQ(Upper(0xF7), 0xF7);  // division sign is no letter
  EXPECT_EQ(Upper(0xDF), 0xDF);  // sharp s has no single capital
  EXPECT_EQ(Upper('['), '[');
  EXPECT_EQ(Upper(0x02), 0x02);
}

TEST(Cp1252Case, CompareNoCaseIsATotalOrderIgnoringCase) {
  EXPECT_EQ(CompareNoCase("lord", "LORD"), 0);
  EXPECT_LT(CompareNoCase("abc", "abd"), 0);
  EXPECT_LT(CompareNoCase("ab", "abc"), 0);
  EXPECT_GT(CompareNoCase("b", "A"), 0);
  EXPECT_EQ(CompareNoCase("\xE9t\xE9", "\xC9T\xC9"), 0);  // été / ÉTÉ
  // Bytes compare unsigned: accented letters sort after ASCII.
  EXPECT_LT(CompareNoCase("z", "\xE9"), 0);
  EXPECT_TRUE(LessNoCaseThenBytes("God", "god"));
  EXPECT_FALSE(LessNoCaseThenBytes("god", "God"));
  EXPECT_TRUE(EqualNoCase("KJV", "kjv"));
  EXPECT_FALSE(EqualNoCase("KJV", "KJVSL"));
}

TEST(Cp1252Utf8, RoundTripsEveryDefinedByte) {
  for (int b = 1; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(FromUtf8(ToUtf8(one)), one) << "byte " << b;
  }
}

TEST(Cp1252Utf8, SpanishAccentsSurvive) {
  EXPECT_EQ(FromUtf8("am\xC3\xB3 \xC3\xA1 \xC3\xA9l unig\xC3\xA9nito \xC3\x91"),
            "am\xF3 \xE1 \xE9l unig\xE9nito \xD1");
}

TEST(Cp1252Utf8, UnrepresentableCharactersGetStandInsNotDrops) {
  EXPECT_EQ(FromUtf8("\xE2\x80\x94"), "\x97");        // em dash exists in 1252
  EXPECT_EQ(FromUtf8("a\xE2\x80\x90" "b"), "a-b");     // hyphen U+2010
  EXPECT_EQ(FromUtf8("\xC4\x81"), "a");                // a macron
  EXPECT_EQ(FromUtf8("\xC5\x82\xC3\xB3" "d\xC5\xBA"), "l\xF3" "dz");  // lodz
  EXPECT_EQ(FromUtf8("e\xCC\x81"), "e");               // combining acute dropped, letter kept
  EXPECT_EQ(FromUtf8("\xD7\x90"), "?");                // Hebrew alef: visible stand-in
  EXPECT_EQ(FromUtf8("\xE1\xB8\xA5"), "h");            // h dot below
  // The ayin mark of the Hebrew lexicon ("\xE2\x80\x9B\xC3\xA2\xC5\x9B\xC3\xA2h") and its kin
  // read as the opening quotation mark, not "?".
  EXPECT_EQ(FromUtf8("\xE2\x80\x9B\xC3\xA2\xC5\x9B\xC3\xA2h"), "\x91\xE2s\xE2h");
  EXPECT_EQ(FromUtf8("r\xC3\xA2q\xC3\xAEya\xE2\x80\x9B"), "r\xE2q\xEEya\x91");
  EXPECT_EQ(FromUtf8("\xE2\x80\x9F\xCA\xBB\xCA\xBF\xCA\xBE"), "\x93\x91\x91\x92");
  EXPECT_EQ(StandInFor(0x201B), "\x91");
  EXPECT_EQ(StandInFor(0x0301), "");
  EXPECT_EQ(StandInFor(0x05D0), "?");
}

TEST(Cp1252Utf8, MalformedUtf8NeverReadsPastTheEnd) {
  EXPECT_EQ(FromUtf8("\xC3"), "?");
  EXPECT_EQ(FromUtf8("\xE2\x80"), "??");
  EXPECT_EQ(FromUtf8("\xFF" "a"), "?a");
  EXPECT_EQ(FromUtf8("\xC3" "a"), "?a");
}

TEST(Cp1252Letters, ClassifiesLetters) {
  EXPECT_TRUE(IsLetter('a'));
  EXPECT_TRUE(IsLetter(0xE9));
  EXPECT_TRUE(IsLetter(0x8A));
  EXPECT_FALSE(IsLetter(0xD7));
  EXPECT_FALSE(IsLetter('1'));
  EXPECT_FALSE(IsLetter(' '));
}

}  // namespace
}  // namespace lumora::cp1252
