// The scan of the full reference search: every verse of each Bible and
// every entry of each Book and Commentary of a job, in job order, matched
// with one FullSearchMatcher. It reports what the progress window shows and
// asks its observer after every verse and every existing entry whether to
// stop; hits found before a stop stay in the job.
#pragma once

#include <cstdint>
#include <string>

#include "core/modules/bible_module.h"
#include "search/full_search_job.h"
#include "search/full_search_match.h"

namespace lumora {

// What the progress window shows.
struct FullSearchProgress {
  std::string module_title;  // after "Searching:"
  int found = 0;             // after "Found:"
  int64_t position = 0;      // items processed so far
  int64_t maximum = 0;       // FullSearchMaximum(job)
};

class FullSearchObserver {
 public:
  virtual ~FullSearchObserver() = default;
  // A label or the bar changed: a module begins, a hit was counted, or a
  // 1000th verse or 100th entry was reached.
  virtual void OnProgress(const FullSearchProgress& /*progress*/) {}
  // A module gave a record it could not read (`message` is the reader's
  // text). Called for the first such record of each module; its text is
  // not matched and the scan goes on.
  virtual void OnModuleDamaged(const std::string& /*module_title*/,
                               const std::string& /*message*/) {}
  // After every verse and every existing entry: where pending work may run.
  // True ends the scan at once.
  virtual bool ShouldStop() { return false; }
};

struct FullSearchOutcome {
  int found = 0;  // items with a hit, all modules
  bool stopped = false;
  uint64_t bytes_scanned = 0;  // length of every searched text
  int damaged_modules = 0;
};

// The progress maximum: every record's item count.
int64_t FullSearchMaximum(const TBigSearchArray& job);

// Workers of RunFullSearch: kFullSearchAutoWorkers takes one per core
// (DefaultFullSearchWorkers), 0 scans on the calling thread alone.
inline constexpr int kFullSearchAutoWorkers = -1;

// Scans `job` (whose records are expected to be fresh). `kjv` resolves the
// verse lists of entries; `observer` may be null. With workers, the items are
// read and matched on worker threads while this thread records the hits and
// calls the observer, item by item in job order, exactly as a scan on one
// thread does: the job, the outcome and the sequence of observer calls are
// the same whatever the number of workers or their timing. The observer is
// only ever called on this thread; when it stops the scan, the workers end
// after at most the record each is reading, and no hit past the stop is kept.
// The modules are only read, through their const readers.
FullSearchOutcome RunFullSearch(TBigSearchArray& job, const FullSearchMatcher& matcher,
                                const TLMBibleModule& kjv, FullSearchObserver* observer,
                                int workers = kFullSearchAutoWorkers);

// The status text after a search: the count and " Entries found.".
std::string FullSearchFoundText(int found);

}  // namespace lumora
