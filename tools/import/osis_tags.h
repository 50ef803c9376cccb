// What the OSIS converter reads from single tags: Strong's numbers of a
// lemma and the classes of elements it treats alike.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/import/xml_scanner.h"

namespace lumora::import {

// Strong's numbers of a lemma attribute as signed numbers (Hebrew
// negative), each once, in order; numbers outside the lexicons are left out.
void ParseStrongsLemma(std::string_view lemma, std::vector<int>& numbers);

// Elements whose start and end separate words even without blanks around
// them in the source.
bool IsWordSeparatorElement(std::string_view name);

// Titles that print with the text (see the definition).
bool IsPrintedTitle(const XmlTag& tag);

// The tag starts a paragraph: "<p>", or a div, milestone or lb of a
// paragraph type, never an end.
bool IsParagraphMark(const XmlTag& tag);

// `utf8` without Hebrew letters and points.
std::string WithoutHebrewLetters(std::string_view utf8);

}  // namespace lumora::import
