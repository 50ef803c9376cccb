#include "core/text/cp1252.h"

#include "core/text/utf8.h"

#include <algorithm>
#include <array>

namespace lumora::cp1252 {
namespace {

constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

const std::array<unsigned char, 256>& kUpper = detail::kUpperMap;

// Stand-ins for common code points outside the code page.
struct StandIn {
  char32_t cp;
  const char* text;
};
constexpr StandIn kStandIns[] = {
    {0x2010, "-"},
    {0x2011, "-"},
    {0x2012, "-"},
    {0x2015, "-"},
    {0x2032, "'"},
    {0x2033, "\""},
    {0x2043, "-"},
    {0x2212, "-"},
    {0x00A0, " "},
    {0x2002, " "},
    {0x2003, " "},
    {0x2009, " "},
    {0x200A, " "},
    {0x202F, " "},
    {0x2060, ""},
    {0x200B, ""},
    {0x200C, ""},
    {0x200D, ""},
    {0x200E, ""},
    {0x200F, ""},
    {0xFEFF, ""},
    {0x2044, "/"},
    {0x2116, "No."},
    {0x2192, "->"},
    {0x2190, "<-"},
    {0x2264, "<="},
    {0x2265, ">="},
    {0x02BC, "'"},
    {0x02B9, "'"},
    {0x02BA, "\""},
    {0x0131, "i"},
    {0x0141, "L"},
    {0x0142, "l"},
    {0x0110, "D"},
    {0x0111, "d"},
    {0x0126, "H"},
    {0x0127, "h"},
    {0x1E9E, "SS"},
    {0x0132, "IJ"},
    {0x0133, "ij"},
    // Turned and reversed quotation marks, also the ayin and alef marks of
    // transliterations, read as the quotation marks the code page has.
    {0x201B, "\x91"},
    {0x201F, "\x93"},
    {0x02BB, "\x91"},
    {0x02BD, "\x91"},
    {0x02BF, "\x91"},
    {0x02BE, "\x92"},
};

// Latin letters with diacritics outside the code page fold to their base
// letter. Derived from the Unicode blocks Latin Extended-A/B and Additional.
char BaseLetter(char32_t cp) {
  if (cp >= 0x0100 && cp <= 0x017F) {
    static const char kExtA[] =
        "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiIiJjKkkLlLlLlLlLlNn"
        "NnNnnNnOoOoOoOoRrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";
    return kExtA[cp - 0x0100];
  }
  if (cp >= 0x1E00 && cp <= 0x1EFF) {
    // Latin Extended Additional: letters come in upper/lower pairs; map by
    // the common ranges.
    struct Span { char32_t from, to; char upper; };
    static const Span kSpans[] = {
        {0x1E00, 0x1E01, 'A'}, {0x1E02, 0x1E07, 'B'}, {0x1E08, 0x1E09, 'C'},
        {0x1E0A, 0x1E13, 'D'}, {0x1E14, 0x1E1D, 'E'}, {0x1E1E, 0x1E1F, 'F'},
        {0x1E20, 0x1E21, 'G'}, {0x1E22, 0x1E2B, 'H'}, {0x1E2C, 0x1E2F, 'I'},
        {0x1E30, 0x1E35, 'K'}, {0x1E36, 0x1E3D, 'L'}, {0x1E3E, 0x1E43, 'M'},
        {0x1E44, 0x1E4B, 'N'}, {0x1E4C, 0x1E53, 'O'}, {0x1E54, 0x1E57, 'P'},
        {0x1E58, 0x1E5F, 'R'}, {0x1E60, 0x1E69, 'S'}, {0x1E6A, 0x1E71, 'T'},
        {0x1E72, 0x1E7B, 'U'}, {0x1E7C, 0x1E7F, 'V'}, {0x1E80, 0x1E89, 'W'},
        {0x1E8A, 0x1E8D, 'X'}, {0x1E8E, 0x1E8F, 'Y'}, {0x1E90, 0x1E95, 'Z'},
        {0x1EA0, 0x1EB7, 'A'}, {0x1EB8, 0x1EC7, 'E'}, {0x1EC8, 0x1ECB, 'I'},
        {0x1ECC, 0x1EE3, 'O'}, {0x1EE4, 0x1EF1, 'U'}, {0x1EF2, 0x1EF9, 'Y'},
    };
    for (const Span& s : kSpans)
      if (cp >= s.from && cp <= s.to)
        return (cp - s.from) % 2 == 0 ? s.upper : static_cast<char>(s.upper + 32);
  }
  return 0;
}

}  // namespace


std::string LowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return out;
}

int CompareNoCase(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = kUpper[static_cast<unsigned char>(a[i])];
    const unsigned char y = kUpper[static_cast<unsigned char>(b[i])];
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool LessNoCaseThenBytes(std::string_view a, std::string_view b) {
  const int c = CompareNoCase(a, b);
  return c != 0 ? c < 0 : a < b;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

bool IsLetter(unsigned char b) {
  if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) return true;
  if (b >= 0xC0) return b != 0xD7 && b != 0xF7;
  return b == 0x8A || b == 0x8C || b == 0x8E || b == 0x9A || b == 0x9C ||
         b == 0x9E || b == 0x9F || b == 0x83 || b == 0xAA || b == 0xBA ||
         b == 0xB5;
}

char32_t ToCodePoint(unsigned char b) {
  if (b >= 0x80 && b < 0xA0) return kHigh[b - 0x80];
  return b;
}

int FromCodePoint(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == cp) return 0x80 + i;
  return -1;
}

std::string StandInFor(char32_t cp) {
  // Combining marks (U+0300..U+036F) attach to the letter before: dropping
  // them keeps the letter.
  if (cp >= 0x0300 && cp <= 0x036F) return {};
  for (const StandIn& s : kStandIns)
    if (s.cp == cp) return s.text;
  if (const char base = BaseLetter(cp)) return std::string(1, base);
  return "?";
}

std::string FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const char32_t cp = DecodeUtf8(utf8, i);
    const int b = FromCodePoint(cp);
    if (b >= 0)
      out.push_back(static_cast<char>(b));
    else
      out += StandInFor(cp);
  }
  return out;
}

std::string ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) AppendUtf8(out, ToCodePoint(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace lumora::cp1252
