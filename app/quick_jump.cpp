#include "app/quick_jump.h"

#include <algorithm>
#include <climits>

#include "core/modules/bible_module.h"
#include "core/refs/reference_parser.h"
#include "core/refs/verse_index.h"

namespace lumora {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(s.size());
  size_t at = 0;
  for (size_t hit; (hit = s.find(from, at)) != std::string::npos; at = hit + from.size()) {
    out.append(s, at, hit - at);
    out.append(to);
  }
  out.append(s, at);
  s = std::move(out);
}

}  // namespace

std::string NormalizeQuickJumpText(std::string_view typed) {
  size_t begin = 0;
  size_t end = typed.size();
  while (begin < end && IsBlankOrControl(typed[begin])) ++begin;
  while (end > begin && IsBlankOrControl(typed[end - 1])) --end;
  std::string s(typed.substr(begin, end - begin));
  ReplaceAll(s, ": ", ":");
  ReplaceAll(s, "  ", " ");
  ReplaceAll(s, "  ", " ");
  if (s.size() > 2 && s[1] == ' ' && IsDigit(s[0]) && IsAsciiLetter(s[2])) s.erase(1, 1);
  return s;
}

bool ParseWholeNumber(std::string_view text, int& value) {
  size_t i = 0;
  size_t end = text.size();
  while (i < end && text[i] == ' ') ++i;
  while (end > i && text[end - 1] == ' ') --end;
  bool negative = false;
  if (i < end && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == end) return false;
  long long n = 0;
  for (; i < end; ++i) {
    if (!IsDigit(text[i])) return false;
    n = n * 10 + (text[i] - '0');
    // Past what a 32-bit integer holds: not a number this box can use.
    if (n > static_cast<long long>(INT_MAX) + 1) return false;
  }
  if (negative) n = -n;
  if (n < INT_MIN || n > INT_MAX) return false;
  value = static_cast<int>(n);
  return true;
}

QuickJumpResult QuickJumpTarget(std::string_view typed, int current, const ReferenceParser& parser,
                                const TLMBibleModule& kjv) {
  const std::string text = NormalizeQuickJumpText(typed);
  if (text.empty()) return {};
  const QuickJumpResult unrecognized{0, true};

  if (std::any_of(typed.begin(), typed.end(), IsAsciiLetter)) {
    const ParsedReferences parsed = parser.Parse(text);
    if (parsed.ranges.empty()) return unrecognized;
    const TVerseRange& first = parsed.ranges.front();
    const int target = std::min(first.first, first.last);
    return IsVerseIndex(target) ? QuickJumpResult{target, false} : unrecognized;
  }

  const TVerseLocation at = kjv.GetVerseLocation(current);
  if (at.book == 0) return unrecognized;
  size_t mark = text.find(':');
  if (mark == std::string::npos) mark = text.find('.');
  int target = 0;
  if (mark != std::string::npos) {
    int chapter = 0;
    // Chapter 0 or below would land in the book before.
    if (!ParseWholeNumber(std::string_view(text).substr(0, mark), chapter) || chapter < 1)
      return unrecognized;
    int verse = 1;
    if (!ParseWholeNumber(std::string_view(text).substr(mark + 1, 4), verse)) verse = 1;
    target = FastLocateVerse(kjv, at.book, chapter, verse);
  } else {
    int verse = 0;
    // The absolute value of INT_MIN does not fit: too large as well.
    if (!ParseWholeNumber(text, verse) || verse == INT_MIN) return unrecognized;
    target = FastLocateVerse(kjv, at.book, at.chapter, verse < 0 ? -verse : verse);
  }
  return target > 0 ? QuickJumpResult{target, false} : unrecognized;
}

TVerseList ExpandVerseRanges(const TVerseRangeList& ranges) {
  TVerseList verses;
  for (const TVerseRange& r : ranges) {
    const int from = std::max(std::min(r.first, r.last), 1);
    const int to = std::min(std::max(r.first, r.last), kVerseCount);
    for (int v = from; v <= to; ++v) verses.push_back(static_cast<uint16_t>(v));
  }
  return verses;
}

}  // namespace lumora
