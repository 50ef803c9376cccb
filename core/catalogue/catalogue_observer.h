// Who holds modules of the catalogue hears of changes to its lists. Views,
// result windows and histories keep pointers into the catalogue; before a
// module leaves (a user module deleted) or the lists are rebuilt (a user
// module created), every observer is told to drop what it holds, and after
// the change to read the lists again. The catalogue never knows who its
// observers are beyond this interface.
#pragma once

#include <algorithm>
#include <vector>

namespace lumora {

class CatalogueObserver {
 public:
  virtual ~CatalogueObserver() = default;
  // The lists are about to change: drop pointers to modules, results,
  // history items and choosers that refer to them. No module has been
  // removed yet.
  virtual void ModulesAboutToChange() {}
  // The lists have changed: read them again and redraw.
  virtual void ModulesChanged() {}
};

// The observer list of a catalogue. Observers register for their own life
// and remove themselves before they go; notifying works on a copy, so an
// observer may remove itself while it is being told.
class CatalogueObservers {
 public:
  void Add(CatalogueObserver* observer) {
    if (std::find(list_.begin(), list_.end(), observer) == list_.end()) list_.push_back(observer);
  }
  void Remove(CatalogueObserver* observer) {
    list_.erase(std::remove(list_.begin(), list_.end(), observer), list_.end());
  }
  void AboutToChange() const {
    for (CatalogueObserver* o : Snapshot()) o->ModulesAboutToChange();
  }
  void Changed() const {
    for (CatalogueObserver* o : Snapshot()) o->ModulesChanged();
  }
  size_t size() const { return list_.size(); }

 private:
  std::vector<CatalogueObserver*> Snapshot() const { return list_; }
  std::vector<CatalogueObserver*> list_;
};

}  // namespace lumora
