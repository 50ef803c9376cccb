// A read-only list of strings stored in one buffer: thousands of short words
// cost two allocations instead of one each, which keeps module opening fast.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

class PackedStrings {
 public:
  void Reserve(size_t count, size_t bytes) {
    spans_.reserve(count);
    storage_.reserve(bytes);
  }
  void Append(std::string_view s) {
    spans_.push_back({static_cast<uint32_t>(storage_.size()), static_cast<uint32_t>(s.size())});
    storage_.append(s);
  }
  size_t size() const { return spans_.size(); }
  bool empty() const { return spans_.empty(); }
  // Every span was cut from storage_ by Append, so none needs a check.
  std::string_view operator[](size_t i) const {
    return std::string_view(storage_.data() + spans_[i].offset, spans_[i].length);
  }

 private:
  struct Span {
    uint32_t offset;
    uint32_t length;
  };
  std::string storage_;
  std::vector<Span> spans_;
};

}  // namespace lumora
