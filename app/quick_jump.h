// The quick-jump box's Enter: a typed reference to the verse the Bible view
// goes to. Full references ("Joh 3:16", "1 John 1:9") go through the
// reference parser with the titles of the Bible the view shows; forms
// without letters are read relative to the view's current verse: "4:1" (or
// "4.1") is chapter 4 verse 1 of the current book, "16" verse 16 of the
// current chapter. Numbers become verse indexes through the KJV Bible's
// versification, whose clamping lookup turns a verse past the chapter's end
// into the chapter's last verse.
//
// Also the "Display Verse(s)..." expansion of parsed ranges into a verse
// list.
#pragma once

#include <string>
#include <string_view>

#include "core/refs/verse_range.h"
#include "render/verse_list.h"

namespace lumora {

class ReferenceParser;
class TLMBibleModule;

inline constexpr const char* kUnrecognizedReference = "Unrecognized reference.";

// Steps 1 and 2 of Enter: blanks trimmed at both ends, ": " made ":",
// double blanks made single (twice over), and the blank of a leading
// "<digit> <letter>" removed ("1 John 3:16" -> "1John 3:16").
std::string NormalizeQuickJumpText(std::string_view typed);

// A decimal whole number with an optional sign, blanks around it allowed,
// that fits a 32-bit signed integer.
bool ParseWholeNumber(std::string_view text, int& value);

struct QuickJumpResult {
  // The verse index to go to; 0 for none.
  int target = 0;
  // The text was not empty and could not be placed: the caller shows
  // kUnrecognizedReference.
  bool unrecognized = false;
};

// What Enter does with the box's text `typed` (Windows-1252). `parser` is
// built on the Bible view's Bible; `kjv` gives the versification of the
// number-only forms; `current` is the Bible view's current verse index (a
// number-only form with no current verse is unrecognised). Empty text gives
// neither a target nor a message. A parsed range written backwards
// ("Joh 3:18-16") starts at its smaller verse.
QuickJumpResult QuickJumpTarget(std::string_view typed, int current, const ReferenceParser& parser,
                                const TLMBibleModule& kjv);

// "Display Verse(s)...": every range expanded into its verse indexes, ranges
// in the order given, duplicates kept; a range written backwards runs from
// its smaller index to its larger one. Indexes outside 1..31102 are
// dropped.
TVerseList ExpandVerseRanges(const TVerseRangeList& ranges);

}  // namespace lumora
