// The characters of a source that Windows-1252 cannot hold, each stored as
// the nearest one it can ("‛" as "‘", "ă" as "a"), tallied so that the
// library's README can say what was folded.
#pragma once

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::import {

class CodePageFolds {
 public:
  // The entry (verse index, entry or comment number) that the next folds
  // stand in; an entry named twice (its title, then its text) counts once.
  void SetEntry(size_t entry) { entry_ = entry; }

  // Windows-1252 text for `utf8`, every character the code page lacks
  // folded and counted. C1 control characters (U+0080..U+009F) are never
  // text: they are bytes of the DOS code page 437 read as Latin-1
  // ("Thom\x82" for "Thomé"), and read as that code page's letters.
  std::string Convert(std::string_view utf8);
  // The stand-in for one code point the code page lacks, counted.
  std::string Fold(char32_t cp);
  // Counts a fold the caller made itself.
  void Count(char32_t cp, std::string_view stand_in);

  size_t Total() const;
  // One line per character, most frequent first, UTF-8:
  //   "U+201B ‛ as ‘: 1740 in 1517 entries"
  std::vector<std::string> Lines() const;

 private:
  struct Tally {
    std::string stand_in;  // Windows-1252
    size_t count = 0;
    std::set<size_t> entries;
  };
  std::map<char32_t, Tally> tallies_;
  size_t entry_ = 0;
};

// Windows-1252 text for `utf8`: through `folds` when given, else
// cp1252::FromUtf8 with the same C1 reading.
std::string ToWindows1252(std::string_view utf8, CodePageFolds* folds);

}  // namespace lumora::import
