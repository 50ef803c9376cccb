#include "search/full_search_scan.h"

#include "search/full_search_text.h"
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

class Scan {
 public:
  Scan(const FullSearchMatcher& matcher, const TLMBibleModule& kjv, FullSearchObserver* observer,
       int64_t maximum)
      : matcher_(matcher), kjv_(kjv), observer_(observer) {
    progress_.maximum = maximum;
  }

  // False when the observer stopped the scan.
  bool Module(TBigSearchNode& node) {
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
      Item(node, item);
      if ((item + 1) % 1000 == 0) Position(item + 1);
      if (Stop()) return false;
    }
    return true;
  }

  bool Commentary(TBigSearchNode& node) {
    for (int item = 0; item < node.module.ItemCount(); ++item) {
      if (!Item(node, item)) continue;
      if (item % 100 == 0) Position(item);
      if (Stop()) return false;
    }
    return true;
  }

  bool Book(TBigSearchNode& node) {
    const std::vector<std::string>& titles = node.module.book->EntryTitles();
    for (int item = 0; item < node.module.ItemCount(); ++item) {
      if (matcher_.Occurs(titles[static_cast<size_t>(item)]))
        Hit(node, item, -1);
      else
        Item(node, item);
      if (item % 100 == 0) Position(item);
      if (Stop()) return false;
    }
    return true;
  }

  // Reads and matches one item; false when it has no text to scan.
  bool Item(TBigSearchNode& node, int item) {
    const FullSearchItem text = FullSearchItemText(node.module, item, kjv_);
    if (!text.present) return false;
    if (text.damaged) {
      if (node.damaged_count++ == 0) {
        node.first_damage = text.text;
        if (observer_) observer_->OnModuleDamaged(progress_.module_title, text.text);
      }
      return true;
    }
    outcome_.bytes_scanned += text.text.size();
    if (const size_t at = matcher_.Match(text.text)) Hit(node, item, static_cast<int32_t>(at));
    return true;
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
  FullSearchProgress progress_;
  FullSearchOutcome outcome_;
  int64_t base_ = 0;
};

}  // namespace

FullSearchOutcome RunFullSearch(TBigSearchArray& job, const FullSearchMatcher& matcher,
                                const TLMBibleModule& kjv, FullSearchObserver* observer) {
  Scan scan(matcher, kjv, observer, FullSearchMaximum(job));
  for (TBigSearchNode& node : job)
    if (!scan.Module(node)) return scan.Finish(true);
  return scan.Finish(false);
}

}  // namespace lumora
