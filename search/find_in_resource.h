// Find in a resource: Find Next / Find First through the entries of one
// Book or the comments of one Commentary, each converted to plain text and
// scanned with one skip table. The dialog, the in-page find of the shown
// entry and the panes stay with the GUI; this is the scan it drives.
//
// Positions: a Book item is its entry number; a Commentary item is its slot
// (verse index - 1), both for the current position handed in and for a hit,
// so a hit opens the verse it names.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/modules/bible_module.h"
#include "core/modules/book_module.h"
#include "core/modules/commentary_module.h"

namespace lumora {

inline constexpr int kFindHelpContext = 290;
inline constexpr const char* kFindHelpTopic = "Scribble290";
inline constexpr const char* kFindInBookNotFoundMessage =
    "Search text not found in this dictionary.\nIf you are having difficulty performing a "
    "search,\nplease click help for search instructions.";
inline constexpr const char* kFindInCommentaryNotFoundMessage =
    "Search text not found in this commentary.\nIf you are having difficulty performing a "
    "search,\nplease click help for search instructions.";
inline constexpr const char* kFindAgainQuestion =
    "Search text not found.\nWould you like to search again from the beginning?";

// The dialog caption: "Find in " + the resource's title.
std::string FindDialogCaption(std::string_view resource_title);

// The text to search for: lower-cased (A-Z) unless case-sensitive, leading
// blanks kept. nullopt when nothing is left once leading blanks are
// removed (the command then shows the "did not enter any search words"
// message of the Bible search with help context 290).
std::optional<std::string> PrepareFindText(std::string_view typed, bool case_sensitive);

enum class FindStart { kFirst, kNext };
// The first item a pass scans: 0 for Find First, current + 1 for Find Next
// (current -1: nothing shown).
int FindStartItem(FindStart start, int current);
// After a pass without a hit: a pass that began at the first item (Find
// First, or nothing or item 0 shown) gets the not-found message; a later
// start gets kFindAgainQuestion (Yes: a Find First pass).
enum class FindNotFound { kMessage, kAskFromBeginning };
FindNotFound AfterFailedPass(FindStart start, int current);

// Called before each item is scanned with the status-bar text ("%d/%d" for
// a Book, "%d/31102" for a Commentary, counting from 1); returning false
// stops the scan.
using FindProgress = std::function<bool(const std::string& status)>;

struct FindHit {
  int item = -1;         // entry number or slot of the hit; -1 when none
  bool stopped = false;  // the progress callback asked to stop
  bool found() const { return item >= 0; }
};

// Scans items first_item..end (an item below 0 counts as 0). `text` must come
// from PrepareFindText; `kjv` resolves the verse lists of the entries.
FindHit FindInBook(const TLMDictionaryModule& book, const TLMBibleModule& kjv,
                   std::string_view text, bool case_sensitive, int first_item,
                   const FindProgress& progress = {});
// Only slots with a comment are scanned and reported.
FindHit FindInCommentary(const TLMCommentaryModule& commentary, const TLMBibleModule& kjv,
                         std::string_view text, bool case_sensitive, int first_slot,
                         const FindProgress& progress = {});

}  // namespace lumora
