// The worker pool of the full search: the job's items are cut into slices
// (a thousand verses, a hundred entries or Commentary slots), the workers
// probe slices in job order, and the calling thread takes the probes item
// by item in that same order, so what it makes of them cannot depend on
// the timing. The workers stay at most a few slices ahead of the caller.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "search/full_search_job.h"
#include "search/full_search_probe.h"

namespace lumora {

class FullSearchPool {
 public:
  // Starts `workers` (at least 1) threads on `job`. The job, matcher and
  // modules must outlive the pool.
  FullSearchPool(const TBigSearchArray& job, const FullSearchMatcher& matcher,
                 const TLMBibleModule& kjv, int workers);
  // Cancels and joins the workers.
  ~FullSearchPool();
  FullSearchPool(const FullSearchPool&) = delete;
  FullSearchPool& operator=(const FullSearchPool&) = delete;

  // The probe of item `item` of record `node`, waiting for it if need be.
  // Calls must go forward through the job: every item of a record in order,
  // the records in job order. The reference stays valid until the next call.
  const FullSearchProbe& Take(size_t node, int item);

  // Ends the workers: each finishes at most the record it is reading.
  void Cancel();

 private:
  struct Slice {
    size_t node = 0;
    int first = 0, end = 0;  // items first..end-1
    std::vector<FullSearchProbe> probes;
    bool done = false;  // guarded by mutex_
  };

  void Work();
  void ProbeSlice(Slice& slice);

  const TBigSearchArray& job_;
  const FullSearchMatcher& matcher_;
  const TLMBibleModule& kjv_;
  std::vector<Slice> slices_;
  size_t ahead_limit_;           // slices a worker may start beyond the caller's
  size_t current_ = 0;           // the slice the caller reads (caller only)
  std::mutex mutex_;
  std::condition_variable slice_done_;  // a worker finished a slice
  std::condition_variable caller_moved_;  // the caller took a new slice, or cancelled
  size_t next_ = 0;                // next slice to hand out (mutex_)
  size_t caller_at_ = 0;           // copy of current_ for the workers (mutex_)
  std::atomic<bool> cancelled_{false};
  std::vector<std::thread> threads_;
};

// Workers for a full search on this machine: one per core, at most four;
// 0 (scan on the calling thread) on a single core.
int DefaultFullSearchWorkers();

}  // namespace lumora
