#include "core/modules/verse_text_codec.h"

#include <algorithm>

#include "core/codec/base205.h"

namespace lumora {
namespace {

// True when text[i] is a Strong's byte followed by two digits.
bool IsStrongsTokenAt(std::string_view text, size_t i) {
  return IsStrongsByte(text[i]) && i + 2 < text.size() &&
         IsBase205Digit(static_cast<unsigned char>(text[i + 1])) &&
         IsBase205Digit(static_cast<unsigned char>(text[i + 2]));
}

int DigitValue(char c) { return static_cast<unsigned char>(c) - kBase205FirstDigit; }

}  // namespace

std::optional<std::string> ExpandWordCodes(std::string_view raw, const PackedStrings& words,
                                           size_t limit) {
  std::string out;
  out.reserve(std::min(raw.size() * 3, limit));
  size_t p = 0;
  while (p < raw.size()) {
    const char c = raw[p];
    // The byte that ends the text is never a code: it has no digits.
    if ((c == kWordCode1Byte || c == kWordCode2Byte) && p + 1 < raw.size()) {
      const size_t digits = c == kWordCode1Byte ? 1 : 2;
      if (p + digits < raw.size()) {
        int position = 0;
        bool valid = true;
        for (size_t k = 1; k <= digits; ++k) {
          const auto d = static_cast<unsigned char>(raw[p + k]);
          valid = valid && IsBase205Digit(d);
          position = position * kBase205 + DigitValue(raw[p + k]);
        }
        if (valid && position < static_cast<int>(words.size())) {
          const std::string_view word = words[static_cast<size_t>(position)];
          if (word.size() > limit - std::min(out.size(), limit)) return std::nullopt;
          out += word;
          p += digits + 1;
          continue;
        }
      }
    }
    if (out.size() >= limit) return std::nullopt;
    out += c;
    ++p;
  }
  return out;
}

std::string WrittenStrongsToken(char marker, int number) {
  static const char kHex[] = "0123456789abcdef";
  std::string token(1, marker);
  token += '$';
  for (int shift = 12; shift >= 0; shift -= 4) token += kHex[(number >> shift) & 0xF];
  return token;
}

int ParseWrittenStrongsToken(std::string_view text, size_t i) {
  if (i + 5 >= text.size() || !IsStrongsByte(text[i]) || text[i + 1] != '$') return -1;
  int n = 0;
  for (size_t k = 2; k <= 5; ++k) {
    const char c = text[i + k];
    const int h = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (h < 0) return -1;
    n = n * 16 + h;
  }
  return n;
}

std::string WriteOutStrongs(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  size_t p = 0;
  while (p < text.size()) {
    if (IsStrongsTokenAt(text, p)) {
      const int n = DigitValue(text[p + 1]) * kBase205 + DigitValue(text[p + 2]);
      out += WrittenStrongsToken(text[p], n);
      p += 3;
      continue;
    }
    out += text[p++];
  }
  return out;
}

std::string RemoveStrongs(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t p = 0;
  while (p < text.size()) {
    if (IsStrongsTokenAt(text, p)) {
      p += 3;
      continue;
    }
    out += text[p++];
  }
  return out;
}

std::string RemoveFootnotes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t p = 0;
  while (p < text.size()) {
    const size_t open = text.find('{', p);
    if (open == std::string_view::npos) break;
    out.append(text.substr(p, open - p));
    const size_t close = text.find('}', open + 1);
    if (close == std::string_view::npos) return out;  // cut before the "{"
    p = close + 1;
    if (p < text.size() && text[p] == ' ') ++p;
  }
  out.append(text.substr(p));
  return out;
}

}  // namespace lumora
