#include "render/href.h"

#include "core/codec/base205.h"
#include "core/refs/verse_index.h"

namespace lumora {

std::optional<THref> SplitHref(std::string_view href) {
  const size_t colon = href.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  return THref{href.substr(0, colon), href.substr(colon + 1)};
}

std::optional<int32_t> ParseLinkNumber(std::string_view text) {
  int base = 10;
  if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  int64_t value = 0;
  for (const char c : text) {
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return std::nullopt;
    value = value * base + digit;
    if (value > INT32_MAX) return std::nullopt;
  }
  return static_cast<int32_t>(value);
}

std::optional<TLinkPair> ParseLinkPair(std::string_view data) {
  const size_t comma = data.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const auto k = ParseLinkNumber(data.substr(0, comma));
  const auto n = ParseLinkNumber(data.substr(comma + 1));
  if (!k || !n) return std::nullopt;
  return TLinkPair{*k, *n};
}

std::optional<TVerseRangeItem> ParseVerseRangeItem(std::string_view item) {
  TVerseRangeItem out;
  const size_t plus = item.find('+');
  out.head = item.substr(0, plus);
  // DecodeBase205 refuses non-digits (and so a second "+") with -1; an empty
  // head would decode as 0, which is no verse either.
  const int64_t first = out.head.empty() ? -1 : DecodeBase205(out.head);
  if (first < 1 || first > kVerseCount) return std::nullopt;
  out.first = static_cast<int32_t>(first);
  out.last = out.first;
  if (plus != std::string_view::npos) {
    const std::string_view count = item.substr(plus + 1, 4);
    const int64_t n = count.empty() ? -1 : DecodeBase205(count);
    if (n < 0) return std::nullopt;
    out.has_count = true;
    out.last = out.first + static_cast<int32_t>(n);  // at most 31102 + 205^4 - 1
  }
  return out;
}

std::vector<std::string_view> SplitVerseRangeList(std::string_view list) {
  std::vector<std::string_view> items;
  size_t start = 0;
  for (;;) {
    const size_t comma = list.find(',', start);
    if (comma == std::string_view::npos) {
      if (start < list.size()) items.push_back(list.substr(start));
      return items;
    }
    items.push_back(list.substr(start, comma - start));
    start = comma + 1;
  }
}

}  // namespace lumora
