// The verses that "vr" and "vrl" links name, as the resource view's click
// dispatcher, its right-click menu ("Copy Verse(s) from this Link", "Go to
// Bible Passage") and the "stgsrch" search link read them. Every item goes
// through the strict item parser and the verse guard of the Bible the verses
// will be read in: an item whose first verse is not a verse of that Bible is
// left out, and a count that runs past the Bible's last verse is dropped
// (the item stands for its first verse alone).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/refs/verse_range.h"
#include "render/verse_list.h"

namespace lumora {

// Whether the scheme of `href` is "vr" or "vrl" (without regard to case, as
// the resource view compares schemes).
bool IsVerseLink(std::string_view href);
bool IsVerseListLink(std::string_view href);  // "vrl" only

// The ranges of a "vr" (one item) or "vrl" (every item) link, in link
// order, against a Bible of `verse_count` verses; empty for any other href.
TVerseRangeList LinkedVerseRanges(std::string_view href, int verse_count);

// Every verse of the ranges in order, repeats kept (the verse list of a
// "vrl" click).
TVerseList ExpandRanges(const TVerseRangeList& ranges);

// The search text of a "stgsrch" link's data: "H" or "G" followed by a
// decimal Strong's number from 1 up, returned as written; nullopt otherwise.
std::optional<std::string> StrongsSearchText(std::string_view data);

}  // namespace lumora
