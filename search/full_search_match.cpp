#include "search/full_search_match.h"

namespace lumora {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

Result<FullSearchMatcher> FullSearchMatcher::Create(std::string_view pattern, bool case_sensitive,
                                                    bool allow_substring) {
  FullSearchMatcher m;
  m.pattern_ = std::string(pattern);
  m.case_sensitive_ = case_sensitive;
  m.allow_substring_ = allow_substring;
  const Status built = case_sensitive ? BuildSkipTable(m.pattern_, m.table_)
                                      : BuildSkipTableNoCase(m.pattern_, m.table_);
  if (!built.ok()) return built;
  return m;
}

const char* FullSearchMatcher::Scan(std::string_view text, size_t from) const {
  if (from >= text.size()) return nullptr;
  const char* start = text.data() + from;
  const auto length = static_cast<int64_t>(text.size() - from);
  return case_sensitive_ ? SkipScan(start, pattern_, length, table_)
                         : SkipScanNoCase(start, pattern_, length, table_);
}

size_t FullSearchMatcher::Match(std::string_view text) const {
  size_t from = 0;
  while (const char* found = Scan(text, from)) {
    const size_t at = static_cast<size_t>(found - text.data());
    const size_t end = at + pattern_.size();
    if (allow_substring_ ||
        ((at == 0 || !IsAsciiLetter(text[at - 1])) &&
         (end >= text.size() || !IsAsciiLetter(text[end]))))
      return at + 1;
    from = at + 1;
  }
  return 0;
}

}  // namespace lumora
