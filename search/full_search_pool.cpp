#include "search/full_search_pool.h"

#include <algorithm>

namespace lumora {
namespace {

// Slices are sized to take a millisecond or so: long enough that handing
// them out costs nothing, short enough that both cores stay busy to the end.
int SliceItems(ModuleKind kind) { return kind == ModuleKind::kBible ? 1000 : 100; }

}  // namespace

int DefaultFullSearchWorkers() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores <= 1 ? 0 : static_cast<int>(std::min(cores, 4u));
}

FullSearchPool::FullSearchPool(const TBigSearchArray& job, const FullSearchMatcher& matcher,
                               const TLMBibleModule& kjv, int workers)
    : job_(job), matcher_(matcher), kjv_(kjv) {
  for (size_t n = 0; n < job.size(); ++n) {
    const int count = job[n].module.ItemCount();
    const int step = SliceItems(job[n].module.kind);
    for (int first = 0; first < count; first += step) {
      Slice slice;
      slice.node = n;
      slice.first = first;
      slice.end = std::min(count, first + step);
      slices_.push_back(std::move(slice));
    }
  }
  workers = std::max(workers, 1);
  ahead_limit_ = 4 * static_cast<size_t>(workers);
  threads_.reserve(static_cast<size_t>(workers));
  for (int i = 0; i < workers; ++i) threads_.emplace_back([this] { Work(); });
}

FullSearchPool::~FullSearchPool() {
  Cancel();
  for (std::thread& t : threads_) t.join();
}

void FullSearchPool::Cancel() {
  {
    std::lock_guard lock(mutex_);
    cancelled_.store(true, std::memory_order_relaxed);
  }
  caller_moved_.notify_all();
}

void FullSearchPool::Work() {
  for (;;) {
    Slice* slice = nullptr;
    {
      std::unique_lock lock(mutex_);
      caller_moved_.wait(lock, [this] {
        return cancelled_.load(std::memory_order_relaxed) || next_ >= slices_.size() ||
               next_ < caller_at_ + ahead_limit_;
      });
      if (cancelled_.load(std::memory_order_relaxed) || next_ >= slices_.size()) return;
      slice = &slices_[next_++];
    }
    ProbeSlice(*slice);
    {
      std::lock_guard lock(mutex_);
      slice->done = true;
    }
    slice_done_.notify_all();
  }
}

void FullSearchPool::ProbeSlice(Slice& slice) {
  const ModuleRef& module = job_[slice.node].module;
  slice.probes.reserve(static_cast<size_t>(slice.end - slice.first));
  for (int item = slice.first; item < slice.end; ++item) {
    // A cancelled slice is never read, so it may stay short.
    if (cancelled_.load(std::memory_order_relaxed)) return;
    slice.probes.push_back(ProbeFullSearchItem(module, item, matcher_, kjv_));
  }
}

const FullSearchProbe& FullSearchPool::Take(size_t node, int item) {
  while (current_ < slices_.size() &&
         (slices_[current_].node < node ||
          (slices_[current_].node == node && slices_[current_].end <= item))) {
    slices_[current_].probes = {};  // read: free it
    ++current_;
    {
      std::lock_guard lock(mutex_);
      caller_at_ = current_;
    }
    caller_moved_.notify_all();
  }
  static const FullSearchProbe kNothing;
  if (current_ >= slices_.size() || slices_[current_].node != node || item < slices_[current_].first)
    return kNothing;  // no such item: the caller went backwards or past the job
  Slice& slice = slices_[current_];
  {
    std::unique_lock lock(mutex_);
    slice_done_.wait(lock, [&slice] { return slice.done; });
  }
  return slice.probes[static_cast<size_t>(item - slice.first)];
}

}  // namespace lumora
