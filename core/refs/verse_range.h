#pragma once

#include <vector>

namespace lumora {

// One run of verses by verse index, first <= last in well-formed lists.
struct TVerseRange {
  int first = 0;
  int last = 0;
  bool operator==(const TVerseRange&) const = default;
};

using TVerseRangeList = std::vector<TVerseRange>;

}  // namespace lumora
