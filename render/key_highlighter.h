// Search-key highlighting of one verse text, before any other markup step.
#pragma once

#include <string>

#include "render/verse_list.h"

namespace lumora {

// Temporary markers inside a verse text; they never reach the HTML.
inline constexpr char kHighlightStart = '\x04';
inline constexpr char kHighlightEnd = '\x05';

// Lower-cases like the ANSI code page: A-Z and the accented capitals of
// Windows-1252 to their small forms; every other byte unchanged.
std::string AnsiLower(std::string text);

// Marks every occurrence of every key in `text` with kHighlightStart /
// kHighlightEnd. A word key counts only between non-letters (ASCII); a
// Strong's key (0x02/0x03 token) marks the words since the previous token
// together with the token. `strongs_links` says the text carries written-out
// Strong's tokens, whose numbers a word key must not match. Keys are
// matched as they are (a case-insensitive list holds lower-case keys); empty
// keys are ignored.
void MarkKeys(std::string& text, const TKeyArray& keys, bool case_sensitive, bool strongs_links);

}  // namespace lumora
