#include "render/key_highlighter.h"

#include <array>

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

// Inserts `marker` at `at` in both strings (they always have one length).
void InsertMarker(std::string& text, std::string& work, size_t at, char marker) {
  text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), marker);
  work.insert(work.begin() + static_cast<std::ptrdiff_t>(at), marker);
}

void MarkKey(std::string& text, const std::string& key, bool case_sensitive,
             bool strongs_links) {
  const size_t length = key.size();
  const bool token_key = IsStrongsByte(key[0]);
  std::string work = case_sensitive ? text : AnsiLower(text);
  if (strongs_links && !token_key) {
    // A word key must not match inside a token's number.
    for (size_t i = 0; i < work.size(); ++i)
      if (IsStrongsByte(work[i]))
        for (size_t d = 1; d <= 5 && i + d < work.size(); ++d) work[i + d] = '$';
  }
  size_t from = 0;
  for (size_t p = work.find(key, from); p != std::string::npos; p = work.find(key, from)) {
    work[p] = '^';  // this occurrence is done
    size_t caret = p;
    if (token_key) {
      // The token tags the words after the previous token (or from the start).
      size_t start = 0;
      for (size_t t = p; t-- > 0;)
        if (IsStrongsByte(work[t])) {
          start = t + 6;
          break;
        }
      InsertMarker(text, work, p + length, kHighlightEnd);
      if (start > work.size()) start = work.size();
      InsertMarker(text, work, start, kHighlightStart);
      if (start <= caret) ++caret;
    } else {
      const bool open_before = p == 0 || !IsAsciiLetter(work[p - 1]);
      const bool open_after = p + length >= work.size() || !IsAsciiLetter(work[p + length]);
      if (open_before && open_after) {
        InsertMarker(text, work, p + length, kHighlightEnd);
        InsertMarker(text, work, p, kHighlightStart);
        ++caret;
      }
    }
    // On after the hit: a key that matches its own "^" cannot loop.
    from = caret + 1;
  }
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
