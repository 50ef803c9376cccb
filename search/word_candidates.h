// The index words one search word stands for: itself, or the words a
// wildcard ("lov*", "*ness", "*ove*") or the substring option expands to.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/modules/bible_module.h"

namespace lumora {

struct WordCandidate {
  int position = -1;  // in the Bible's word list; -1 when the word is not there
  // The key-list form: the word as typed in a case-sensitive plain search,
  // otherwise the word list's spelling in lower case.
  std::string spelling;
};

// Candidates in index order. Words that differ only in case share one verse
// list in the index, so each such group yields one candidate. Wildcard and
// substring fragments match index words without regard to case.
std::vector<WordCandidate> ExpandSearchWord(const TLMBibleModule& bible, std::string_view word,
                                            bool case_sensitive, bool substring);

}  // namespace lumora
