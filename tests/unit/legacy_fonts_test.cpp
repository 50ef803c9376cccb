#include "core/text/legacy_fonts.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "core/text/utf8.h"

namespace lumora {
namespace {

std::string Utf8(std::u32string_view text) {
  std::string out;
  for (const char32_t cp : text) AppendUtf8(out, cp);
  return out;
}

std::string Greek(std::u32string_view text) {
  return EncodeLegacyFont(LegacyFont::kSymbolGreek, Utf8(text)).bytes;
}
std::string Hebrew(std::u32string_view text) {
  return EncodeLegacyFont(LegacyFont::kBasicHebrew, Utf8(text)).bytes;
}

bool IsMarkupByte(unsigned char b) {
  return b < 32 || std::string_view("<>&[]{}").find(static_cast<char>(b)) != std::string_view::npos;
}

TEST(SymbolGreek, FollowsTheSymbolFontLayout) {
  EXPECT_EQ(Greek(U"αβγδεζηθικλμνξοπρστυφχψω"), "abgdezhqiklmnxoprstufcyw");
  EXPECT_EQ(Greek(U"ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ"), "ABGDEZHQIKLMNXOPRSTUFCYW");
  EXPECT_EQ(Greek(U"ς"), "V");  // final sigma has its own letter
  EXPECT_EQ(Greek(U"ϑϕϖ"), "Jjv");
  EXPECT_EQ(LegacyFontCodePoint(LegacyFont::kSymbolGreek, 'a'), U'α');
  EXPECT_EQ(LegacyFontCodePoint(LegacyFont::kSymbolGreek, 'V'), U'ς');
  EXPECT_EQ(LegacyFontCodePoint(LegacyFont::kSymbolGreek, 0x2D), U'\u2212');  // minus
}

TEST(SymbolGreek, DropsAccentsBreathingsAndSubscripts) {
  EXPECT_EQ(Greek(U"ἀγάπη"), "agaph");
  EXPECT_EQ(Greek(U"Ἀαρών"), "Aarwn");
  EXPECT_EQ(Greek(U"ᾧ ῥῆμα Ἅιδης ὁ"), "w rhma AidhV o");
  EXPECT_EQ(Greek(U"ΐ ΰ ϊ"), "i u i");
  // Combining marks are counted as dropped; precomposed letters fold.
  const LegacyEncoding combining =
      EncodeLegacyFont(LegacyFont::kSymbolGreek, Utf8(U"α\u0301\u0313β"));
  EXPECT_EQ(combining.bytes, "ab");
  EXPECT_EQ(combining.dropped, 2u);
  EXPECT_EQ(Greek(U"τί;"), "ti;");
  EXPECT_EQ(Greek(U"τί\u037E"), "ti;");  // Greek question mark
}

TEST(SymbolGreek, LatinLettersHaveNoByte) {
  // In the Symbol font "a" is alpha: a Latin letter must never pass as one.
  const LegacyEncoding e = EncodeLegacyFont(LegacyFont::kSymbolGreek, "logos");
  EXPECT_EQ(e.bytes, "");
  EXPECT_EQ(e.dropped, 5u);
}

TEST(BasicHebrew, LettersInAlphabeticalOrderFromE0) {
  EXPECT_EQ(Hebrew(U"אבגדהוזחטיךכלםמןנסעףפץצקרשת"),
            "\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"
            "\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF7\xF8\xF9\xFA");
  EXPECT_EQ(LegacyFontCodePoint(LegacyFont::kBasicHebrew, 0xE0), U'א');
  EXPECT_EQ(LegacyFontCodePoint(LegacyFont::kBasicHebrew, 0xFA), U'ת');
  EXPECT_EQ(LegacyFontCodePoint(LegacyFont::kBasicHebrew, 0xFB), 0u);
}

TEST(BasicHebrew, KeepsConsonantsOnlyInLogicalOrder) {
  // bereshit with vowel points, dagesh and shin dot: six consonants remain,
  // first letter first.
  const LegacyEncoding e = EncodeLegacyFont(LegacyFont::kBasicHebrew, Utf8(U"בְּרֵאשִׁית"));
  EXPECT_EQ(e.bytes, "\xE1\xF8\xE0\xF9\xE9\xFA");
  EXPECT_EQ(e.dropped, 5u);
  EXPECT_EQ(Hebrew(U"בֵּית־אֵל"), "\xE1\xE9\xFA-\xE0\xEC");  // maqaf
  EXPECT_EQ(Hebrew(U"\uFB2A\uFB31"), "\xF9\xE1");         // presentation forms fold
  EXPECT_EQ(DecodeLegacyFont(LegacyFont::kBasicHebrew, "\xE1\xF8\xE0\xF9\xE9\xFA"),
            Utf8(U"בראשית"));
}

TEST(LegacyFonts, EveryDefinedByteRoundTrips) {
  for (const LegacyFont font : {LegacyFont::kSymbolGreek, LegacyFont::kBasicHebrew})
    for (int b = 0; b < 256; ++b) {
      const char32_t cp = LegacyFontCodePoint(font, static_cast<unsigned char>(b));
      if (cp == 0) continue;
      EXPECT_EQ(LegacyFontByte(font, cp), b) << "byte " << b;
    }
}

TEST(LegacyFonts, NoEncodingEverWritesAMarkupByte) {
  for (const LegacyFont font : {LegacyFont::kSymbolGreek, LegacyFont::kBasicHebrew}) {
    for (int b = 0; b < 256; ++b) {
      if (IsMarkupByte(static_cast<unsigned char>(b))) {
        EXPECT_EQ(LegacyFontCodePoint(font, static_cast<unsigned char>(b)), 0u) << b;
      }
    }
    for (uint32_t cp = 0; cp < 0x10000; ++cp) {
      const int b = LegacyFontByte(font, cp);
      if (b >= 0) {
        EXPECT_FALSE(IsMarkupByte(static_cast<unsigned char>(b))) << std::hex << cp;
      }
    }
  }
  // Markup characters in the input are dropped, not passed on.
  const LegacyEncoding e = EncodeLegacyFont(LegacyFont::kBasicHebrew, "<a&b>[c]{d}\x05\x08");
  EXPECT_EQ(e.bytes, "abcd");
  EXPECT_EQ(DecodeLegacyFont(LegacyFont::kSymbolGreek, "<"), "\xEF\xBF\xBD");
}

TEST(LegacyFonts, WhiteSpaceCollapsesAndIsTrimmed) {
  EXPECT_EQ(Greek(U"  λόγος \t\n θεοῦ "), "logoV qeou");
  EXPECT_EQ(Hebrew(U"\u05B0 "), "");  // a lone point leaves nothing
}

TEST(LegacyFonts, RunLetters) {
  EXPECT_TRUE(IsLegacyFontLetter(LegacyFont::kSymbolGreek, U'ά'));
  EXPECT_TRUE(IsLegacyFontLetter(LegacyFont::kSymbolGreek, U'ᾧ'));
  EXPECT_FALSE(IsLegacyFontLetter(LegacyFont::kSymbolGreek, U'a'));
  EXPECT_FALSE(IsLegacyFontLetter(LegacyFont::kSymbolGreek, 0x0301));
  EXPECT_TRUE(IsLegacyFontLetter(LegacyFont::kBasicHebrew, U'ש'));
  EXPECT_FALSE(IsLegacyFontLetter(LegacyFont::kBasicHebrew, 0x05B0));
  EXPECT_FALSE(IsLegacyFontLetter(LegacyFont::kBasicHebrew, U'α'));
}

}  // namespace
}  // namespace lumora
