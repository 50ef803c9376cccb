#include "core/codec/base205.h"

#include <algorithm>
#include <utility>

#include "core/refs/verse_index.h"

namespace lumora {

std::string EncodeBase205(int64_t n) {
  if (n < 0) return {};
  std::string out;
  do {
    out.insert(out.begin(), static_cast<char>(n % kBase205 + kBase205FirstDigit));
    n /= kBase205;
  } while (n != 0);
  return out;
}

int64_t DecodeBase205(std::string_view digits) {
  if (digits.size() > 255) digits = digits.substr(0, 255);
  int64_t value = 0;
  for (const char c : digits) {
    const auto b = static_cast<unsigned char>(c);
    if (!IsBase205Digit(b)) return -1;
    value = value * kBase205 + (b - kBase205FirstDigit);
    if (value > INT32_MAX) return -1;
  }
  return value;
}

std::string EncodeVerseRanges(const TVerseRangeList& ranges) {
  std::string out;
  for (TVerseRange r : ranges) {
    if (r.last < r.first) std::swap(r.first, r.last);
    if (r.first <= 0 || r.last > kVerseCount) continue;
    out += EncodeBase205(r.first);
    if (r.last != r.first) {
      out += '+';
      out += EncodeBase205(r.last - r.first);
    }
    out += ',';
  }
  if (!out.empty()) out.pop_back();
  return out;
}

TVerseRangeList DecodeVerseRanges(std::string_view text) {
  TVerseRangeList out;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) comma = text.size();
    const std::string_view item = text.substr(start, comma - start);
    const size_t plus = item.find('+');
    if (plus == std::string_view::npos) {
      const int64_t v = item.empty() ? -1 : DecodeBase205(item);
      if (v > 0) out.push_back({static_cast<int>(v), static_cast<int>(v)});
    } else {
      const int64_t first = plus == 0 ? -1 : DecodeBase205(item.substr(0, plus));
      const int64_t count = DecodeBase205(item.substr(plus + 1, 4));
      if (first > 0 && count >= 0 && first + count <= INT32_MAX)
        out.push_back({static_cast<int>(first), static_cast<int>(first + count)});
    }
    start = comma + 1;
  }
  return out;
}

}  // namespace lumora
