// Where plain-text export output holds text in a lexicon font's 8-bit
// layout: the letters between the "{" and "}" of a Hebrew or Greek script
// run of an entry. Delivery (clipboard, files, print) decodes those bytes to
// real letters; everything else is Windows-1252.
#pragma once

#include <cstddef>
#include <vector>

namespace lumora {

struct PlainScriptRun {
  size_t begin = 0;  // byte offsets [begin, end) into the plain text
  size_t end = 0;
  bool hebrew = false;  // else Greek

  bool operator==(const PlainScriptRun&) const = default;
};

// Ascending, not overlapping.
using PlainScriptRuns = std::vector<PlainScriptRun>;

}  // namespace lumora
