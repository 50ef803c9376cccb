// ParseReferences: typed verse references ("jn 3:16-18; romans 5:8, 10") to
// verse-index ranges, using the book titles of a Bible module. The parser is
// lenient: it keeps what it recognised from the front of the text and says
// where it stopped, so callers scanning running text can find a reference's
// end.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/modules/bible_module.h"
#include "core/refs/verse_range.h"

namespace lumora {

// The book names one Bible accepts, lower-cased once. Keys, tried in this
// order (the first book that matches wins within each kind):
//   1. a long title that contains no blank, whole ("genesis");
//   2. a prefix of two or more characters of a short title with its first
//      blank removed ("1 Jo" gives "1j", "1jo");
//   3. a long title with every blank removed, whole ("1john",
//      "songofsolomon"), so a full name typed without its blanks is found;
//   4. a beginning of three or more characters of such a title ("rom",
//      "matt", "psalm", "1cor"), the abbreviations people actually type.
//      These are ordinary words too ("son", "act", "number"), so they count
//      only where a chapter number follows: "rom 5:8" is Romans, but in
//      "jn 3:16 son of man" the reference ends before "son".
// Kinds 3 and 4 only add names: whatever kinds 1 and 2 accept is unchanged.
// Before any of these the parser tries the long titles that contain blanks,
// typed with their blanks ("song of solomon", "1 corinthians"; see
// FindTitleAt), which otherwise no single token could name. The parser
// applies a fixed alias table ("jn" -> "joh", "mk" -> "mr", ...) to a token
// before the lookup.
class BookKeys {
 public:
  static constexpr size_t kMinLongPrefix = 3;

  // Whether a chapter number follows the token (after blanks).
  enum class NumberFollows : bool { kNo, kYes };

  explicit BookKeys(const TLMBibleModule& bible);

  // Book number (1..book count) for a token that is already lower-case and
  // blank-free, or 0. Tokens shorter than two characters match nothing.
  // Beginnings of full names (kind 4) match only with NumberFollows::kYes.
  int Find(std::string_view token, NumberFollows number = NumberFollows::kYes) const;

  // A long title that contains blanks, at the start of `text` (lower-case):
  // its words in order, each gap one or more blanks, the last word followed
  // by a blank or by "." and a blank. Gives the book (the first one whose
  // title matches) and sets `length` to the characters the title covers,
  // its period included; 0 when no such title starts `text`.
  int FindTitleAt(std::string_view text, size_t& length) const;

 private:
  std::vector<std::string> long_;         // index book - 1; empty when the title has a blank
  std::vector<std::string> short_;        // first blank removed
  std::vector<std::string> long_joined_;  // every blank removed
  std::vector<std::string> long_spaced_;  // only the titles that have a blank
};

struct ParsedReferences {
  // Ranges in typed order; first > last stays as typed. Every index is in
  // 1..verse count. Empty when nothing was recognised.
  TVerseRangeList ranges;
  // Where the scan ended, counted in the prepared text (the given text less
  // its `skipped` leading characters): the 0-based offset of the first
  // character not taken; when everything was taken, the prepared length
  // after a final book name and one more after a final number or separator;
  // -1 when a letter right after a reference ended the scan ("jn 3:16a").
  // Callers treat a stop below 2 as "no reference here".
  int stop = -1;
  // Leading blanks and control characters removed, plus one when a leading
  // "1 " became "1" ("1 jn" is read as "1jn"). Past the first token,
  // prepared offset k is offset k + skipped of the given text.
  int skipped = 0;
};

// Parses `text` (Windows-1252) with the titles and verse table of `bible`.
// Never reads outside `text`, never fails. Builds the book keys on each call
// and looks verses up in the module; a caller that parses often holds a
// ReferenceParser instead.
ParsedReferences ParseReferences(std::string_view text, const TLMBibleModule& bible);

// ParseReferences with everything it needs from one Bible copied once, so
// that a parse costs microseconds; building one reads the whole verse table
// (about half a millisecond). Holds no reference to the module.
class ReferenceParser {
 public:
  explicit ReferenceParser(const TLMBibleModule& bible);

  ParsedReferences Parse(std::string_view text) const;
  // The module's LocateVerse over the copied table (see FastLocateVerse).
  int LocateVerse(int book, int chapter, int verse) const;

 private:
  struct Entry {
    uint8_t book, chapter, verse;
  };
  BookKeys keys_;
  int book_count_;
  std::vector<Entry> verses_;  // entry i - 1 is verse index i
};

// TLMBibleModule::LocateVerse in O(log N): the same answer for every
// (book, chapter, verse) on a verse table in canonical order (books, then
// chapters, then verses ascending), which is how every Bible module is
// written. The module's own lookup scans up to 31102 records, too slow for a
// parser that looks up several verses per reference. On a damaged, unordered
// table the answer is still an index in 1..verse count.
int FastLocateVerse(const TLMBibleModule& bible, int book, int chapter, int verse);

}  // namespace lumora
