// Back/forward history of a pane. The Bible, Commentary and Book views each
// keep one: the item type differs (a verse index; a Commentary and position;
// a Book and entry) and so does when the position being left is worth
// keeping, which the pane decides and passes in. History lives in memory
// only. Qt-free: the panes drive it from their navigation operations.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <utility>

namespace lumora {

class TLMBibleModule;
class TLMDictionaryModule;

template <typename Item>
class NavigationHistory {
 public:
  static constexpr size_t kMaxBack = 15;

  // Most recent first.
  const std::deque<Item>& Back() const { return back_; }
  const std::deque<Item>& Forward() const { return forward_; }
  bool CanGoBack() const { return !back_.empty(); }
  bool CanGoForward() const { return !forward_.empty(); }

  // Off only while a history jump navigates; the pane records only while on.
  bool Recording() const { return recording_; }

  void Clear() {
    back_.clear();
    forward_.clear();
    recording_ = true;
  }

  // The pane leaves `position` for a new one. A position that does not count
  // (nothing shown yet, a settings re-render) or that is already the most
  // recent back item only empties the forward list.
  void Record(const Item& position, bool counts) {
    forward_.clear();
    if (!counts) return;
    if (!back_.empty() && back_.front() == position) return;
    back_.push_front(position);
    if (back_.size() > kMaxBack) back_.resize(kMaxBack);
  }

  // Removes every item of both lists for which `drop(item)` is true (the
  // items of a module that left the library).
  template <typename Drop>
  void RemoveIf(Drop&& drop) {
    std::erase_if(back_, drop);
    std::erase_if(forward_, drop);
  }

  // Every item of both lists replaced by `map(item)` in place; an item for
  // which `map` returns false is dropped (a Book entry that is gone).
  template <typename Map>
  void Remap(Map&& map) {
    const auto gone = [&map](Item& item) { return !map(item); };
    std::erase_if(back_, gone);
    std::erase_if(forward_, gone);
  }

  // Jumps k + 1 items back (k = 0 for the button, the drop-down row
  // otherwise): the position being left (when `keep_leaving`) and back items
  // 0..k-1 move to the forward list, back item k is the target and leaves
  // the list. `navigate(target)` runs with recording off. Returns false and
  // changes nothing when there is no back item k.
  template <typename Navigate>
  bool JumpBack(size_t k, const Item& leaving, bool keep_leaving, Navigate&& navigate) {
    return Jump(back_, forward_, k, leaving, keep_leaving, std::forward<Navigate>(navigate));
  }
  template <typename Navigate>
  bool JumpForward(size_t k, const Item& leaving, bool keep_leaving, Navigate&& navigate) {
    return Jump(forward_, back_, k, leaving, keep_leaving, std::forward<Navigate>(navigate));
  }

 private:
  template <typename Navigate>
  bool Jump(std::deque<Item>& from, std::deque<Item>& to, size_t k, const Item& leaving,
            bool keep_leaving, Navigate&& navigate) {
    if (k >= from.size()) return false;
    const Item target = from[k];
    if (keep_leaving) to.push_front(leaving);
    for (size_t i = 0; i < k; ++i) to.push_front(from[i]);
    from.erase(from.begin(), from.begin() + static_cast<std::ptrdiff_t>(k) + 1);
    // The back list never outgrows its bound, whichever way items move.
    if (back_.size() > kMaxBack) back_.resize(kMaxBack);
    recording_ = false;
    navigate(target);
    recording_ = true;
    return true;
  }

  std::deque<Item> back_;
  std::deque<Item> forward_;
  bool recording_ = true;
};

// The Bible view's items are verse indexes, the Bible not recorded.
using BibleHistory = NavigationHistory<uint16_t>;

// A Commentary view item: the Commentary by abbreviation (modules may leave
// the library while the item waits) and the verse position (verse index - 1).
struct TCommentaryPlace {
  std::string abbreviation;  // Windows-1252, as the module spells it
  uint16_t position = 0;
  bool operator==(const TCommentaryPlace&) const = default;
};
using CommentaryHistory = NavigationHistory<TCommentaryPlace>;

// A Book view item: the Book by abbreviation and the entry number (32 bits:
// a Book may hold more than 65535 titles).
struct TBookPlace {
  std::string abbreviation;  // Windows-1252
  int32_t entry = 0;
  bool operator==(const TBookPlace&) const = default;
};
using BookHistory = NavigationHistory<TBookPlace>;

// Drop-down caption of a Bible view history item in `bible`: "%s %d" (short
// book title, chapter) for verse 1 of a chapter, else "%s %d:%d".
std::string BibleHistoryCaption(const TLMBibleModule& bible, int verse_index);

// "%s - %s %d:%d": the item's abbreviation and the short book title of
// `kjv`, chapter and verse of position + 1.
std::string CommentaryHistoryCaption(const TCommentaryPlace& place, const TLMBibleModule& kjv);

// "%s - %s": the item's abbreviation and its entry title in `book` (the
// Book the abbreviation names now); "Internal Error" when there is no such
// Book or entry.
inline constexpr const char* kHistoryCaptionError = "Internal Error";
std::string BookHistoryCaption(const TBookPlace& place, const TLMDictionaryModule* book);

}  // namespace lumora
