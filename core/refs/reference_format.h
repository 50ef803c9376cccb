// Verse indexes back to reference text, for headings, the topic guide and
// verse lists.
#pragma once

#include <span>
#include <string>

#include "core/modules/bible_module.h"

namespace lumora {

enum class BookTitleKind { kShort, kLong };

// "John 3:16", "John 3:16-18", "John 3:36-4:2" or
// "Genesis 50:26 - Exodus 1:1" for the verses first..last of `bible`, with
// the book titles of the given kind. Indexes outside the Bible give the
// module's out-of-range title text and chapter and verse 0; nothing fails.
std::string FormatRange(const TLMBibleModule& bible, int first, int last, BookTitleKind kind);

// The verses in the given order as one compact text with long titles: runs
// of consecutive verses joined, chapters and books separated by "; ". John
// 3:16, 3:17, 3:18, 3:20, 4:1 and Romans 5:8 give
// "John 3:16-18,20; 4:1; Romans 5:8". A verse repeated at once is written
// once.
std::string FormatVerseList(std::span<const int> verses, const TLMBibleModule& bible);

}  // namespace lumora
