// What the Bible search command does with the typed text around the
// engine: the blank check, the punctuation clean-up, the prefills of other
// commands, the result title and the command's fixed texts.
#pragma once

#include <string>
#include <string_view>

#include "core/modules/bible_module.h"

namespace lumora {

inline constexpr int kBibleSearchHelpContext = 90;
inline constexpr const char* kBibleSearchHelpTopic = "Scribble90";
inline constexpr const char* kSearchingStatus = "Searching...";
inline constexpr const char* kNoSearchWordsMessage =
    "You did not enter any search words.\nIf you are having difficulty performing a search,\n"
    "please click help for search instructions.";
inline constexpr const char* kNoVersesFoundMessage =
    "No verses found matching search parameters.\nIf you are having difficulty performing a "
    "search,\nplease click help for search instructions.";

// True when the typed text holds nothing but blanks and control bytes (the
// command then shows kNoSearchWordsMessage).
bool IsBlankSearchText(std::string_view typed);
// The text the engine gets: every ".", then every ",", then every ";"
// removed; brackets and other punctuation stay.
std::string CleanSearchText(std::string_view typed);
// "Search Bible for Selected Text": ASCII letters and digits, blanks, "-"
// and the code page's letters from 0xC0 up (accented Latin letters are
// words too), in order; everything else dropped.
std::string SearchTextFromSelection(std::string_view selected);
// The Strong's search prefill: "G26", "H7225".
std::string StrongsSearchText(bool hebrew, int number);
// The verse list title "%s search: %s" (abbreviation, text as typed).
std::string BibleSearchTitle(const TLMBibleModule& bible, std::string_view typed);

}  // namespace lumora
