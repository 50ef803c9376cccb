#include "search/full_search_scan.h"

#include <memory>

#include "search/full_search_pool.h"
#include "search/full_search_probe.h"
#include "search/full_search_texts.h"

namespace lumora {

int64_t FullSearchMaximum(const TBigSearchArray& job) {
  int64_t total = 0;
  for (const TBigSearchNode& node : job) total += node.module.ItemCount();
  return total;
}

std::string FullSearchFoundText(int found) {
  return std::to_string(found) + kFullSearchFoundSuffix;
}

namespace {

// The bookkeeping of a scan, always on the calling thread: it asks for each
// item's probe in job order (made on the spot, or by the pool's workers)
// and records hits, reports progress and asks whether to stop exactly as
// often as a scan on one thread does.
class Scan {
 public:
  Scan(const FullSearchMatcher& matcher, const TLMBibleModule& kjv, FullSearchObserver* observer,
       int64_t maximum, FullSearchPool* pool)
      : matcher_(matcher), kjv_(kjv), observer_(observer), pool_(pool) {
    progress_.maximum = maximum;
  }

  // False when the observer stopped the scan.
  bool Module(TBigSearchNode& node, size_t index) {
    node_index_ = index;
    progress_.module_title = node.module.Title();
    Report();
    bool going = true;
    switch (node.module.kind) {
      case ModuleKind::kBible: going = Bible(node); break;
      case ModuleKind::kCommentary: going = Commentary(node); break;
      case ModuleKind::kBook: going = Book(node); break;
    }
    base_ += node.module.ItemCount();
    progress_.position = base_;
    if (node.damaged_count > 0) ++outcome_.damaged_modules;
    return going;
  }

  FullSearchOutcome Finish(bool stopped) {
    outcome_.found = progress_.found;
    outcome_.stopped = stopped;
    return outcome_;
  }

 private:
  bool Bible(TBigSearchNode& node) {
    const int count = node.module.ItemCount();
    for (int item = 0; item < count; ++item) {
      Record(node, item, Probe(node, item));
      if ((item + 1) % 1000 == 0) Position(item + 1);
      if (Stop()) return false;
    }
    return true;
  }

  bool Commentary(TBigSearchNode& node) {
    for (int item = 0; item < node.module.ItemCount(); ++item) {
      const FullSearchProbe& probe = Probe(node, item);
      if (probe.state == FullSearchProbe::State::kAbsent) continue;
      Record(node, item, probe);
      if (item % 100 == 0) Position(item);
      if (Stop()) return false;
    }
    return true;
  }

  bool Book(TBigSearchNode& node) {
    for (int item = 0; item < node.module.ItemCount(); ++item) {
      Record(node, item, Probe(node, item));
      if (item % 100 == 0) Position(item);
      if (Stop()) return false;
    }
    return true;
  }

  const FullSearchProbe& Probe(const TBigSearchNode& node, int item) {
    if (pool_) return pool_->Take(node_index_, item);
    local_ = ProbeFullSearchItem(node.module, item, matcher_, kjv_);
    return local_;
  }

  void Record(TBigSearchNode& node, int item, const FullSearchProbe& probe) {
    switch (probe.state) {
      case FullSearchProbe::State::kAbsent: break;
      case FullSearchProbe::State::kTitleHit: Hit(node, item, -1); break;
      case FullSearchProbe::State::kDamaged:
        if (node.damaged_count++ == 0) {
          node.first_damage = probe.damage;
          if (observer_) observer_->OnModuleDamaged(progress_.module_title, probe.damage);
        }
        break;
      case FullSearchProbe::State::kScanned:
        outcome_.bytes_scanned += probe.bytes;
        if (probe.hit > 0) Hit(node, item, probe.hit);
        break;
    }
  }

  void Hit(TBigSearchNode& node, int item, int32_t position) {
    node.RecordHit(item, position);
    ++progress_.found;
    Report();
  }

  void Position(int items_done) {
    progress_.position = base_ + items_done;
    Report();
  }

  void Report() {
    if (observer_) observer_->OnProgress(progress_);
  }
  bool Stop() { return observer_ && observer_->ShouldStop(); }

  const FullSearchMatcher& matcher_;
  const TLMBibleModule& kjv_;
  FullSearchObserver* observer_;
  FullSearchPool* pool_;
  FullSearchProbe local_;
  FullSearchProgress progress_;
  FullSearchOutcome outcome_;
  int64_t base_ = 0;
  size_t node_index_ = 0;
};

}  // namespace

FullSearchOutcome RunFullSearch(TBigSearchArray& job, const FullSearchMatcher& matcher,
                                const TLMBibleModule& kjv, FullSearchObserver* observer,
                                int workers) {
  if (workers < 0) workers = DefaultFullSearchWorkers();
  // The pool reads the records' modules only; the hits are written here.
  std::unique_ptr<FullSearchPool> pool;
  if (workers > 0) pool = std::make_unique<FullSearchPool>(job, matcher, kjv, workers);
  Scan scan(matcher, kjv, observer, FullSearchMaximum(job), pool.get());
  for (size_t n = 0; n < job.size(); ++n) {
    if (!scan.Module(job[n], n)) {
      if (pool) pool->Cancel();
      return scan.Finish(true);
    }
  }
  return scan.Finish(false);
}

}  // namespace lumora
