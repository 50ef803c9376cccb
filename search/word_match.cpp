#include "search/word_match.h"

#include "core/text/cp1252.h"
#include "render/key_highlighter.h"

namespace lumora {
namespace {

bool IsLetterAt(std::string_view text, size_t i) {
  return cp1252::IsLetter(static_cast<unsigned char>(text[i]));
}

}  // namespace

std::string FoldCase(std::string_view s) {
  const unsigned char* map = cp1252::UpperMap();
  std::string out(s);
  for (char& c : out) c = static_cast<char>(map[static_cast<unsigned char>(c)]);
  return out;
}

bool HasCapital(std::string_view s) {
  const std::string original(s);
  return AnsiLower(original) != original;
}

WholeWordFinder::WholeWordFinder(std::string_view pattern, bool case_sensitive)
    : pattern_(pattern), case_sensitive_(case_sensitive) {
  // An empty pattern leaves the table unset; FoundIn never scans with it.
  if (case_sensitive_)
    (void)BuildSkipTable(pattern_, table_);
  else
    (void)BuildSkipTableNoCase(pattern_, table_);
}

bool WholeWordFinder::FoundIn(std::string_view text) const {
  if (pattern_.empty()) return false;
  const size_t n = pattern_.size();
  size_t from = 0;
  while (from + n <= text.size()) {
    const char* start = text.data() + from;
    const auto length = static_cast<int64_t>(text.size() - from);
    const char* hit = case_sensitive_ ? SkipScan(start, pattern_, length, table_)
                                      : SkipScanNoCase(start, pattern_, length, table_);
    if (hit == nullptr) return false;
    const size_t at = static_cast<size_t>(hit - text.data());
    const bool free_before = at == 0 || !IsLetterAt(text, at - 1);
    const bool free_after = at + n == text.size() || !IsLetterAt(text, at + n);
    if (free_before && free_after) return true;
    from = at + 1;
  }
  return false;
}

std::string StripFootnotes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t p = 0;
  while (p < text.size()) {
    const size_t open = text.find('{', p);
    if (open == std::string_view::npos) break;
    out.append(text.substr(p, open - p));
    const size_t close = text.find('}', open + 1);
    p = close == std::string_view::npos ? open + 1 : close + 1;
  }
  if (p < text.size()) out.append(text.substr(p));
  return out;
}

std::optional<StrongsSearchNumber> ParseStrongsSearchWord(std::string_view word) {
  if (word.size() < 2) return std::nullopt;
  StrongsSearchNumber result;
  const char letter = word[0];
  if (letter == 'h' || letter == 'H')
    result.hebrew = true;
  else if (letter != 'g' && letter != 'G')
    return std::nullopt;
  constexpr int kLimit = 999999;  // far above every Strong's number, far below overflow
  int value = 0;
  for (char c : word.substr(1)) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > kLimit) return std::nullopt;
  }
  if (value < 1) return std::nullopt;
  result.number = value;
  return result;
}

}  // namespace lumora
