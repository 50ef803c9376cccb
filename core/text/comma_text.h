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

}  // namespace lumora
