#include "render/key_highlighter.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "core/modules/verse_text_codec.h"
#include "core/text/cp1252.h"

namespace lumora {
namespace {

// The inverse of the code page's upper-case map: each capital goes to the
// small letter that upper-cases to it.
const std::array<unsigned char, 256>& LowerMap() {
  static const std::array<unsigned char, 256> map = [] {
    std::array<unsigned char, 256> m{};
    for (int b = 0; b < 256; ++b) m[b] = static_cast<unsigned char>(b);
    for (int b = 0; b < 256; ++b) {
      const unsigned char up = cp1252::Upper(static_cast<unsigned char>(b));
      if (up != b && m[up] == up) m[up] = static_cast<unsigned char>(b);
    }
    return m;
  }();
  return map;
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// A string with a gap at the last insertion point: the markers of one key go
// in left to right, so each insertion moves only the bytes since the last
// one, not the rest of the text (a long verse with thousands of hits would
// otherwise be copied thousands of times).
class GapText {
 public:
  explicit GapText(std::string text) : buf_(std::move(text)), gap_at_(buf_.size()) {}

  size_t size() const { return buf_.size() - gap_; }
  char at(size_t i) const { return buf_[i < gap_at_ ? i : i + gap_]; }
  void set(size_t i, char c) { buf_[i < gap_at_ ? i : i + gap_] = c; }

  void Insert(size_t i, char c) {
    MoveGap(i);
    if (gap_ == 0) {
      const size_t grow = std::max<size_t>(64, size() / 2);
      buf_.insert(gap_at_, grow, '\0');
      gap_ = grow;
    }
    buf_[gap_at_++] = c;
    --gap_;
  }

  // First occurrence of `key` at or after `from`; npos when none. The gap
  // goes to `from` first (it usually is there already).
  size_t Find(std::string_view key, size_t from) {
    if (from > size()) return std::string::npos;
    MoveGap(from);
    const size_t found = std::string_view(buf_).substr(gap_at_ + gap_).find(key);
    return found == std::string_view::npos ? found : found + gap_at_;
  }

  std::string Take() {
    buf_.erase(gap_at_, gap_);
    gap_ = 0;
    return std::move(buf_);
  }

 private:
  void MoveGap(size_t i) {
    if (i < gap_at_)
      std::memmove(&buf_[i + gap_], &buf_[i], gap_at_ - i);
    else if (i > gap_at_)
      std::memmove(&buf_[gap_at_], &buf_[gap_at_ + gap_], i - gap_at_);
    gap_at_ = i;
  }

  std::string buf_;
  size_t gap_at_;
  size_t gap_ = 0;
};

void MarkKey(std::string& text, const std::string& key, bool case_sensitive,
             bool strongs_links) {
  const size_t length = key.size();
  const bool token_key = IsStrongsByte(key[0]);
  std::string lowered = case_sensitive ? text : AnsiLower(text);
  if (strongs_links && !token_key) {
    // A word key must not match inside a token's number.
    for (size_t i = 0; i < lowered.size(); ++i)
      if (IsStrongsByte(lowered[i]))
        for (size_t d = 1; d <= 5 && i + d < lowered.size(); ++d) lowered[i + d] = '$';
  }
  // `marked` and `work` get the same insertions; `work` is searched.
  GapText marked(std::move(text)), work(std::move(lowered));
  auto insert = [&](size_t at, char marker) {
    marked.Insert(at, marker);
    work.Insert(at, marker);
  };
  size_t from = 0;
  for (size_t p = work.Find(key, from); p != std::string::npos; p = work.Find(key, from)) {
    work.set(p, '^');  // this occurrence is done
    size_t caret = p;
    if (token_key) {
      // The token tags the words after the previous token (or from the start).
      size_t start = 0;
      for (size_t t = p; t-- > 0;)
        if (IsStrongsByte(work.at(t))) {
          start = t + 6;
          break;
        }
      insert(p + length, kHighlightEnd);
      if (start > work.size()) start = work.size();
      insert(start, kHighlightStart);
      if (start <= caret) ++caret;
    } else {
      const bool open_before = p == 0 || !IsAsciiLetter(work.at(p - 1));
      const bool open_after = p + length >= work.size() || !IsAsciiLetter(work.at(p + length));
      if (open_before && open_after) {
        insert(p + length, kHighlightEnd);
        insert(p, kHighlightStart);
        ++caret;
      }
    }
    // On after the hit: a key that matches its own "^" cannot loop.
    from = caret + 1;
  }
  text = marked.Take();
}

}  // namespace

std::string AnsiLower(std::string text) {
  const auto& map = LowerMap();
  for (char& c : text) c = static_cast<char>(map[static_cast<unsigned char>(c)]);
  return text;
}

void MarkKeys(std::string& text, const TKeyArray& keys, bool case_sensitive, bool strongs_links) {
  for (const std::string& key : keys)
    if (!key.empty()) MarkKey(text, key, case_sensitive, strongs_links);
}

}  // namespace lumora
