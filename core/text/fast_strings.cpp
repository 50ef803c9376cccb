#include "core/text/fast_strings.h"

#include <algorithm>

#include "core/text/cp1252.h"

namespace lumora {
namespace {

struct Exact {
  static unsigned char Key(unsigned char b) { return b; }
};
struct NoCase {
  static unsigned char Key(unsigned char b) { return cp1252::Upper(b); }
};

template <typename Mode>
Status Build(std::string_view pattern, SkipTable& table) {
  if (pattern.empty())
    return Status::Error(ErrorKind::kInvalidArgument, "BufferLen is 0");
  const auto len = static_cast<int32_t>(std::min<size_t>(pattern.size(), INT32_MAX));
  table.fill(len);
  for (int32_t k = 0; k + 1 < len; ++k)
    table[Mode::Key(static_cast<unsigned char>(pattern[k]))] = len - 1 - k;
  return Status::Ok();
}

template <typename Mode>
const char* Scan(const char* text, std::string_view pattern, int64_t length,
                 const SkipTable& table) {
  const auto m = static_cast<int64_t>(pattern.size());
  if (m == 0 || length <= 0 || length < m || text == nullptr) return nullptr;
  const auto* t = reinterpret_cast<const unsigned char*>(text);
  const auto* p = reinterpret_cast<const unsigned char*>(pattern.data());
  int64_t e = m - 1;
  while (e < length) {
    int64_t k = 0;
    while (k < m && Mode::Key(t[e - k]) == Mode::Key(p[m - 1 - k])) ++k;
    if (k == m) return text + (e - m + 1);
    e += table[Mode::Key(t[e])];
  }
  return nullptr;
}

template <typename Mode>
size_t Pos(std::string_view source, std::string_view find, int64_t start) {
  if (find.empty()) return 0;
  if (start < 1) start = 1;
  if (static_cast<uint64_t>(start) > source.size()) return 0;
  SkipTable table;
  (void)Build<Mode>(find, table);
  const char* base = source.data() + (start - 1);
  const char* hit = Scan<Mode>(base, find, static_cast<int64_t>(source.size()) - (start - 1), table);
  return hit == nullptr ? 0 : static_cast<size_t>(hit - source.data()) + 1;
}

}  // namespace

Status BuildSkipTable(std::string_view pattern, SkipTable& table) {
  return Build<Exact>(pattern, table);
}
Status BuildSkipTableNoCase(std::string_view pattern, SkipTable& table) {
  return Build<NoCase>(pattern, table);
}

const char* SkipScan(const char* text, std::string_view pattern, int64_t length,
                     const SkipTable& table) {
  return Scan<Exact>(text, pattern, length, table);
}
const char* SkipScanNoCase(const char* text, std::string_view pattern, int64_t length,
                           const SkipTable& table) {
  return Scan<NoCase>(text, pattern, length, table);
}

size_t PosFrom(std::string_view source, std::string_view find, int64_t start) {
  return Pos<Exact>(source, find, start);
}
size_t PosFromNoCase(std::string_view source, std::string_view find, int64_t start) {
  return Pos<NoCase>(source, find, start);
}

size_t PosBackNoCase(std::string_view source, std::string_view find, int64_t start) {
  const auto m = static_cast<int64_t>(find.size());
  const auto n = static_cast<int64_t>(source.size());
  if (m < 1 || n < m) return 0;
  if (start <= 0 || start + m > n) start = n - m + 1;
  const unsigned char* map = cp1252::UpperMap();
  auto u = [map](char c) { return map[static_cast<unsigned char>(c)]; };
  for (int64_t p = start; p >= 1; --p) {
    const char* s = source.data() + (p - 1);
    if (u(s[0]) != u(find[0])) continue;
    int64_t k = m - 1;
    while (k >= 1 && u(s[k]) == u(find[k])) --k;
    if (k == 0) return static_cast<size_t>(p);
  }
  return 0;
}

size_t CharPosFrom(std::string_view s, char ch, int64_t start) {
  if (start < 1) start = 1;
  if (s.empty() || static_cast<uint64_t>(start) > s.size()) return 0;
  const size_t i = s.find(ch, static_cast<size_t>(start - 1));
  return i == std::string_view::npos ? 0 : i + 1;
}

std::string ReplaceAll(std::string_view source, std::string_view find,
                       std::string_view replacement, bool case_sensitive) {
  if (source.empty() || find.empty()) return std::string(source);
  SkipTable table;
  if (case_sensitive)
    (void)BuildSkipTable(find, table);
  else
    (void)BuildSkipTableNoCase(find, table);
  std::string out;
  // 64-bit arithmetic: a long source and a long replacement never wrap.
  const uint64_t estimate =
      replacement.size() > find.size()
          ? static_cast<uint64_t>(source.size()) * replacement.size() / find.size()
          : source.size();
  out.reserve(static_cast<size_t>(std::min<uint64_t>(estimate, source.size() + (64u << 20))));
  size_t pos = 0;
  while (source.size() - pos >= find.size()) {
    const char* base = source.data() + pos;
    const auto remaining = static_cast<int64_t>(source.size() - pos);
    const char* hit = case_sensitive ? SkipScan(base, find, remaining, table)
                                     : SkipScanNoCase(base, find, remaining, table);
    if (hit == nullptr) break;
    const auto offset = static_cast<size_t>(hit - base);
    out.append(base, offset);
    out.append(replacement);
    pos += offset + find.size();
  }
  out.append(source.substr(pos));
  return out;
}

}  // namespace lumora
