// Numbers inside 8-bit text are base-205 digit strings: digit bytes 48..252,
// most significant first, so they never collide with the control bytes used
// as markers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/refs/verse_range.h"

namespace lumora {

inline constexpr int kBase205 = 205;
inline constexpr unsigned char kBase205FirstDigit = 48;
inline constexpr unsigned char kBase205LastDigit = 252;

inline bool IsBase205Digit(unsigned char b) {
  return b >= kBase205FirstDigit && b <= kBase205LastDigit;
}

// Digit string of a non-negative value; empty for a negative one (a caller
// bug, refused rather than written as garbage).
std::string EncodeBase205(int64_t n);

// Value of the digit string (at most its first 255 bytes). A byte that is not
// a digit, or a value beyond 2^31-1, gives -1: nothing that cannot be a verse
// or a number ever decodes to one.
int64_t DecodeBase205(std::string_view digits);

// Verse-range list text: items joined by ","; "first" or "first+count".
// Ranges outside 1..31102 are left out; a reversed range is written with its
// ends swapped.
std::string EncodeVerseRanges(const TVerseRangeList& ranges);

// Reads a verse-range list back. Items that do not decode are skipped.
TVerseRangeList DecodeVerseRanges(std::string_view text);

}  // namespace lumora
