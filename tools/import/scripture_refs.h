// Scripture references as the SWORD sources write them, turned into verse
// ranges in the King James verse order. Two spellings occur, sometimes in
// one attribute:
//   OSIS        "Exod.6.16-Exod.6.20", "1Chr.24", "Ps.23.1 Ps.23.4"
//   abbreviated "mt 19:4-6", "lu 17:26-29 lu 17:32", "ge 29:1-ge 31:55",
//               "joh 8:44,56", "jud 1" (Online Bible book names)
//   written out  "2 Kings 6:31-7:20; Psalm 18:49", "Song of Solomon 2:1"
// A work prefix ("Bible:", "Scofield:") is split off by the caller's choice
// (SplitWorkPrefix). A reference to a chapter covers the whole chapter, to a
// book the whole book.
#pragma once

#include <string_view>
#include <vector>

#include "core/refs/verse_range.h"

namespace lumora::import {

struct ParsedScripture {
  TVerseRangeList ranges;  // in the order written; every index in 1..31102
  // Where each range stands in the text: offset and length of its item
  // ("Ezekiel 34:11-12", then "15" of "Ezekiel 34:11-12,15").
  struct Span {
    size_t offset = 0, length = 0;
  };
  std::vector<Span> spans;  // one per range
  int rejected = 0;         // items that named no KJV verse ("Jude.5.14")
};

ParsedScripture ParseScriptureRef(std::string_view ref);

// KJV book number (1..66) of a book name or abbreviation (OSIS names, the
// KJV short and long titles, common abbreviations; any case, blanks
// ignored), or 0.
int FindBook(std::string_view name);

// "Scofield:Ge 1:26" -> work "Scofield", rest "Ge 1:26"; "StrongsGreek:25"
// -> "StrongsGreek", "25". A value without a prefix gives an empty work and
// itself.
struct WorkAndRef {
  std::string_view work, ref;
};
WorkAndRef SplitWorkPrefix(std::string_view value);

}  // namespace lumora::import
