// UTF-8 decoding and encoding, for the conversions at the program's edges.
#pragma once

#include <string>
#include <string_view>

namespace lumora {

// Decodes the code point at s[i] and advances i; a malformed or truncated
// sequence yields U+FFFD and consumes one byte. Needs i < s.size().
char32_t DecodeUtf8(std::string_view s, size_t& i);
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace lumora
