// Entries as the SWORD readers hand them over: raw markup in UTF-8.
#pragma once

#include <string>

namespace lumora::import {

// A dictionary entry under its key.
struct SourceEntry {
  std::string key;
  std::string text;
};

// A comment: the source stores it once and links every verse of its range
// to it. Verses are KJV verse indexes, first <= last.
struct SourceComment {
  int first = 0;
  int last = 0;
  std::string text;
};

}  // namespace lumora::import
