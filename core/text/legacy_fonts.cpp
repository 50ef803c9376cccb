#include "core/text/legacy_fonts.h"

#include <array>

#include "core/text/utf8.h"

namespace lumora {
namespace {

using Table = std::array<char32_t, 256>;

constexpr bool IsMarkupByte(int b) {
  return b < 0x20 || b == '<' || b == '>' || b == '&' || b == '[' || b == ']' || b == '{' ||
         b == '}' || b == 0x7F;
}

// The standard Symbol layout of 0x20..0x7E. The upper half (mathematical
// signs) is left undefined: no lexicon text needs it.
constexpr Table BuildSymbolGreek() {
  Table t{};
  for (int b = 0x20; b < 0x7F; ++b) t[b] = static_cast<char32_t>(b);
  constexpr char32_t kCapitals[26] = {
      0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399,
      0x03D1,  // J: theta symbol
      0x039A, 0x039B, 0x039C, 0x039D, 0x039F, 0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5,
      0x03C2,  // V: final sigma
      0x03A9, 0x039E, 0x03A8, 0x0396};
  constexpr char32_t kSmalls[26] = {
      0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3, 0x03B7, 0x03B9,
      0x03D5,  // j: phi symbol
      0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF, 0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5,
      0x03D6,  // v: pi symbol
      0x03C9, 0x03BE, 0x03C8, 0x03B6};
  for (int k = 0; k < 26; ++k) {
    t['A' + k] = kCapitals[k];
    t['a' + k] = kSmalls[k];
  }
  t[0x22] = 0x2200;  // for all
  t[0x24] = 0x2203;  // there exists
  t[0x27] = 0x220B;  // contains as member
  t[0x2A] = 0x2217;  // asterisk operator
  t[0x2D] = 0x2212;  // minus
  t[0x40] = 0x2245;  // approximately equal
  t[0x5C] = 0x2234;  // therefore
  t[0x5E] = 0x22A5;  // up tack
  t[0x60] = 0;       // radical extender: no Unicode character of its own
  t[0x7E] = 0x223C;  // tilde operator
  for (int b = 0; b < 256; ++b)
    if (IsMarkupByte(b)) t[b] = 0;
  return t;
}

constexpr Table BuildBasicHebrew() {
  Table t{};
  for (int b = 0x20; b < 0x7F; ++b) t[b] = IsMarkupByte(b) ? 0 : static_cast<char32_t>(b);
  for (int k = 0; k <= 0x1A; ++k) t[0xE0 + k] = 0x05D0 + static_cast<char32_t>(k);
  return t;
}

constexpr Table kSymbolGreek = BuildSymbolGreek();
constexpr Table kBasicHebrew = BuildBasicHebrew();

const Table& TableOf(LegacyFont font) {
  return font == LegacyFont::kSymbolGreek ? kSymbolGreek : kBasicHebrew;
}

constexpr char32_t kAlpha = 0x03B1, kEpsilon = 0x03B5, kEta = 0x03B7, kIota = 0x03B9,
                   kOmicron = 0x03BF, kRho = 0x03C1, kUpsilon = 0x03C5, kOmega = 0x03C9;
constexpr char32_t Capital(char32_t small) { return small - 0x20; }

// Base letter (keeping case) of a Greek letter with diacritics, 0 for none.
char32_t GreekBase(char32_t cp) {
  struct Fold {
    char32_t cp, base;
  };
  static constexpr Fold kBasic[] = {{0x0386, Capital(kAlpha)},
                                    {0x0388, Capital(kEpsilon)},
                                    {0x0389, Capital(kEta)},
                                    {0x038A, Capital(kIota)},
                                    {0x038C, Capital(kOmicron)},
                                    {0x038E, Capital(kUpsilon)},
                                    {0x038F, Capital(kOmega)},
                                    {0x0390, kIota},
                                    {0x03AA, Capital(kIota)},
                                    {0x03AB, Capital(kUpsilon)},
                                    {0x03AC, kAlpha},
                                    {0x03AD, kEpsilon},
                                    {0x03AE, kEta},
                                    {0x03AF, kIota},
                                    {0x03B0, kUpsilon},
                                    {0x03CA, kIota},
                                    {0x03CB, kUpsilon},
                                    {0x03CC, kOmicron},
                                    {0x03CD, kUpsilon},
                                    {0x03CE, kOmega},
                                    {0x03D0, 0x03B2},
                                    {0x03F0, 0x03BA},
                                    {0x03F1, kRho},
                                    {0x03F2, 0x03C3},
                                    {0x03F9, 0x03A3}};
  if (cp < 0x1F00) {
    for (const Fold& f : kBasic)
      if (f.cp == cp) return f.base;
    return 0;
  }
  if (cp > 0x1FFC) return 0;
  const unsigned low = cp & 0xF;
  if (cp < 0x1F70) {
    static constexpr char32_t kBlocks[] = {kAlpha,   kEpsilon, kEta,  kIota,
                                           kOmicron, kUpsilon, kOmega};
    const char32_t small = kBlocks[(cp - 0x1F00) >> 4];
    return low < 8 ? small : Capital(small);
  }
  if (cp < 0x1F80) {
    static constexpr char32_t kPairs[] = {kAlpha,   kEpsilon, kEta,  kIota,
                                          kOmicron, kUpsilon, kOmega};
    return cp <= 0x1F7D ? kPairs[(cp - 0x1F70) >> 1] : 0;
  }
  if (cp < 0x1FB0) {
    static constexpr char32_t kSubscript[] = {kAlpha, kEta, kOmega};
    const char32_t small = kSubscript[(cp - 0x1F80) >> 4];
    return low < 8 ? small : Capital(small);
  }
  struct Span {
    char32_t from, to, base;
  };
  static constexpr Span kSpans[] = {{0x1FB0, 0x1FB4, kAlpha},
                                    {0x1FB6, 0x1FB7, kAlpha},
                                    {0x1FB8, 0x1FBC, Capital(kAlpha)},
                                    {0x1FC2, 0x1FC4, kEta},
                                    {0x1FC6, 0x1FC7, kEta},
                                    {0x1FC8, 0x1FC9, Capital(kEpsilon)},
                                    {0x1FCA, 0x1FCC, Capital(kEta)},
                                    {0x1FD0, 0x1FD3, kIota},
                                    {0x1FD6, 0x1FD7, kIota},
                                    {0x1FD8, 0x1FDB, Capital(kIota)},
                                    {0x1FE0, 0x1FE3, kUpsilon},
                                    {0x1FE4, 0x1FE5, kRho},
                                    {0x1FE6, 0x1FE7, kUpsilon},
                                    {0x1FE8, 0x1FEB, Capital(kUpsilon)},
                                    {0x1FEC, 0x1FEC, Capital(kRho)},
                                    {0x1FF2, 0x1FF4, kOmega},
                                    {0x1FF6, 0x1FF7, kOmega},
                                    {0x1FF8, 0x1FF9, Capital(kOmicron)},
                                    {0x1FFA, 0x1FFC, Capital(kOmega)}};
  for (const Span& s : kSpans)
    if (cp >= s.from && cp <= s.to) return s.base;
  return 0;
}

// Consonant of a Hebrew presentation form (U+FB1D..U+FB4E), 0 for none.
char32_t HebrewBase(char32_t cp) {
  if (cp < 0xFB1D || cp > 0xFB4E) return 0;
  // Indexed from U+FB1D; 0 marks ligatures and signs that have no consonant.
  static constexpr char16_t kForms[] = {
      0x05D9, 0,      0,      0x05E2, 0x05D0, 0x05D3, 0x05D4, 0x05DB, 0x05DC,  // FB1D..FB25
      0x05DD, 0x05E8, 0x05EA, 0,      0x05E9, 0x05E9, 0x05E9, 0x05E9, 0x05D0,  // FB26..FB2E
      0x05D0, 0x05D0, 0x05D1, 0x05D2, 0x05D3, 0x05D4, 0x05D5, 0x05D6, 0,       // FB2F..FB37
      0x05D8, 0x05D9, 0x05DA, 0x05DB, 0x05DC, 0,      0x05DE, 0,      0x05E0,  // FB38..FB40
      0x05E1, 0,      0x05E3, 0x05E4, 0,      0x05E6, 0x05E7, 0x05E8, 0x05E9,  // FB41..FB49
      0x05EA, 0x05D5, 0x05D1, 0x05DB, 0x05E4};                                 // FB4A..FB4E
  return kForms[cp - 0xFB1D];
}

int ByteInTable(const Table& table, char32_t cp) {
  if (cp == 0) return -1;
  for (int b = 0x20; b < 256; ++b)
    if (table[b] == cp) return b;
  return -1;
}

}  // namespace

char32_t LegacyFontCodePoint(LegacyFont font, unsigned char byte) { return TableOf(font)[byte]; }

int LegacyFontByte(LegacyFont font, char32_t cp) {
  const Table& table = TableOf(font);
  if (cp < 0x7F && cp >= 0x20 && table[cp] == cp) return static_cast<int>(cp);
  if (font == LegacyFont::kSymbolGreek) {
    if (cp == '-' || cp == 0x2010 || cp == 0x2011) return 0x2D;
    if (cp == 0x037E) return ';';  // Greek question mark
    if (const char32_t base = GreekBase(cp)) cp = base;
  } else {
    if (cp == 0x05BE) return '-';   // maqaf
    if (cp == 0x05C3) return ':';   // sof pasuq
    if (cp == 0x05F3) return '\'';  // geresh
    if (cp == 0x05F4) return '"';   // gershayim
    if (const char32_t base = HebrewBase(cp)) cp = base;
  }
  return cp < 0x80 ? -1 : ByteInTable(table, cp);
}

bool IsLegacyFontLetter(LegacyFont font, char32_t cp) {
  if (font == LegacyFont::kSymbolGreek)
    return (cp >= 0x0386 && cp <= 0x03FF && cp != 0x0387) ||
           (cp >= 0x1F00 && cp <= 0x1FFC && GreekBase(cp) != 0);
  return (cp >= 0x05D0 && cp <= 0x05EA) || HebrewBase(cp) != 0;
}

LegacyEncoding EncodeLegacyFont(LegacyFont font, std::string_view utf8) {
  LegacyEncoding result;
  result.bytes.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const char32_t cp = DecodeUtf8(utf8, i);
    if (cp == ' ' || cp == '\t' || cp == '\n' || cp == '\r' || cp == 0xA0) {
      if (!result.bytes.empty() && result.bytes.back() != ' ') result.bytes += ' ';
      continue;
    }
    const int b = LegacyFontByte(font, cp);
    if (b < 0) {
      ++result.dropped;
      continue;
    }
    result.bytes += static_cast<char>(b);
  }
  while (!result.bytes.empty() && result.bytes.back() == ' ') result.bytes.pop_back();
  return result;
}

std::string DecodeLegacyFont(LegacyFont font, std::string_view bytes) {
  const Table& table = TableOf(font);
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const char32_t cp = table[static_cast<unsigned char>(c)];
    AppendUtf8(out, cp ? cp : 0xFFFD);
  }
  return out;
}

}  // namespace lumora
