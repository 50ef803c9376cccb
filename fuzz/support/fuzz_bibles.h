// Per-input copies of the template Bibles whose verses carry texts taken
// from the fuzz input, for the targets that render or export verse text.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/modules/bible_module.h"
#include "core/platform/memory/memory_file_system.h"

namespace lumora::fuzz {

// Verse texts go to verses kFirstTextVerse, kFirstTextVerse + 1, ...: at
// most this many.
inline constexpr size_t kMaxPlacedVerses = 8;

struct PlacedBibles {
  MemoryFileSystem fs;
  std::unique_ptr<TLMBibleModule> bible;          // the template Bible with the texts
  std::unique_ptr<TLMBibleModule> strongs_links;  // its Strong's-links twin
  std::unique_ptr<TLMBibleModule> compare;        // the compare Bible, texts in reverse order, or null
  std::vector<int> verses;                        // the verses that got a text
};

// Builds the Bible (and, when `with_compare`, the compare Bible) with `texts`
// (stored as given, compressed) and opens them; a sound template with sound
// records that fails to open is a finding.
std::unique_ptr<PlacedBibles> PlaceVerseTexts(const std::vector<std::string_view>& texts,
                                              bool with_compare);

}  // namespace lumora::fuzz
