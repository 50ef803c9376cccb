// The 8-bit encodings of the two lexicon fonts: "Symbol" for Greek (the
// standard Symbol layout, a = alpha, b = beta, ...) and "Basic Hebrew" for
// Hebrew (the 27 consonants, final forms included, at 0xE0..0xFA in
// alphabetical order, as in Windows-1255). Hebrew is stored in logical order
// (first letter first); right-to-left display is the widget's business once
// the bytes are Unicode again.
//
// Each font has one 256-entry table, byte -> code point. Writers (the
// importer) encode through it, readers that show a run as Unicode decode
// through it; nothing else may assume a layout.
//
// Neither table holds a byte below 32 or any of < > & [ ] { }: a script run
// sits inside entry and verse markup, where those bytes mean something.
#pragma once

#include <string>
#include <string_view>

namespace lumora {

enum class LegacyFont {
  kSymbolGreek,
  kBasicHebrew,
};

// Code point of a byte in the font, 0 for a byte the font does not define.
char32_t LegacyFontCodePoint(LegacyFont font, unsigned char byte);

// Byte for a code point, or -1. Letters with accents, breathings or iota
// subscripts fold to their base letter (Greek), pointed letters to the bare
// consonant (Hebrew); a few punctuation marks fold to their ASCII look-alike
// (Greek question mark -> ";", maqaf -> "-", sof pasuq -> ":"). Combining
// marks, points and cantillation have no byte: -1.
int LegacyFontByte(LegacyFont font, char32_t cp);

// True for the letters that make a run of this script in running text
// (Greek and Coptic, Greek Extended; Hebrew letters and presentation forms).
bool IsLegacyFontLetter(LegacyFont font, char32_t cp);

struct LegacyEncoding {
  std::string bytes;
  size_t dropped = 0;  // code points with no byte (marks, foreign characters)
};

// UTF-8 -> font bytes. White space inside becomes one blank (none at either
// end); whatever has no byte is left out and counted (invalid UTF-8 too).
LegacyEncoding EncodeLegacyFont(LegacyFont font, std::string_view utf8);

// Font bytes -> UTF-8, for showing a run without the font. Undefined bytes
// become U+FFFD.
std::string DecodeLegacyFont(LegacyFont font, std::string_view bytes);

}  // namespace lumora
