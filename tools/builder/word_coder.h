// Splits verse text into words for the word list and the word index, and
// replaces words by word codes.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::builder {

// Calls `on_word(offset, length)` for every word of a stored verse text
// (Strong's tokens already in their stored form: byte + two digits). A word
// is a run of letters and digits; an apostrophe or hyphen between two such
// characters belongs to the word ("LORD's", "Beth-el"). The digits of
// Strong's tokens are never words, nor is anything inside an HTML tag
// ("<a href=\"lp:2342\">", "</a>").
void ForEachWord(std::string_view text,
                 const std::function<void(size_t offset, size_t length)>& on_word);

// The code for the word at `position` when it is shorter than the word
// itself; empty when the word stays literal.
std::string WordCode(int position, size_t word_length);

}  // namespace lumora::builder
