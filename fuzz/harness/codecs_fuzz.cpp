// codecs: the shared inflate routine with its output limit, compression,
// base-205 numbers and verse-range lists.
//
// Input: two bytes choosing the inflate limit, then the bytes every codec
// reads (a stream to inflate, a text to compress, digits, a verse-range
// list, and read again as pairs of 16-bit verse indexes).
// Checks: an inflated text never exceeds its limit, and a smaller limit
// never succeeds where a larger one fails or gives other bytes; compressing
// and inflating returns the text; base-205 and verse-range encodings decode
// to what was encoded.
#include <algorithm>
#include <string>
#include <string_view>

#include "core/codec/base205.h"
#include "core/codec/compression.h"
#include "core/refs/verse_index.h"
#include "fuzz/harness/harnesses.h"
#include "fuzz/support/fuzz_check.h"
#include "fuzz/support/fuzz_input.h"

namespace lumora::fuzz {
namespace {

void CheckRoundTrip(std::string_view text) {
  Result<std::string> packed = CompressString(text);
  LUMORA_FUZZ_CHECK(packed.ok());
  if (!packed.ok()) return;
  Result<std::string> back = DecompressBytes(packed->data(), packed->size());
  LUMORA_FUZZ_CHECK(back.ok() && *back == text);
  // Every limit at or above the text's length lets it through.
  Result<std::string> exact = DecompressBytes(packed->data(), packed->size(), text.size());
  LUMORA_FUZZ_CHECK(text.empty() || (exact.ok() && *exact == text));
}

void CheckInflate(std::string_view stream, size_t limit) {
  Result<std::string> limited = DecompressBytes(stream.data(), stream.size(), limit);
  Result<std::string> full = DecompressBytes(stream.data(), stream.size());
  if (limited.ok()) {
    LUMORA_FUZZ_CHECK(limited->size() <= limit);
    LUMORA_FUZZ_CHECK(full.ok() && *full == *limited);
  } else {
    LUMORA_FUZZ_CHECK(limited.status().kind() == ErrorKind::kDecompression);
  }
  if (full.ok()) {
    LUMORA_FUZZ_CHECK(full->size() <= kDefaultInflateLimit);
    // What fits the limit inflates under it.
    if (full->size() <= limit) LUMORA_FUZZ_CHECK(limited.ok());
    // Level-9 compression of tens of megabytes would take most of a run.
    if (full->size() <= (1u << 20)) CheckRoundTrip(*full);
  }
}

void CheckBase205(std::string_view digits, uint32_t number) {
  const int64_t value = DecodeBase205(digits);
  LUMORA_FUZZ_CHECK(value >= -1 && value <= INT32_MAX);
  if (value >= 0) LUMORA_FUZZ_CHECK(DecodeBase205(EncodeBase205(value)) == value);
  const int64_t n = number & 0x7FFFFFFF;
  const std::string encoded = EncodeBase205(n);
  LUMORA_FUZZ_CHECK(!encoded.empty());
  for (const char c : encoded) LUMORA_FUZZ_CHECK(IsBase205Digit(static_cast<unsigned char>(c)));
  LUMORA_FUZZ_CHECK(DecodeBase205(encoded) == n);
  LUMORA_FUZZ_CHECK(EncodeBase205(-1 - n).empty());
}

// What EncodeVerseRanges keeps of a list: ends in order, inside the Bible.
TVerseRangeList Writable(TVerseRangeList ranges) {
  TVerseRangeList out;
  for (TVerseRange r : ranges) {
    if (r.last < r.first) std::swap(r.first, r.last);
    if (r.first >= 1 && r.last <= kVerseCount) out.push_back(r);
  }
  return out;
}

void CheckVerseRanges(std::string_view list, std::string_view numbers) {
  const TVerseRangeList decoded = DecodeVerseRanges(list);
  for (const TVerseRange& r : decoded) LUMORA_FUZZ_CHECK(r.first >= 1 && r.first <= r.last);
  LUMORA_FUZZ_CHECK(DecodeVerseRanges(EncodeVerseRanges(decoded)) == Writable(decoded));

  TVerseRangeList typed;
  FuzzInput pairs(numbers);
  while (pairs.remaining() >= 4) {
    const int first = static_cast<int16_t>(pairs.U16());
    const int last = static_cast<int16_t>(pairs.U16());
    typed.push_back({first, last});
  }
  LUMORA_FUZZ_CHECK(DecodeVerseRanges(EncodeVerseRanges(typed)) == Writable(typed));
}

}  // namespace

void FuzzCodecs(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const uint16_t limit_code = input.U16();
  // Limits from one byte to the default, most of them small.
  const size_t limit = std::clamp<size_t>(size_t{limit_code & 0x0FFFu} << (limit_code >> 12), 1,
                                          kDefaultInflateLimit);
  const std::string_view rest = input.Rest();
  CheckInflate(rest, limit);
  CheckRoundTrip(rest);
  FuzzInput number(rest);
  CheckBase205(rest, number.U32());
  CheckVerseRanges(rest, rest);
}

}  // namespace lumora::fuzz
