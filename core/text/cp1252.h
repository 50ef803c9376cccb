// Windows-1252 is the code page of every stored text. These helpers give the
// program one fixed notion of case and order over it, independent of the
// platform's locale.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumora::cp1252 {

namespace detail {
constexpr std::array<unsigned char, 256> BuildUpperMap() {
  std::array<unsigned char, 256> map{};
  for (int b = 0; b < 256; ++b) map[b] = static_cast<unsigned char>(b);
  for (int b = 'a'; b <= 'z'; ++b) map[b] = static_cast<unsigned char>(b - 32);
  for (int b = 0xE0; b <= 0xFE; ++b)
    if (b != 0xF7) map[b] = static_cast<unsigned char>(b - 32);
  map[0x9A] = 0x8A;  // s caron
  map[0x9C] = 0x8C;  // oe
  map[0x9E] = 0x8E;  // z caron
  map[0xFF] = 0x9F;  // y diaeresis
  return map;
}
// Built by the compiler: usable from the first instruction, and inlined
// into the scanning loops that look up every byte.
inline constexpr std::array<unsigned char, 256> kUpperMap = BuildUpperMap();
}  // namespace detail

// Upper-case form of one byte under Windows-1252 (a-z, the accented small
// letters, s/z/oe with caron and y with diaeresis; every other byte maps to
// itself).
inline unsigned char Upper(unsigned char b) { return detail::kUpperMap[b]; }
// The whole 256-byte map, for loops that want it in a register.
inline const unsigned char* UpperMap() { return detail::kUpperMap.data(); }

// Lower-cases A-Z only (the search and key lists fold plain ASCII).
std::string LowerAscii(std::string_view s);

// Case-insensitive three-way comparison over Windows-1252: bytes compare by
// their upper-case form, then by length. Every sorted list of the program
// (word lists, name lists, loaded-file list) orders and searches with this.
int CompareNoCase(std::string_view a, std::string_view b);
// Total order for building sorted lists: CompareNoCase, ties broken byte-wise,
// so distinct spellings ("God", "god") get a fixed order.
bool LessNoCaseThenBytes(std::string_view a, std::string_view b);
bool EqualNoCase(std::string_view a, std::string_view b);

// True for bytes that are letters in Windows-1252.
bool IsLetter(unsigned char b);

// Unicode code point of a Windows-1252 byte (undefined bytes 0x81, 0x8D,
// 0x8F, 0x90, 0x9D map to themselves, as the C1 controls).
char32_t ToCodePoint(unsigned char b);
// Byte for a code point, or -1 when Windows-1252 cannot hold it.
int FromCodePoint(char32_t cp);

// Converts UTF-8 to Windows-1252. Code points the code page lacks become an
// ASCII stand-in (accents dropped, typographic marks simplified, anything
// else "?"), so no word is ever silently lost.
std::string FromUtf8(std::string_view utf8);
// What FromUtf8 writes for a code point the code page lacks: the nearest
// character it has ("\x91" for the reversed quotation mark U+201B, "a" for
// "a" with breve, "-" for U+2010), "" for a combining mark, else "?".
std::string StandInFor(char32_t cp);
// Converts Windows-1252 to UTF-8 (for terminals and logs; the GUI has its own
// boundary conversion).
std::string ToUtf8(std::string_view text);

}  // namespace lumora::cp1252
