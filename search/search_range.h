// The Bible search range: the presets of the dialog's range buttons, the
// clamp applied when the dialog opens, and the label that shows the range.
#pragma once

#include <string>

#include "core/modules/bible_module.h"

namespace lumora {

// 1-based verse indexes, first..last.
struct SearchRange {
  int first = 1;
  int last = 1;
  bool operator==(const SearchRange&) const = default;
};

// "O. T.": 1..23145. "N. T.": 23146..the KJV Bible's verse count. "All":
// 1..that count.
SearchRange OldTestamentRange();
SearchRange NewTestamentRange(const TLMBibleModule& kjv);
SearchRange WholeBibleRange(const TLMBibleModule& kjv);
// "Book...": chapter 1 verse 1 through the book's last verse in `bible`.
SearchRange BookSearchRange(const TLMBibleModule& bible, int book);
// A first verse outside 1..count becomes 1; a last verse before the first
// or beyond the count becomes the count (count: the KJV Bible's).
SearchRange ClampSearchRange(SearchRange range, const TLMBibleModule& kjv);
// "%s %d:%d - %s %d:%d" with the short book titles of `bible`.
std::string SearchRangeLabel(const TLMBibleModule& bible, SearchRange range);

}  // namespace lumora
