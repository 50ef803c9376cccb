#include "core/text/comma_text.h"

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

}  // namespace

std::vector<std::string> ParseCommaText(std::string_view text) {
  std::vector<std::string> items;
  size_t p = 0;
  const size_t n = text.size();
  auto at = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  while (p < n && IsBlankOrControl(at(p))) ++p;
  while (p < n) {
    std::string item;
    if (text[p] == '"') {
      ++p;
      while (p < n) {
        if (text[p] == '"') {
          if (p + 1 < n && text[p + 1] == '"') {
            item += '"';
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        item += text[p++];
      }
    } else {
      const size_t start = p;
      while (p < n && at(p) > ' ' && text[p] != ',') ++p;
      item.assign(text.substr(start, p - start));
      // A zero byte is neither blank nor item text: step over it so the
      // scan always advances.
      if (p == start && p < n && at(p) == 0) ++p;
    }
    items.push_back(std::move(item));
    while (p < n && IsBlankOrControl(at(p))) ++p;
    if (p < n && text[p] == ',') {
      ++p;
      while (p < n && IsBlankOrControl(at(p))) ++p;
    }
  }
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
