#include "tools/cli/visible_text.h"

#include <cstdio>

#include "core/codec/base205.h"
#include "core/modules/verse_text_codec.h"
#include "core/text/cp1252.h"

namespace lumora::cli {
namespace {

std::string Tag(char prefix, int number) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "<%c%04d>", prefix, number);
  return buf;
}

}  // namespace

std::string MakeVisible(std::string_view text) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == kHebrewStrongsByte || c == kGreekStrongsByte) {
      const char prefix = c == kHebrewStrongsByte ? 'H' : 'G';
      // Written out: "$" and four hex digits.
      if (const int n = ParseWrittenStrongsToken(text, i); n >= 0) {
        out += Tag(prefix, n);
        i += 6;
        continue;
      }
      // Stored: two base-205 digits.
      if (i + 2 < text.size() && IsBase205Digit(static_cast<unsigned char>(text[i + 1])) &&
          IsBase205Digit(static_cast<unsigned char>(text[i + 2]))) {
        out += Tag(prefix, static_cast<int>(DecodeBase205(text.substr(i + 1, 2))));
        i += 3;
        continue;
      }
    }
    const auto b = static_cast<unsigned char>(c);
    if (b < 32) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "<0x%02X>", b);
      out += buf;
    } else {
      out += cp1252::ToUtf8(std::string_view(&text[i], 1));
    }
    ++i;
  }
  return out;
}

std::string MakeVisibleEntry(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 32) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "<0x%02X>", b);
      out += buf;
    } else {
      out += cp1252::ToUtf8(std::string_view(&c, 1));
    }
  }
  return out;
}

}  // namespace lumora::cli
