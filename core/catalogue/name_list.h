// A sorted list of names, compared without regard to case, each carrying the
// module it names. The first module to claim a name keeps it.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/cp1252.h"

namespace lumora {

template <typename Module>
class NameList {
 public:
  struct Entry {
    std::string name;
    Module* module;
  };

  // False (and nothing added) when the name is already present.
  bool Add(std::string name, Module* module) {
    auto it = LowerBound(name);
    if (it != entries_.end() && cp1252::EqualNoCase(it->name, name)) return false;
    entries_.insert(it, Entry{std::move(name), module});
    return true;
  }
  Module* Find(std::string_view name) const {
    auto it = LowerBound(name);
    if (it != entries_.end() && cp1252::EqualNoCase(it->name, name)) return it->module;
    return nullptr;
  }
  bool Contains(std::string_view name) const {
    auto it = LowerBound(name);
    return it != entries_.end() && cp1252::EqualNoCase(it->name, name);
  }
  void RemoveModule(const Module* module) {
    std::erase_if(entries_, [module](const Entry& e) { return e.module == module; });
  }
  // Removes the entry of `name` (any case), whoever claimed it.
  void RemoveName(std::string_view name) {
    auto it = LowerBound(name);
    if (it != entries_.end() && cp1252::EqualNoCase(it->name, name)) entries_.erase(it);
  }
  const std::vector<Entry>& Entries() const { return entries_; }
  size_t Size() const { return entries_.size(); }

 private:
  typename std::vector<Entry>::const_iterator LowerBound(std::string_view name) const {
    return std::lower_bound(entries_.begin(), entries_.end(), name,
                            [](const Entry& e, std::string_view n) {
                              return cp1252::CompareNoCase(e.name, n) < 0;
                            });
  }
  std::vector<Entry> entries_;
};

}  // namespace lumora
