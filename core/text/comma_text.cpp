#include "core/text/comma_text.h"

#include <algorithm>

#include "core/text/cp1252.h"

namespace lumora {
namespace {

bool IsBlankOrControl(unsigned char b) { return b >= 1 && b <= ' '; }

bool NeedsQuotes(std::string_view item, bool quote_empty = true) {
  if (item.empty()) return quote_empty;
  for (const char c : item) {
    const auto b = static_cast<unsigned char>(c);
    if (b <= ' ' || c == '"' || c == ',') return true;
  }
  return false;
}

// Calls on_item with each item, unquoted. With `trailing_comma_item`, a
// comma that ends the text adds one empty item.
template <typename OnItem>
void ScanCommaText(std::string_view text, OnItem&& on_item, bool trailing_comma_item = false) {
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
      if (trailing_comma_item && p == n) on_item(std::string_view());
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

namespace {

std::string Format(const std::vector<std::string>& items, bool quote_empty) {
  std::string out;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += ',';
    const std::string& item = items[i];
    if (!NeedsQuotes(item, quote_empty)) {
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

}  // namespace

std::string FormatCommaText(const std::vector<std::string>& items) { return Format(items, true); }

std::vector<std::string> ParseSettingsCommaText(std::string_view text) {
  std::vector<std::string> items;
  ScanCommaText(
      text, [&](std::string_view item) { items.emplace_back(item); }, true);
  return items;
}

std::string FormatSettingsCommaText(const std::vector<std::string>& items) {
  if (items.size() == 1 && items[0].empty()) return "\"\"";
  return Format(items, false);
}

void SortUniqueNoCase(std::vector<std::string>& items) {
  std::erase_if(items, [](const std::string& s) { return s.empty(); });
  // Stable, so of equal items the first one read survives.
  std::stable_sort(items.begin(), items.end(), [](const std::string& a, const std::string& b) {
    return cp1252::CompareNoCase(a, b) < 0;
  });
  items.erase(std::unique(items.begin(), items.end(),
                          [](const std::string& a, const std::string& b) {
                            return cp1252::CompareNoCase(a, b) == 0;
                          }),
              items.end());
}

std::vector<std::string> ParseSortedSettingsCommaText(std::string_view text) {
  std::vector<std::string> items = ParseSettingsCommaText(text);
  SortUniqueNoCase(items);
  return items;
}

bool InsertSortedNoCase(std::vector<std::string>& items, std::string_view item) {
  if (item.empty()) return false;
  const auto at = std::lower_bound(
      items.begin(), items.end(), item,
      [](const std::string& a, std::string_view b) { return cp1252::CompareNoCase(a, b) < 0; });
  if (at != items.end() && cp1252::CompareNoCase(*at, item) == 0) return false;
  items.insert(at, std::string(item));
  return true;
}

}  // namespace lumora
