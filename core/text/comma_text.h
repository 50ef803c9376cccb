// Comma text: the list format of title lists, word lists and single-value
// settings. Items are separated by commas; an item that holds a blank, a
// comma, a quote or a control character is written in double quotes with
// inner quotes doubled.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/text/packed_strings.h"

namespace lumora {

// Reads comma text. Blanks and control characters around items are skipped;
// an unquoted item ends at a comma, blank or control character; a quoted
// item ends at its closing quote (or the end of the text).
std::vector<std::string> ParseCommaText(std::string_view text);
// The same, into one packed buffer (for long lists such as word lists).
PackedStrings ParseCommaTextPacked(std::string_view text);

// Writes comma text that ParseCommaText reads back item for item (empty
// items are written as "").
std::string FormatCommaText(const std::vector<std::string>& items);

// The list values of the configuration store use a variant of the format:
// an empty item is written as nothing (ten empty items are nine commas), and
// on reading a comma that is the last character of the text adds one empty
// item. A list of exactly one empty item is written as "" so that it does
// not read back as no items.
std::vector<std::string> ParseSettingsCommaText(std::string_view text);
std::string FormatSettingsCommaText(const std::vector<std::string>& items);

// Sorts by cp1252::CompareNoCase and keeps only the first of items that
// compare equal, so the result is the same on every platform; empty items
// are dropped. This is the form of every sorted settings list.
void SortUniqueNoCase(std::vector<std::string>& items);
// ParseSettingsCommaText followed by SortUniqueNoCase.
std::vector<std::string> ParseSortedSettingsCommaText(std::string_view text);
// Inserts `item` at its sorted place unless an equal item is present; false
// when it was present (or empty).
bool InsertSortedNoCase(std::vector<std::string>& items, std::string_view item);

}  // namespace lumora
