#pragma once

#include <string>
#include <string_view>

namespace lumora::import {

// Replaces Greek and Hebrew letters (which Windows-1252 lacks) by a simple
// Latin transliteration, leaving every other character alone. Notes quote
// original-language words; "monogene" reads better than "????????".
std::string TransliterateGreekHebrew(std::string_view utf8);

}  // namespace lumora::import
