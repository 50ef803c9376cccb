#include "core/text/comma_text.h"

#include <algorithm>

namespace lumora {
namespace {

bool IsBlankOrControl(unsigned char b) { return b >= 1 && b <= ' '; }

bool NeedsQuotes(std::string_view item) {
  if (item.empty()) return true;
  for (const char c : item) {
    const auto b = static_cast<unsigned char>(c);
    if (b <= ' ' || c == '"' || c == ',') return true;
  }
  return false;
}

// Calls on_item with each item, unquoted.
template <typename OnItem>
void ScanCommaText(std::string_view text, OnItem&& on_item) {
  size_t p = 0;
  const size_t n = text.size();
  auto at = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  std::string unquoted;
  while (p < n && IsBlankOrControl(at(p))) ++p;
  while (p < n) {
    if (text[p] == '"') {
      ++p;
      const size_t start = p;
      bool doubled = false;
      while (p < n && !(text[p] == '"' && (p + 1 >= n || text[p + 1] != '"'))) {
        if (text[p] == '"') {  // a doubled quote stands for one
          doubled = true;
          ++p;
        }
        ++p;
      }
      const std::string_view raw = text.substr(start, std::min(p, n) - start);
      if (p < n) ++p;  // the closing quote
      if (!doubled) {
        on_item(raw);
      } else {
        unquoted.clear();
        for (size_t k = 0; k < raw.size(); ++k) {
          unquoted += raw[k];
          if (raw[k] == '"') ++k;
        }
        on_item(unquoted);
      }
    } else {
      const size_t start = p;
      while (p < n && at(p) > ' ' && text[p] != ',') ++p;
      on_item(text.substr(start, p - start));
      // A zero byte is neither blank nor item text: step over it so the
      // scan always advances.
      if (p == start && p < n && at(p) == 0) ++p;
    }
    while (p < n && IsBlankOrControl(at(p))) ++p;
    if (p < n && text[p] == ',') {
      ++p;
      while (p < n && IsBlankOrControl(at(p))) ++p;
    }
  }
}

}  // namespace

std::vector<std::string> ParseCommaText(std::string_view text) {
  std::vector<std::string> items;
  ScanCommaText(text, [&](std::string_view item) { items.emplace_back(item); });
  return items;
}

PackedStrings ParseCommaTextPacked(std::string_view text) {
  PackedStrings items;
  items.Reserve(text.size() / 6 + 1, text.size());
  ScanCommaText(text, [&](std::string_view item) { items.Append(item); });
  return items;
}

std::string FormatCommaText(const std::vector<std::string>& items) {
  std::string out;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += ',';
    const std::string& item = items[i];
    if (!NeedsQuotes(item)) {
      out += item;
      continue;
    }
    out += '"';
    for (const char c : item) {
      if (c == '"') out += '"';
      out += c;
    }
    out += '"';
  }
  return out;
}

}  // namespace lumora
