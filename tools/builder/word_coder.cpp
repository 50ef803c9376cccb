#include "tools/builder/word_coder.h"

#include "core/codec/base205.h"
#include "core/modules/verse_text_codec.h"
#include "core/text/cp1252.h"

namespace lumora::builder {
namespace {

bool IsWordChar(unsigned char b) { return cp1252::IsLetter(b) || (b >= '0' && b <= '9'); }
bool IsAsciiLetter(unsigned char b) { return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z'); }
bool IsJoiner(unsigned char b) { return b == '\'' || b == '-' || b == 0x92; }

}  // namespace

void ForEachWord(std::string_view text,
                 const std::function<void(size_t, size_t)>& on_word) {
  const size_t n = text.size();
  auto at = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  size_t i = 0;
  while (i < n) {
    const char c = text[i];
    if (c == kHebrewStrongsByte || c == kGreekStrongsByte) {
      i += 3;  // the token's two digits can look like letters
      continue;
    }
    if (c == '<' && i + 1 < n && (IsAsciiLetter(at(i + 1)) || text[i + 1] == '/')) {
      // An HTML tag (the verse links of a cross-reference note): markup, not
      // words, so a search for "href" finds nothing.
      const size_t close = text.find('>', i);
      const size_t next_open = text.find('<', i + 1);
      if (close != std::string_view::npos && close < next_open) {
        i = close + 1;
        continue;
      }
    }
    if (!IsWordChar(at(i))) {
      ++i;
      continue;
    }
    const size_t start = i;
    while (i < n) {
      if (IsWordChar(at(i))) {
        ++i;
      } else if (IsJoiner(at(i)) && i + 1 < n && IsWordChar(at(i + 1))) {
        i += 2;
      } else {
        break;
      }
    }
    on_word(start, i - start);
  }
}

std::string WordCode(int position, size_t word_length) {
  if (position < 0) return {};
  if (position < kBase205 && word_length > 2) {
    std::string code(1, kWordCode1Byte);
    code += EncodeBase205(position);
    return code;
  }
  if (position < kBase205 * kBase205 && word_length > 3) {
    std::string code(1, kWordCode2Byte);
    const std::string digits = EncodeBase205(position);
    if (digits.size() == 1) code += static_cast<char>(kBase205FirstDigit);
    code += digits;
    return code;
  }
  return {};
}

}  // namespace lumora::builder
