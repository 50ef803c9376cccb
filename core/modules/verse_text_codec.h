// The byte codes a Bible module decodes in its stored verse texts: word
// codes (0x04 + one base-205 digit, 0x05 + two), Strong's tokens (0x02
// Hebrew, 0x03 Greek, + two digits) and "{...}" footnotes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/codec/compression.h"
#include "core/text/packed_strings.h"

namespace lumora {

inline constexpr char kHebrewStrongsByte = 0x02;
inline constexpr char kGreekStrongsByte = 0x03;
inline constexpr char kWordCode1Byte = 0x04;
inline bool IsStrongsByte(char c) { return c == kHebrewStrongsByte || c == kGreekStrongsByte; }
inline constexpr char kWordCode2Byte = 0x05;

// Replaces each word code by its word. A code is expanded only when all its
// digits are present and valid and the position exists in `words`; anything
// else is left as it stands. Inserted words are not scanned again. Nothing
// when the text would grow past `limit` bytes: a damaged word list and
// verse (one word of megabytes, coded thousands of times) must not exhaust
// the memory.
std::optional<std::string> ExpandWordCodes(std::string_view raw, const PackedStrings& words,
                                           size_t limit = kDefaultInflateLimit);

// The written-out Strong's token: the marker byte, "$" and the number as
// four lower-case hex digits (always six bytes).
std::string WrittenStrongsToken(char marker, int number);
// The number of the written-out token whose marker byte is text[i], or -1
// when no complete token stands there.
int ParseWrittenStrongsToken(std::string_view text, size_t i);

// Strong's tokens with two valid digits become byte, "$" and the number as
// four lower-case hex digits.
std::string WriteOutStrongs(std::string_view text);
// Strong's tokens with two valid digits are removed with their digits.
std::string RemoveStrongs(std::string_view text);
// Removes each "{...}" note and the blank right after its "}"; a "{" with no
// "}" after it cuts the text just before the "{".
std::string RemoveFootnotes(std::string_view text);
void RemoveFootnotesInPlace(std::string& text);

// What DecodeVerseText does with Strong's tokens.
enum class StrongsTokens { kKeep, kRemove, kWriteOut };

// A Bible's word list laid out for DecodeVerseText: each word of up to 15
// bytes in a 16-byte slot of its own with its length, so a word code costs
// one memory access and one fixed-size copy. Built once per Bible.
class VerseWordTable {
 public:
  VerseWordTable() = default;
  explicit VerseWordTable(const PackedStrings* words);

  const PackedStrings& words() const { return *words_; }
  size_t size() const { return slots_.size(); }
  // A word of the list holds a Strong's byte (then only the passes one after
  // the other decode exactly).
  bool holds_strongs_bytes() const { return holds_strongs_bytes_; }

  struct alignas(16) Slot {
    char bytes[15];
    uint8_t length;  // kLongWord: read the word from words()
  };
  static constexpr uint8_t kLongWord = 0xFF;
  const Slot* slots() const { return slots_.data(); }

 private:
  static const PackedStrings kNoWords;
  const PackedStrings* words_ = &kNoWords;
  std::vector<Slot> slots_;
  bool holds_strongs_bytes_ = false;
};

// ExpandWordCodes followed by nothing, RemoveStrongs or WriteOutStrongs, in
// one pass with one allocation: the text of every verse read goes through
// here. The result is the same as the passes one after the other; a text
// where they could differ (a Strong's byte inside a word, or a token whose
// digits are word codes) takes the passes one after the other. Nothing when
// the words expand the text past `limit` bytes, as for ExpandWordCodes.
std::optional<std::string> DecodeVerseText(std::string_view raw, const VerseWordTable& words,
                                           StrongsTokens tokens,
                                           size_t limit = kDefaultInflateLimit);

}  // namespace lumora
