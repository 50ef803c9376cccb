// History lists of text boxes, kept in the subkey "MRUs": for list id, the
// value id + "_Count" (dword) holds the number of items and id + "_Item" + i
// (strings, i from 0) the items, most recent first, at most 25.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings_storage.h"

namespace lumora::config {

inline constexpr int kMruMax = 25;

// The four lists and their identifiers.
enum class MruId { kExport, kSearchBible, kSearchResource, kBigSearch };
inline constexpr std::array<std::string_view, 4> kMruIds = {"Export", "SearchBible",
                                                            "SearchResource", "BigSearch"};
inline std::string_view MruName(MruId id) { return kMruIds[static_cast<size_t>(id)]; }

using MruList = std::vector<std::string>;

// Moves `text` to the top, or inserts it there, and keeps at most 25 items.
// Empty text changes nothing. Items are equal when their bytes are.
void PushMru(MruList& list, std::string_view text);
// "Remove item from history list"; false when `text` is not in the list.
bool RemoveMru(MruList& list, std::string_view text);

// Reads list `id` from an open "MRUs" key. Empty items and repeats are
// skipped; a count outside 0..25 is read as the nearer bound, and an item of
// the wrong type is skipped; each such fault adds one text to `problems`.
MruList ReadMru(SettingsKey& key, std::string_view id, std::vector<std::string>& problems);
// Writes the count and items (at most 25) and deletes the item values from
// the count up to index 24, so no stale item survives a shorter list.
Status WriteMru(SettingsKey& key, std::string_view id, const MruList& list);

// What a text box does when it loses the focus: writes its list into the
// "MRUs" key and flushes the store.
Status SaveMru(SettingsStorage& storage, std::string_view id, const MruList& list);

}  // namespace lumora::config
