// Fixed texts of the full reference search window and its progress window.
#pragma once

namespace lumora {

inline constexpr const char* kFullSearchCaption = "Full Reference Search";
inline constexpr const char* kFullSearchHint =
    "Full Reference Search|Full Reference Search: search some or all resources";
inline constexpr const char* kFullSearchHelpTopic = "Scribble420";
inline constexpr const char* kFullSearchMruId = "BigSearch";

inline constexpr const char* kFullSearchEnterTextMessage = "Please enter text to search for.";
inline constexpr const char* kFullSearchNoModulesMessage =
    "No modules to search.  Widen search reference set.";
inline constexpr const char* kFullSearchNoSetMessage =
    "Internal error: Reference list object is nil. Please report error.";
inline constexpr const char* kFullSearchNoMatches = "No matches found.";
inline constexpr const char* kFullSearchFoundSuffix = " Entries found.";

// The progress window.
inline constexpr const char* kFullSearchProgressCaption = "Searching...";
inline constexpr const char* kFullSearchFoundLabel = "Found:";
inline constexpr const char* kFullSearchSearchingLabel = "Searching:";

// What the result view shows before the first search.
inline constexpr const char* kFullSearchTipsHtml =
    "Full Reference Search function: This allows you to perform a search across all resource "
    "material available."
    "<p><b>Tips:</b>"
    "<ul><li>To speed up searching, search only a set of references you are interested in.</li>"
    "<li>For normal Bible searches, it is better to use the Bible Search function (select Search "
    "Bible on the Search menu).</li>"
    "<li>To search for verse references in modules, use the Topic and Verse Guide (select Topic "
    "and Verse Guide on the Search menu).</li>"
    "</ul>";

}  // namespace lumora
