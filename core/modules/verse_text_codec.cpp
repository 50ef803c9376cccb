#include "core/modules/verse_text_codec.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <tuple>
#include <utility>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "core/codec/base205.h"

namespace lumora {
namespace {

// True when text[i] is a Strong's byte followed by two digits.
bool IsStrongsTokenAt(std::string_view text, size_t i) {
  return IsStrongsByte(text[i]) && i + 2 < text.size() &&
         IsBase205Digit(static_cast<unsigned char>(text[i + 1])) &&
         IsBase205Digit(static_cast<unsigned char>(text[i + 2]));
}

int DigitValue(char c) { return static_cast<unsigned char>(c) - kBase205FirstDigit; }

}  // namespace

std::optional<std::string> ExpandWordCodes(std::string_view raw, const PackedStrings& words,
                                           size_t limit) {
  std::string out;
  out.reserve(std::min(raw.size() * 3, limit));
  size_t p = 0;
  while (p < raw.size()) {
    const char c = raw[p];
    // The byte that ends the text is never a code: it has no digits.
    if ((c == kWordCode1Byte || c == kWordCode2Byte) && p + 1 < raw.size()) {
      const size_t digits = c == kWordCode1Byte ? 1 : 2;
      if (p + digits < raw.size()) {
        int position = 0;
        bool valid = true;
        for (size_t k = 1; k <= digits; ++k) {
          const auto d = static_cast<unsigned char>(raw[p + k]);
          valid = valid && IsBase205Digit(d);
          position = position * kBase205 + DigitValue(raw[p + k]);
        }
        if (valid && position < static_cast<int>(words.size())) {
          const std::string_view word = words[static_cast<size_t>(position)];
          if (word.size() > limit - std::min(out.size(), limit)) return std::nullopt;
          out += word;
          p += digits + 1;
          continue;
        }
      }
    }
    if (out.size() >= limit) return std::nullopt;
    out += c;
    ++p;
  }
  return out;
}

std::string WrittenStrongsToken(char marker, int number) {
  static const char kHex[] = "0123456789abcdef";
  std::string token(1, marker);
  token += '$';
  for (int shift = 12; shift >= 0; shift -= 4) token += kHex[(number >> shift) & 0xF];
  return token;
}

int ParseWrittenStrongsToken(std::string_view text, size_t i) {
  if (i + 5 >= text.size() || !IsStrongsByte(text[i]) || text[i + 1] != '$') return -1;
  int n = 0;
  for (size_t k = 2; k <= 5; ++k) {
    const char c = text[i + k];
    const int h = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (h < 0) return -1;
    n = n * 16 + h;
  }
  return n;
}

std::string WriteOutStrongs(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  size_t p = 0;
  while (p < text.size()) {
    if (IsStrongsTokenAt(text, p)) {
      const int n = DigitValue(text[p + 1]) * kBase205 + DigitValue(text[p + 2]);
      out += WrittenStrongsToken(text[p], n);
      p += 3;
      continue;
    }
    out += text[p++];
  }
  return out;
}

std::string RemoveStrongs(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t p = 0;
  while (p < text.size()) {
    if (IsStrongsTokenAt(text, p)) {
      p += 3;
      continue;
    }
    out += text[p++];
  }
  return out;
}

std::string RemoveFootnotes(std::string_view text) {
  std::string out(text);
  RemoveFootnotesInPlace(out);
  return out;
}

void RemoveFootnotesInPlace(std::string& text) {
  size_t open = text.find('{');
  if (open == std::string::npos) return;
  // Everything before the first note stays where it is; the rest moves down.
  size_t write = open, read = open;
  for (;;) {
    const size_t close = text.find('}', open + 1);
    if (close == std::string::npos) break;  // cut before the "{"
    read = close + 1;
    if (read < text.size() && text[read] == ' ') ++read;
    open = text.find('{', read);
    const size_t keep = (open == std::string::npos ? text.size() : open) - read;
    std::memmove(text.data() + write, text.data() + read, keep);
    write += keep;
    if (open == std::string::npos) break;
  }
  text.resize(write);
}

const PackedStrings VerseWordTable::kNoWords;

VerseWordTable::VerseWordTable(const PackedStrings* words) : words_(words), slots_(words->size()) {
  for (size_t i = 0; i < words->size(); ++i) {
    const std::string_view w = (*words)[i];
    Slot& slot = slots_[i];
    if (w.size() < sizeof slot.bytes + 1) {
      std::memcpy(slot.bytes, w.data(), w.size());
      slot.length = static_cast<uint8_t>(w.size());
    } else {
      slot.length = kLongWord;
    }
    for (const char c : w) holds_strongs_bytes_ = holds_strongs_bytes_ || IsStrongsByte(c);
  }
}

namespace {

bool IsWordCodeByte(char c) { return c == kWordCode1Byte || c == kWordCode2Byte; }

// Bit i set where block[i] (of 64 bytes) is a byte the walk must look at:
// a word code, and a Strong's marker unless tokens are kept. Digits are
// never such bytes, so the set bits are the codes in order.
uint64_t CodeMask(const char* block, bool with_markers) {
  uint64_t mask = 0;
#ifdef __SSE2__
  // byte - first below the count, unsigned: min(byte - first, count - 1)
  // equals byte - first.
  const char first = with_markers ? kHebrewStrongsByte : kWordCode1Byte;
  const __m128i base = _mm_set1_epi8(first);
  const __m128i top = _mm_set1_epi8(static_cast<char>(kWordCode2Byte - first));
  for (int k = 0; k < 4; ++k) {
    const __m128i chunk =
        _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * k)), base);
    const __m128i hit = _mm_cmpeq_epi8(_mm_min_epu8(chunk, top), chunk);
    mask |= static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(hit))) << (16 * k);
  }
#else
  for (int i = 0; i < 64; ++i) {
    const char c = block[i];
    mask |= static_cast<uint64_t>(IsWordCodeByte(c) || (with_markers && IsStrongsByte(c))) << i;
  }
#endif
  return mask;
}

// Walks `raw` as ExpandWordCodes does and handles each Strong's token where
// the expanded text would have it, writing into the calling thread's buffer.
// kTakeThePasses when that cannot be told from the raw text: a marker
// followed by a word code, whose word would supply the token's digits.
enum class Walk { kDone, kTakeThePasses, kTooLong };

// Out of line: the walk keeps its position and room in registers, and only
// a long word or a text past the first estimate comes here.
[[gnu::noinline]] std::pair<char*, size_t> GrowBuffer(std::string& buffer, size_t need) {
  buffer.resize(std::max(2 * buffer.size(), need + 256));
  return {buffer.data(), buffer.size()};
}

// The codes are found 64 bytes at a time up front and then visited bit by
// bit, so finding the next one never waits on decoding the last; the plain
// bytes between two codes go in one copy. The output position and room live
// in locals, not in an object: every byte written goes through a char
// pointer, which may alias anything, so fields would be reloaded each time.
Walk WalkVerseText(std::string_view raw, const VerseWordTable& words, StrongsTokens tokens,
                   size_t limit, std::string_view& text) {
  thread_local std::string buffer;
  // A word code of two or three bytes gives at most 15 bytes (one 16-byte
  // slot copy), a Strong's token of three at most six: eight bytes per raw
  // byte and one slot of slack hold everything but long words, so a verse
  // mostly needs no growing. Every write still makes room for itself: a
  // damaged record of megabytes grows the buffer as it goes, and a buffer
  // grown that far is not kept for the next verse.
  constexpr size_t kSlot = sizeof(VerseWordTable::Slot);
  constexpr size_t kKeptBuffer = 1 << 20;
  static constexpr VerseWordTable::Slot kNoBytes{};
  const bool drop_tokens = tokens == StrongsTokens::kRemove;
  if (buffer.size() > kKeptBuffer) std::string().swap(buffer);
  const size_t first_room = std::min(std::min(raw.size(), limit / 8 + 1) * 8 + kSlot, kKeptBuffer);
  if (buffer.size() < first_room) buffer.resize(first_room);
  char* out = buffer.data();
  size_t room = buffer.size();
  size_t at = 0;
  auto make_room = [&](size_t n) {
    if (at + n <= room) [[likely]]
      return;
    std::tie(out, room) = GrowBuffer(buffer, at + n);
  };
  const VerseWordTable::Slot* const slots = words.slots();
  const size_t word_count = words.size();
  const char* const bytes = raw.data();
  const size_t n = raw.size();
  const bool with_markers = tokens != StrongsTokens::kKeep;
  // Plain bytes p..end-1, sixteen at a time where the text has them.
  auto copy_plain = [&](size_t p, size_t end) {
    const size_t count = end - p;
    make_room(count + kSlot);
    if (count <= kSlot && p + kSlot <= n)
      std::memcpy(out + at, bytes + p, kSlot);
    else
      std::memcpy(out + at, bytes + p, count);
    at += count;
  };
  size_t p = 0;  // bytes before p are written
  for (size_t block = 0; block < n; block += 64) {
    uint64_t mask;
    if (block + 64 <= n) {
      mask = CodeMask(bytes + block, with_markers);
    } else {
      char tail[64] = {};
      std::memcpy(tail, bytes + block, n - block);
      mask = CodeMask(tail, with_markers);
    }
    for (; mask != 0; mask &= mask - 1) {
      const size_t q = block + static_cast<size_t>(std::countr_zero(mask));
      if (q < p) continue;  // inside a code already taken (never a digit, but cheap to be sure)
      copy_plain(p, q);
      p = q;
      const char c = bytes[q];
      // The common codes, a word of the list or a token dropped as a word of
      // no bytes, without a branch between them: they alternate in tagged
      // text. The word goes in 16 bytes at once; the bytes past its length
      // are overwritten by whatever follows, or cut off at the end. Only
      // words grow the text much past the raw bytes: checked after each,
      // the buffer stays within the limit plus one word.
      const bool marker = !IsWordCodeByte(c);
      const size_t step = c == kWordCode1Byte ? 2 : 3;
      bool digits_ok = false;
      size_t position = 0;
      if (q + step <= n) {
        const unsigned d1 = static_cast<unsigned char>(bytes[q + 1]) - kBase205FirstDigit;
        const unsigned d2 = static_cast<unsigned char>(bytes[q + step - 1]) - kBase205FirstDigit;
        position = step == 2 ? d1 : size_t{d1} * kBase205 + d2;
        digits_ok = (d1 < kBase205) & (d2 < kBase205);
      }
      if (digits_ok && (marker ? drop_tokens : position < word_count)) [[likely]] {
        const VerseWordTable::Slot* slot = marker ? &kNoBytes : slots + position;
        if (slot->length != VerseWordTable::kLongWord) [[likely]] {
          make_room(kSlot);
          std::memcpy(out + at, slot, kSlot);
          at += slot->length;
        } else {
          const std::string_view word = words.words()[position];
          make_room(word.size());
          std::memcpy(out + at, word.data(), word.size());
          at += word.size();
        }
        if (at > limit) return Walk::kTooLong;
        p = q + step;
        continue;
      }
      // The rest: a token written out, a marker whose digits may be words,
      // and codes that are not codes.
      if (marker && digits_ok) {  // tokens are written out
        static const char kHex[] = "0123456789abcdef";
        const int number = DigitValue(bytes[q + 1]) * kBase205 + DigitValue(bytes[q + 2]);
        make_room(6);
        out[at] = c;
        out[at + 1] = '$';
        for (int k = 0; k < 4; ++k) out[at + 2 + k] = kHex[(number >> (12 - 4 * k)) & 0xF];
        at += 6;
        p = q + 3;
      } else if (marker && ((q + 1 < n && IsWordCodeByte(bytes[q + 1])) ||
                            (q + 2 < n && IsWordCodeByte(bytes[q + 2])))) {
        return Walk::kTakeThePasses;
      }
      // A code that is not one stays in the text as a plain byte: p is
      // still q, and the next copy takes it.
    }
  }
  copy_plain(p, n);
  if (at > limit) return Walk::kTooLong;
  text = std::string_view(out, at);
  return Walk::kDone;
}

}  // namespace

std::optional<std::string> DecodeVerseText(std::string_view raw, const VerseWordTable& words,
                                           StrongsTokens tokens, size_t limit) {
  if (tokens == StrongsTokens::kKeep || !words.holds_strongs_bytes()) {
    std::string_view text;
    switch (WalkVerseText(raw, words, tokens, limit, text)) {
      case Walk::kDone: return std::string(text);
      case Walk::kTooLong: return std::nullopt;
      case Walk::kTakeThePasses: break;
    }
  }
  std::optional<std::string> text = ExpandWordCodes(raw, words.words(), limit);
  if (!text) return std::nullopt;
  switch (tokens) {
    case StrongsTokens::kKeep: return text;
    case StrongsTokens::kRemove: return RemoveStrongs(*text);
    case StrongsTokens::kWriteOut: return WriteOutStrongs(*text);
  }
  return text;
}

}  // namespace lumora
