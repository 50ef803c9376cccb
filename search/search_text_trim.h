// The trimming both search windows apply to typed text: blanks and control
// characters (every byte up to the space) go at both ends.
#pragma once

#include <string>
#include <string_view>

namespace lumora {

inline std::string TrimSearchText(std::string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return std::string(text.substr(begin, end - begin));
}

}  // namespace lumora
