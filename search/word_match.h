// Text tests shared by the Bible search filters: case folding over
// Windows-1252, whole-word occurrence tests, footnote stripping and the
// Strong's-number form of a search word.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/text/fast_strings.h"

namespace lumora {

// Every byte through the Windows-1252 upper-case map: two texts compare
// without regard to case when their folded forms are equal.
std::string FoldCase(std::string_view s);
// True when `s` holds a capital letter of Windows-1252 (A-Z, accented ones).
bool HasCapital(std::string_view s);

// Finds one pattern as a whole word in many texts: an occurrence counts when
// no letter (cp1252::IsLetter) stands directly before or after it, and every
// occurrence is tried, not only the first. The skip table is built once.
class WholeWordFinder {
 public:
  // `pattern` must not be empty. Without case, texts and pattern compare
  // through the upper-case map.
  WholeWordFinder(std::string_view pattern, bool case_sensitive);
  bool FoundIn(std::string_view text) const;

 private:
  std::string pattern_;
  bool case_sensitive_;
  SkipTable table_{};
};

// Removes each note from "{" through the next "}"; a "{" without a "}"
// after it is removed alone.
std::string StripFootnotes(std::string_view text);

// A search word of the Strong's form: "g" or "h" (either case) followed by
// decimal digits only, value 1..999999. Anything else (signs, blanks, hex,
// overflow, zero) is nullopt and stays an ordinary word.
struct StrongsSearchNumber {
  bool hebrew = false;
  int number = 0;
};
std::optional<StrongsSearchNumber> ParseStrongsSearchWord(std::string_view word);

}  // namespace lumora
