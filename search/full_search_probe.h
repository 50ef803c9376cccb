// What reading and matching one item of a full search gives, apart from
// the bookkeeping: the part of the scan that may run on a worker thread.
// The scan (full_search_scan.h) turns probes into hits, progress and damage
// reports on the calling thread, in job order.
#pragma once

#include <cstdint>
#include <string>

#include "core/modules/bible_module.h"
#include "search/full_search_match.h"
#include "search/module_ref.h"

namespace lumora {

struct FullSearchProbe {
  enum class State : uint8_t {
    kAbsent,    // nothing to scan: a Commentary slot without a comment
    kScanned,   // the text was matched; `hit` says where
    kDamaged,   // the reader gave a damaged-record text (in `damage`)
    kTitleHit,  // a Book entry whose title holds the text (not read)
  };
  State state = State::kAbsent;
  int32_t hit = 0;     // kScanned: 1-based position of the hit, 0 for none
  uint32_t bytes = 0;  // kScanned: length of the searched text
  std::string damage;
};

// Reads and matches item `item` of `module` as the scan defines it: a Book
// entry's title first, then the item's text (FullSearchItemText). Touches
// the modules only through their const readers, so probes of any items may
// run on several threads at once.
FullSearchProbe ProbeFullSearchItem(const ModuleRef& module, int item,
                                    const FullSearchMatcher& matcher, const TLMBibleModule& kjv);

}  // namespace lumora
