// The lists the passage renderer, the verse list and the searches pass
// around, and the one guard every consumer of a verse, Commentary position
// or entry number applies before using it (links and stored settings can
// carry any number).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/modules/bible_module.h"
#include "core/refs/verse_index.h"

namespace lumora {

// Verse indexes (1-based); kVerseListSeparator marks a gap between groups.
using TVerseList = std::vector<uint16_t>;
inline constexpr uint16_t kVerseListSeparator = 0xFFFF;

// Words to highlight, or Strong's tokens in their written-out form
// (0x02/0x03, "$", four lower-case hexadecimal digits).
using TKeyArray = std::vector<std::string>;

// Commentary positions are verse index - 1.
inline constexpr int kLastCommentaryPosition = kVerseCount - 1;

inline bool IsUsableVerse(const TLMBibleModule& bible, int v) {
  return v >= 1 && v <= bible.VerseCount();
}
inline bool IsUsableCommentaryPosition(int p) { return p >= 0 && p <= kLastCommentaryPosition; }
inline bool IsUsableEntryNumber(int64_t n, size_t title_count) {
  return n >= 0 && static_cast<uint64_t>(n) < title_count;
}

}  // namespace lumora
